// The small records and tables beside the wavetable: the soundbank directory
// as read from the module, the identity record, the program colour names and
// the USB id helpers.

#include "TestSupport.h"
#include "ColorMap.h"
#include "DevicePath.h"
#include "TInfo.h"
#include "TSoundBankDirEntry.h"

#include <QtEndian>
#include <cstring>

namespace {

QStringList logged;

void collect(QtMsgType, const QMessageLogContext&, const QString& text)
{
    logged << text;
}

template<typename F>
QStringList debugOutputOf(F f)
{
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    f();
    qInstallMessageHandler(previous);
    return logged;
}

void setEntry(int index, const QByteArray& id, const QByteArray& name)
{
    TSoundBankDirEntry& e = soundBankDir[index];
    std::memset(&e, 0, sizeof(e));
    std::memcpy(e.id, id.constData(), size_t(qMin(id.size(), qsizetype(2))));
    std::memcpy(e.name, name.constData(), size_t(qMin(name.size(), qsizetype(16))));
}

} // namespace

class TestSmallTables : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        std::memset(soundBankDir, 0, sizeof(soundBankDir));
    }

    void soundbankCountNeedsBothIdBytes_data()
    {
        QTest::addColumn<QList<QByteArray>>("ids");
        QTest::addColumn<int>("count");
        QTest::newRow("empty directory") << QList<QByteArray>() << 0;
        QTest::newRow("factory only") << QList<QByteArray>({ "GM" }) << 1;
        QTest::newRow("first byte only") << QList<QByteArray>({ "GM", QByteArray("A\0", 2) }) << 1;
        QTest::newRow("second byte only") << QList<QByteArray>({ "GM", QByteArray("\0B", 2) }) << 1;
        QTest::newRow("gap in the middle") << QList<QByteArray>({ "GM", QByteArray("\0\0", 2), "S2" }) << 2;
        QList<QByteArray> full;
        for (int i = 0; i < 16; ++i)
            full << QByteArray("S") + char('a' + i);
        QTest::newRow("all sixteen") << full << 16;
    }
    void soundbankCountNeedsBothIdBytes()
    {
        QFETCH(QList<QByteArray>, ids);
        for (int i = 0; i < ids.size(); ++i)
            setEntry(i, ids[i], "Named anyway");
        QTEST(int(getSoundbanksCount()), "count");
    }

    void soundbankNames_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("short") << 0 << QByteArray("Factory GM") << "Factory GM";
        QTest::newRow("sixteen bytes, no NUL") << 15 << QByteArray("Vintage Keys Set") << "Vintage Keys Set";
        QTest::newRow("Latin-1") << 3 << QByteArray("Ch\xe2teau Orgue") << QString::fromUtf8("Ch\xc3\xa2teau Orgue");
        QTest::newRow("index 16") << 16 << QByteArray() << "";
        QTest::newRow("index 255") << 255 << QByteArray() << "";
    }
    void soundbankNames()
    {
        QFETCH(int, index);
        QFETCH(QByteArray, field);
        if (index < 16)
            setEntry(index, "XY", field);
        // The byte after entry 15's name is outside the directory; next to
        // any other entry it is the next entry's id.
        if (index < 15)
            setEntry(index + 1, "ZZ", "next");
        QTEST(getSoundbankName(quint8(index)), "name");
    }

    void directoryImageLandsInTheFields()
    {
        // Entry 2 of a directory as the module sends it, little-endian.
        const QByteArray entry = QByteArray::fromHex("5342" "3412" "0100" "8000" "0002" "ff03")
                                 + QByteArray("Strings & Pads\0\0", 16);
        std::memcpy(&soundBankDir[2], entry.constData(), 28);
        QCOMPARE(soundBankDir[2].size, quint16(0x1234));
        QCOMPARE(soundBankDir[2].ramPage, quint16(1));
        QCOMPARE(soundBankDir[2].flashPage, quint16(0x80));
        QCOMPARE(soundBankDir[2].pcmIn, quint16(0x200));
        QCOMPARE(soundBankDir[2].pcmOut, quint16(0x3ff));
        QCOMPARE(getSoundbankName(2), QString("Strings & Pads"));
        QCOMPARE(int(getSoundbanksCount()), 1);
    }

    void colourChoices()
    {
        initColorMap();
        initColorMap();
        QCOMPARE(colorMap.size(), 17);
        QCOMPARE(colorMap.firstKey(), Qt::black);
        QCOMPARE(colorMap.lastKey(), Qt::transparent);
        QCOMPARE(colorMap.value(Qt::transparent), QString("None"));
        QCOMPARE(colorMap.value(Qt::darkYellow), QString("Dark Yello"));
        QVERIFY(!colorMap.contains(Qt::darkCyan));
        QVERIFY(!colorMap.contains(Qt::color0));
        QVERIFY(!colorMap.contains(Qt::color1));
    }

    void identityReplyLandsInTheFields()
    {
        // A 60-byte identify reply with distinct values in every field.
        QByteArray reply(60, 0);
        auto u16 = [&](int at, quint16 v) { qToLittleEndian(v, reply.data() + at); };
        auto u32 = [&](int at, quint32 v) { qToLittleEndian(v, reply.data() + at); };
        u16(0, 0x4C59);
        u16(2, 256);
        u16(4, 0);
        u16(6, 2);
        u32(8, 0x08000000);
        u32(12, 0x8000);
        u16(16, 2);
        u16(18, 4);
        u32(20, 0x08008000);
        u32(24, 0x40000);
        u16(28, 6);
        u16(30, 3);
        u32(32, 0x08040000);
        u32(36, 0x60000);
        u16(40, 10);
        u16(42, 1);
        u32(44, 0x080C0000);
        u32(48, 0x20000);
        u16(52, 0x0102);
        u16(54, 0x0110);
        u16(56, 0x0203);
        u16(58, 0x0001);
        std::memcpy(&info, reply.constData(), sizeof(info));

        QCOMPARE(info.PacketSize, quint16(256));
        QCOMPARE(info.AppSize, quint32(0x60000));
        QCOMPARE(info.ProgramAddr, quint32(0x080C0000));
        QCOMPARE(info.SamVersion, quint16(0x0203));

        const QStringList lines = debugOutputOf(printInfo);
        QCOMPARE(lines.size(), 25);
        QCOMPARE(lines.first(), QString("\n-----------------------------"));
        QCOMPARE(lines.at(1), QString("Info"));
        QCOMPARE(lines.at(2), QString("Id: 0x4c59"));
        QCOMPARE(lines.at(3), QString("PacketSize: 256"));
        QCOMPARE(lines.at(6), QString("LoaderAddr: 0x8000000 134217728"));
        QCOMPARE(lines.at(7), QString("LoaderSize: 0x8000 32768"));
        QCOMPARE(lines.at(16), QString("ProgramSectorIni: 0xa 10"));
        QCOMPARE(lines.at(17), QString("ProgramSectorNum: 1"));
        QCOMPARE(lines.at(19), QString("ProgramSize: 0x20000 131072"));
        QCOMPARE(lines.at(20), QString("LoaderVersion: 258"));
        QCOMPARE(lines.at(23), QString("ProgramVersion: 1"));
        QCOMPARE(lines.last(), QString("-----------------------------"));
        std::memset(&info, 0, sizeof(info));
    }

    void usbIdsFromDevicePaths_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("vendor");
        QTest::addColumn<QString>("product");
        QTest::newRow("interface path")
            << "\\\\?\\usb#VID_0A1B&PID_00FF#6&2f1a3b&0&2#{a5dcbf10-6530-11d2-901f-00c04fb951ed}" << "0A1B" << "00FF";
        QTest::newRow("ids only") << "x#VID_0A1B&PID_00FF#" << "0A1B" << "00FF";
        QTest::newRow("lower-case hex digits") << "#VID_beef&PID_c0de" << "beef" << "c0de";
        QTest::newRow("no vendor") << "usb&PID_1234#serial" << "" << "1234";
        QTest::newRow("lower-case keyword") << "usb#vid_0a1b&pid_00ff#x" << "" << "";
        QTest::newRow("empty") << "" << "" << "";
    }
    void usbIdsFromDevicePaths()
    {
        QFETCH(QString, path);
        QTEST(extractVendorId(path), "vendor");
        QTEST(extractProductId(path), "product");
    }
};

LYR_TEST_MAIN_CORE(TestSmallTables)
#include "tst_smalltables.moc"
