// Preferences: the dialog opens on the stored setup; a port or receive-channel
// change is stored in the setup block and reaches the module as one setup
// command at once; the zoom is kept as "scale" for the next start.

#include "TestSupport.h"
#include "PreferencesDialog.h"
#include "TPrograms.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QSettings>

namespace {

// A radio button by name, or "box:n" for the n-th button of a channel grid.
QRadioButton* findButton(QDialog* dialog, const QString& name)
{
    if (!name.contains(':'))
        return dialog->findChild<QRadioButton*>(name);
    const auto grid = dialog->findChild<QGroupBox*>(name.section(':', 0, 0))->findChildren<QRadioButton*>();
    return grid.value(name.section(':', 1).toInt());
}

// The buttons shown checked.
QStringList checkedIn(QDialog* dialog)
{
    QStringList names { "midiClassicKeyboardButton", "midiClassicGmButton" };
    for (const char* box : { "groupBoxKeyboardRxChannels:", "groupBoxGmRxChannels:" })
        for (int c = 0; c < 17; ++c)
            names << box + QString::number(c);
    names.removeIf([dialog](const QString& name) { return !findButton(dialog, name)->isChecked(); });
    return names;
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT
private slots:
    // What the dialog shows of the stored setup, and one click through the
    // window's menu entry to the module.
    void changeReachesTheModule_data()
    {
        QTest::addColumn<quint8>("port");   // stored 5-pin state, item 3
        QTest::addColumn<quint8>("upper");  // item 10
        QTest::addColumn<quint8>("lower");  // item 11
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<QString>("click");
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("value");
        const QString kbd = "groupBoxKeyboardRxChannels:", gm = "groupBoxGmRxChannels:";
        const auto row = [](const char* name, quint8 port, quint8 upper, quint8 lower, const QStringList& checked,
                            const QString& click, int item, int value) {
            QTest::newRow(name) << port << upper << lower << checked << click << item << value;
        };
        const QString keyboard = "midiClassicKeyboardButton", gmPort = "midiClassicGmButton";
        row("5-pin to keyboard", 1, 0, 16, { gmPort, kbd + "0", gm + "16" }, keyboard, 3, 2);
        row("5-pin to GM", 2, 15, 4, { keyboard, kbd + "15", gm + "4" }, gmPort, 3, 1);
        row("upper, the stored channel again", 1, 5, 9, { gmPort, kbd + "5", gm + "9" }, kbd + "5", 10, 5);
        row("values no button stands for", 0, 17, 255, {}, gm + "16", 11, 16);
    }
    void changeReachesTheModule()
    {
        QFETCH(QString, click);
        QFETCH(int, item);
        QFETCH(int, value);
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();
        auto* setup = reinterpret_cast<quint8*>(&programs.setup);
        QFETCH(quint8, port);
        QFETCH(quint8, upper);
        QFETCH(quint8, lower);
        setup[3] = port;
        setup[10] = upper;
        setup[11] = lower;
        QByteArray expected(reinterpret_cast<const char*>(setup), sizeof(TSetup));
        expected[item] = char(value);
        QStringList checked;
        f.prompts.onExec = [&](QDialog* d) {
            checked = checkedIn(d);
            findButton(d, click)->click();
            return int(QDialog::Accepted);
        };
        f.window->onActionOpenPreferencesDialogTriggered();
        QTEST(checked, "checked");
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(setup), sizeof(TSetup)), expected);
        QVERIFY(waitFor([&] { return !f.received(0x21).isEmpty(); }, 2000));
        QTest::qWait(50);  // and nothing after it
        QCOMPARE(f.received(0x21), (QList<QByteArray> { QByteArray::fromHex("15") + char(item) + char(value) }));
        QCOMPARE(int(quint8(f.module.memory().ramPrograms[65408 + item])), value);
    }

    // The zoom shown is the stored one, if it is one of ours; a choice is
    // stored at once.
    void zoomStoredForNextStart_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QString>("scale");
        QTest::newRow("nothing stored") << QVariant() << "100%" << 1 << "1.25";
        QTest::newRow("2 stored") << QVariant("2") << "200%" << 0 << "1";
        QTest::newRow("no zoom of ours") << QVariant("1.3") << "" << 4 << "2";
    }
    void zoomStoredForNextStart()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, choose);
        stored.isValid() ? QSettings().setValue("scale", stored) : QSettings().remove("scale");
        PreferencesDialog dialog;
        auto* zoom = dialog.findChild<QComboBox*>("zoomComboBox");
        QTEST(zoom->currentText(), "shown");
        QCOMPARE(QSettings().value("scale"), stored);
        zoom->setCurrentIndex(choose);
        QTEST(QSettings().value("scale").toString(), "scale");
    }
};

LYR_TEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
