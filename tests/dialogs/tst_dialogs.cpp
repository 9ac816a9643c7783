// The dialogs the window opens: the voice chooser over the factory
// wavetable, the preferences (a change stored in the setup block and sent to
// the module at once), and the port chooser's two choices.

#include "TestSupport.h"
#include "PreferencesDialog.h"
#include "QMyDoubleComboBoxDialog.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"
#include "WavetableDescriptor.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <cstring>

namespace {

QList<QPushButton*> column(QWidget* dialog, const char* contents)
{
    return dialog->findChild<QWidget*>(contents)->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
}
QList<QPushButton*> families(QWidget* d) { return column(d, "familyScrollAreaWidgetContents"); }
QList<QPushButton*> voices(QWidget* d) { return column(d, "voiceScrollAreaWidgetContents"); }

int checkedIn(const QList<QPushButton*>& buttons)
{
    const auto checked = std::find_if(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isChecked(); });
    return checked == buttons.end() ? -1 : int(checked - buttons.begin());
}

// A radio button by name, or "box:n" for the n-th button of a channel grid.
QRadioButton* findButton(QDialog* dialog, const QString& name)
{
    if (!name.contains(':'))
        return dialog->findChild<QRadioButton*>(name);
    const auto grid = dialog->findChild<QGroupBox*>(name.section(':', 0, 0))->findChildren<QRadioButton*>();
    return grid.value(name.section(':', 1).toInt());
}

// The buttons shown checked.
QStringList checkedButtons(QDialog* dialog)
{
    QStringList names { "midiClassicKeyboardButton", "midiClassicGmButton" };
    for (const char* box : { "groupBoxKeyboardRxChannels:", "groupBoxGmRxChannels:" })
        for (int c = 0; c < 17; ++c)
            names << box + QString::number(c);
    names.removeIf([dialog](const QString& name) { return !findButton(dialog, name)->isChecked(); });
    return names;
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QFile descriptor(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(descriptor.open(QIODevice::ReadOnly | QIODevice::Text));
        std::memset(&wavetable, 0, sizeof(wavetable));
        extractWavetable(&descriptor, &wavetable, 0);
        initWavetableFamilyNames();
    }
    void init() { initPrograms(); }

    // The chooser opens on the part's voice, the drum family offered;
    // browsing a family chooses
    // nothing and shows a voice checked only in the part's own family. A
    // part beyond the three layers goes by the voice it was opened with, not
    // by program bytes that are no voice record. Every voice click is
    // reported, the same voice again too.
    void showsTheChoice_data()
    {
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("voice");
        QTest::addColumn<int>("browsed");  // family clicked; -1 none
        QTest::addColumn<int>("checkedFamily");
        QTest::addColumn<int>("checkedVoice");
        QTest::newRow("layer 0") << 0 << 0 << 5 << -1 << 0 << 5;
        QTest::newRow("no such voice") << 2 << 13 << 251 << -1 << -1 << -1;
        QTest::newRow("layer, browsing its family") << 0 << 4 << 1 << 2 << 2 << 3;
        QTest::newRow("GM channel, browsing another") << 5 << 4 << 1 << 2 << 2 << -1;
    }
    void showsTheChoice()
    {
        QFETCH(int, part);
        QFETCH(int, family);
        QFETCH(int, voice);
        QFETCH(int, browsed);
        // Layer 0 plays family 2 voice 3; where a record of part 5 would lie,
        // the program's bytes read family 2 voice 4.
        programPtr->voice[0] = TVoiceSelect { 2, 3, 0, 0 };
        reinterpret_cast<quint8*>(programPtr)[19 + 4 * 5] = 2;
        reinterpret_cast<quint8*>(programPtr)[20 + 4 * 5] = 4;
        VoiceDialog dialog(nullptr, uchar(part), uchar(family), uchar(voice), true);
        QSignalSpy chosen(&dialog, &VoiceDialog::voiceChanged);
        if (browsed >= 0)
            families(&dialog)[browsed]->click();
        QCOMPARE(families(&dialog).size(), 13);
        QTEST(checkedIn(families(&dialog)), "checkedFamily");
        QTEST(checkedIn(voices(&dialog)), "checkedVoice");
        QCOMPARE(chosen.count(), 0);
        const int shown = browsed < 0 ? family : browsed;
        QList<QPushButton*> listed = voices(&dialog);
        listed.removeIf([](QPushButton* b) { return b->isHidden(); });
        QCOMPARE(listed.size(), getVoiceCount(uchar(shown)));
        if (listed.isEmpty())
            return;
        QCOMPARE(listed.last()->text(), getVoiceName(uchar(shown), ushort(listed.size() - 1)));
        listed.last()->click();
        listed.last()->click();
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen.last(), QVariantList({ part, shown, int(listed.size() - 1) }));
    }

    // The family column has no scroll bar: the info box, shown on demand,
    // must not push families out of sight.
    void infoBoxKeepsFamiliesInSight()
    {
        VoiceDialog dialog(nullptr, 0, 0, 0, true);
        dialog.show();
        QVERIFY(dialog.findChild<QGroupBox*>("groupBoxInfo")->isHidden());
        dialog.findChild<QCheckBox*>("showInfoCheckBox")->setChecked(true);
        QCoreApplication::processEvents();
        QVERIFY(dialog.findChild<QGroupBox*>("groupBoxInfo")->isVisible());
        const QPushButton* last = families(&dialog).last();
        QCOMPARE(last->visibleRegion(), QRegion(last->rect()));
    }

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
            checked = checkedButtons(d);
            findButton(d, click)->click();
            return int(QDialog::Accepted);
        };
        f.window->onActionOpenPreferencesDialogTriggered();
        QTEST(checked, "checked");
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(setup), sizeof(TSetup)), expected);
        QCOMPARE(f.frames(1), QStringList { QString::asprintf("21:15 %02x %02x", item, value) });
        QCOMPARE(int(quint8(f.module.memory().ramPrograms[65408 + item])), value);
    }

    // Both choices come back after OK, nothing after Cancel; odd
    // preselections or an empty list do not get in the way.
    void portChooserAnswers_data()
    {
        QTest::addColumn<QStringList>("outputs");
        QTest::addColumn<int>("preselected");
        QTest::addColumn<QString>("how");    // the button pressed
        QTest::addColumn<QString>("chosen"); // both texts when accepted
        const QStringList outputs { "MIDIOUT2 (Borvan Lyr)", "Synth Out" };
        QTest::newRow("OK") << outputs << 1 << "OK" << "Loop In|Synth Out";
        QTest::newRow("past the end falls to the first") << outputs << 99 << "OK" << "Loop In|MIDIOUT2 (Borvan Lyr)";
        QTest::newRow("empty list still accepts") << QStringList() << 0 << "OK" << "Loop In|";
        QTest::newRow("Cancel") << outputs << 0 << "Cancel" << "";
    }

    void portChooserAnswers()
    {
        QFETCH(QStringList, outputs);
        QFETCH(int, preselected);
        QFETCH(QString, how);
        QMyDoubleComboBoxDialog dialog(nullptr, "Choose Midi Device", "Input Port:",
                                       { "MIDIIN2 (Borvan Lyr)", "Keyboard In", "Loop In" }, 0, "Output Port:",
                                       outputs, preselected);
        dialog.open();
        dialog.firstComboBox->setCurrentIndex(2);
        for (QPushButton* b : dialog.findChildren<QPushButton*>())
            if (b->text() == how)
                b->click();
        QVERIFY(!dialog.isVisible());
        const bool accepted = dialog.result() == QDialog::Accepted;
        QTEST(accepted ? dialog.firstComboBox->currentText() + "|" + dialog.secondComboBox->currentText() : "", "chosen");
    }
};

LYR_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
