// The command frame both ways: the editor's frames as the module reads them,
// the module's frames as the editor's walk reassembles them, and what the
// walk does with frames that are broken, too long or too short.

#include "TestSupport.h"
#include "ComNames.h"
#include "SimCodec.h"
#include "SysExFrame.h"
#include "SysExFrameWalker.h"

#include <QRandomGenerator>

using lyrsim::SimCodec;
using lyrsim::SimDecoded;

namespace {

QByteArray build(unsigned char com, const QByteArray& data)
{
    std::vector<unsigned char> out;
    buildSysExFrame(com, reinterpret_cast<const unsigned char*>(data.constData()), std::size_t(data.size()), out);
    return QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(out.size()));
}

struct Walked
{
    unsigned char com;
    unsigned short size;
    unsigned short checksum;
    QByteArray data;
};

QList<Walked> walk(const QByteArray& message, unsigned long* dropped = nullptr)
{
    SysExFrameWalker walker;
    QList<Walked> frames;
    walker.walk(reinterpret_cast<const unsigned char*>(message.constData()), std::size_t(message.size()),
                [&frames](const SysExFrame& f) {
                    frames << Walked { f.com, f.size, f.checksum,
                                       QByteArray(reinterpret_cast<const char*>(f.data), f.size) };
                });
    if (dropped)
        *dropped = walker.droppedFrames();
    return frames;
}

// "com:hexdata" per frame, for comparing whole walks at a glance.
QStringList summary(const QList<Walked>& frames)
{
    QStringList s;
    for (const Walked& f : frames)
        s << QString::asprintf("%02x:", f.com) + QString::fromLatin1(f.data.toHex());
    return s;
}

QByteArray randomBytes(int n, QRandomGenerator& rng)
{
    QByteArray b(n, 0);
    for (char& c : b)
        c = char(rng.bounded(256));
    return b;
}

// A frame whose header claims size data bytes but which carries body bytes
// as given (packed header and all), for lengths that do not match.
QByteArray frameWithHeader(unsigned short size, unsigned char com, const QByteArray& packedData)
{
    QByteArray f = build(com, QByteArray(size, 0x11)).left(8); // F0 and the packed header
    return f + packedData + char(0xF7);
}

} // namespace

class TestSysExFrame : public QObject
{
    Q_OBJECT
private slots:
    void workedExamples_data()
    {
        QTest::addColumn<int>("com");
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QByteArray>("frame");
        QTest::newRow("identify, no data") << 0x02 << QByteArray()
                                           << QByteArray::fromHex("F0 00 00 02 7D 7F 00 0C F7");
        QTest::newRow("setup variation") << 0x21 << QByteArray::fromHex("150464")
                                         << QByteArray::fromHex("F0 03 00 21 5E 7F 01 08 15 04 64 00 F7");
        QTest::newRow("eight bytes, high bits") << 0x21 << QByteArray::fromHex("8182030405060788")
                                                << QByteArray::fromHex("F0 08 00 21 5E 2B 02 0C 01 02 03 04 05 06 07 60 08 40 F7");
    }
    void workedExamples()
    {
        QFETCH(int, com);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, frame);
        QCOMPARE(build(quint8(com), data).toHex(' '), frame.toHex(' '));

        const QList<Walked> back = walk(frame);
        QCOMPARE(back.size(), 1);
        QCOMPARE(int(back[0].com), com);
        QCOMPARE(back[0].data.toHex(), data.toHex());
    }

    void restoBitsMoveIntoMsbByteAndBack()
    {
        unsigned char group[7] = { 0x81, 0x82, 0x03, 0x04, 0x05, 0x06, 0x87 };
        QCOMPARE(int(resto8bit(group, 7)), 0x61);
        for (unsigned char b : group)
            QVERIFY(b < 0x80);
        resto8bit(group, 7, 0x61);
        const unsigned char expected[7] = { 0x81, 0x82, 0x03, 0x04, 0x05, 0x06, 0x87 };
        QCOMPARE(QByteArray(reinterpret_cast<char*>(group), 7), QByteArray(reinterpret_cast<const char*>(expected), 7));

        // A short group uses the top bits of the MSB byte.
        unsigned char shortGroup[2] = { 0xFF, 0x80 };
        QCOMPARE(int(resto8bit(shortGroup, 2)), 0x60);
    }

    // The editor's encoder against the module's own decoder and the module's
    // encoder against the editor's walk, over every boundary of the groups.
    void roundTripsBothWays_data()
    {
        QTest::addColumn<int>("size");
        for (int size : { 0, 1, 6, 7, 8, 13, 14, 15, 255, 256, 1024, 4095, 32761, 32762, 32767, 32768 })
            QTest::addRow("%d bytes", size) << size;
        QRandomGenerator rng(4711);
        for (int i = 0; i < 12; ++i) {
            const int size = int(rng.bounded(32769));
            QTest::addRow("random %d bytes", size) << size;
        }
    }
    void roundTripsBothWays()
    {
        QFETCH(int, size);
        QRandomGenerator rng(quint32(size) * 7919u + 1);
        const QByteArray data = randomBytes(size, rng);
        const quint8 com = quint8(rng.bounded(256));

        const QByteArray frame = build(com, data);
        QCOMPARE(frame.size(), 9 + size + (size + 6) / 7);
        for (int i = 1; i + 1 < frame.size(); ++i)
            QVERIFY2(quint8(frame[i]) < 0x80, "a body byte with bit 7 set");

        const QList<SimDecoded> read = SimCodec::decode(frame);
        QCOMPARE(read.size(), 1);
        QCOMPARE(read[0].status, SimDecoded::Ok);
        QVERIFY(read[0].checksumOk);
        QCOMPARE(int(read[0].com), int(com));
        QVERIFY(read[0].data == data);

        const QList<Walked> back = walk(SimCodec::encode(com, data));
        QCOMPARE(back.size(), 1);
        QCOMPARE(int(back[0].com), int(com));
        QCOMPARE(int(back[0].size), size);
        QVERIFY(back[0].data == data);
    }

    void walkOfMessages_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<int>("dropped");

        const QByteArray ack = SimCodec::encode(0xAC, QByteArray::fromHex("0102"));
        const QByteArray text = SimCodec::encode(0x30, QByteArray("hi"));
        const QStringList ackOnly = { "ac:0102" };

        QTest::newRow("two frames in one message") << ack + text << QStringList { "ac:0102", "30:6869" } << 0;
        QTest::newRow("bytes before F0 are ignored") << QByteArray::fromHex("0102037f") + ack << ackOnly << 0;
        QTest::newRow("stray F7 outside a frame") << QByteArray::fromHex("f7") + ack << ackOnly << 0;

        QByteArray badComplement = ack;
        badComplement[4] = char(badComplement[4] ^ 0x01);
        QTest::newRow("bad complement, then a good frame") << badComplement + text << QStringList { "30:6869" } << 1;

        QByteArray badChecksum = ack;
        badChecksum[5] = char(badChecksum[5] ^ 0x10);
        QTest::newRow("wrong checksum is accepted") << badChecksum << ackOnly << 0;

        QTest::newRow("size field 32769 is refused")
            << SimCodec::encode(0xAC, QByteArray(32769, 0x22)) + text << QStringList { "30:6869" } << 1;
        QTest::newRow("size field 65535 is refused")
            << frameWithHeader(65535, 0xAC, QByteArray(64, 0x01)) << QStringList() << 1;

        QTest::newRow("F7 before the header is complete")
            << QByteArray::fromHex("f00200ac53f7") + text << QStringList { "30:6869" } << 1;
        QTest::newRow("F7 right after a header of size 3")
            << frameWithHeader(3, 0xAC, QByteArray()) + text << QStringList { "30:6869" } << 1;
        QTest::newRow("one data byte missing")
            << frameWithHeader(8, 0xAC, QByteArray::fromHex("01020304050607" "00" "00")) << QStringList() << 1;
        QTest::newRow("one data byte too many")
            << frameWithHeader(1, 0xAC, QByteArray::fromHex("01" "00" "05")) + ack << ackOnly << 1;
        QTest::newRow("no F7 at the end of the message") << ack + text.left(text.size() - 1) << ackOnly << 1;
        QTest::newRow("a new F0 cuts a frame short") << ack.left(9) + text << QStringList { "30:6869" } << 1;
        QTest::newRow("no data, seven-byte body") << SimCodec::encode(0x31, QByteArray()) << QStringList { "31:" } << 0;
    }
    void walkOfMessages()
    {
        QFETCH(QByteArray, message);
        QFETCH(QStringList, frames);
        QFETCH(int, dropped);
        unsigned long droppedFrames = 0;
        QCOMPARE(summary(walk(message, &droppedFrames)), frames);
        QCOMPARE(int(droppedFrames), dropped);
    }

    void frameNeverContinuesIntoTheNextMessage()
    {
        const QByteArray frame = SimCodec::encode(0xAC, QByteArray(20, 0x33));
        SysExFrameWalker walker;
        int frames = 0;
        const auto count = [&frames](const SysExFrame&) { ++frames; };
        const QByteArray first = frame.left(10), second = frame.mid(10);
        walker.walk(reinterpret_cast<const unsigned char*>(first.constData()), std::size_t(first.size()), count);
        walker.walk(reinterpret_cast<const unsigned char*>(second.constData()), std::size_t(second.size()), count);
        QCOMPARE(frames, 0);
        walker.walk(reinterpret_cast<const unsigned char*>(frame.constData()), std::size_t(frame.size()), count);
        QCOMPARE(frames, 1);
    }

    void checksumFieldIsKeptAsReceived()
    {
        QByteArray frame = build(0xAC, QByteArray::fromHex("0a0b"));
        frame[5] = 0x12;
        frame[6] = 0x34;
        const QList<Walked> back = walk(frame);
        QCOMPARE(back.size(), 1);
        QCOMPARE(int(back[0].checksum), 0x3412);
    }

    void replyCodesEndWaits_data()
    {
        QTest::addColumn<int>("com");
        QTest::addColumn<bool>("reply");
        QTest::newRow("ACK") << 0xAC << true;
        QTest::newRow("NACK") << 0x53 << true;
        QTest::newRow("PCM file ok") << 0x20 << true;
        QTest::newRow("USB pen not found") << 0x25 << true;
        QTest::newRow("firmware file error") << 0x34 << true;
        QTest::newRow("no error text") << 0x00 << false;
        QTest::newRow("parameter error text") << 0x26 << false;
        QTest::newRow("info") << 0x30 << false;
        QTest::newRow("end") << 0x31 << false;
        QTest::newRow("percent") << 0x32 << false;
        QTest::newRow("program change") << 0x41 << false;
        QTest::newRow("unknown") << 0x99 << false;
    }
    void replyCodesEndWaits()
    {
        QFETCH(int, com);
        QFETCH(bool, reply);
        QCOMPARE(isReplyCode(quint8(com)), reply);
    }

    void namesForTheLog_data()
    {
        QTest::addColumn<bool>("outgoing");
        QTest::addColumn<int>("com");
        QTest::addColumn<QString>("name");
        QTest::newRow("identify") << true << 0x02 << "ComIdentify";
        QTest::newRow("copy to RAM keeps its spelling") << true << 0x25 << "ComcopyProgramsFromFlashToRam";
        QTest::newRow("never sent but named") << true << 0x1F << "ComNotUsed1";
        QTest::newRow("gap in the commands") << true << 0x2A << "ComUnknown";
        QTest::newRow("end is no command") << true << 0x31 << "ComUnknown";
        QTest::newRow("ACK") << false << 0xAC << "ACK";
        QTest::newRow("control change") << false << 0x42 << "BM_INFO_CONTROL_CHANGE";
        QTest::newRow("gap in the replies") << false << 0x37 << "Unknown";
    }
    void namesForTheLog()
    {
        QFETCH(bool, outgoing);
        QFETCH(int, com);
        QFETCH(QString, name);
        QCOMPARE(outgoing ? comOutToString(quint8(com)) : comInToString(quint8(com)), name);
    }
};

LYR_TEST_MAIN_CORE(TestSysExFrame)
#include "tst_sysexframe.moc"
