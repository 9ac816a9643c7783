// The simulated module itself: every later link test trusts it, so it must
// read frames on its own terms, answer as configured and misbehave exactly
// when told to.

#include "TestSupport.h"
#include "SimCodec.h"
#include "SimModule.h"

using lyrsim::SimCodec;
using lyrsim::SimDecoded;
using lyrsim::SimFault;
using lyrsim::SimModule;

class TestSimModule : public QObject
{
    Q_OBJECT
private:
    SimModule* module = nullptr;
    QList<QByteArray> out;

    QList<SimDecoded> replies() const
    {
        QList<SimDecoded> all;
        for (const QByteArray& m : out)
            all += SimCodec::decode(m);
        return all;
    }

private slots:
    void init()
    {
        out.clear();
        module = new SimModule;
        module->setTransmit([this](const QByteArray& m) { out << m; });
    }
    void cleanup()
    {
        delete module;
    }

    void answers_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QString>("handler");
        QTest::addColumn<int>("reply");
        QTest::addColumn<QByteArray>("replyData");

        QTest::newRow("echo test complements each word")
            << SimCodec::encode(0x24, QByteArray::fromHex("00000100ff7f")) << "echo test" << 0xAC
            << QByteArray::fromHex("fffffeff0080");
        QTest::newRow("edits are taken silently")
            << SimCodec::encode(0x21, QByteArray::fromHex("150464")) << "voice variation" << -1 << QByteArray();
        QTest::newRow("unknown command is refused")
            << SimCodec::encode(0x1F, QByteArray(8, 0)) << "unsupported" << 0x53 << QByteArray();

        QByteArray badSum = SimCodec::encode(0x24, QByteArray::fromHex("0102"));
        badSum[5] = char(badSum[5] ^ 0x01);
        QTest::newRow("wrong checksum is refused") << badSum << "bad checksum" << 0x53 << QByteArray();

        QByteArray badComplement = SimCodec::encode(0x02, QByteArray());
        badComplement[4] = 0;
        QTest::newRow("bad complement is not answered") << badComplement << "" << -1 << QByteArray();
        QTest::newRow("short frame is not answered")
            << SimCodec::encode(0x24, QByteArray(9, 1)).remove(12, 1) << "" << -1 << QByteArray();
    }
    void answers()
    {
        QFETCH(QByteArray, message);
        QFETCH(QString, handler);
        QFETCH(int, reply);
        QFETCH(QByteArray, replyData);
        module->receive(message);
        QCOMPARE(module->log().size(), 1);
        QCOMPARE(module->log()[0].handler, handler);
        QCOMPARE(module->log()[0].replyCom, reply);
        const QList<SimDecoded> a = replies();
        QCOMPARE(a.size(), reply < 0 ? 0 : 1);
        if (reply >= 0) {
            QCOMPARE(int(a[0].com), reply);
            QCOMPARE(a[0].data.toHex(), replyData.toHex());
        }
    }

    void identityRecordFollowsConfiguration()
    {
        QVERIFY(module->identity().set("ProgramAddr=0x08060000"));
        QVERIFY(module->identity().set("packetsize", 256));
        QVERIFY(!module->identity().set("PacketSize", 70000));
        QVERIFY(!module->identity().set("NoSuchField=1"));
        module->receive(SimCodec::encode(0x02, QByteArray()));
        const QByteArray record = replies().value(0).data;
        QCOMPARE(record.size(), 60);
        QCOMPARE(record.mid(2, 2).toHex(), QByteArray("0001"));
        QCOMPARE(record.mid(44, 4).toHex(), QByteArray("00000608"));
    }

    void faultsApplyAsOftenAsAsked()
    {
        SimFault f;
        QVERIFY(SimFault::parse("identity-size:0x02:2:59", &f));
        module->addFault(f);
        QVERIFY(SimFault::parse("noreply:0x24", &f));
        module->addFault(f);
        for (int i = 0; i < 3; ++i)
            module->receive(SimCodec::encode(0x02, QByteArray()));
        module->receive(SimCodec::encode(0x24, QByteArray(4, 0)));
        const QList<SimDecoded> a = replies();
        QCOMPARE(a.size(), 3);
        QCOMPARE(a[0].data.size(), 59);
        QCOMPARE(a[1].data.size(), 59);
        QCOMPARE(a[2].data.size(), 60);
        QCOMPARE(module->log().last().replyCom, -1);
    }

    void faultRules_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << "nack" << true;
        QTest::newRow("every command, delayed") << "delay:any:-1:300" << true;
        QTest::newRow("once for identify") << "noreply:0x02:1" << true;
        QTest::newRow("unknown kind") << "explode" << false;
        QTest::newRow("command out of range") << "nack:0x100" << false;
        QTest::newRow("too many parts") << "delay:any:1:2:3:4" << false;
        QTest::newRow("negative skip") << "nack:any:1:0:-1" << false;
        QTest::newRow("not a number") << "delay:any:x" << false;
    }
    void faultRules()
    {
        QFETCH(QString, rule);
        QFETCH(bool, valid);
        SimFault f;
        QCOMPARE(SimFault::parse(rule, &f), valid);
    }

    // A folder with a file of the wrong size changes nothing.
    void memorySavedAndLoaded()
    {
        const QString folder = lyrtest::scratchDir() + "/memory";
        module->memory().dspFlash[0x40000] = 'Z';
        module->memory().currentProgram = 42;
        QVERIFY(module->memory().save(folder));
        lyrsim::SimMemory loaded;
        QVERIFY(loaded.load(folder));
        QVERIFY(loaded.dspFlash == module->memory().dspFlash && loaded.currentProgram == 42);

        QFile gm(folder + "/gm-data.bin");
        QVERIFY(gm.open(QIODevice::WriteOnly) && gm.write("short") == 5);
        gm.close();
        QVERIFY(!lyrsim::SimMemory().load(folder));
    }

    void delayedAnswerComesLater()
    {
        SimFault f;
        QVERIFY(SimFault::parse("delay:0x02:1:100", &f));
        module->addFault(f);
        module->addPrelude(0x02, 0x32, QByteArray(1, 10));
        module->receive(SimCodec::encode(0x02, QByteArray()));
        QCOMPARE(replies().size(), 1);
        QCOMPARE(int(replies()[0].com), 0x32);
        QTRY_COMPARE(replies().size(), 2);
        QCOMPARE(int(replies()[1].com), 0xAC);
    }
};

LYR_TEST_MAIN_CORE(TestSimModule)
#include "tst_simmodule.moc"
