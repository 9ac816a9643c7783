// The link over real JACK MIDI ports, against the simulated module in this
// process and against the lyr-sim program: every frame, 32 KB ones
// included, crosses the ports the way it would reach the module.

#include "TestSupport.h"
#include "QMidiUtils.h"
#include "SimJackPorts.h"
#include "SimModule.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>

using lyrsim::SimFault;
using lyrsim::SimJackPorts;
using lyrsim::SimModule;

namespace {

// Opens the first ports whose names contain the texts, as a connection to
// the module does, and marks the link connected.
bool openLink(QMidiUtils& link, const QString& in, const QString& out)
{
    link.closePorts();
    const QStringList ins = link.midiIn.getPorts();
    const QStringList outs = link.midiOut.getPorts();
    int i = -1, o = -1;
    for (int k = 0; k < ins.size() && i < 0; ++k)
        i = ins[k].contains(in, Qt::CaseInsensitive) ? k : -1;
    for (int k = 0; k < outs.size() && o < 0; ++k)
        o = outs[k].contains(out, Qt::CaseInsensitive) ? k : -1;
    if (i < 0 || o < 0) {
        qWarning() << "ports not found; inputs" << ins << "outputs" << outs;
        return false;
    }
    link.midiIn.openPort(unsigned(i));
    link.midiOut.openPort(unsigned(o));
    link.connected = true;
    return link.isConnected();
}

SimFault fault(SimFault::Kind kind, int com = -1, int times = -1, int value = 0)
{
    SimFault f;
    f.kind = kind;
    f.com = com;
    f.times = times;
    f.value = value;
    return f;
}

QByteArray counting(int size)
{
    QByteArray words(size, 0);
    for (int i = 0; i + 1 < size; i += 2) {
        words[i] = char(i / 2);
        words[i + 1] = char((i / 2) >> 8);
    }
    return words;
}

} // namespace

class TestLinkJack : public QObject
{
    Q_OBJECT
private:
    SimModule* module = nullptr;
    SimJackPorts* ports = nullptr;
    QMidiUtils* link = nullptr;

    bool echo(int size)
    {
        QByteArray words = counting(size);
        link->sendCommand(0x24, quint16(size), reinterpret_cast<unsigned char*>(words.data()));
        if (!link->waitForAcknoledge(5000) || link->replySize != size)
            return false;
        for (int i = 0; i < size / 2; ++i) {
            if (quint16(link->replyData[2 * i] | link->replyData[2 * i + 1] << 8) != quint16(~i))
                return false;
        }
        return true;
    }

private slots:
    void initTestCase()
    {
        module = new SimModule;
        ports = new SimJackPorts(module);
        QString error;
        if (!ports->open(&error))
            QFAIL(qPrintable("cannot run over JACK: " + error));
        link = new QMidiUtils;
        QVERIFY(openLink(*link, ports->writePort(), ports->readPort()));
    }
    void cleanupTestCase()
    {
        delete link;
        delete ports;
        delete module;
    }
    void init()
    {
        if (!link->isConnected())
            QVERIFY(openLink(*link, ports->writePort(), ports->readPort()));
        module->clearFaults();
        module->clearPreludes();
        module->clearLog();
    }

    void commandArrivesDecoded()
    {
        const QByteArray data = QByteArray::fromHex("150464ff80");
        link->sendCommand(0x21, quint16(data.size()), reinterpret_cast<unsigned char*>(const_cast<char*>(data.data())));
        QTRY_COMPARE(module->log().size(), 1);
        QCOMPARE(module->log().first().handler, QString("voice variation"));
        QCOMPARE(module->commandData(0x21), QList<QByteArray> { data });
    }

    void ackAndNack()
    {
        link->sendCommand(0x02);
        QVERIFY(link->waitForAcknoledge(5000));
        QCOMPARE(int(link->replySize), 60);

        module->addFault(fault(SimFault::Nack, 0x02));
        link->sendCommand(0x02);
        QVERIFY(link->waitForReply(5000));
        QCOMPARE(int(link->replyCom), 0x53);
        link->sendCommand(0x02);
        QVERIFY(!link->waitForAcknoledge(5000));
    }

    void progressAndTextDuringTheWait()
    {
        module->addPrelude(0x02, 0x30, "Writing ...");
        module->addPrelude(0x02, 0x32, QByteArray(1, 50));
        module->addFault(fault(SimFault::Delay, 0x02, 1, 200));
        QSignalSpy texts(link, &QMidiUtils::infoMessage);
        QSignalSpy progress(link, &QMidiUtils::updateProgress);

        link->sendCommand(0x02);
        QVERIFY(link->waitForAcknoledge(5000));
        QCOMPARE(int(link->replySize), 60);
        QCOMPARE(texts.size(), 1);
        QCOMPARE(texts.at(0).at(0).toString(), QString("Writing ..."));
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress.at(0).at(0).toInt(), 50);
    }

    void replyBeforeTheWait()
    {
        link->sendCommand(0x02);
        QTRY_VERIFY(link->replyReceived);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(link->waitForAcknoledge(5000));
        QVERIFY(clock.elapsed() < 100);
    }

    void largestFramesBothWays_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("just under one piece") << 6990;
        QTest::newRow("just over one piece") << 7010;
        QTest::newRow("two pieces") << 14000;
        QTest::newRow("the largest frame") << 32768;
    }
    void largestFramesBothWays()
    {
        QFETCH(int, size);
        QVERIFY(echo(size));
        QCOMPARE(module->log().size(), 1);
        QCOMPARE(module->log().first().frame.size, quint16(size));
    }

    void blocksBackToBack()
    {
        for (int round = 0; round < 4; ++round)
            QVERIFY2(echo(32768), qPrintable(QString("round %1").arg(round)));
        QCOMPARE(module->log().size(), 4);
    }

    void notConnectedSendsNothing()
    {
        link->closePorts();
        QSignalSpy refused(link, &QMidiUtils::notConnected);
        link->sendCommand(0x02);
        QCOMPARE(refused.size(), 1);
        QVERIFY(!link->waitForReply(1000));
        QTest::qWait(200);
        QCOMPARE(module->log().size(), 0);
    }

    // The program that scripts/run starts, driven through its stdin and
    // read back through its stdout.
    void simulatorProgram()
    {
        QProcess sim;
        sim.setProcessChannelMode(QProcess::SeparateChannels);
        sim.start(LYR_SIM_PATH, { "--suffix", " (program)", "--identity", "PacketSize=512" });
        QVERIFY2(sim.waitForStarted(5000), qPrintable(sim.errorString()));
        QByteArray output;
        const auto readLine = [&sim, &output](const QByteArray& prefix) -> QByteArray {
            QElapsedTimer clock;
            clock.start();
            while (clock.elapsed() < 10000) {
                const int nl = output.indexOf('\n');
                if (nl >= 0) {
                    const QByteArray line = output.left(nl);
                    output.remove(0, nl + 1);
                    if (line.startsWith(prefix))
                        return line;
                    continue;
                }
                if (sim.state() != QProcess::Running)
                    return "exited: " + sim.readAllStandardError();
                sim.waitForReadyRead(100);
                output += sim.readAllStandardOutput();
            }
            return "timed out";
        };
        const QByteArray ready = readLine("ready");
        QVERIFY2(ready.startsWith("ready"), ready.constData());

        QMidiUtils other;
        QVERIFY(openLink(other, "(program):MIDIIN2", "(program):MIDIOUT2"));
        other.sendCommand(0x02);
        QVERIFY(other.waitForAcknoledge(5000));
        QCOMPARE(int(other.replySize), 60);
        QCOMPARE(int(other.replyData[2] | other.replyData[3] << 8), 512);
        QCOMPARE(readLine("rx"), QByteArray("rx 02 ok identify size 0 data - reply ac"));

        unsigned char edit[3] = { 0x15, 0x04, 0x64 };
        other.sendCommand(0x21, 3, edit);
        QCOMPARE(readLine("rx"), QByteArray("rx 21 ok voice-variation size 3 data 150464 reply none"));

        QSignalSpy frames(&other, &QMidiUtils::midiCommandReceived);
        sim.write("notify 41 05\n");
        QTRY_COMPARE(frames.size(), 1);
        QCOMPARE(frames.at(0).at(0).value<unsigned char>(), 0x41);

        sim.write("fault nack:0x02:1\n");
        QCOMPARE(readLine("ok fault"), QByteArray("ok fault"));
        other.sendCommand(0x02);
        QVERIFY(other.waitForReply(5000));
        QCOMPARE(int(other.replyCom), 0x53);

        sim.write("quit\n");
        QVERIFY(sim.waitForFinished(5000));
        QCOMPARE(sim.exitCode(), 0);
    }
};

LYR_TEST_MAIN_CORE(TestLinkJack)
#include "tst_linkjack.moc"
