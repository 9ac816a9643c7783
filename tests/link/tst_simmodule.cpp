// The simulated module itself, where the link tests do not reach it: what it
// does with frames the editor never sends, its memory on disk, and the
// lyr-sim program that scripts/run starts, over JACK.

#include "TestSupport.h"
#include "QMidiUtils.h"
#include "SimCodec.h"
#include "SimModule.h"
#include "TInfo.h"

#include <QDeadlineTimer>
#include <QProcess>

using lyrsim::SimCodec;
using lyrsim::SimModule;

class TestSimModule : public QObject
{
    Q_OBJECT
private slots:
    // What the editor never sends: an unknown command and a wrong checksum
    // are refused, a frame it cannot read is not answered at all.
    void answersFramesItCannotTake()
    {
        QByteArray badSum = SimCodec::encode(0x24, QByteArray::fromHex("0102"));
        badSum[5] = char(badSum[5] ^ 0x01);
        QByteArray badComplement = SimCodec::encode(0x02, QByteArray());
        badComplement[4] = 0;
        SimModule module;
        QList<int> replies;
        module.setTransmit([&replies](const QByteArray& m) { replies << SimCodec::decode(m).value(0).com; });
        QStringList handlers;
        for (const QByteArray& m : { SimCodec::encode(0x1F, QByteArray(8, 0)), badSum, badComplement,
                                     SimCodec::encode(0x24, QByteArray(9, 1)).remove(12, 1) }) {
            module.receive(m);
            handlers << module.log().last().handler;
        }
        QCOMPARE(handlers, (QStringList { "unsupported", "bad checksum", "", "" }));
        QCOMPARE(replies, (QList<int> { 0x53, 0x53 }));
    }

    // A folder with a file of the wrong size changes nothing.
    void memorySavedAndLoaded()
    {
        const QString folder = lyrtest::scratchDir() + "/memory";
        lyrsim::SimMemory saved;
        saved.dspFlash[0x40000] = 'Z';
        saved.currentProgram = 42;
        QVERIFY(saved.save(folder));
        lyrsim::SimMemory loaded;
        QVERIFY(loaded.load(folder));
        QVERIFY(loaded.dspFlash == saved.dspFlash && loaded.currentProgram == 42);

        QFile gm(folder + "/gm-data.bin");
        QVERIFY(gm.open(QIODevice::WriteOnly) && gm.write("short") == 5);
        gm.close();
        QVERIFY(!loaded.load(folder));
        QVERIFY(loaded.dspFlash == saved.dspFlash && loaded.gmData == saved.gmData);
    }

    // Driven through its stdin, read back through its stdout.
    void simulatorProgram()
    {
        QProcess sim;
        sim.start(LYR_SIM_PATH, { "--suffix", " (program)", "--identity", "PacketSize=512" });
        QVERIFY2(sim.waitForStarted(5000), qPrintable(sim.errorString()));
        // The next line of its output that starts with prefix.
        const auto readLine = [&sim](const char* prefix) {
            for (QDeadlineTimer deadline(10000); !deadline.hasExpired();) {
                if (!sim.canReadLine() && !sim.waitForReadyRead(100))
                    continue;
                const QByteArray line = sim.readLine().trimmed();
                if (line.startsWith(prefix))
                    return line;
            }
            return QByteArray("timed out: " + sim.readAllStandardError());
        };
        QVERIFY2(readLine("ready").startsWith("ready"), "lyr-sim did not start");

        QMidiUtils link;
        QVERIFY(link.connectToModule("(program):MIDIIN2", "(program):MIDIOUT2", true, false, false));
        QCOMPARE(int(info.PacketSize), 512);
        QCOMPARE(readLine("rx"), QByteArray("rx 02 ok identify size 0 data - reply ac"));

        QSignalSpy frames(&link, &QMidiUtils::midiCommandReceived);
        sim.write("notify 41 05\n");
        QTRY_COMPARE(frames.size(), 1);
        QCOMPARE(frames.at(0).at(0).value<unsigned char>(), 0x41);
        sim.write("fault nack:0x02:1\n");
        QCOMPARE(readLine("ok fault"), QByteArray("ok fault"));
        QVERIFY(!link.identify());
        QCOMPARE(int(link.replyCom), 0x53);

        sim.write("quit\n");
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 0);
    }
};

LYR_TEST_MAIN_CORE(TestSimModule)
#include "tst_simmodule.moc"
