// The two-choice dialog as the connection flow uses it: both choices come
// back after OK, nothing is taken after Cancel, and odd preselections or an
// empty list do not get in the way.

#include "TestSupport.h"
#include "QMyDoubleComboBoxDialog.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace {

const QList<QString> kInputs { "MIDIIN2 (Borvan Lyr)", "Keyboard In", "Loop In" };
const QList<QString> kOutputs { "MIDIOUT2 (Borvan Lyr)", "Synth Out" };

QPushButton* button(QDialog& dialog, const QString& text)
{
    for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

QStringList itemsOf(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

} // namespace

class TestDoubleComboBoxDialog : public QObject
{
    Q_OBJECT
private slots:
    void showsTitleLabelsAndListsInOrder()
    {
        QMyDoubleComboBoxDialog dialog(nullptr, "Choose Midi Device", "Input Port:", kInputs, 0, "Output Port:", kOutputs, 1);
        QCOMPARE(dialog.windowTitle(), QString("Choose Midi Device"));
        QStringList labels;
        for (QLabel* l : dialog.findChildren<QLabel*>())
            labels << l->text();
        QCOMPARE(labels, QStringList({ "Input Port:", "Output Port:" }));
        QCOMPARE(itemsOf(dialog.firstComboBox), QStringList(kInputs));
        QCOMPARE(itemsOf(dialog.secondComboBox), QStringList(kOutputs));
        QVERIFY(!dialog.firstComboBox->isEditable());
        QVERIFY(!dialog.secondComboBox->isEditable());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowContextHelpButtonHint));
        // Top to bottom: label, list, label, list, then the buttons.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(dialog.firstComboBox->y() < dialog.secondComboBox->y());
        QPushButton* ok = button(dialog, "OK");
        QPushButton* cancel = button(dialog, "Cancel");
        QVERIFY(ok && cancel);
        QVERIFY(dialog.secondComboBox->y() < ok->y());
        QVERIFY(ok->x() < cancel->x());
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    }

    void okReturnsBothChoices()
    {
        QMyDoubleComboBoxDialog dialog(nullptr, "Choose Midi Device", "Input Port:", kInputs, 0, "Output Port:", kOutputs, 0);
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.open();
        dialog.firstComboBox->setCurrentIndex(2);
        dialog.secondComboBox->setCurrentIndex(1);
        QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.firstComboBox->currentText(), QString("Loop In"));
        QCOMPARE(dialog.secondComboBox->currentText(), QString("Synth Out"));
    }

    void cancelAndEscapeReject_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("cancel") << false;
        QTest::newRow("escape") << true;
    }

    void cancelAndEscapeReject()
    {
        QFETCH(bool, escape);
        QMyDoubleComboBoxDialog dialog(nullptr, "Choose Midi Device", "Input Port:", kInputs, 0, "Output Port:", kOutputs, 0);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        dialog.firstComboBox->setCurrentIndex(1);
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            QTest::mouseClick(button(dialog, "Cancel"), Qt::LeftButton);
        QCOMPARE(accepted.count(), 0);
        QCOMPARE(rejected.count(), 1);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
    }

    void preselection_data()
    {
        QTest::addColumn<QList<QString>>("items");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("current");

        QTest::newRow("in range") << kInputs << 1 << 1;
        QTest::newRow("none") << kInputs << -1 << -1;
        QTest::newRow("past the end falls to the first") << kInputs << 3 << 0;
        QTest::newRow("far past the end") << kInputs << 99 << 0;
        QTest::newRow("empty list") << QList<QString>() << 0 << -1;
    }

    void preselection()
    {
        QFETCH(QList<QString>, items);
        QFETCH(int, index);
        QFETCH(int, current);
        QMyDoubleComboBoxDialog dialog(nullptr, "t", "a", kInputs, 0, "b", items, index);
        QCOMPARE(dialog.secondComboBox->count(), items.size());
        QCOMPARE(dialog.secondComboBox->currentIndex(), current);
        QCOMPARE(dialog.firstComboBox->currentIndex(), 0);
    }

    void emptySecondListStillOpensAndAccepts()
    {
        QMyDoubleComboBoxDialog dialog(nullptr, "Choose Midi Device", "Input Port:", kInputs, 0, "Output Port:", {}, 0);
        dialog.open();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(button(dialog, "OK"), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.firstComboBox->currentText(), kInputs.first());
        QCOMPARE(dialog.secondComboBox->currentText(), QString());
    }
};

LYR_TEST_MAIN(TestDoubleComboBoxDialog)
#include "tst_doublecomboboxdialog.moc"
