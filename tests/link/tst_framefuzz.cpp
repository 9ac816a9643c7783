// Randomised messages through the frame walk and the link core, built with
// address and undefined-behaviour sanitizers: whatever bytes arrive, nothing
// is read or written out of bounds, no frame larger than 32768 bytes is
// accepted, good frames are found among the garbage, and the reply slot only
// ever holds a whole reply frame.
//
// LYR_FUZZ_ITERATIONS raises the number of messages (default 3000; about
// 2000 a second, so a long run also needs QTEST_FUNCTION_TIMEOUT in ms);
// LYR_FUZZ_SEED repeats a run.

#include "TestSupport.h"
#include "QMidiUtils.h"
#include "SysExFrame.h"
#include "SysExFrameWalker.h"

#include <QRandomGenerator>

namespace {

struct Expected
{
    unsigned char com;
    QByteArray data;
};

class MessageMaker
{
public:
    explicit MessageMaker(quint32 seed) : rng(seed) {}

    // A message, and the frames in it that were left intact (in order),
    // or nothing known when pieces were damaged.
    QByteArray make(QList<Expected>* intact, bool* damaged)
    {
        QByteArray message;
        *damaged = false;
        intact->clear();
        const int pieces = 1 + int(rng.bounded(4));
        for (int p = 0; p < pieces; ++p) {
            switch (rng.bounded(5)) {
            case 0:
            case 1: {
                const Expected e { quint8(rng.bounded(256)), randomData(size()) };
                message += frame(e.com, e.data);
                *intact << e;
                break;
            }
            case 2: {
                QByteArray f = frame(quint8(rng.bounded(256)), randomData(size()));
                mutate(f);
                message += f;
                *damaged = true;
                break;
            }
            case 3:
                message += noise(int(rng.bounded(rng.bounded(20) == 0 ? 40000 : 64)));
                *damaged = true;
                break;
            default:
                message += forgedHeader();
                *damaged = true;
                break;
            }
        }
        return message;
    }

private:
    int size()
    {
        switch (rng.bounded(6)) {
        case 0: return int(rng.bounded(32769));
        case 1: return 32768 - int(rng.bounded(8));
        default: return int(rng.bounded(40));
        }
    }

    QByteArray randomData(int n)
    {
        QByteArray b(n, 0);
        for (char& c : b)
            c = char(rng.bounded(256));
        return b;
    }

    static QByteArray frame(unsigned char com, const QByteArray& data)
    {
        std::vector<unsigned char> out;
        buildSysExFrame(com, reinterpret_cast<const unsigned char*>(data.constData()), std::size_t(data.size()), out);
        return QByteArray(reinterpret_cast<const char*>(out.data()), qsizetype(out.size()));
    }

    // Bytes with plenty of F0 and F7 among them.
    QByteArray noise(int n)
    {
        QByteArray b(n, 0);
        for (char& c : b) {
            const quint32 r = rng.bounded(16);
            c = char(r == 0 ? 0xF0 : r == 1 ? 0xF7 : rng.bounded(256));
        }
        return b;
    }

    void mutate(QByteArray& f)
    {
        const int edits = 1 + int(rng.bounded(4));
        for (int i = 0; i < edits && !f.isEmpty(); ++i) {
            const int at = int(rng.bounded(quint32(f.size())));
            switch (rng.bounded(6)) {
            case 0: f[at] = char(f[at] ^ (1 << rng.bounded(8))); break;
            case 1: f.truncate(at); break;
            case 2: f.insert(at, char(rng.bounded(2) ? 0xF0 : 0xF7)); break;
            case 3: f.remove(at, 1); break;
            case 4: f.insert(at, noise(1 + int(rng.bounded(16)))); break;
            default: f[1 + int(rng.bounded(quint32(qMin<qsizetype>(7, f.size() - 1))))] = char(rng.bounded(128)); break;
            }
        }
    }

    // A header with a good complement and any size, followed by any body.
    QByteArray forgedHeader()
    {
        const quint16 size = quint16(rng.bounded(65536));
        const quint8 com = quint8(rng.bounded(256));
        unsigned char h[6] = { quint8(size), quint8(size >> 8), com, quint8(~com), quint8(rng.bounded(256)), quint8(rng.bounded(256)) };
        QByteArray f(1, char(0xF0));
        const unsigned char msb = resto8bit(h, 6);
        f.append(reinterpret_cast<const char*>(h), 6);
        f.append(char(msb));
        f += noise(int(rng.bounded(rng.bounded(8) == 0 ? 40000 : 200))).replace(char(0xF0), char(0x70));
        if (rng.bounded(2))
            f.append(char(0xF7));
        return f;
    }

    QRandomGenerator rng;
};

quint32 envNumber(const char* name, quint32 fallback)
{
    bool ok = false;
    const quint32 v = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? v : fallback;
}

} // namespace

class TestFrameFuzz : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The walk logs every dropped frame; thousands of lines say nothing here.
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& msg) {
            if (type != QtDebugMsg)
                fprintf(stderr, "%s\n", qPrintable(msg));
        });
    }

    void arbitraryMessages()
    {
        const quint32 iterations = envNumber("LYR_FUZZ_ITERATIONS", 3000);
        const quint32 seed = envNumber("LYR_FUZZ_SEED", QRandomGenerator::global()->generate());
        qInfo("%u messages, seed %u", iterations, seed);
        MessageMaker maker(seed);

        SysExFrameWalker walker;
        QMidiUtils link;
        // What the reply slot must hold: the last reply frame accepted so far.
        bool haveReply = false;
        Expected lastReply { 0, QByteArray() };
        quint64 accepted = 0, bytes = 0;

        for (quint32 i = 0; i < iterations; ++i) {
            QList<Expected> intact;
            bool damaged = false;
            const QByteArray message = maker.make(&intact, &damaged);
            bytes += quint64(message.size());
            if (i > 0 && i % 100000 == 0)
                qInfo("%u messages so far", i);

            QList<Expected> found;
            walker.walk(reinterpret_cast<const unsigned char*>(message.constData()), std::size_t(message.size()),
                        [&found](const SysExFrame& f) {
                            QVERIFY(f.size <= MaxFrameData);
                            QCOMPARE(int(f.com ^ f.comInv), 0xFF);
                            found << Expected { f.com, QByteArray(reinterpret_cast<const char*>(f.data), f.size) };
                        });
            accepted += quint64(found.size());
            if (!damaged) {
                QCOMPARE(found.size(), intact.size());
                for (int k = 0; k < found.size(); ++k) {
                    QCOMPARE(found[k].com, intact[k].com);
                    QVERIFY(found[k].data == intact[k].data);
                }
            }
            for (const Expected& f : found) {
                if (isReplyCode(f.com)) {
                    haveReply = true;
                    lastReply = f;
                }
            }

            QMidiMessage m;
            m.setStatus(MIDI_SYSEX);
            m.setRawMessage(std::vector<unsigned char>(message.begin(), message.end()));
            link.onMidiMessageRecieved(&m);
            if (QTest::currentTestFailed())
                QFAIL(qPrintable(QString("message %1 of seed %2").arg(i).arg(seed)));
            QVERIFY(link.replySize <= MaxFrameData);
            QCOMPARE(link.replyReceived, haveReply);
            if (haveReply) {
                QCOMPARE(link.replyCom, lastReply.com);
                QVERIFY(QByteArray(reinterpret_cast<const char*>(link.replyData), link.replySize) == lastReply.data);
            }
        }
        qInfo("%u messages survived: %llu frames accepted from %llu bytes", iterations, accepted, bytes);
    }
};

LYR_TEST_MAIN_CORE(TestFrameFuzz)
#include "tst_framefuzz.moc"
