// The voice catalogue as the soundbank manager changes it: merging soundbank
// voices in, stripping them out again, and judging a table read from the
// module; and reading voice descriptors into it: the one the editor ships,
// the line shapes a hand-written or soundbank descriptor may contain, and the
// limits of the record the voices land in. (Look-ups past the table, and
// corrupt counts: the random tests.)

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "WavetableDescriptor.h"
#include "WavetableTestTools.h"

#include <QFile>
#include <climits>

using wttest::put;

namespace {

// A family as the voice chooser lists it: "name sbk" per voice.
QString family(int f)
{
    QStringList voices;
    for (int i = 0; i < getVoiceCount(quint8(f)); ++i)
        voices << getVoiceName(quint8(f), quint16(i)) + " " + QString::number(getVoiceSbk(quint8(f), quint16(i)));
    return voices.join(", ");
}

TGmWavetable bank; // a soundbank's voices, to merge
TGmWavetable parsed;

// Parses text as soundbank 5, of which only size bytes count.
void parse(const QByteArray& text, int size = INT_MAX)
{
    extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), qMin(size, int(text.size())), &parsed, 5);
}

QByteArray voiceLine(int family, const QByteArray& name, const QByteArray& pch = "1")
{
    return "$,0," + pch + "," + QByteArray::number(family) + ",50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,\t" + name + "\n";
}

// Every voice parsed, as "family/slot name bank pch sbk".
QStringList voices()
{
    QStringList all;
    for (int f = 0; f < GmFamilyCount; ++f)
        for (int i = 0; i < parsed.family[f].count; ++i) {
            const TGmVoice& v = parsed.family[f].voice[i];
            all << QString("%1/%2 %3 %4 %5 %6").arg(f).arg(v.num).arg(QString::fromUtf8(wttest::nameBytes(v))).arg(v.bank).arg(v.pch).arg(v.sbk);
        }
    return all;
}

} // namespace

class TestWavetable : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        // Piano: three voices, Drumset one; the rest empty.
        wavetable = {};
        bank = {};
        put(wavetable, 0, "Grand Piano", 0, 0);
        put(wavetable, 0, "Bright Piano", 0, 1);
        put(wavetable, 0, "Stage Piano", 8, 4, 2);
        put(wavetable, 12, "Standard", 0, 0);
    }

    void mergingAppendsAfterExistingVoices()
    {
        put(bank, 0, "Soft Piano", 1, 0, 3);
        put(bank, 0, "Hard Piano", 1, 1, 3);
        put(bank, 9, "Saw Lead", 2, 81, 3);
        bank.family[0].voice[1].num = 77;
        addWavetable(&bank);
        addWavetable(nullptr);
        QCOMPARE(family(0), QString("Grand Piano 0, Bright Piano 0, Stage Piano 2, Soft Piano 3, Hard Piano 3"));
        QCOMPARE(family(9), QString("Saw Lead 3"));
        QCOMPARE(family(12), QString("Standard 0"));
        // num is the slot the voice lands in, not the one it had in the source.
        QCOMPARE(QList<int>({ getVoiceNum(0, 4), getVoiceBank(0, 4), getVoicePch(0, 4) }), QList<int>({ 4, 1, 1 }));
    }

    void removingASoundbankRenumbersTheOnesAbove_data()
    {
        QTest::addColumn<QList<int>>("sbks"); // of the voices in family 4, in order
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("left");
        QTest::newRow("interleaved") << QList<int> { 0, 2, 1, 3, 2, 0, 3 } << 2 << "v0 0, v2 1, v3 2, v5 0, v6 2";
        // Soundbank 1 holds no voices (the module allows that); removing it
        // shifts the directory, so 2 and 3 must become 1 and 2.
        QTest::newRow("a soundbank without voices") << QList<int> { 0, 2, 3 } << 1 << "v0 0, v1 1, v2 2";
        QTest::newRow("every soundbank") << QList<int> { 0, 2, 0, 15 } << -1 << "v0 0, v2 0";
        QTest::newRow("no such soundbank") << QList<int> { 0, 2, 15 } << 16 << "v0 0, v1 2, v2 15";
    }

    void removingASoundbankRenumbersTheOnesAbove()
    {
        QFETCH(QList<int>, sbks);
        QFETCH(int, removed);
        wavetable = {};
        for (int i = 0; i < sbks.size(); ++i)
            put(wavetable, 4, "v" + QByteArray::number(i), 0, quint8(24 + i), quint8(sbks[i]));
        put(wavetable, 1, "Celesta", 0, 8);
        if (removed < 0)
            removeAllSoundbanksFromWavetable();
        else
            removeSoundbankFromWavetable(quint8(removed));
        QTEST(family(4), "left");
        QCOMPARE(family(1), QString("Celesta 0"));
        // Freed slots are zero again.
        const TGmVoice zero = {};
        QCOMPARE(std::memcmp(&wavetable.family[4].voice[getVoiceCount(4)], &zero, sizeof(zero)), 0);
    }

    void validationOfATableFromTheModule()
    {
        bank = wavetable;
        bank.family[3].count = 251; // a full family, as the parser and merging leave it
        QVERIFY(validateWavetable(&bank));
        bank.family[4].count = 252;
        QVERIFY(!validateWavetable(&bank));
        bank.family[4].count = 0;
        bank.family[12].voice[250].sbk = 16; // beyond the count, still checked
        QVERIFY(!validateWavetable(&bank));
        bank.family[12].voice[250].sbk = 15;
        bank.family[1].voice[3].bank = 128;
        QVERIFY(!validateWavetable(&bank));
        QVERIFY(!validateWavetable(nullptr));
    }

    // What the factory reset does: parse the shipped descriptor, append it to
    // an empty catalogue, name the families; then every GM program on bank 0
    // has its voice.
    void factoryLoadFindsEveryGmProgram()
    {
        QFile file(":/WaveTableVoicesDescriptor5916.txt"), twin(":/LYR_PXW418_WaveTableVoicesDescriptor5916.txt");
        QVERIFY(file.open(QIODevice::ReadOnly) && twin.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QCOMPARE(twin.readAll(), text);
        parse(text);
        wavetable = {};
        addWavetable(&parsed);
        initWavetableFamilyNames();
        QVERIFY(validateWavetable(&wavetable));
        for (quint16 pch = 0; pch < 128; ++pch) {
            const quint8 family = getVoiceFam(0, pch);
            QVERIFY2(family < GmDrumFamily && !getVoiceName(family, getVoiceIdx(family, 0, pch)).isEmpty(), qPrintable(QString::number(pch)));
        }
        QCOMPARE(getVoiceName(0, getVoiceIdx(0, 0, 4)), QString("El Piano1"));
        QCOMPARE(getVoiceName(12, getVoiceIdx(12, 0, 40)), QString("Brush")); // a drum kit
    }

    void lineShapes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("voice"); // "" for none
        QTest::newRow("drum set example") << QByteArray("!,3,9,279,0,\tAcoustic1\n") << "12/0 Acoustic1 0 9 5";
        QTest::newRow("19 numbers") << QByteArray("$,0,1,0,50,127,0,127,40,0,127,20,0,127,0,0,0,0,128,128,\tShort\n") << "";
        QTest::newRow("blank before $") << " " + voiceLine(0, "Indented") << "";
        QTest::newRow("blanks and tabs around commas")
            << QByteArray("$ ,\t3 , 17,\t2\t,50 ,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128 , 128 ,Rock Organ\n") << "2/0 Rock Organ 3 17 5";
        QTest::newRow("inner blanks made one, outer dropped") << voiceLine(0, "\tEl   \t Piano  1  ") << "0/0 El Piano 1 0 1 5";
        QTest::newRow("CRLF line end") << voiceLine(7, "Oboe\r") << "7/0 Oboe 0 1 5";
        QTest::newRow("last line without a line end") << voiceLine(7, "Oboe").chopped(1) << "7/0 Oboe 0 1 5";
        QTest::newRow("family 12 only from drum lines") << voiceLine(12, "Not A Kit") << "";
        QTest::newRow("bank 300 keeps its low byte") << QByteArray("$,300,5,1,50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,Big\n") << "1/0 Big 44 5 5";
        // Only ASCII digits are numbers.
        QTest::newRow("Arabic-Indic digit") << voiceLine(0, "Digits", "\xd9\xa3") << "";
        QTest::newRow("drum set pch beyond 255") << QByteArray("!,0,264,300,0,Kit\n") << "12/0 Kit 0 8 5";
        // Names are cut to 14 bytes at a whole UTF-8 character.
        QTest::newRow("4-byte character across the cut") << voiceLine(6, "ABCDEFGHIJK\xf0\x9f\x8e\xb9") << "6/0 ABCDEFGHIJK 0 1 5";
        QTest::newRow("4-byte character ends at 14") << voiceLine(6, "ABCDEFGHIJ\xf0\x9f\x8e\xb9!") << QString::fromUtf8("6/0 ABCDEFGHIJ\xf0\x9f\x8e\xb9 0 1 5");
        QTest::newRow("invalid byte becomes a replacement") << voiceLine(6, "Caf\xe9 Noir") << QString::fromUtf8("6/0 Caf\xef\xbf\xbd Noir 0 1 5");
    }

    void lineShapes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, voice);
        parse(text);
        QCOMPARE(voices(), voice.isEmpty() ? QStringList() : QStringList(voice));
    }

    // The record's limits: 251 voices to a family, and the text after them
    // still read; and the text's: only size bytes count (a soundbank
    // descriptor sits in a zero-filled buffer), none below zero, and nothing
    // happens without a text or a table.
    void limitsOfTheRecordAndTheText()
    {
        QByteArray text;
        for (int i = 0; i < 252; ++i)
            text += voiceLine(3, "v" + QByteArray::number(i));
        parse(text + voiceLine(4, "After"));
        QCOMPARE(int(parsed.family[3].count), 251);
        QCOMPARE(wttest::nameBytes(parsed.family[3].voice[250]), QByteArray("v250"));
        QCOMPARE(voices().mid(251), QStringList({ "4/0 After 0 1 5" }));
        text = voiceLine(0, "First") + voiceLine(0, "Second") + QByteArray(64, 0);
        parse(text, int(text.indexOf('\n')) + 1);
        QCOMPARE(voices(), QStringList({ "0/0 First 0 1 5" }));
        parse(text, -5);
        QCOMPARE(voices(), QStringList());
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), nullptr, 0);
        extractWavetable(nullptr, 100, &parsed, 0);
        extractWavetable(static_cast<QIODevice*>(nullptr), &parsed, 0);
    }
};

LYR_TEST_MAIN_CORE(TestWavetable)
#include "tst_wavetable.moc"
