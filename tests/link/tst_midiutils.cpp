// The link core against the simulated module, in process: what the module
// decodes from the editor's commands, how waits end, and that texts,
// progress and notifications never spoil the reply a command waits for.

#include "TestSupport.h"
#include "InProcessModule.h"
#include "QMidiUtils.h"
#include "SimModule.h"

#include <QElapsedTimer>
#include <QSignalSpy>

using lyrsim::SimFault;
using lyrsim::SimModule;

namespace {

QByteArray reply(const QMidiUtils& link)
{
    return QByteArray(reinterpret_cast<const char*>(link.replyData), link.replySize);
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

} // namespace

class TestMidiUtils : public QObject
{
    Q_OBJECT
private:
    QMidiUtils* link = nullptr;
    SimModule* module = nullptr;
    InProcessModule* wire = nullptr;

private slots:
    void init()
    {
        link = new QMidiUtils;
        module = new SimModule;
        wire = new InProcessModule(*link, *module);
        wire->connect();
    }
    void cleanup()
    {
        delete wire;
        delete module;
        delete link;
    }

    void commandArrivesDecoded_data()
    {
        QTest::addColumn<int>("com");
        QTest::addColumn<QByteArray>("data");
        QTest::newRow("setup variation") << 0x21 << QByteArray::fromHex("150464");
        QTest::newRow("high bits in every place") << 0x29 << QByteArray::fromHex("ff80817f00fe8081");
        QTest::newRow("no data") << 0x2C << QByteArray();
        QTest::newRow("a full 32 KB block") << 0x2F << QByteArray(32768, char(0xA5));
    }
    void commandArrivesDecoded()
    {
        QFETCH(int, com);
        QFETCH(QByteArray, data);
        link->sendCommand(quint8(com), quint16(data.size()), reinterpret_cast<unsigned char*>(data.data()));
        QTRY_COMPARE(module->log().size(), 1);
        const lyrsim::SimLogEntry& e = module->log().first();
        QCOMPARE(e.frame.status, lyrsim::SimDecoded::Ok);
        QVERIFY(e.frame.checksumOk);
        QCOMPARE(int(e.frame.com), com);
        QVERIFY(e.frame.data == data);
    }

    void identifyIsAcknowledgedWithTheRecord()
    {
        module->identity().set("PacketSize", 2048);
        link->sendCommand(0x02);
        QVERIFY(link->waitForAcknoledge(2000));
        QCOMPARE(int(link->replySize), 60);
        QCOMPARE(reply(*link), module->identity().record());
        QCOMPARE(int(link->replyData[2] | link->replyData[3] << 8), 2048);
    }

    void nackIsAReplyButNoAcknowledgement()
    {
        module->addFault(fault(SimFault::Nack));
        link->sendCommand(0x02);
        QVERIFY(link->waitForReply(2000));
        QCOMPARE(int(link->replyCom), 0x53);
        link->sendCommand(0x02);
        QVERIFY(!link->waitForAcknoledge(2000));
    }

    // A flash write waits for its ACK while the module reports on the way;
    // the reports must reach the window and the wait must run on to the ACK.
    void textProgressAndNotificationsDoNotEndTheWait()
    {
        module->addPrelude(0x02, 0x30, "Erasing ...");
        module->addPrelude(0x02, 0x32, QByteArray(1, 42));
        module->addPrelude(0x02, 0x41, QByteArray::fromHex("05"));
        module->addPrelude(0x02, 0x31, QByteArray());
        module->addFault(fault(SimFault::Delay, 0x02, -1, 150));

        QSignalSpy texts(link, &QMidiUtils::infoMessage);
        QSignalSpy progress(link, &QMidiUtils::updateProgress);
        QSignalSpy frames(link, &QMidiUtils::midiCommandReceived);

        link->sendCommand(0x02);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(link->waitForAcknoledge(3000));
        QVERIFY(clock.elapsed() >= 100);

        QCOMPARE(int(link->replySize), 60);
        QCOMPARE(reply(*link), module->identity().record());
        QCOMPARE(texts.size(), 2);
        QCOMPARE(texts.at(0).at(0).toString(), QString("Erasing ..."));
        QCOMPARE(texts.at(1).at(0).toString(), QString("\x05"));
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress.at(0), (QVariantList { 42, 0, 100 }));
        QCOMPARE(frames.size(), 5);
        QCOMPARE(frames.at(2).at(0).value<unsigned char>(), 0x41);
        QCOMPARE(frames.at(4).at(0).value<unsigned char>(), 0xAC);
    }

    void replyArrivingBeforeTheWaitCounts()
    {
        link->sendCommand(0x02);
        QTRY_VERIFY(link->replyReceived);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(link->waitForAcknoledge(5000));
        QVERIFY(clock.elapsed() < 100);
    }

    void noReplyTimesOut()
    {
        module->addFault(fault(SimFault::NoReply, 0x02));
        link->sendCommand(0x02);
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!link->waitForReply(300));
        QVERIFY(clock.elapsed() >= 290);
        QCOMPARE(int(link->replyCom), 0xFE);
    }

    void replyWithBadComplementIsIgnored()
    {
        module->addFault(fault(SimFault::BadComplement, 0x02));
        link->sendCommand(0x02);
        QVERIFY(!link->waitForReply(300));
    }

    void everyReplyCodeEndsTheWait_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("ends");
        QTest::newRow("PCM file ok") << 0x20 << true;
        QTest::newRow("file not found") << 0x24 << true;
        QTest::newRow("firmware ok") << 0x33 << true;
        QTest::newRow("info text") << 0x30 << false;
        QTest::newRow("end") << 0x31 << false;
        QTest::newRow("control change") << 0x42 << false;
    }
    void everyReplyCodeEndsTheWait()
    {
        QFETCH(int, code);
        QFETCH(bool, ends);
        module->addFault(fault(SimFault::NoReply, 0x13));
        link->sendCommand(0x13);
        QTimer::singleShot(20, module, [this, code] { module->sendFrame(quint8(code), "x"); });
        QCOMPARE(link->waitForReply(400), ends);
        QVERIFY(!link->waitForAcknoledge(1));
        QCOMPARE(int(link->replyCom), ends ? code : 0xFE);
    }

    void notificationLeavesTheLastReplyAlone()
    {
        link->sendCommand(0x02);
        QVERIFY(link->waitForAcknoledge(2000));
        const QByteArray identity = reply(*link);

        QSignalSpy frames(link, &QMidiUtils::midiCommandReceived);
        module->sendFrame(0x41, QByteArray::fromHex("07"));
        module->sendFrame(0x30, QByteArray(300, 'a'));
        QTRY_COMPARE(frames.size(), 2);
        QCOMPARE(frames.at(0).at(1).value<unsigned short>(), 1);
        QCOMPARE(frames.at(0).at(2).toByteArray(), QByteArray::fromHex("07"));
        QCOMPARE(int(link->replyCom), 0xAC);
        QCOMPARE(reply(*link), identity);
        QVERIFY(link->replyReceived);
    }

    void progressFrameWithoutDataReportsNothing()
    {
        QSignalSpy progress(link, &QMidiUtils::updateProgress);
        QSignalSpy texts(link, &QMidiUtils::infoMessage);
        QSignalSpy frames(link, &QMidiUtils::midiCommandReceived);
        module->sendFrame(0x32);
        module->sendFrame(0x31);
        module->sendFrame(0x32, QByteArray::fromHex("64"));
        QTRY_COMPARE(frames.size(), 3);
        QCOMPARE(progress.size(), 1);
        QCOMPARE(progress.at(0).at(0).toInt(), 100);
        QCOMPARE(texts.size(), 0);
    }

    void largestFramesCrossBothWays()
    {
        QByteArray words(32768, 0);
        for (int i = 0; i < 16384; ++i) {
            words[2 * i] = char(i);
            words[2 * i + 1] = char(i >> 8);
        }
        QSignalSpy frames(link, &QMidiUtils::midiCommandReceived);
        link->sendCommand(0x24, 32768, reinterpret_cast<unsigned char*>(words.data()));
        QVERIFY(link->waitForAcknoledge(5000));
        QCOMPARE(int(link->replySize), 32768);
        for (int i = 0; i < 16384; ++i) {
            const quint16 w = quint16(link->replyData[2 * i] | link->replyData[2 * i + 1] << 8);
            if (w != quint16(~i))
                QFAIL(qPrintable(QString("word %1 is %2").arg(i).arg(w, 4, 16)));
        }
        QCOMPARE(frames.last().at(2).toByteArray().size(), 32768);
    }

    // Refused without a frame, and the wait that follows must not take the
    // answer to the command before it for its own.
    void moreThan32KIsRefused()
    {
        link->sendCommand(0x02);
        QVERIFY(link->waitForAcknoledge(2000));
        const int sentBefore = int(wire->sent.size());

        QByteArray big(32769, 1);
        link->sendCommand(0x2F, quint16(big.size()), reinterpret_cast<unsigned char*>(big.data()));
        QCOMPARE(int(wire->sent.size()), sentBefore);
        QVERIFY(!link->waitForAcknoledge(200));
    }

    void notConnectedSendsNothingAndSaysSoOnce()
    {
        link->closePorts();
        QVERIFY(!link->isConnected());
        QSignalSpy refused(link, &QMidiUtils::notConnected);
        link->sendCommand(0x21, 3, nullptr);
        QCOMPARE(refused.size(), 1);
        QVERIFY(wire->sent.isEmpty());
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!link->waitForReply(2000));
        QVERIFY(!link->waitForAcknoledge(2000));
        QVERIFY(clock.elapsed() < 100);
        QCOMPARE(refused.size(), 1);
    }

    void openPortsWithoutConnectionAreNotConnected()
    {
        link->connected = false;
        QVERIFY(link->midiIn.isPortOpen() && link->midiOut.isPortOpen());
        QVERIFY(!link->isConnected());
        QSignalSpy refused(link, &QMidiUtils::notConnected);
        link->sendCommand(0x02);
        QCOMPARE(refused.size(), 1);
    }

    void waitTurnsTheEventLoop()
    {
        bool fired = false;
        QTimer::singleShot(10, this, [&fired] { fired = true; });
        link->wait(60);
        QVERIFY(fired);
    }
};

LYR_TEST_MAIN_CORE(TestMidiUtils)
#include "tst_midiutils.moc"
