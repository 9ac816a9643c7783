// The dialogs: the GM mixer (what each edit stores in gmData or the setup
// block and announces, and a refresh showing it again), the voice chooser
// over the factory wavetable, the presets list, the preferences (a change
// stored in the setup block and sent to the module at once), and the port
// chooser's two choices.

#include "TestSupport.h"
#include "GmForm.h"
#include "PreferencesDialog.h"
#include "PresetsDialog.h"
#include "QMyDial.h"
#include "QMyDoubleComboBoxDialog.h"
#include "TGmChannel.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"
#include "WavetableDescriptor.h"
#include "WindowFixture.h"
#include "ui_GmForm.h"
#include "ui_PresetsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <cstring>

namespace {

// Every emission of a spy as "a,b,c" lines.
QStringList calls(const QSignalSpy& spy)
{
    QStringList lines;
    for (const QList<QVariant>& args : spy) {
        QStringList values;
        for (const QVariant& v : args)
            values << QString::number(v.toInt());
        lines << values.join(',');
    }
    return lines;
}


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

// One row per GM channel, "channel 1" to "channel 16".
void channelRows()
{
    QTest::addColumn<int>("channel");
    for (int c = 0; c < GmChannelCount; ++c)
        QTest::addRow("channel %d", c + 1) << c;
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
    void init()
    {
        std::memset(gmData, 0, sizeof(gmData));
        initPrograms();
    }

    // Turning a dial stores value & 0x7F in its channel's byte (the master
    // volume in the setup block) and nowhere else, announces it once, and a
    // refresh turns the dial back to the value, negative ones included.
    void dialStoresAndReadsBack_data()
    {
        QTest::addColumn<QString>("dial");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("channel");  // -1: the setup block
        QTest::addColumn<int>("param");    // or setup item
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("stored");
        QTest::newRow("volume") << "volDial1" << 100 << 0 << 1 << 5 << 100;
        QTest::newRow("shift at its low end") << "shiftDial16" << -48 << 15 << 3 << 8 << 80;
        QTest::newRow("tune -1") << "tuneDial3" << -1 << 2 << 4 << 9 << 127;
        QTest::newRow("pitch at its low end") << "pitchDial7" << -64 << 6 << 113 << 10 << 64;
        QTest::newRow("pan at its high end") << "panDial5" << 63 << 4 << 5 << 11 << 63;
        QTest::newRow("master volume") << "masterVolDial" << 100 << -1 << 5 << 5 << 100;
    }
    void dialStoresAndReadsBack()
    {
        QFETCH(QString, dial);
        QFETCH(int, value);
        QFETCH(int, channel);
        QFETCH(int, param);
        QFETCH(int, byte);
        QFETCH(int, stored);
        const auto block = [channel] { return channel < 0 ? bytes(programs.setup) : bytes(gmData[channel]); };
        QByteArray expected = block();
        expected[byte] = char(stored);
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        QSignalSpy setup(&gm, &GmForm::setupVariation);
        auto* d = gm.findChild<QMyDial*>(dial);
        d->setValue(value);
        QCOMPARE(block(), expected);
        const QString prefix = channel < 0 ? QString() : QString::number(channel) + ",";
        QCOMPARE(calls(variation) + calls(setup), QStringList { prefix + QString("%1,%2").arg(param).arg(stored) });

        d->setValue(0, true, false);
        gm.updateAll();
        QCOMPARE(d->getValue(), value);
        QCOMPARE(variation.count() + setup.count(), 1);
    }

    // Every control of a strip, turned or clicked as the user does, stores into
    // its own byte of its own channel alone and announces its own parameter;
    // a refresh shows the values on that strip alone, in the dial's own range.
    void everyStripControlIsItsChannelsOwn_data() { channelRows(); }
    void everyStripControlIsItsChannelsOwn()
    {
        QFETCH(int, channel);
        struct Control { const char* dial; int param, byte, min, max, value; };
        const Control controls[] = {
            //  dial          param  byte  min  max  value (plus the channel)
            { "volDial",      1,     5,    0,   127, 1 },
            { "revDial",      2,     6,    0,   127, 20 },
            { "choDial",      6,     7,    0,   127, 40 },
            { "shiftDial",    3,     8,    -48, 48,  -47 },
            { "tuneDial",     4,     9,    -64, 63,  -30 },
            { "pitchDial",    113,   10,   -64, 63,  17 },
            { "panDial",      5,     11,   -64, 63,  -64 },
            { "cutoffDial",   15,    12,   0,   127, 60 },
        };
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        const auto dial = [&gm](const Control& k, int strip) { return gm.findChild<QMyDial*>(k.dial + QString::number(strip + 1)); };
        const auto button = [&gm](const char* kind, int strip) { return gm.findChild<QPushButton*>(kind + QString::number(strip + 1)); };
        QByteArray expected = bytes(gmData);
        QStringList sent;
        for (const Control& k : controls) {
            dial(k, channel)->setValue(k.value + channel);
            expected[64 * channel + k.byte] = char((k.value + channel) & 0x7F);
            sent << QString("%1,%2,%3").arg(channel).arg(k.param).arg((k.value + channel) & 0x7F);
        }
        button("muteButton", channel)->click();
        button("soloButton", channel)->click();
        expected[64 * channel] = 1 | 2;
        QCOMPARE(bytes(gmData), expected);
        QCOMPARE(calls(variation), sent << QString("%1,111,1").arg(channel) << QString("%1,112,1").arg(channel));

        for (QMyDial* d : gm.findChildren<QMyDial*>()) // away from every value above
            d->setValue(d->getMax(), true, false);
        gmData[channel].flags = 1 + channel % 2;   // mute alone, or solo alone
        gm.updateAll();
        for (int strip = 0; strip < GmChannelCount; ++strip) {
            for (const Control& k : controls) {
                const int shown = strip == channel ? k.value + channel : 0;
                QMyDial* d = dial(k, strip);
                const QString look = d->objectName() + " %1..%2 mode %3 at %4 shows %5";
                QCOMPARE(look.arg(d->getMin()).arg(d->getMax()).arg(d->getMode()).arg(d->getValue()).arg(d->getDisplayedText()),
                         look.arg(k.min).arg(k.max).arg(k.min < 0 ? 2 : 0).arg(shown).arg(shown));
            }
            QCOMPARE(QList<bool>({ button("muteButton", strip)->isChecked(), button("soloButton", strip)->isChecked() }),
                     QList<bool>({ strip == channel && channel % 2 == 0, strip == channel && channel % 2 == 1 }));
        }
    }

    // A voice chosen for a channel: the drum family sets the drum bit and
    // " [D]", any other clears them; the other flag bits stay. Each chooser
    // is gone once closed.
    void voiceChoice()
    {
        gmData[9].flags = GmChannelMute;
        GmForm gm;
        QSignalSpy changed(&gm, &GmForm::gmVoiceChanged);
        for (const int family : { 12, 0 }) {
            const bool drum = family == 12;
            const int voice = getVoiceCount(family) - 1, bank = getVoiceBank(family, voice);
            const int pch = getVoicePch(family, voice);
            gm.form()->voiceButton10->click();
            const QList<VoiceDialog*> choosers = gm.findChildren<VoiceDialog*>();
            QCOMPARE(choosers.size(), 1);
            emit choosers[0]->voiceChanged(9, uint8_t(family), uint8_t(voice));
            QCOMPARE(calls(changed).takeLast(), QString("9,%1,%2,%3,%4").arg(family).arg(voice).arg(bank).arg(pch));
            const TGmChannel& c = gmData[9];
            QCOMPARE(QList<int>({ c.flags, c.family, c.voice, c.bank, c.pch }),
                     QList<int>({ GmChannelMute | (drum ? GmChannelDrum : 0), family, voice, bank, pch }));
            QCOMPARE(gm.form()->voiceButton10->text(), getVoiceName(family, voice) + (drum ? " [D]" : ""));
            choosers[0]->close();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(changed.count(), 2);
    }

    // Every strip's voice button opens the chooser on its own channel's voice,
    // and the voice chosen there lands in that channel alone.
    void voiceButtonServesItsChannel_data() { channelRows(); }
    void voiceButtonServesItsChannel()
    {
        QFETCH(int, channel);
        // Each channel plays a voice no other channel plays.
        for (int c = 0; c < GmChannelCount; ++c) {
            TGmChannel& record = gmData[c];
            record.family = uchar(c % 12);
            record.voice = uchar(c / 12);
            record.bank = getVoiceBank(record.family, record.voice);
            record.pch = getVoicePch(record.family, record.voice);
        }
        GmForm gm;
        QSignalSpy changed(&gm, &GmForm::gmVoiceChanged);
        auto* button = gm.findChild<QPushButton*>(QString("voiceButton%1").arg(channel + 1));
        button->click();
        const QList<VoiceDialog*> choosers = gm.findChildren<VoiceDialog*>();
        QCOMPARE(choosers.size(), 1);
        QCOMPARE(checkedIn(families(choosers[0])), channel % 12);
        QCOMPARE(checkedIn(voices(choosers[0])), channel / 12);

        QByteArray expected = bytes(gmData);
        const uchar family = uchar(channel % 12), chosen = uchar(getVoiceCount(family) - 1);
        const uchar bank = getVoiceBank(family, chosen), pch = getVoicePch(family, chosen);
        TGmChannel& record = *reinterpret_cast<TGmChannel*>(expected.data() + channel * sizeof(TGmChannel));
        record.voice = chosen;
        record.bank = bank;
        record.pch = pch;
        voices(choosers[0])[chosen]->click();
        QCOMPARE(bytes(gmData), expected);
        QCOMPARE(calls(changed), QStringList { QString("%1,%2,%3,%4,%5").arg(channel).arg(family).arg(chosen).arg(bank).arg(pch) });
        QCOMPARE(button->text(), getVoiceName(family, chosen));
    }

    // Mute toggles its bit alone. One solo at a time: moving it announces the
    // old channel off, then the new one on, and the soloed button cannot be
    // clicked off. A refresh shows the flags again and says nothing.
    void muteAndSolo()
    {
        gmData[5].flags = GmChannelDrum;
        GmForm gm;
        QSignalSpy variation(&gm, &GmForm::gmVoiceVariation);
        gm.form()->muteButton6->click();
        QCOMPARE(int(gmData[5].flags), GmChannelDrum | GmChannelMute);
        gm.form()->muteButton6->click();
        gm.form()->soloButton2->click();
        gm.form()->soloButton4->click();
        gm.form()->soloButton4->click();
        QCOMPARE(calls(variation), (QStringList { "5,111,1", "5,111,0", "1,112,1", "1,112,0", "3,112,1" }));
        QCOMPARE(QList<int>({ gmData[1].flags, gmData[3].flags, gmData[5].flags }),
                 QList<int>({ 0, GmChannelSolo, GmChannelDrum }));
        QVERIFY(gm.form()->soloButton4->isChecked());

        variation.clear();
        std::memset(gmData, 0, sizeof(gmData));
        gmData[7].flags = GmChannelSolo | GmChannelMute;
        gm.updateAll();
        QVERIFY(!gm.form()->soloButton4->isChecked());
        QVERIFY(gm.form()->soloButton8->isChecked() && gm.form()->muteButton8->isChecked());
        QVERIFY(!gm.form()->muteButton6->isChecked() && !gm.form()->soloButton7->isChecked());
        QCOMPARE(int(gmData[7].flags), GmChannelSolo | GmChannelMute);
        QCOMPARE(variation.count(), 0);
    }

    // The chooser opens on the part's voice, the drum family offered;
    // browsing a family chooses nothing and shows a voice checked only in
    // the part's own family. A
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
        const auto title = [part](int family, int voice) {
            return QString("Part %1: family %2 voice %3").arg(part).arg(family + 1).arg(voice + 1);
        };
        QCOMPARE(dialog.windowTitle(), title(family, voice));
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
        const int last = int(listed.size() - 1);
        // The title and the info box follow the voice clicked.
        QCOMPARE(dialog.windowTitle(), title(shown, last));
        QStringList info;
        for (const char* label : { "bankLabel", "pchLabel", "numLabel", "sbkIdxLabel" })
            info << dialog.findChild<QLabel*>(label)->text();
        const uchar f = uchar(shown), v = uchar(last);
        QCOMPARE(info, QStringList({ QString::number(getVoiceBank(f, v)), QString::number(getVoicePch(f, v)),
                                     QString::number(getVoiceNum(f, v)), QString::number(getVoiceSbk(f, v)) }));
        listed.last()->click();
        QCOMPARE(chosen.size(), 2);
        QCOMPARE(chosen.last(), QVariantList({ part, shown, last }));
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

    // A double-click on a name reports the list's kind and that row, equal
    // names being rows of their own; one on the empty area reports nothing.
    void presetDoubleClickReportsTheRow_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("row");  // double-clicked; -1 the empty list area
        QTest::newRow("equal names") << 7 << QStringList { "Same", "Same" } << 1;
        QTest::newRow("empty list") << 2 << QStringList() << -1;
    }
    void presetDoubleClickReportsTheRow()
    {
        QFETCH(int, type);
        QFETCH(QStringList, names);
        QFETCH(int, row);
        PresetsDialog dialog(nullptr, PresetType(type), names);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* list = dialog.form()->listWidget;
        QSignalSpy selected(&dialog, &PresetsDialog::presetSelected);
        const QPoint at = row < 0 ? QPoint(10, 10) : list->visualItemRect(list->item(row)).center();
        // A click, then the second press the system turns into a double-click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at, 2 * QApplication::doubleClickInterval());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(calls(selected), row < 0 ? QStringList() : QStringList { QString("%1,%2").arg(type).arg(row) });
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
        QStringList checked { "midiClassicKeyboardButton", "midiClassicGmButton" };
        for (const char* box : { "groupBoxKeyboardRxChannels:", "groupBoxGmRxChannels:" })
            for (int c = 0; c < 17; ++c)
                checked << box + QString::number(c);
        f.prompts.onExec = [&](QDialog* d) {
            checked.removeIf([d](const QString& name) { return !findButton(d, name)->isChecked(); });
            findButton(d, click)->click();
            return int(QDialog::Accepted);
        };
        f.window->onActionOpenPreferencesDialogTriggered();
        QTEST(checked, "checked");
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(setup), sizeof(TSetup)), expected);
        QCOMPARE(f.frames(1), QStringList { QString::asprintf("21:15 %02x %02x", item, value) });
        QCOMPARE(int(quint8(f.module.memory().ramPrograms[65408 + item])), value);
    }

    // The port and channel slots, called by name as a connection would call
    // them: each writes its own setup item and sends it, an unchecked button
    // or an unknown state writes nothing. Where a button stands for the
    // value, clicking it does the same.
    void slotsByName_data()
    {
        QTest::addColumn<QByteArray>("slot");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("state");     // -1: a channel slot, which takes the id alone
        QTest::addColumn<QString>("button"); // clicked for the same change; "" none
        QTest::addColumn<int>("item");      // -1: nothing written
        QTest::addColumn<int>("value");
        const auto row = [](const char* slot, int id, int state, const QString& button, int item, int value) {
            QTest::newRow(slot) << QByteArray(slot) << id << state << button << item << value;
        };
        row("onUsbDevice1CheckBoxToggled", 2, 1, "usbDevice1KeyboardButton", 0, 2);
        row("onUsbDevice2CheckBoxToggled", 2, 1, "usbDevice2KeyboardButton", 1, 2);
        row("onUsbHostCheckBoxToggled", 1, 1, "usbHostGmButton", 2, 1);
        row("onMidiClassicCheckBoxToggled", 0, 1, "", 3, 0);
        row("onUsbHostRxChannelButtonClicked", 3, -1, "groupBoxKeyboardRxChannels:3", 10, 3);
        row("onMidiClassicRxChannelButtonClicked", 0, -1, "groupBoxGmRxChannels:0", 11, 0);
        QTest::newRow("unchecked button") << QByteArray("onMidiClassicCheckBoxToggled") << 2 << 0 << "" << -1 << 0;
        QTest::newRow("unknown state") << QByteArray("onUsbHostCheckBoxToggled") << 3 << 1 << "" << -1 << 0;
    }
    void slotsByName()
    {
        QFETCH(QByteArray, slot);
        QFETCH(int, id);
        QFETCH(int, state);
        QFETCH(QString, button);
        QFETCH(int, item);
        QFETCH(int, value);
        PreferencesDialog dialog(nullptr);
        for (const char* built : { "initUsbHostRxChannelsButtons()", "initMidiClassicRxChannelButtons()" })
            QVERIFY2(dialog.metaObject()->indexOfSlot(built) >= 0, built);
        QSignalSpy sent(&dialog, &PreferencesDialog::setupVariation);
        const QByteArray before = bytes(programs.setup);
        QByteArray expected = before;
        if (item >= 0)
            expected[item] = char(value);
        const QStringList announced = item < 0 ? QStringList() : QStringList { QString("%1,%2").arg(item).arg(value) };

        QVERIFY(state < 0 ? QMetaObject::invokeMethod(&dialog, slot, Q_ARG(int, id))
                          : QMetaObject::invokeMethod(&dialog, slot, Q_ARG(int, id), Q_ARG(bool, state != 0)));
        QCOMPARE(bytes(programs.setup), expected);
        QCOMPARE(calls(sent), announced);
        if (button.isEmpty())
            return;
        std::memcpy(&programs.setup, before.constData(), sizeof(TSetup));
        sent.clear();
        findButton(&dialog, button)->click();
        QCOMPARE(bytes(programs.setup), expected);
        QCOMPARE(calls(sent), announced);
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
