// Randomised robustness of everything that reads wavetable bytes or
// descriptor text from outside: tables full of random bytes through every
// look-up and table operation, and random or mangled descriptor text through
// the parser. Built with address and UB sanitizers; the sanitizers catch
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
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("LYR_FUZZ_ITERATIONS", &ok);
    return ok && n > 0 ? n : fallback;
}

QRandomGenerator& rng()
{
    static QRandomGenerator generator = [] {
        bool ok = false;
        quint32 seed = quint32(qEnvironmentVariableIntValue("LYR_FUZZ_SEED", &ok));
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
    auto* words = reinterpret_cast<quint32*>(&table);
    rng().fillRange(words, sizeof(table) / sizeof(quint32));
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
    out.append(reinterpret_cast<const char*>(table.free), sizeof(table.free));
    return out;
}

QByteArray number()
{
    if (chance(5))
        return QByteArray();
    QByteArray digits;
    const int length = chance(10) ? pick(10, 60) : pick(1, 3);
    for (int i = 0; i < length; ++i)
        digits += char('0' + pick(0, 9));
    if (chance(3))
        digits[pick(0, int(digits.size()) - 1)] = "x-\xd9 "[pick(0, 3)];
    return digits;
}

QByteArray separator()
{
    static const char* const kinds[] = { ",", ",", ",", " , ", "\t,", ",\t\t", ";", "" };
    return kinds[pick(0, 7)];
}

QByteArray name()
{
    static const char* const pieces[] = {
        "Piano", " ", "\t", "Str", "\xc3\xa9", "\xe2\x82\xac", "\xf0\x9f\x8e\xb9", "\xff", "\xc3",
        "\xed\xa0\x80", "\r", "\0", ",", "$", "Pad 2", "                ",
    };
    QByteArray out;
    const int n = pick(0, 12);
    for (int i = 0; i < n; ++i) {
        const int k = pick(0, 15);
        out += k == 11 ? QByteArray(1, '\0') : QByteArray(pieces[k]);
    }
    return out;
}

QByteArray recordLine()
{
    const bool drum = chance(30);
    QByteArray line = chance(95) ? QByteArray(drum ? "!" : "$") : QByteArray(" $");
    const int numbers = drum ? pick(3, 5) : pick(18, 22);
    for (int i = 0; i < numbers; ++i) {
        line += separator();
        // The family field mostly in range, so families fill up.
        line += (!drum && i == 2 && chance(80)) ? QByteArray::number(pick(0, 13)) : number();
    }
    return line + separator() + name();
}

QByteArray noiseLine()
{
    QByteArray bytes(pick(0, 80), '\0');
    for (char& c : bytes)
        c = char(pick(0, 255));
    return bytes;
}

QByteArray randomDescriptor()
{
    QByteArray text;
    const int lines = pick(0, 300);
    const int burstAt = chance(40) ? pick(0, lines) : -1;
    for (int i = 0; i < lines; ++i) {
        if (i == burstAt) {
            // A burst for one family, past its 251 slots.
            const QByteArray f = QByteArray::number(pick(0, 11));
            for (int k = 0; k < 260; ++k)
                text += "$,0," + QByteArray::number(k) + "," + f + ",1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,v" + QByteArray::number(k) + "\n";
            continue;
        }
        text += chance(80) ? recordLine() : noiseLine();
        text += chance(90) ? "\n" : chance(50) ? "\r\n" : "\r";
    }
    return text;
}

QByteArray mangled(QByteArray text)
{
    const int edits = pick(1, 40);
    for (int e = 0; e < edits && !text.isEmpty(); ++e) {
        const int at = pick(0, int(text.size()) - 1);
        switch (pick(0, 3)) {
        case 0: text[at] = char(pick(0, 255)); break;
        case 1: text.insert(at, noiseLine()); break;
        case 2: text.remove(at, pick(1, 40)); break;
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
        if (family.count > GmMaxVoices)
            return *why = QString("family %1 count %2").arg(f).arg(family.count), false;
        for (char c : family.name)
            if (c != 0)
                return *why = QString("family %1 has a name").arg(f), false;
        for (int i = 0; i < GmMaxVoices; ++i) {
            const TGmVoice& v = family.voice[i];
            if (i >= family.count) {
                if (std::memcmp(&v, &zero, sizeof(v)) != 0)
                    return *why = QString("unused slot %1/%2 written").arg(f).arg(i), false;
                continue;
            }
            const QByteArray n = wttest::nameBytes(v);
            const bool padded = std::all_of(v.name + n.size(), v.name + GmVoiceNameField, [](char c) { return c == 0; });
            if (n.size() > GmVoiceNameMax || !padded || !wttest::isValidUtf8(n))
                return *why = QString("bad name in %1/%2: %3").arg(f).arg(i).arg(QString(n.toHex())), false;
            if (v.num != i || v.sbk != sbk || v.family != (f == GmDrumFamily ? 0 : f) || (f == GmDrumFamily && v.bank != 0))
                return *why = QString("bad bytes in %1/%2").arg(f).arg(i), false;
        }
    }
    for (quint8 b : table.free)
        if (b != 0)
            return *why = "free tail written", false;
    return true;
}

TGmWavetable scratch;
TGmWavetable source;
TGmWavetable viaDevice;

} // namespace

class TestWavetableRandom : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        rng();
    }

    void randomTablesThroughEveryLookUp()
    {
        wttest::QuietDebug quiet;
        const QString unavailable("Unavailable");
        const int n = rounds(40);
        for (int round = 0; round < n; ++round) {
            randomise(wavetable);
            for (int f = 0; f < 256; ++f) {
                const quint8 family = quint8(f);
                QVERIFY(getFamilyName(family).size() <= GmFamilyNameField);
                QVERIFY(getVoiceCount(family) <= GmMaxVoices);
                const int lastVoice = f <= GmFamilyCount ? 260 : 1;
                for (int v = 0; v <= lastVoice + 2; ++v) {
                    const quint16 voice = v == lastVoice + 1 ? 1000 : v == lastVoice + 2 ? 65535 : quint16(v);
                    const QString name = getVoiceName(family, voice);
                    const quint8 values = getVoiceBank(family, voice) | getVoicePch(family, voice)
                                          | getVoiceNum(family, voice) | getVoiceSbk(family, voice);
                    if (f >= GmFamilyCount || voice >= GmMaxVoices) {
                        QCOMPARE(name, unavailable);
                        QCOMPARE(values, quint8(0));
                    } else {
                        QVERIFY(name.size() <= GmVoiceNameField);
                    }
                }
            }
            for (int k = 0; k < 40; ++k) {
                const quint8 bank = quint8(pick(0, 255));
                const quint16 pch = quint16(chance(90) ? pick(0, 255) : pick(0, 65535));
                const quint8 family = quint8(pick(0, 14));
                const quint16 idx = getVoiceIdx(family, bank, pch);
                QVERIFY(idx <= GmMaxVoices);
                if (idx < GmMaxVoices) {
                    QCOMPARE(getVoiceBank(family, idx), bank);
                    QCOMPARE(quint16(getVoicePch(family, idx)), pch);
                }
                const quint8 fam = getVoiceFam(bank, pch);
                QVERIFY(fam <= GmFamilyCount);
                if (fam < GmFamilyCount)
                    QVERIFY(getVoiceIdx(fam, bank, pch) < GmMaxVoices);
            }
            validateWavetable(&wavetable);
        }
    }

    void randomTablesThroughEveryOperation()
    {
        wttest::QuietDebug quiet;
        const int n = rounds(80);
        for (int round = 0; round < n; ++round) {
            randomise(wavetable);
            randomise(source);
            const QByteArray untouched = namesAndTail(wavetable);

            addWavetable(&source);
            QCOMPARE(namesAndTail(wavetable), untouched);
            removeSoundbankFromWavetable(quint8(pick(0, 20)));
            QCOMPARE(namesAndTail(wavetable), untouched);
            if (chance(50))
                addWavetable(&wavetable);
            removeAllSoundbanksFromWavetable();
            QCOMPARE(namesAndTail(wavetable), untouched);
            for (int f = 0; f < GmFamilyCount; ++f)
                for (int i = 0; i < getVoiceCount(quint8(f)); ++i)
                    QCOMPARE(getVoiceSbk(quint8(f), quint16(i)), quint8(0));

            if (validateWavetable(&wavetable))
                for (const TGmFamily& f : wavetable.family)
                    QVERIFY(f.count <= GmMaxVoices);
            addFamilyNamesFromWavetable(&source);
            initWavetableFamilyNames();
            QCOMPARE(getFamilyName(5), QString("String-Choir"));
        }
    }

    void randomDescriptorText()
    {
        wttest::QuietDebug quiet;
        const int n = rounds(120);
        int voices = 0, fullFamilies = 0;
        for (int round = 0; round < n; ++round) {
            const QByteArray text = randomDescriptor();
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
        QVERIFY(voices > n);
        QVERIFY(fullFamilies > 0);
    }

    void mangledShippedDescriptor()
    {
        wttest::QuietDebug quiet;
        QFile file(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray shipped = file.readAll();
        const int n = rounds(100);
        for (int round = 0; round < n; ++round) {
            const QByteArray text = mangled(shipped);
            const quint8 sbk = quint8(pick(0, 15));
            extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), &scratch, sbk);
            QString why;
            QVERIFY2(wellFormed(scratch, sbk, &why), qPrintable(why + "\n" + text.toBase64()));
        }
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
        QCOMPARE(int(scratch.family[2].count), 1);
        QCOMPARE(unsigned(scratch.family[2].voice[0].pch), expected);
        QCOMPARE(int(scratch.family[3].count), 1);
        QCOMPARE(wttest::nameBytes(scratch.family[3].voice[0]), QByteArray(14, 'n'));
        QString why;
        QVERIFY2(wellFormed(scratch, 1, &why), qPrintable(why));
    }
};

LYR_TEST_MAIN_CORE(TestWavetableRandom)
#include "tst_wavetable_random.moc"
