// The lyr-sim program that scripts/run starts, over JACK: driven through its
// standard input, read back through its output.

#include "TestSupport.h"
#include "QMidiUtils.h"
#include "TInfo.h"

#include <QDeadlineTimer>
#include <QProcess>

class TestSimModule : public QObject
{
    Q_OBJECT
private slots:
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
