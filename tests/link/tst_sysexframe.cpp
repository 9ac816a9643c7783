// The command frame both ways: the editor's frames as the module reads them,
// the module's frames as the editor's walk reassembles them, what the walk
// does with broken frames, and random messages through the walk and the
// link core (built with address and UB sanitizers).

#include "TestSupport.h"
#include "QMidiUtils.h"
#include "SimCodec.h"
#include "SysExFrame.h"
#include "SysExFrameWalker.h"

#include <QRandomGenerator>
#include <optional>

using lyrsim::SimCodec;

namespace {

struct Frame
{
    quint8 com;
    QByteArray data;
};

QByteArray build(quint8 com, const QByteArray& data)
{
    std::vector<unsigned char> out;
    buildSysExFrame(com, reinterpret_cast<const unsigned char*>(data.constData()), std::size_t(data.size()), out);
    return QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(out.size()));
}

// F0 and a packed header announcing size data bytes, without the data.
QByteArray header(int size, quint8 com = 0xAC) { return build(com, QByteArray(size, 0x11)).left(8); }

QList<Frame> walk(SysExFrameWalker& walker, const QByteArray& message)
{
    QList<Frame> frames;
    walker.walk(reinterpret_cast<const unsigned char*>(message.constData()), std::size_t(message.size()),
                [&frames](const SysExFrame& f) {
                    QVERIFY(f.size <= MaxFrameData && (f.com ^ f.comInv) == 0xFF);
                    frames << Frame { f.com, QByteArray(reinterpret_cast<const char*>(f.data), f.size) };
                });
    return frames;
}

// "com:hexdata" per frame.
QString summary(const QList<Frame>& frames)
{
    QStringList s;
    for (const Frame& f : frames)
        s << QString::asprintf("%02x:", f.com) + QString::fromLatin1(f.data.toHex());
    return s.join(' ');
}

// Random bytes; noisy ones have plenty of F0 and F7 among them.
QByteArray randomBytes(QRandomGenerator& rng, int n, bool noisy = false)
{
    QByteArray b(n, 0);
    for (char& c : b)
        c = char(noisy && rng.bounded(8) == 0 ? (rng.bounded(2) ? 0xF0 : 0xF7) : rng.bounded(256));
    return b;
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
        QTest::newRow("identify, no data") << 0x02 << QByteArray() << QByteArray("F0 00 00 02 7D 7F 00 0C F7");
        QTest::newRow("eight bytes, high bits") << 0x21 << QByteArray::fromHex("8182030405060788")
                                                << QByteArray("F0 08 00 21 5E 2B 02 0C 01 02 03 04 05 06 07 60 08 40 F7");
    }
    void workedExamples()
    {
        QFETCH(int, com);
        QFETCH(QByteArray, data);
        QFETCH(QByteArray, frame);
        QCOMPARE(build(quint8(com), data).toHex(' ').toUpper(), frame);
        SysExFrameWalker walker;
        QCOMPARE(summary(walk(walker, QByteArray::fromHex(frame))), summary({ Frame { quint8(com), data } }));
    }

    // The editor's encoder against the module's own decoder and the module's
    // encoder against the editor's walk, over every boundary of the groups.
    void roundTripsBothWays_data()
    {
        QTest::addColumn<int>("size");
        for (int size : { 0, 1, 6, 7, 8, 13, 14, 15, 256, 4095, 32761, 32762, 32767, 32768 })
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
        const Frame sent { quint8(rng.bounded(256)), randomBytes(rng, size) };

        const QByteArray frame = build(sent.com, sent.data);
        for (int i = 1; i + 1 < frame.size(); ++i)
            QVERIFY2(quint8(frame[i]) < 0x80, "a body byte with bit 7 set");
        const QList<lyrsim::SimDecoded> read = SimCodec::decode(frame);
        QVERIFY(read.size() == 1 && read[0].status == lyrsim::SimDecoded::Ok && read[0].checksumOk);
        QVERIFY(read[0].com == sent.com && read[0].data == sent.data);

        SysExFrameWalker walker;
        QCOMPARE(summary(walk(walker, SimCodec::encode(sent.com, sent.data))), summary({ sent }));
    }

    // Messages walked one after another by the same walker.
    void walkOfMessages_data()
    {
        QTest::addColumn<QList<QByteArray>>("messages");
        QTest::addColumn<QString>("frames");
        const QByteArray ack = SimCodec::encode(0xAC, QByteArray::fromHex("0102"));
        const QByteArray text = SimCodec::encode(0x30, "hi"), long20 = SimCodec::encode(0xAC, QByteArray(20, 0x33));
        QByteArray badComplement = ack, badChecksum = ack;
        badComplement[4] = char(badComplement[4] ^ 0x01);
        badChecksum[5] = char(badChecksum[5] ^ 0x10);
        using M = QList<QByteArray>;

        QTest::newRow("two frames in one message") << M { ack + text } << "ac:0102 30:6869";
        QTest::newRow("noise and a stray F7 before F0") << M { QByteArray::fromHex("01027ff7") + ack } << "ac:0102";
        QTest::newRow("bad complement") << M { badComplement + text } << "30:6869";
        QTest::newRow("wrong checksum is accepted") << M { badChecksum } << "ac:0102";
        QTest::newRow("32769 data bytes") << M { SimCodec::encode(0xAC, QByteArray(32769, 0x22)) + text } << "30:6869";
        QTest::newRow("F7 inside the header") << M { QByteArray::fromHex("f00200ac53f7") + text } << "30:6869";
        QTest::newRow("F7 right after a header of size 3") << M { header(3) + "\xf7" + text } << "30:6869";
        QTest::newRow("one data byte missing") << M { header(8) + QByteArray::fromHex("010203040506070000f7") } << "";
        QTest::newRow("one data byte too many") << M { header(1) + QByteArray::fromHex("010005f7") + ack } << "ac:0102";
        QTest::newRow("no F7 at the end") << M { ack + text.chopped(1) } << "ac:0102";
        QTest::newRow("a new F0 cuts a frame short") << M { ack.left(9) + text } << "30:6869";
        // A frame cut off at the end of its message is dropped, not continued by the next one.
        QTest::newRow("a frame across two messages") << M { long20.left(10), long20.mid(10) } << "";
    }
    void walkOfMessages()
    {
        QFETCH(QList<QByteArray>, messages);
        SysExFrameWalker walker;
        QList<Frame> frames;
        for (const QByteArray& message : messages)
            frames += walk(walker, message);
        QTEST(summary(frames), "frames");
    }

    // Intact frames, damaged frames, noise and forged headers (good
    // complement, any size) in random messages: nothing read or written out
    // of bounds, the intact frames found, and the link's reply slot holding
    // the last reply frame accepted, whole. LYR_FUZZ_ITERATIONS raises the
    // count (default 3000, about 2000 a second; a long run also needs
    // QTEST_FUNCTION_TIMEOUT in ms), LYR_FUZZ_SEED repeats a run.
    void randomMessages()
    {
        const quint32 seed = lyrtest::fuzzSeed();
        QRandomGenerator rng(seed);
        SysExFrameWalker walker;
        QMidiUtils link;
        std::optional<Frame> lastReply;
        for (int i = 0, n = lyrtest::fuzzIterations(3000); i < n; ++i) {
            QByteArray message;
            QList<Frame> intact;
            bool damaged = false;
            for (int pieces = 1 + int(rng.bounded(4)); pieces > 0; --pieces) {
                const quint32 kind = rng.bounded(5), sizeKind = rng.bounded(6);
                const int size = int(sizeKind == 0 ? rng.bounded(32769) : sizeKind == 1 ? 32768 - rng.bounded(8) : rng.bounded(40));
                const Frame f { quint8(rng.bounded(256)), randomBytes(rng, size) };
                QByteArray m = build(f.com, f.data);
                damaged = damaged || kind >= 2;
                if (kind < 2)
                    intact << f;
                // Damaged: bits flipped, cut, bytes dropped or noise put in, half the time in the header.
                for (int edits = kind == 2 ? 1 + int(rng.bounded(4)) : 0; edits > 0 && !m.isEmpty(); --edits) {
                    const int at = int(rng.bounded(quint32(rng.bounded(2) ? qMin<qsizetype>(m.size(), 8) : m.size())));
                    switch (rng.bounded(4)) {
                    case 0: m[at] = char(m[at] ^ (1 << rng.bounded(8))); break;
                    case 1: m.truncate(at); break;
                    case 2: m.remove(at, 1); break;
                    default: m.insert(at, randomBytes(rng, 1 + int(rng.bounded(16)), true)); break;
                    }
                }
                if (kind == 3)
                    m = randomBytes(rng, int(rng.bounded(rng.bounded(20) == 0 ? 40000 : 64)), true);
                if (kind == 4)
                    m = header(int(rng.bounded(65536)), f.com)
                        + randomBytes(rng, int(rng.bounded(rng.bounded(8) == 0 ? 40000 : 200))).replace(char(0xF0), char(0x70))
                        + (rng.bounded(2) ? "\xf7" : "");
                message += m;
            }

            const QList<Frame> found = walk(walker, message);
            if (QTest::currentTestFailed())
                return;
            if (!damaged)
                QVERIFY2(summary(found) == summary(intact), qPrintable(QString("seed %1, message %2").arg(seed).arg(i)));
            for (const Frame& f : found)
                if (isReplyCode(f.com))
                    lastReply = f;
            QMidiMessage m;
            m.setStatus(MIDI_SYSEX);
            m.setRawMessage(std::vector<unsigned char>(message.begin(), message.end()));
            link.onMidiMessageRecieved(&m);
            QVERIFY(link.replySize <= MaxFrameData);
            QCOMPARE(link.replyReceived, lastReply.has_value());
            if (lastReply)
                QVERIFY(link.replyCom == lastReply->com
                        && QByteArray(reinterpret_cast<const char*>(link.replyData), link.replySize) == lastReply->data);
        }
    }
};

LYR_TEST_MAIN_CORE(TestSysExFrame)
#include "tst_sysexframe.moc"
