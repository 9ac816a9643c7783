// The main window form where it carries behaviour of its own: what the
// line edits accept, the Clear button of the byte edits, and the developer
// page's slots that the form connects by name.

#include "TestSupport.h"
#include "ui_LyrForm.h"

#include <QLineEdit>

namespace {

// A window with the developer page's slots that the form connects by name.
class ToolWindow : public QMainWindow
{
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void on_insertOffRadioBtn_clicked() { calls << "no insert"; }
    void on_insert1RadioBtn_clicked() { calls << "insert 1"; }
    void on_insert2RadioBtn_clicked() { calls << "insert 2"; }
    void on_hqDist2OnBtn_clicked() { calls << "hq on"; }
    void on_hqDist2OffBtn_clicked() { calls << "hq off"; }
    void on_hqDist2DriveDial_sliderMoved(int position) { calls << QString("drive %1").arg(position); }
    void on_secondRevSendDial_sliderMoved(int position) { calls << QString("send %1").arg(position); }
    void on_secondRevLevelDial_sliderMoved(int position) { calls << QString("level %1").arg(position); }
};

} // namespace

class TestForm : public QObject
{
    Q_OBJECT
    QMainWindow window;
    Ui_LyrForm ui;

private slots:
    void initTestCase()
    {
        ui.setupUi(&window);
    }

    // Clear empties the sixteen byte edits and no other field.
    void clearEmptiesTheByteEdits()
    {
        for (QLineEdit* e : window.findChildren<QLineEdit*>())
            e->setText("1");
        ui.clearPushButton->click();
        for (QLineEdit* e : window.findChildren<QLineEdit*>())
            QVERIFY2(e->text().isEmpty() == e->objectName().startsWith("byte"), qPrintable(e->objectName()));
    }

    // A typed value keeps what the field can hold: three digits of a
    // velocity, any digits of a key, two hexadecimal digits of a byte.
    void typedTextKeepsWhatTheFieldHolds_data()
    {
        QTest::addColumn<QString>("edit");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("velocity") << "veloLowLineEdit1" << "1275" << "127";
        QTest::newRow("key") << "rangeLowLineEdit2" << "0123456789" << "0123456789";
        QTest::newRow("byte, hex digits only") << "byte0LineEdit" << "g7Az" << "7A";
        QTest::newRow("byte, two digits") << "byte15LineEdit" << "fF0" << "fF";
    }

    void typedTextKeepsWhatTheFieldHolds()
    {
        QFETCH(QString, edit);
        QFETCH(QString, typed);
        QLineEdit* field = window.findChild<QLineEdit*>(edit);
        field->clear();
        QTest::keyClicks(field, typed);
        QTEST(field->text(), "kept");
    }

    // The developer page's slots are found by name; a misspelt object name
    // would leave a tool silently dead (and warn, which fails this test).
    void toolSlotsConnectByName()
    {
        QTest::failOnWarning(QRegularExpression("connectSlotsByName"));
        ToolWindow tools;
        Ui_LyrForm form;
        form.setupUi(&tools);
        for (QAbstractButton* b : tools.findChildren<QAbstractButton*>(QRegularExpression("^(insert|hqDist2).*Btn$")))
            b->click();
        for (QDial* dial : tools.findChildren<QDial*>()) {
            dial->setSliderDown(true);
            dial->setSliderPosition(100);
            dial->setSliderDown(false);
        }
        tools.calls.sort();
        QCOMPARE(tools.calls, QStringList({ "drive 100", "hq off", "hq on", "insert 1", "insert 2", "level 100", "no insert", "send 100" }));
    }
};

LYR_TEST_MAIN(TestForm)
#include "tst_form.moc"
