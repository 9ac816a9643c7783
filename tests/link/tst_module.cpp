// The link end to end against the simulated module: frames and waits of the
// link core, connection and identity, editing commands as the module decoded
// them, and memory transfers checked against the module's own memory; and
// the port layer below it: what an incoming message turns into, that every
// message object is released once handled, and life without any MIDI
// system. Built twice: in process (every case) and over JACK (the cases that
// must cross real ports).

#include "TestSupport.h"
#include "InProcessModule.h"
#include "QMidiIn.h"
#include "QMidiMessage.h"
#include "QMidiOut.h"
#include "QMidiUtils.h"
#include "SimJackPorts.h"
#include "SimModule.h"
#include "TGmChannel.h"
#include "TGmWavetable.h"
#include "TInfo.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QSettings>
#include <QTemporaryFile>

#include <functional>

using lyrsim::SimFault;
using lyrsim::SimMemory;

// A transfer, with the module's memory to spoil first.
using Operation = std::function<bool(QMidiUtils&, SimMemory&)>;
Q_DECLARE_METATYPE(Operation)

namespace {

// Everything the editor mirrors of the module.
QByteArray mirror()
{
    return bytes(programs) + bytes(programsFlash) + bytes(wavetable) + bytes(soundBankDir) + bytes(gmData);
}

QByteArray pattern(int size)
{
    QByteArray b(size, 0);
    for (int i = 0; i < size; ++i)
        b[i] = char(i * 7 + (i >> 9));
    return b;
}

const int ProgramsArea = SimMemory::flashOffset(SimMemory::ProgramsArea, 0);

[[maybe_unused]] std::vector<unsigned char> fromHex(const char* hex)
{
    const QByteArray b = QByteArray::fromHex(hex);
    return std::vector<unsigned char>(b.begin(), b.end());
}

} // namespace

class TestModule : public QObject
{
    Q_OBJECT
    lyrsim::SimModule module;
    QMidiUtils link;
    std::unique_ptr<InProcessModule> wire;
    std::unique_ptr<lyrsim::SimJackPorts> ports;
    TInfo moduleInfo {};

    bool connectLink()
    {
        if (OverJack)
            return link.connectToModule(ports->writePort(), ports->readPort(), false, false, false);
        wire->connect();
        return link.identify();
    }
    void addFault(const QString& rule)
    {
        SimFault f;
        QVERIFY2(SimFault::parse(rule, &f), qPrintable(rule));
        module.addFault(f);
    }
    // The commands a module (by default ours) decoded since its log was
    // cleared.
    QString sequence(const lyrsim::SimModule* m = nullptr)
    {
        QStringList coms;
        for (const lyrsim::SimLogEntry& e : (m ? m : &module)->log())
            coms << QString::asprintf("%02x", e.frame.com);
        return coms.join(' ');
    }

private slots:
    void initTestCase()
    {
        if (OverJack) {
            // Fewer exchanges at 21 ms a JACK cycle, and chunks longer than
            // one piece of the JACK output.
            QVERIFY(module.identity().set("PacketSize", 8192));
            ports = std::make_unique<lyrsim::SimJackPorts>(&module);
            QVERIFY(ports->open());
        } else {
            wire = std::make_unique<InProcessModule>(link, module);
        }
        QVERIFY(connectLink());
        moduleInfo = info;
    }
    void cleanupTestCase()
    {
        wire.reset();
        link.closePorts();
        ports.reset();
    }
    void init()
    {
        module.clearFaults();
        module.clearPreludes();
        module.memory() = SimMemory();
        if (!link.isConnected())
            QVERIFY(connectLink());
        info = moduleInfo;
        initPrograms();
        std::memset(&wavetable, 0, sizeof(wavetable));
        initWavetableFamilyNames();
        std::memset(soundBankDir, 0, sizeof(soundBankDir));
        module.clearLog();
    }

    // Echo tests (each word comes back complemented) around the pieces the
    // JACK output cuts long messages into; the largest three times running.
    void largeFramesBothWays_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("just under one piece") << 6990;
        QTest::newRow("just over one piece") << 7010;
        QTest::newRow("the largest frame") << 32768;
    }
    void largeFramesBothWays()
    {
        QFETCH(int, size);
        for (int round = 0; round < (size == 32768 ? 3 : 1); ++round)
            QVERIFY2(link.test(quint16(size)), qPrintable(QString("round %1").arg(round)));
        QCOMPARE(int(module.log().last().frame.size), size);
    }

    // A reply that came in before the wait counts at once; a NACK is a reply
    // but no acknowledgement, and ends the wait as soon as it arrives.
    void repliesEndTheWait()
    {
        QElapsedTimer clock;
        link.sendCommand(0x02);
        QTRY_VERIFY(link.replyReceived);
        clock.start();
        QVERIFY(link.waitForAcknoledge(5000) && clock.elapsed() < 100);
        addFault("nack:0x02:2");
        link.sendCommand(0x02);
        QVERIFY(link.waitForReply(5000));
        QCOMPARE(int(link.replyCom), 0x53);
        link.sendCommand(0x02);
        clock.start();
        QVERIFY(!link.waitForAcknoledge(5000) && clock.elapsed() < 1000);
    }

    // A flash write waits for its ACK while the module reports on the way:
    // the reports must reach the window and the wait must run on to the ACK.
    void textProgressAndNotificationsDoNotEndTheWait()
    {
        module.addPrelude(0x02, 0x30, "Erasing ...");
        module.addPrelude(0x02, 0x32, QByteArray());  // no percentage: no progress
        module.addPrelude(0x02, 0x32, QByteArray(1, 42));
        module.addPrelude(0x02, 0x41, QByteArray::fromHex("05"));
        module.addPrelude(0x02, 0x31, QByteArray());
        addFault("delay:0x02:1:150");
        QSignalSpy texts(&link, &QMidiUtils::infoMessage);
        QSignalSpy progress(&link, &QMidiUtils::updateProgress);
        QSignalSpy frames(&link, &QMidiUtils::midiCommandReceived);

        link.sendCommand(0x02);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(link.waitForAcknoledge(5000));
        QVERIFY(clock.elapsed() >= 100);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(link.replyData), link.replySize), module.identity().record());
        QCOMPARE(QList<QVariantList>(texts), (QList<QVariantList> { { "Erasing ..." }, { "\x05" } }));
        QCOMPARE(QList<QVariantList>(progress), (QList<QVariantList> { { 42, 0, 100 } }));
        QCOMPARE(frames.size(), 6);
        QCOMPARE(frames.at(3).at(0).value<unsigned char>(), 0x41);
        QCOMPARE(frames.at(5).at(0).value<unsigned char>(), 0xAC);
    }

    // Ports open, module not connected: one notConnected, nothing sent, and
    // the waits end at once.
    void notConnectedSendsNothing()
    {
        link.connected = false;
        QSignalSpy refused(&link, &QMidiUtils::notConnected);
        link.sendCommand(0x02);
        QCOMPARE(refused.size(), 1);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!link.waitForReply(2000) && !link.waitForAcknoledge(2000));
        QVERIFY(clock.elapsed() < 100);
        QTest::qWait(100);
        QVERIFY(module.log().isEmpty() && refused.size() == 1);
    }

#if LYR_OVER_JACK
    void connectsByPortNames_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("identified");
        QTest::addColumn<bool>("connects");
        QTest::newRow("parts of the names, any case") << "midiin2 (borvan" << "" << true << true;
        QTest::newRow("empty search text") << "" << "" << false << false;
        QTest::newRow("identity of 59 bytes") << "lyr" << "identity-size:0x02:1:59" << false << false;
        QTest::newRow("identity of 61 bytes") << "lyr" << "identity-size:0x02:1:61" << false << false;
        QTest::newRow("echo word 5 wrong") << "lyr" << "corrupt:0x24:1:10" << true << false;
    }
    void connectsByPortNames()
    {
        QFETCH(QString, in);
        QFETCH(QString, fault);
        QFETCH(bool, identified);
        QFETCH(bool, connects);
        if (!fault.isEmpty())
            addFault(fault);
        std::memset(&info, 0x5A, sizeof(info));
        const QByteArray before = bytes(info);
        QSettings().clear();

        QCOMPARE(link.connectToModule(in, "BORVAN LYR)", false, true, false), connects);
        QCOMPARE(link.isConnected(), connects);
        QCOMPARE(bytes(info), identified ? module.identity().record() : before);
        QCOMPARE(QSettings().value("midiInPort").toString(), connects ? ports->writePort() : QString());
        QCOMPARE(QSettings().value("midiOutPort").toString(), connects ? ports->readPort() : QString());
    }

    // Disconnecting lets go of both ports: connected afterwards to another
    // module, every frame goes there, none to the one before and none back
    // to the editor's own input (which, opened first, JACK may list among
    // the outputs ahead of the one chosen).
    void reconnectionLeavesTheOldPorts()
    {
        lyrsim::SimModule other;
        lyrsim::SimJackPorts otherPorts(&other, " B");
        QVERIFY(otherPorts.open());
        const auto back = qScopeGuard([this] { link.closePorts(); });
        link.closePorts();
        QVERIFY(!link.midiIn.isPortOpen() && !link.midiOut.isPortOpen());
        QVERIFY(link.connectToModule(otherPorts.writePort(), otherPorts.readPort(), true, false, false));
        link.sendSetupVariation(4, 100);
        QVERIFY(link.identify());
        QCOMPARE(sequence(&other), QString("02 21 02"));
        QCOMPARE(int(quint8(other.memory().ramPrograms[65408 + 4])), 100);
        QTest::qWait(100);
        QCOMPARE(sequence(), QString());
    }
#endif

    // Every command with the bytes the module decoded; the refused ones (a
    // fourth voice, program 128, GM channel 17) send nothing.
    void editingCommands()
    {
        QMidiUtils& l = link;
        l.sendVoiceChange(2, 3, 4, 5, 6);
        l.sendVoiceChange(3, 3, 4, 5, 6);
        l.sendVoiceVariation(1, 0x0B, 200);
        l.sendVoiceVariation16(7, 0x30, 0xC321);
        l.sendSetupVariation(4, 100);
        l.sendLoadProgram(127);
        l.sendLoadProgram(128);
        l.sendOrganVariation(8, 0x10, 0x80);
        l.sendGmVoiceChange(15, 12, 1, 127, 35);
        l.sendGmVoiceChange(16, 1, 1, 1, 1);
        l.sendGmVoiceVariation(9, 113, 64);
        l.systemReset();
        QVERIFY(l.endProgrammingMode());
        l.samReset();
        l.samTest();
        l.samPcmChecksum();
        l.samPanic();
        // Frames arrive in order: once this one is in, so is every command.
        l.sendCommand(0x27);
        QTRY_VERIFY(!module.log().isEmpty() && module.log().last().frame.com == 0x27);
        QStringList decoded;
        for (const lyrsim::SimLogEntry& e : module.log())
            decoded << QString::asprintf("%02x ", e.frame.com) + e.frame.data.toHex();
        QCOMPARE(decoded.join(", "), QString("20 0203040506, 21 0b01c8, 21 30070321, 21 150464, 21 147f7f, 29 100880, "
                                             "2d 0f0c017f23, 2e 710940, 01 aa, 01 a7, 07 , 00 , 0f , 2c , 27 "));
        // Two of them change what the module holds.
        QCOMPARE(int(l.getCurrentProgramIdx()), 127);
        QCOMPARE(int(module.memory().ramPrograms[65408 + 4]), 100);
    }

    void programsAndWavetableThroughFlash()
    {
        qstrcpy(programsFlash.program[5].name, "Stored");
        wavetable.family[2].count = 1;
        setVoiceName(&wavetable.family[2].voice[0], "Strings");
        QSignalSpy progress(&link, &QMidiUtils::updateProgress);

        QVERIFY(link.saveProgramsAndWavetableToFlash());
        const QByteArray area = module.memory().flash.mid(ProgramsArea, 131072);
        QByteArray resealed = area.left(65536);
        SimMemory::seal(resealed);
        QVERIFY(resealed == area.left(65536));
        QVERIFY(area == bytes(programsFlash) + bytes(wavetable));
        QCOMPARE(progress.last(), (QVariantList { 131072, 0, 131072 }));
        // One erase, of the programs sectors only.
        QCOMPARE(module.commandData(0x05), QList<QByteArray> { QByteArray::fromHex("0b01") });
    }

    void failedTransferLeavesTheMirror_data()
    {
        QTest::addColumn<Operation>("operation");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("com");
        QTest::addColumn<int>("frames");     // of com the module received
        const auto row = [](const char* name, Operation op, const char* fault, int com, int frames) {
            QTest::newRow(name) << op << QString(fault) << com << frames;
        };
        row("short reply in the middle of a flash read", [](QMidiUtils& l, SimMemory&) { return l.loadProgramsAndWavetableFromFlash(); },
            "short:0x1e:1:100:3", 0x1E, 4);
        if (OverJack)
            return;
        row("empty reply to a DSP read", [](QMidiUtils& l, SimMemory&) { return l.readSoundbankDir(); },
            "short:0x28:1:0", 0x0B, 0);
        row("current program from an empty reply", [](QMidiUtils& l, SimMemory& m) {
            m.currentProgram = 7;     // the identity record before it starts with 0x59
            return l.identify() && l.getCurrentProgramIdx() != 0;
        }, "short:0x27:1:0", 0x27, 1);
        // The whole RAM block is refused: the editor keeps the programs it had.
        row("RAM programs with a bad trailer", [](QMidiUtils& l, SimMemory& m) {
            m.ramPrograms[65520] = 'X';
            return l.loadProgramsFromRam();
        }, "", 0x26, 65536 / moduleInfo.PacketSize);
        row("PacketSize above a frame: no erase", [](QMidiUtils& l, SimMemory&) {
            info.PacketSize = 40000;
            return l.saveProgramsAndWavetableToFlash();
        }, "", 0x05, 0);
        row("echo test above a frame, refused at once", [](QMidiUtils& l, SimMemory&) {
            QElapsedTimer clock;
            clock.start();
            return l.test(40000) || clock.elapsed() > 1000;
        }, "", 0x24, 0);
        // The reply before it holds the right words: they must not count.
        row("echo reply shorter than asked", [](QMidiUtils& l, SimMemory&) { return l.test(256) && l.test(256); },
            "short:0x24:1:100:1", 0x24, 2);
        // Refused without a frame, and the wait that follows must not take the
        // answer to the identify before it for its own.
        row("frame above 32 KB", [](QMidiUtils& l, SimMemory&) {
            QByteArray big(32769, 1);
            l.identify();
            l.sendCommand(0x2F, quint16(big.size()), reinterpret_cast<unsigned char*>(big.data()));
            return l.waitForAcknoledge(200);
        }, "", 0x2F, 0);
        row("file ends before the size given", [](QMidiUtils& l, SimMemory&) {
            QTemporaryFile file;
            return !file.open() || file.write(pattern(40000)) != 40000 || !file.seek(0)
                || l.writeToSamFlash(0x80000, 70000, &file, 5000);
        }, "", 0x0A, 1);
    }
    void failedTransferLeavesTheMirror()
    {
        QFETCH(Operation, operation);
        QFETCH(QString, fault);
        QFETCH(int, com);
        QFETCH(int, frames);
        if (!fault.isEmpty())
            addFault(fault);
        const QByteArray before = mirror();

        QVERIFY(!operation(link, module.memory()));
        QVERIFY(mirror() == before);
        int seen = 0;  // whole or not
        for (const lyrsim::SimLogEntry& e : module.log())
            seen += e.frame.com == com;
        QCOMPARE(seen, frames);
    }

    void dspFlash_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QString>("writes");
        QTest::newRow("300000 bytes") << 300000 << "09 0a 0a 0a 0a 0c 0a 0a 0a 0a 0c 0a 0a 0b";
        if (!OverJack)
            QTest::newRow("exactly 128 KB") << 131072 << "09 0a 0a 0a 0a 0b";
    }
    void dspFlash()
    {
        QFETCH(int, size);
        QFETCH(QString, writes);
        QByteArray data = pattern(size);
        QVERIFY(link.writeToSamFlash(0x80000, size, reinterpret_cast<uint8_t*>(data.data()), 5000));
        QCOMPARE(sequence(), writes);
        QVERIFY(module.memory().dspFlash.mid(0x80000, size) == data);

        module.clearLog();
        QByteArray back(size, 0);
        QVERIFY(link.readFromSamFlash(0x80000, size, reinterpret_cast<uint8_t*>(back.data())));
        QCOMPARE(sequence(), QString(writes).replace("09", "0e").replace("0a", "28"));
        QVERIFY(back == data);
    }

    // The link's own guards and the remaining reads need no real ports.
#if !LYR_OVER_JACK
    // The GM mixer, which no connection reads; and flash programs with a bad
    // checksum refused while the wavetable beside them is still taken, so a
    // module whose flash never held programs still connects.
    void readsFillTheMirror()
    {
        SimMemory& m = module.memory();
        m.gmData = pattern(1024);
        std::memset(gmData, 0, sizeof(gmData));
        QVERIFY(link.loadGmDataFromRam() && bytes(gmData) == m.gmData);
        m.flash[ProgramsArea + 100] = 'x';
        wavetable.family[0].count = 1;
        const QByteArray table = bytes(wavetable), flashed = bytes(programsFlash);
        m.flash.replace(ProgramsArea + 65536, 65536, table);
        std::memset(&wavetable, 0, sizeof(wavetable));
        QVERIFY(link.loadProgramsAndWavetableFromFlash());
        QVERIFY(bytes(programsFlash) == flashed && bytes(wavetable) == table);
    }

    // Programming mode restarts the module into its loader: one reset with
    // A5, and the link is closed afterwards for the caller to reconnect.
    // Without a link nothing goes out.
    void programmingModeRestartsTheModule()
    {
        QVERIFY(link.beginProgrammingMode());
        QCOMPARE(sequence(), QString("01"));
        QCOMPARE(module.log().first().frame.data, QByteArray("\xA5", 1));
        QVERIFY(!link.isConnected());
        module.clearLog();
        QVERIFY(!link.beginProgrammingMode());
        QVERIFY(!link.endProgrammingMode());
        QTest::qWait(50);
        QVERIFY(module.log().isEmpty());
    }

    // The link reads the message as it came: a SysEx message whole, a short
    // one filled out (never read past its end), an empty one not passed on.
    void incomingMessagesReachTheLink()
    {
        QMidiIn in;
        QList<QByteArray> seen;
        connect(&in, &QMidiIn::midiMessageReceived, this, [&seen](QMidiMessage* m) {
            const std::vector<unsigned char> raw = m->getRawMessage();
            seen << QByteArray(reinterpret_cast<const char*>(raw.data()), qsizetype(raw.size())).toHex(' ');
        });
        for (const char* wire : { "f00102f7", "90", "", "bf077f" })
            in.deliver(fromHex(wire));
        QCOMPARE(seen, (QList<QByteArray> { "f0 01 02 f7", "90 00 00", "bf 07 7f" }));
    }

    // One message object per incoming message: it must go away once the
    // queued receivers have had it (or with its port), or a long transfer
    // leaks thousands.
    void everyMessageIsReleased()
    {
        QMidiIn in;
        QObject receiver;
        QList<QPointer<QMidiMessage>> messages;
        connect(&in, &QMidiIn::midiMessageReceived, &receiver, [&messages](QMidiMessage* m) { messages << m; },
                Qt::QueuedConnection);
        for (int i = 0; i < 50; ++i)
            in.deliver(fromHex("f00102f7"));
        QTRY_COMPARE(messages.size(), 50);
        QCoreApplication::processEvents();
        for (const QPointer<QMidiMessage>& m : messages)
            QVERIFY(m.isNull());

        auto* port = new QMidiIn;
        QPointer<QMidiMessage> pending;
        connect(port, &QMidiIn::midiMessageReceived, this, [&pending](QMidiMessage* m) { pending = m; });
        port->deliver(fromHex("904040"));
        QVERIFY(pending);
        delete port;
        QVERIFY(pending.isNull());
    }

    // Here neither an ALSA sequencer nor (with this server name) JACK is
    // there: the ports must simply be absent, at creation and on every call.
    void withoutAnyMidiSystemNothingBreaks()
    {
        const QByteArray server = qgetenv("JACK_DEFAULT_SERVER");
        qputenv("JACK_DEFAULT_SERVER", "lyr-no-such-server");
        {
            QMidiIn in;
            QMidiOut out;
            in.openPort(QString("MIDIIN2 (Borvan Lyr)"));
            QVERIFY(!in.isPortOpen() && !out.isPortOpen());
            QVERIFY(in.getPorts().isEmpty() && out.getPorts().isEmpty());
            in.closePort();
            out.closePort();
            // More than RtMidi's JACK buffer holds: must not wait for room.
            std::vector<unsigned char> note { 0x90, 0x40, 0x40 };
            for (int i = 0; i < 10000; ++i)
                out.sendRawMessage(note);
        }
        if (server.isNull())
            qunsetenv("JACK_DEFAULT_SERVER");
        else
            qputenv("JACK_DEFAULT_SERVER", server);
    }
#endif
};

LYR_TEST_MAIN_CORE(TestModule)
#include "tst_module.moc"
