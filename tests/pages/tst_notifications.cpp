// What the program keeps and what the module receives when the module
// reports a change, and when the user picks a program, a voice or a preset.
// Built twice: the module in process, and the module on JACK ports.

#include "PageProbe.h"
#include "TestSupport.h"
#include "WindowFixture.h"

#include "TGmWavetable.h"
#include "VoiceDialog.h"

#include <QPointer>
#include <QProgressDialog>
#include <QSignalSpy>

using probe::block;

class TestNotifications : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;

    void report(quint8 com, const QByteArray& payload)
    {
        QSignalSpy spy(&f->link, &QMidiUtils::midiCommandReceived);
        f->module.sendFrame(com, payload);
        QVERIFY(waitFor([&] { return !spy.isEmpty(); }));
    }

    // What the module received since last asked, "com:hex" each; a marker
    // command goes last, so whatever was sent before it has arrived once it has.
    QStringList sent()
    {
        f->link.samTest();
        if (!waitFor([&] { return !f->module.log().isEmpty() && f->module.log().last().frame.com == 0; }))
            return { "marker lost" };
        QStringList frames = f->frames();
        frames.removeLast();
        f->module.clearLog();
        return frames;
    }

    // The voice button of layer 0..2.
    QPushButton* voiceButton(int layer) const
    {
        return f->window->findChild<QPushButton*>(QString("voice%1Button").arg(layer + 1));
    }

private slots:
    void initTestCase()
    {
        f = std::make_unique<WindowFixture>();
        QVERIFY(f->connect());
    }
    void cleanupTestCase() { f.reset(); }

    void init()
    {
        initPrograms();
        loadProgram(0);
        programs.program[0].organ.onVolume = 0x01;   // organ on: its flag must stay
        f->window->updateAll();
        // Family and index out of step with bank and program, which they follow.
        for (int p = 0; p < 3; ++p)
            programPtr->voice[p] = TVoiceSelect { 13, 251, quint8(p == 1 ? 0 : 5), 0x10 };
        f->module.clearLog();
        f->prompts.clear();
    }

    // Each report (command, then payload) changes its bytes and no others,
    // shows them at once and sends nothing back. Family and index follow the
    // bank and program the module plays; a voice the wavetable lacks is family
    // 13, index 251.
    void reportChangesItsBytesOnly_data()
    {
        QTest::addColumn<QByteArray>("report");
        QTest::addColumn<int>("program");       // under edit afterwards
        QTest::addColumn<QString>("changes");   // "offset=value" in the block
        QTest::addColumn<QString>("button");    // a voice button's text afterwards
        QTest::newRow("program 5") << QByteArray::fromHex("41c005") << 5 << "" << "";
        QTest::newRow("program 200") << QByteArray::fromHex("41c0c8") << 0 << "" << "";
        QTest::newRow("short program") << QByteArray::fromHex("41c0") << 0 << "" << "";
        QTest::newRow("program, layer 1") << QByteArray::fromHex("41ce05") << 0 << "23=0 24=5 26=5"
                                          << "voice2Button=El Piano2";
        QTest::newRow("bank, layer 2") << QByteArray::fromHex("42bf0000") << 0 << "27=2 28=0 29=0"
                                       << "voice3Button=Drawbar Organ";
        QTest::newRow("bank unknown, layer 0") << QByteArray::fromHex("42bd0007") << 0 << "21=7"
                                               << "voice1Button=Unavailable";
        QTest::newRow("volume, channel 5") << QByteArray::fromHex("42b50764") << 0 << "31=100 32=100 33=100" << "";
        QTest::newRow("organ volume") << QByteArray::fromHex("42bc0764") << 0 << "453=201" << "";
        QTest::newRow("GM volume") << QByteArray::fromHex("42b07064") << 0 << "65413=100" << "";
        QTest::newRow("short control") << QByteArray::fromHex("42b507") << 0 << "" << "";
    }

    void reportChangesItsBytesOnly()
    {
        QFETCH(QByteArray, report);
        QFETCH(int, program);
        QFETCH(QString, button);
        f->window->updateAll();
        const QByteArray before = block();
        this->report(quint8(report[0]), report.mid(1));
        QCOMPARE(probe::stale(*f->window), QString());   // shown at once
        QCOMPARE(programPtr, &programs.program[program]);
        QTEST(probe::changes(before), "changes");
        QCOMPARE(sent(), QStringList());
        QCOMPARE(f->ui()->programLineEdit->text(), getProgramName(ushort(program)));
        if (!button.isEmpty())
            QCOMPARE(f->window->findChild<QPushButton*>(button.section('=', 0, 0))->text(), button.section('=', 1));
    }

    // The end report closes the progress dialog, also when none is open,
    // gives the window back and tells the user.
    void endTellsTheUser()
    {
        QPointer<QProgressDialog> dialog = new QProgressDialog(f->window.get());
        f->window->progressDialog = dialog;
        f->window->lastMessage = "Operation Succesful";
        for (int i = 0; i < 2; ++i) {
            f->window->setEnabled(false);
            report(0x31, QByteArray());
            QVERIFY(f->window->isEnabled() && !f->window->progressDialog);
        }
        QVERIFY(waitFor([&] { return dialog.isNull(); }));
        QCOMPARE(f->prompts.shown("information"), QStringList(2, "Info|Operation Succesful"));
    }

    // A program button loads the program here and on the module, and stays
    // the one checked; every page shows it at once; there is no program 128
    // to load.
    void programButton()
    {
        quint8* five = reinterpret_cast<quint8*>(&programs.program[5]);
        for (int i = sizeof(programs.program[5].name); i < int(sizeof(TProgram)); ++i)
            five[i] = quint8(i * 7 % 11);   // small numbers, unlike program 0's
        // Each layer plays a voice of its own, named on its button.
        QStringList names;
        for (uchar p = 0; p < 3; ++p) {
            programs.program[5].voice[p] = TVoiceSelect { p, uchar(p + 1), getVoiceBank(p, p + 1), getVoicePch(p, p + 1) };
            names << getVoiceName(p, p + 1);
        }
        const QByteArray before = block();
        const QList<QPushButton*> buttons = f->ui()->programsScrollAreaWidgetContents->findChildren<QPushButton*>();
        QCOMPARE(buttons.size(), 128);
        buttons[5]->click();
        QCOMPARE(sent(), QStringList { "21:14 05 05" });
        QCOMPARE(probe::stale(*f->window), QString());
        QCOMPARE(f->ui()->programLineEdit->text(), getProgramName(5));
        QCOMPARE(QStringList({ voiceButton(0)->text(), voiceButton(1)->text(), voiceButton(2)->text() }), names);
        QVERIFY(buttons[5]->isChecked() && !buttons[0]->isChecked());
        f->window->onProgramButtonClicked(128);
        QCOMPARE(sent(), QStringList());
        QCOMPARE(int(currentProgram), 5);
        QCOMPARE(block(), before);
    }

    // A preset is copied whole and its values sent; the on byte and the tail
    // are not sent. Every effect section shows the program afterwards, also
    // the ones the preset left alone.
    void preset_data()
    {
        QTest::addColumn<bool>("reverb");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("count");
        QTest::newRow("reverb 3") << true << 3 << 11;
        QTest::newRow("chorus 2") << false << 2 << 8;
        QTest::newRow("chorus -1") << false << -1 << 0;
    }

    void preset()
    {
        QFETCH(bool, reverb);
        QFETCH(int, n);
        QFETCH(int, count);
        f->window->updateAll();
        QByteArray expected = block();
        // Held by the program but not yet shown.
        programPtr->chorus.level = 99;
        programPtr->reverb.level = 98;
        programPtr->insert.compressor[0] = 1234;
        expected[int(offsetof(TProgram, chorus.level))] = char(99);
        expected[int(offsetof(TProgram, reverb.level))] = char(98);
        expected.replace(int(offsetof(TProgram, insert.compressor)), 2, QByteArray("\xd2\x04", 2));
        if (count) {
            expected.replace(reverb ? offsetof(TProgram, reverb) : offsetof(TProgram, chorus), 16,
                             reverb ? bytes(reverbPresets[n]) : bytes(chorusPresets[n]));
        }
        reverb ? f->window->loadReverbPreset(n) : f->window->loadChorusPreset(n);
        // The module takes the reverb's parameters in this order, each from its
        // byte; the chorus's 101..108 from bytes 422..429.
        const int reverbOrder[][2] = { { 89, 438 }, { 90, 439 }, { 94, 440 }, { 98, 442 }, { 93, 443 }, { 91, 444 },
                                       { 92, 445 }, { 95, 446 }, { 96, 447 }, { 97, 448 }, { 99, 449 } };
        QStringList frames;
        for (int i = 0; i < count; ++i) {
            const int param = reverb ? reverbOrder[i][0] : 101 + i, offset = reverb ? reverbOrder[i][1] : 422 + i;
            frames << QString::asprintf("21:%02x ff %02x", param, quint8(expected[offset]));
        }
        QCOMPARE(sent(), frames);
        QCOMPARE(block().toHex(), expected.toHex());
        if (count) {
            QCOMPARE(f->ui()->chorusLevelDial->getValue(), int(programPtr->chorus.level));
            QCOMPARE(f->ui()->reverbLevelDial->getValue(), int(programPtr->reverb.level));
            QCOMPARE(f->ui()->compressorAttackDial->getValue(), 1234);
            QCOMPARE(probe::stale(*f->window), QString());
        }
    }

    // Each layer's voice button opens the chooser on that layer. Browsing
    // families sends nothing; a voice click is one voice change.
    void chooserSetsLayerVoice_data()
    {
        QTest::addColumn<int>("layer");
        for (int layer = 0; layer < 3; ++layer)
            QTest::addRow("layer %d", layer + 1) << layer;
    }
    void chooserSetsLayerVoice()
    {
        QFETCH(int, layer);
        std::fill(std::begin(programPtr->enabled), std::end(programPtr->enabled), 1);
        f->window->updateAll();
        const QByteArray before = block();
        voiceButton(layer)->click();
        const QList<VoiceDialog*> open = f->window->findChildren<VoiceDialog*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(open.size(), 1);
        QVERIFY(open[0]->isVisible() && !open[0]->isModal());
        const auto column = [&](const char* name) {
            QWidget* contents = open[0]->findChild<QWidget*>(name);
            return contents->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly);
        };
        column("familyScrollAreaWidgetContents")[1]->click();
        QCOMPARE(sent(), QStringList());
        column("voiceScrollAreaWidgetContents")[3]->click();

        const TVoiceSelect v { 1, 3, getVoiceBank(1, 3), getVoicePch(1, 3) };
        QCOMPARE(sent(), QStringList { QString("20:%1 ").arg(layer, 2, 10, QChar('0')) + bytes(v).toHex(' ') });
        QCOMPARE(block().toHex(), QByteArray(before).replace(19 + 4 * layer, 4, bytes(v)).toHex());
        for (int other = 0; other < 3; ++other)
            QCOMPARE(voiceButton(other)->text() == getVoiceName(1, 3), other == layer);
        open[0]->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void choosersAreReleasedWhenClosed()
    {
        const qsizetype widgets = QApplication::allWidgets().size();
        for (int i = 0; i < 1000; ++i) {
            f->window->onVoiceButtonClicked(i % 4);   // 3 opens nothing
            for (VoiceDialog* d : f->window->findChildren<VoiceDialog*>(QString(), Qt::FindDirectChildrenOnly))
                d->close();
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(QApplication::allWidgets().size(), widgets);
    }
};

LYR_TEST_MAIN(TestNotifications)
#include "tst_notifications.moc"
