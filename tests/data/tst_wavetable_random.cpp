// Randomised robustness of everything that reads wavetable bytes or
// descriptor text from outside: tables full of random bytes through every
// look-up and table operation, and mangled descriptor text through the
// parser. Built with address and UB sanitizers; they catch reads and writes
// outside the record, the checks here catch writes into the wrong part of it.
//
// LYR_FUZZ_ITERATIONS raises the number of rounds (default: a few seconds),
// LYR_FUZZ_SEED repeats a run.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "WavetableDescriptor.h"
#include "WavetableTestTools.h"

#include <QFile>
#include <QRandomGenerator>
#include <algorithm>

namespace {

QRandomGenerator rng;

int pick(int lowest, int highest) { return int(rng.bounded(lowest, highest + 1)); }

void randomise(TGmWavetable& table)
{
    rng.fillRange(reinterpret_cast<quint32*>(&table), sizeof(table) / sizeof(quint32));
    // Half the families get plausible counts, so the operations also run on
    // full, nearly full and empty families rather than only on corrupt ones.
    for (TGmFamily& f : table.family)
        f.count = pick(0, 1) ? quint16(pick(0, 252)) : f.count;
}

// The bytes that no table operation may write: family names and free tail.
QByteArray namesAndTail(const TGmWavetable& table)
{
    QByteArray out;
    for (const TGmFamily& f : table.family)
        out.append(f.name, sizeof(f.name));
    return out.append(reinterpret_cast<const char*>(table.free), sizeof(table.free));
}

// Descriptor text with random edits: bytes changed, stretches dropped or
// repeated, and pieces a parser may trip over put in anywhere (numbers of any
// length, broken UTF-8, odd separators, line ends, runs of one byte).
QByteArray mangled(QByteArray text)
{
    static const char* const pieces[] = { "99999999999999999999999", "0000000000000000000127", "\xc3", "\xf0\x9f\x8e\xb9", "\xed\xa0\x80",
                                          "\xff", "\xd9\xa3", ",", " , ", "\t", ";", "$,", "!,", "\r", "\n", "\r\n", "-1", "              " };
    for (int e = pick(1, 40); e > 0 && !text.isEmpty(); --e) {
        const int at = pick(0, int(text.size()) - 1);
        switch (pick(0, 4)) {
        case 0: text[at] = char(pick(0, 255)); break;
        case 1: text.insert(at, QByteArray(pick(1, 80), char(pick(0, 255)))); break;
        case 2: text.remove(at, pick(1, 40)); break;
        case 3: text.insert(at, pieces[pick(0, int(std::size(pieces)) - 1)]); break;
        default: text.insert(at, text.mid(at, pick(1, 400))); break;
        }
    }
    return text;
}

// What any parse result must look like, whatever the text; empty when it does:
// counts within the slots, whole UTF-8 names of at most 14 bytes padded with
// NULs, and zeros in every byte the parser has no business writing.
QString malformed(const TGmWavetable& table)
{
    const TGmVoice zero = {};
    for (int f = 0; f < GmFamilyCount; ++f)
        for (int i = 0; i < GmMaxVoices; ++i) {
            const TGmVoice& v = table.family[f].voice[i];
            const QByteArray n = wttest::nameBytes(v);
            const bool padded = QByteArray(v.name, GmVoiceNameField) == n.leftJustified(GmVoiceNameField, '\0');
            const bool ok = i < table.family[f].count ? n.size() <= GmVoiceNameMax && QString::fromUtf8(n).toUtf8() == n && padded
                                                      : std::memcmp(&v, &zero, sizeof(zero)) == 0;
            if (!ok || table.family[f].count > GmMaxVoices)
                return QString("family %1 (count %2), slot %3: %4").arg(f).arg(table.family[f].count).arg(i).arg(QString(n.toHex()));
        }
    const QByteArray rest = namesAndTail(table);
    return rest.count('\0') == rest.size() ? QString() : "a family name or the free tail written";
}

TGmWavetable scratch, source;

} // namespace

class TestWavetableRandom : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        rng.seed(lyrtest::fuzzSeed());
    }

    void randomTablesThroughEveryLookUpAndOperation()
    {
        for (int round = lyrtest::fuzzIterations(60); round > 0; --round) {
            randomise(wavetable);
            randomise(source);
            for (int f = 0; f < 256; ++f) {
                const quint8 family = quint8(f);
                QVERIFY(getFamilyName(family).size() <= GmFamilyNameField && getVoiceCount(family) <= GmMaxVoices);
                for (quint16 voice : { 0, 1, 100, 250, 251, 260, 1000, 65535 }) {
                    const QString name = getVoiceName(family, voice);
                    const int values = getVoiceBank(family, voice) | getVoicePch(family, voice) | getVoiceNum(family, voice) | getVoiceSbk(family, voice);
                    QVERIFY(f < GmFamilyCount && voice < GmMaxVoices ? name.size() <= GmVoiceNameField : name == "Unavailable" && values == 0);
                }
                getVoiceIdx(family, quint8(pick(0, 255)), quint16(pick(0, 65535)));
                getVoiceFam(quint8(pick(0, 255)), quint16(pick(0, 300)));
            }
            validateWavetable(&wavetable);
            // Merging and removal write voices and counts, never the family names or the free tail.
            const QByteArray untouched = namesAndTail(wavetable);
            addWavetable(&source);
            removeSoundbankFromWavetable(quint8(pick(0, 20)));
            if (pick(0, 1))
                addWavetable(&wavetable);
            removeAllSoundbanksFromWavetable();
            QCOMPARE(namesAndTail(wavetable), untouched);
            initWavetableFamilyNames();
        }
    }

    void mangledDescriptorText()
    {
        QFile file(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The shipped text, and one whose family 3 runs past its 251 slots.
        const QByteArray shipped = file.readAll();
        QByteArray overflowing = shipped;
        for (int k = 0; k < 260; ++k)
            overflowing += "$,0," + QByteArray::number(k % 128) + ",3,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,v" + QByteArray::number(k) + "\n";
        int voices = 0, fullFamilies = 0;
        const int n = lyrtest::fuzzIterations(200);
        for (int round = 0; round < n; ++round) {
            const QByteArray text = mangled(pick(0, 1) ? shipped : overflowing);
            randomise(scratch);
            extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), &scratch, quint8(pick(0, 255)));
            QVERIFY2(malformed(scratch).isEmpty(), qPrintable(malformed(scratch) + "\n" + text.toBase64()));
            for (const TGmFamily& f : scratch.family) {
                voices += f.count;
                fullFamilies += f.count == GmMaxVoices;
            }
        }
        // The generator must reach the accepting paths, not only the rejects.
        QVERIFY(voices > n && fullFamilies > 0);
    }

    void enormousNumbersAndLines()
    {
        // A million-digit program change (10^1000003 + 263, whose low byte is
        // 7), a megabyte-long name, and a line of a million commas.
        const QByteArray text = "$,0,1" + QByteArray(1000000, '0') + "263,2,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,Big\n"
            + "$,0,5,3,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1," + QByteArray(1000000, 'n') + "\n$" + QByteArray(1000000, ',') + "\n";
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), &scratch, 1);
        QCOMPARE(scratch.family[2].voice[0].pch, quint8(7));
        QCOMPARE(wttest::nameBytes(scratch.family[3].voice[0]), QByteArray(14, 'n'));
        QCOMPARE(malformed(scratch), QString());
    }
};

LYR_TEST_MAIN_CORE(TestWavetableRandom)
#include "tst_wavetable_random.moc"
