// Randomised robustness of everything that reads wavetable bytes or
// descriptor text from outside: tables full of random bytes through every
// look-up and table operation, and mangled descriptor text through the parser. Built with address and UB sanitizers; the sanitizers catch
// reads and writes outside the record, the checks here catch writes into the
// wrong part of it.
//
// LYR_FUZZ_ITERATIONS raises the number of rounds (default: a few seconds),
// LYR_FUZZ_SEED repeats a run.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "WavetableDescriptor.h"
#include "WavetableTestTools.h"

#include <QBuffer>
#include <QFile>
#include <QRandomGenerator>
#include <algorithm>
#include <cstring>

namespace {

int rounds(int fallback)
{
    const int n = qEnvironmentVariableIntValue("LYR_FUZZ_ITERATIONS");
    return n > 0 ? n : fallback;
}

QRandomGenerator& rng()
{
    static QRandomGenerator generator = [] {
        bool ok = false;
        quint32 seed = qgetenv("LYR_FUZZ_SEED").toUInt(&ok);
        if (!ok)
            seed = QRandomGenerator::global()->generate();
        qInfo("LYR_FUZZ_SEED=%u", seed);
        return QRandomGenerator(seed);
    }();
    return generator;
}

int pick(int lowest, int highest)
{
    return int(rng().bounded(lowest, highest + 1));
}

bool chance(int percent)
{
    return pick(1, 100) <= percent;
}

void randomise(TGmWavetable& table)
{
    rng().fillRange(reinterpret_cast<quint32*>(&table), sizeof(table) / sizeof(quint32));
    // Now and then plausible counts, so the operations also run on full,
    // nearly full and empty families rather than only on corrupt ones.
    for (TGmFamily& f : table.family)
        if (chance(50))
            f.count = quint16(pick(0, 252));
}

// The bytes that no table operation may write: family names and free tail.
QByteArray namesAndTail(const TGmWavetable& table)
{
    QByteArray out;
    for (const TGmFamily& f : table.family)
        out.append(f.name, sizeof(f.name));
    return out.append(reinterpret_cast<const char*>(table.free), sizeof(table.free));
}

QByteArray noise()
{
    QByteArray bytes(pick(0, 80), '\0');
    for (char& c : bytes)
        c = char(pick(0, 255));
    return bytes;
}

// Descriptor text with random edits: bytes changed, stretches dropped or
// repeated, and pieces a parser may trip over put in anywhere (numbers of any
// length, broken UTF-8, odd separators, line ends, noise).
QByteArray mangled(QByteArray text)
{
    static const char* const pieces[] = { "99999999999999999999999", "0000000000000000000127", "\xc3", "\xf0\x9f\x8e\xb9", "\xed\xa0\x80",
                                          "\xff", "\xd9\xa3", ",", " , ", "\t", ";", "$,", "!,", "\r", "\n", "\r\n", "-1", "              " };
    for (int e = pick(1, 40); e > 0 && !text.isEmpty(); --e) {
        const int at = pick(0, int(text.size()) - 1);
        switch (pick(0, 4)) {
        case 0: text[at] = char(pick(0, 255)); break;
        case 1: text.insert(at, noise()); break;
        case 2: text.remove(at, pick(1, 40)); break;
        case 3: text.insert(at, pieces[pick(0, int(std::size(pieces)) - 1)]); break;
        default: text.insert(at, text.mid(at, pick(1, 400))); break;
        }
    }
    return text;
}

// What every parse result must look like, whatever the text.
bool wellFormed(const TGmWavetable& table, quint8 sbk, QString* why)
{
    const TGmVoice zero = {};
    for (int f = 0; f < GmFamilyCount; ++f) {
        const TGmFamily& family = table.family[f];
        if (family.count > GmMaxVoices || std::any_of(family.name, family.name + GmFamilyNameField, [](char c) { return c; }))
            return *why = QString("family %1: count %2 or a name").arg(f).arg(family.count), false;
        for (int i = 0; i < GmMaxVoices; ++i) {
            const TGmVoice& v = family.voice[i];
            const QByteArray n = wttest::nameBytes(v);
            const bool padded = std::all_of(v.name + n.size(), v.name + GmVoiceNameField, [](char c) { return c == 0; });
            const bool ok = i >= family.count ? std::memcmp(&v, &zero, sizeof(v)) == 0
                                              : n.size() <= GmVoiceNameMax && padded && wttest::isValidUtf8(n) && v.num == i && v.sbk == sbk
                                                    && v.family == (f == GmDrumFamily ? 0 : f) && (f != GmDrumFamily || v.bank == 0);
            if (!ok)
                return *why = QString("voice %1/%2: %3").arg(f).arg(i).arg(QString(QByteArray(v.name, sizeof(TGmVoice)).toHex())), false;
        }
    }
    if (std::any_of(table.free, table.free + sizeof(table.free), [](quint8 b) { return b; }))
        return *why = "free tail written", false;
    return true;
}

TGmWavetable scratch, source, viaDevice;

} // namespace

class TestWavetableRandom : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        rng();
    }

    void randomTablesThroughEveryLookUpAndOperation()
    {
        wttest::QuietDebug quiet;
        for (int round = rounds(80); round > 0; --round) {
            randomise(wavetable);
            randomise(source);
            for (int f = 0; f < 256; ++f) {
                const quint8 family = quint8(f);
                QVERIFY(getFamilyName(family).size() <= GmFamilyNameField && getVoiceCount(family) <= GmMaxVoices);
                for (int v : { 0, 1, 100, 250, 251, 260, 1000, 65535 }) {
                    const quint16 voice = quint16(v);
                    const QString name = getVoiceName(family, voice);
                    const int values = getVoiceBank(family, voice) | getVoicePch(family, voice) | getVoiceNum(family, voice) | getVoiceSbk(family, voice);
                    if (f >= GmFamilyCount || voice >= GmMaxVoices)
                        QVERIFY(name == "Unavailable" && values == 0);
                    else
                        QVERIFY(name.size() <= GmVoiceNameField);
                }
            }
            for (int k = 0; k < 40; ++k) {
                const quint8 bank = quint8(pick(0, 255)), family = quint8(pick(0, 14));
                const quint16 pch = quint16(chance(90) ? pick(0, 255) : pick(0, 65535));
                const quint16 idx = getVoiceIdx(family, bank, pch);
                QVERIFY(idx == GmMaxVoices || (idx < GmMaxVoices && getVoiceBank(family, idx) == bank && getVoicePch(family, idx) == pch));
                const quint8 fam = getVoiceFam(bank, pch);
                QVERIFY(fam == GmFamilyCount || (fam < GmFamilyCount && getVoiceIdx(fam, bank, pch) < GmMaxVoices));
            }
            validateWavetable(&wavetable);

            const QByteArray untouched = namesAndTail(wavetable);
            addWavetable(&source);
            removeSoundbankFromWavetable(quint8(pick(0, 20)));
            QCOMPARE(namesAndTail(wavetable), untouched);
            if (chance(50))
                addWavetable(&wavetable);
            removeAllSoundbanksFromWavetable();
            QCOMPARE(namesAndTail(wavetable), untouched);
            for (int f = 0; f < GmFamilyCount; ++f)
                for (int i = 0; i < getVoiceCount(quint8(f)); ++i)
                    QCOMPARE(getVoiceSbk(quint8(f), quint16(i)), quint8(0));
            addFamilyNamesFromWavetable(&source);
            initWavetableFamilyNames();
            QCOMPARE(getFamilyName(5), QString("String-Choir"));
        }
    }

    void mangledDescriptorText()
    {
        wttest::QuietDebug quiet;
        QFile file(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        // The shipped text, and one whose family 3 runs past its 251 slots.
        const QByteArray shipped = file.readAll();
        QByteArray overflowing = shipped;
        for (int k = 0; k < 260; ++k)
            overflowing += "$,0," + QByteArray::number(k % 128) + ",3,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,v" + QByteArray::number(k) + "\n";
        int voices = 0, fullFamilies = 0;
        const int n = rounds(200);
        for (int round = 0; round < n; ++round) {
            const QByteArray text = mangled(chance(50) ? shipped : overflowing);
            const quint8 sbk = quint8(pick(0, 255));
            randomise(scratch);
            extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), &scratch, sbk);
            QString why;
            QVERIFY2(wellFormed(scratch, sbk, &why), qPrintable(why + "\n" + text.toBase64()));
            // The device form reads the same text the same way.
            QBuffer buffer;
            buffer.setData(text);
            buffer.open(QIODevice::ReadOnly);
            extractWavetable(&buffer, &viaDevice, sbk);
            QVERIFY(std::memcmp(&scratch, &viaDevice, sizeof(scratch)) == 0);
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
        wttest::QuietDebug quiet;
        // A million-digit program change, a megabyte-long name, and a line of
        // a million commas.
        QByteArray huge(1000000, '9');
        huge.replace(huge.size() - 3, 3, "263");
        QByteArray text = "$,0," + huge + ",2,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,Big\n";
        text += "$,0,5,3,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1," + QByteArray(1000000, 'n') + "\n";
        text += "$" + QByteArray(1000000, ',') + "\n";
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), &scratch, 1);
        unsigned expected = 0;
        for (char c : huge)
            expected = (expected * 10 + unsigned(c - '0')) % 256;
        QCOMPARE(unsigned(scratch.family[2].voice[0].pch), expected);
        QCOMPARE(wttest::nameBytes(scratch.family[3].voice[0]), QByteArray(14, 'n'));
        QString why;
        QVERIFY2(wellFormed(scratch, 1, &why), qPrintable(why));
    }
};

LYR_TEST_MAIN_CORE(TestWavetableRandom)
#include "tst_wavetable_random.moc"
