// The two-choice dialog as the connection flow uses it: both choices come
// back after OK, nothing is taken after Cancel, and odd preselections or an
// empty list do not get in the way.

#include "TestSupport.h"
#include "QMyDoubleComboBoxDialog.h"

#include <QComboBox>
#include <QPushButton>

class TestDoubleComboBoxDialog : public QObject
{
    Q_OBJECT
private slots:
    void answer_data()
    {
        QTest::addColumn<QStringList>("outputs");
        QTest::addColumn<int>("preselected");
        QTest::addColumn<QString>("how");    // the button pressed
        QTest::addColumn<QString>("chosen"); // both texts when accepted
        const QStringList outputs { "MIDIOUT2 (Borvan Lyr)", "Synth Out" };
        QTest::newRow("OK") << outputs << 1 << "OK" << "Loop In|Synth Out";
        QTest::newRow("nothing preselected") << outputs << -1 << "OK" << "Loop In|";
        QTest::newRow("past the end falls to the first") << outputs << 99 << "OK" << "Loop In|MIDIOUT2 (Borvan Lyr)";
        QTest::newRow("empty list still accepts") << QStringList() << 0 << "OK" << "Loop In|";
        QTest::newRow("Cancel") << outputs << 0 << "Cancel" << "";
    }

    void answer()
    {
        QFETCH(QStringList, outputs);
        QFETCH(int, preselected);
        QFETCH(QString, how);
        QMyDoubleComboBoxDialog dialog(nullptr, "Choose Midi Device", "Input Port:", { "MIDIIN2 (Borvan Lyr)", "Keyboard In", "Loop In" }, 0,
                                       "Output Port:", outputs, preselected);
        dialog.open();
        dialog.firstComboBox->setCurrentIndex(2);
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == how)
                b->click();
        QVERIFY(!dialog.isVisible());
        QTEST(dialog.result() == QDialog::Accepted ? dialog.firstComboBox->currentText() + "|" + dialog.secondComboBox->currentText() : QString(), "chosen");
    }
};

LYR_TEST_MAIN(TestDoubleComboBoxDialog)
#include "tst_doublecomboboxdialog.moc"
