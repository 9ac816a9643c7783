// What the program keeps and what the module receives when the module
// reports a change, and when the user picks a program, a voice or a preset.
// Built twice: the module in process, and the module on JACK ports.

#include "TestSupport.h"
#include "WindowFixture.h"

#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"
#include "ui_LyrForm.h"

#include <QPointer>
#include <QProgressDialog>
#include <QSignalSpy>

namespace {

QByteArray bytesOf(const void* p, int size) { return QByteArray(static_cast<const char*>(p), size); }
QByteArray block() { return bytesOf(&programs, sizeof(programs)); }

// Offset in the block of a byte of program 0.
constexpr int GmVolume = int(offsetof(TPrograms, setup) + offsetof(TSetup, gmVolume));

} // namespace

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

    // What the module received, "com:hex" each; a marker command goes last,
    // so whatever was sent before it has arrived once it has.
    QStringList sent()
    {
        f->link.samTest();
        if (!waitFor([&] { return !f->module.log().isEmpty() && f->module.log().last().frame.com == 0; }))
            return { "marker lost" };
        QStringList frames = f->frames();
        frames.removeLast();
        return frames;
    }

private slots:
    void initTestCase()
    {
#ifdef LYR_OVER_JACK
        f = std::make_unique<WindowFixture>(WindowFixture::Transport::Jack);
        QVERIFY(f->connect());
#else
        f = std::make_unique<WindowFixture>();
        QVERIFY(f->connect());
#endif
    }
    void cleanupTestCase() { f.reset(); }

    void init()
    {
        initPrograms();
        loadProgram(0);
        programs.program[0].organ.onVolume = 0x01;   // organ on: its flag must stay
        // Family and index out of step with bank and program, which they follow.
        for (int p = 0; p < 3; ++p)
            programPtr->voice[p] = TVoiceSelect { 13, 251, quint8(p == 1 ? 0 : 5), 0x10 };
        QLineEdit* name = f->ui()->programLineEdit;
        name->blockSignals(true);
        name->setText("?");
        name->blockSignals(false);
        f->module.clearLog();
        f->prompts.clear();
    }

    // Each report changes its bytes and no others, and sends nothing back.
    // Family and index follow the bank and program the module plays; a voice
    // the wavetable lacks is family 13, index 251, "Unavailable".
    void reportChangesItsBytesOnly_data()
    {
        QTest::addColumn<quint8>("com");
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<int>("program");          // under edit afterwards
        QTest::addColumn<QList<int>>("changes");   // offset, value, ...
        QTest::addColumn<QStringList>("names");    // of the voice buttons; empty: not looked at
        const QList<int> none;
        const QString organ = "Drawbar Organ";
        QTest::newRow("program 5") << quint8(0x41) << QByteArray::fromHex("c005") << 5 << none << QStringList();
        QTest::newRow("program 200") << quint8(0x41) << QByteArray::fromHex("c0c8") << 0 << none << QStringList();
        QTest::newRow("program, channel 5") << quint8(0x41) << QByteArray::fromHex("c505") << 0 << none
                                            << QStringList();
        QTest::newRow("short program") << quint8(0x41) << QByteArray::fromHex("c0") << 0 << none << QStringList();
        QTest::newRow("program, layer 1") << quint8(0x41) << QByteArray::fromHex("ce05") << 0
                                          << QList<int> { 23, 0, 24, 5, 26, 5 } << QStringList { "", "El Piano2", "" };
        QTest::newRow("bank, layer 2") << quint8(0x42) << QByteArray::fromHex("bf0000") << 0
                                       << QList<int> { 27, 2, 28, 0, 29, 0 } << QStringList { "", "", organ };
        QTest::newRow("bank, channel 3") << quint8(0x42) << QByteArray::fromHex("b30000") << 0
                                         << QList<int> { 19, 2, 20, 0, 21, 0, 23, 2, 24, 0, 27, 2, 28, 0, 29, 0 }
                                         << QStringList { organ, organ, organ };
        QTest::newRow("bank unknown, layer 0") << quint8(0x42) << QByteArray::fromHex("bd0007") << 0
                                               << QList<int> { 21, 7 } << QStringList { "Unavailable", "", "" };
        QTest::newRow("organ bank") << quint8(0x42) << QByteArray::fromHex("bc0000") << 0 << none << QStringList();
        QTest::newRow("volume, channel 5") << quint8(0x42) << QByteArray::fromHex("b50764") << 0
                                           << QList<int> { 31, 100, 32, 100, 33, 100 } << QStringList();
        QTest::newRow("volume, layer 2") << quint8(0x42) << QByteArray::fromHex("bf0750") << 0
                                         << QList<int> { 33, 0x50 } << QStringList();
        QTest::newRow("organ volume") << quint8(0x42) << QByteArray::fromHex("bc0764") << 0
                                      << QList<int> { 453, 0xC9 } << QStringList();
        QTest::newRow("GM volume") << quint8(0x42) << QByteArray::fromHex("b07040") << 0
                                   << QList<int> { GmVolume, 0x40 } << QStringList();
        QTest::newRow("other controller") << quint8(0x42) << QByteArray::fromHex("b50a10") << 0 << none
                                          << QStringList();
        QTest::newRow("short control") << quint8(0x42) << QByteArray::fromHex("b507") << 0 << none << QStringList();
    }

    void reportChangesItsBytesOnly()
    {
        QFETCH(quint8, com);
        QFETCH(QByteArray, payload);
        QFETCH(int, program);
        QFETCH(QList<int>, changes);
        QFETCH(QStringList, names);
        QByteArray expected = block();
        for (int i = 0; i < changes.size(); i += 2)
            expected[changes[i]] = char(changes[i + 1]);

        report(com, payload);
        QCOMPARE(int(currentProgram), program);
        QCOMPARE(programPtr, &programs.program[program]);
        QCOMPARE(block().toHex(' '), expected.toHex(' '));
        QCOMPARE(sent(), QStringList());
        if (program != 0)
            QCOMPARE(f->ui()->programLineEdit->text(), getProgramName(ushort(program)));
        QPushButton* buttons[] = { f->ui()->voice1Button, f->ui()->voice2Button, f->ui()->voice3Button };
        for (int p = 0; p < names.size(); ++p)
            if (!names[p].isEmpty())
                QCOMPARE(buttons[p]->text(), names[p]);
    }

    void endTellsTheUser_data()
    {
        QTest::addColumn<bool>("progressOpen");
        QTest::newRow("progress open") << true;
        QTest::newRow("no progress open") << false;
    }

    void endTellsTheUser()
    {
        QFETCH(bool, progressOpen);
        f->window->lastMessage = "Operation Succesful";
        f->window->setEnabled(false);
        QPointer<QProgressDialog> dialog;
        if (progressOpen)
            f->window->progressDialog = dialog = new QProgressDialog(f->window.get());

        report(0x31, QByteArray());
        QCOMPARE(f->window->progressDialog, nullptr);
        QCOMPARE(f->prompts.shown("information"), QStringList { "Info|Operation Succesful" });
        QVERIFY(f->window->isEnabled());
        QVERIFY(waitFor([&] { return dialog.isNull(); }));
    }

    void gmReverbPacket()
    {
        f->window->secondReverbControl(8, 100);
        f->window->secondReverbControl(0x82, 200);   // the parameter is 7-bit, the value is not
        QCOMPARE(sent(), QStringList({ "2f:f5 01 b0 63 32 b0 62 08 b0 06 64", "2f:f5 01 b0 63 32 b0 62 02 b0 06 c8" }));
    }

    void programButton_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QStringList>("frames");
        QTest::newRow("5") << 5 << QStringList { "21:14 05 05" };
        QTest::newRow("128") << 128 << QStringList();
    }

    void programButton()
    {
        QFETCH(int, id);
        QFETCH(QStringList, frames);
        const QByteArray before = block();
        f->window->onProgramButtonClicked(id);
        QCOMPARE(sent(), frames);
        QCOMPARE(int(currentProgram), frames.isEmpty() ? 0 : id);
        QCOMPARE(block(), before);
        if (!frames.isEmpty())
            QCOMPARE(f->ui()->programLineEdit->text(), getProgramName(ushort(id)));
    }

    // A preset is copied whole and its values sent; the on byte and the tail
    // are not sent.
    void preset_data()
    {
        QTest::addColumn<bool>("reverb");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("third");            // parameter of the third command
        QTest::newRow("reverb 3") << true << 3 << 11 << 94;
        QTest::newRow("reverb 8") << true << 8 << 0 << 0;
        QTest::newRow("chorus 2") << false << 2 << 8 << 103;
        QTest::newRow("chorus -1") << false << -1 << 0 << 0;
    }

    void preset()
    {
        QFETCH(bool, reverb);
        QFETCH(int, n);
        QFETCH(int, count);
        QFETCH(int, third);
        const int offset = reverb ? offsetof(TProgram, reverb) : offsetof(TProgram, chorus);
        QByteArray expected = block();
        if (count)
            expected.replace(offset, 16, reverb ? bytesOf(&reverbPresets[n], 16) : bytesOf(&chorusPresets[n], 16));

        reverb ? f->window->loadReverbPreset(n) : f->window->loadChorusPreset(n);
        QCOMPARE(sent().size(), count);
        QCOMPARE(block().toHex(), expected.toHex());
        if (count) {
            const QByteArray data = f->received(0x21).value(2);
            QCOMPARE(data.left(2), QByteArray() + char(third) + char(0xFF));
            QCOMPARE(data.at(2), expected.at(offset + 3));   // after the on byte and two sent before
        }
    }

    // Browsing families sends nothing; a voice click is one voice change.
    void chooserSetsLayerVoice()
    {
        const QByteArray before = block();
        f->window->onVoiceButtonClicked(2);
        const QList<VoiceDialog*> open = f->window->findChildren<VoiceDialog*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(open.size(), 1);
        const auto column = [&](const char* name) {
            return open[0]->findChild<QWidget*>(name)->findChildren<QPushButton*>(QString(),
                                                                                Qt::FindDirectChildrenOnly);
        };
        column("familyScrollAreaWidgetContents")[1]->click();
        QCOMPARE(sent(), QStringList());
        f->module.clearLog();
        column("voiceScrollAreaWidgetContents")[3]->click();

        const TVoiceSelect v { 1, 3, getVoiceBank(1, 3), getVoicePch(1, 3) };
        QCOMPARE(sent(), QStringList { "20:02 " + bytesOf(&v, 4).toHex(' ') });
        QCOMPARE(block().toHex(), QByteArray(before).replace(27, 4, bytesOf(&v, 4)).toHex());
        QCOMPARE(f->ui()->voice3Button->text(), getVoiceName(1, 3));
        QVERIFY(open[0]->isVisible());
        open[0]->close();
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
