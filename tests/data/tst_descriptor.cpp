// Reading wavetable voice descriptors: the one the editor ships, the line
// shapes a hand-written or soundbank descriptor may contain, and the limits
// of the record the voices land in.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "WavetableDescriptor.h"
#include "WavetableTestTools.h"

#include <QFile>
#include <QLoggingCategory>
#include <climits>

namespace {

TGmWavetable parsed;

void parse(const QByteArray& text, int size = INT_MAX, unsigned char sbk = 5)
{
    extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), qMin(size, int(text.size())), &parsed, sbk);
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

class TestDescriptor : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, false); // a line per voice
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
        parse(text, INT_MAX, 0);
        QList<int> counts;
        for (const TGmFamily& f : parsed.family)
            counts << f.count;
        QCOMPARE(counts, QList<int>({ 8, 8, 5, 3, 8, 16, 8, 16, 8, 16, 15, 17, 9 }));
        wavetable = {};
        addWavetable(&parsed);
        initWavetableFamilyNames();
        QVERIFY(validateWavetable(&wavetable));
        for (quint16 pch = 0; pch < 128; ++pch) {
            const quint8 family = getVoiceFam(0, pch);
            QVERIFY2(family < GmDrumFamily && !getVoiceName(family, getVoiceIdx(family, 0, pch)).isEmpty(), qPrintable(QString::number(pch)));
        }
        QCOMPARE(getVoiceName(0, getVoiceIdx(0, 0, 4)), QString("El Piano1"));
        QCOMPARE(getFamilyName(getVoiceFam(0, 33)), QString("Bass-FX"));
        QCOMPARE(getVoiceName(12, getVoiceIdx(12, 0, 40)), QString("Brush"));
    }

    void lineShapes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("voice"); // "" for none
        QTest::newRow("voice example") << QByteArray("$,0,1,0,50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,\tBright Piano\n") << "0/0 Bright Piano 0 1 5";
        QTest::newRow("drum set example") << QByteArray("!,3,9,279,0,\tAcoustic1\n") << "12/0 Acoustic1 0 9 5";
        QTest::newRow("19 numbers") << QByteArray("$,0,1,0,50,127,0,127,40,0,127,20,0,127,0,0,0,0,128,128,\tShort\n") << "";
        QTest::newRow("blank before $") << " " + voiceLine(0, "Indented") << "";
        QTest::newRow("blanks and tabs around commas")
            << QByteArray("$ ,\t3 , 17,\t2\t,50 ,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128 , 128 ,Rock Organ\n") << "2/0 Rock Organ 3 17 5";
        QTest::newRow("inner blanks made one, outer dropped") << voiceLine(0, "\tEl   \t Piano  1  ") << "0/0 El Piano 1 0 1 5";
        QTest::newRow("CRLF line end") << voiceLine(7, "Oboe\r") << "7/0 Oboe 0 1 5";
        QTest::newRow("family 12 only from drum lines") << voiceLine(12, "Not A Kit") << "";
        QTest::newRow("family 256 is family 0") << voiceLine(256, "Wrapped") << "0/0 Wrapped 0 1 5";
        QTest::newRow("bank 300 keeps its low byte") << QByteArray("$,300,5,1,50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,Big\n") << "1/0 Big 44 5 5";
        QTest::newRow("pch beyond 64 bits") << voiceLine(4, "Huge", "18446744073709551617") << "4/0 Huge 0 1 5";
        QTest::newRow("pch of 40 digits") << voiceLine(4, "Zeros", "0000000000000000000000000000000000000127") << "4/0 Zeros 0 127 5";
        QTest::newRow("unused field of 30 digits") << QByteArray("$,0,9,1,999999999999999999999999999999,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,Bells\n")
                                                   << "1/0 Bells 0 9 5";
        // Only ASCII digits are numbers.
        QTest::newRow("Arabic-Indic digit") << voiceLine(0, "Digits", "\xd9\xa3") << "";
        QTest::newRow("drum set pch beyond 255") << QByteArray("!,0,264,300,0,Kit\n") << "12/0 Kit 0 8 5";
        // Names are cut to 14 bytes at a whole UTF-8 character.
        QTest::newRow("15 bytes") << voiceLine(6, "ABCDEFGHIJKLMNO") << "6/0 ABCDEFGHIJKLMN 0 1 5";
        QTest::newRow("2-byte character across the cut") << voiceLine(6, "ABCDEFGHIJKLM\xc3\xa9x") << "6/0 ABCDEFGHIJKLM 0 1 5";
        QTest::newRow("3-byte character across the cut") << voiceLine(6, "ABCDEFGHIJKL\xe2\x82\xac") << "6/0 ABCDEFGHIJKL 0 1 5";
        QTest::newRow("4-byte character across the cut") << voiceLine(6, "ABCDEFGHIJK\xf0\x9f\x8e\xb9") << "6/0 ABCDEFGHIJK 0 1 5";
        QTest::newRow("4-byte character ends at 14") << voiceLine(6, "ABCDEFGHIJ\xf0\x9f\x8e\xb9!") << QString::fromUtf8("6/0 ABCDEFGHIJ\xf0\x9f\x8e\xb9 0 1 5");
        QTest::newRow("invalid byte becomes a replacement") << voiceLine(6, "Caf\xe9 Noir") << QString::fromUtf8("6/0 Caf\xef\xbf\xbd Noir 0 1 5");
        QTest::newRow("invalid bytes at the cut") << voiceLine(6, "ABCDEFGHIJKL\xff\xff") << "6/0 ABCDEFGHIJKL 0 1 5";
    }

    void lineShapes()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, voice);
        parse(text);
        QCOMPARE(voices(), voice.isEmpty() ? QStringList() : QStringList(voice));
    }

    void familyTakesAtMost251Voices()
    {
        QByteArray text;
        for (int i = 0; i < 252; ++i)
            text += voiceLine(3, "v" + QByteArray::number(i));
        parse(text + voiceLine(4, "After"));
        QCOMPARE(int(parsed.family[3].count), 251);
        QCOMPARE(wttest::nameBytes(parsed.family[3].voice[250]), QByteArray("v250"));
        // The full family does not stop the others, nor run into them.
        QCOMPARE(voices().mid(251), QStringList({ "4/0 After 0 1 5" }));
    }

    void textOutsideItsSizeOrNoTableIsHarmless()
    {
        // A soundbank descriptor sits in a zero-filled buffer: only size bytes count.
        const QByteArray text = voiceLine(0, "First") + voiceLine(0, "Second") + QByteArray(64, 0);
        parse(text, int(text.indexOf('\n')) + 1);
        QCOMPARE(voices(), QStringList({ "0/0 First 0 1 5" }));
        parse(text, -5);
        QCOMPARE(voices(), QStringList());
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), nullptr, 0);
        extractWavetable(nullptr, 100, &parsed, 0);
        extractWavetable(static_cast<QIODevice*>(nullptr), &parsed, 0);
    }
};

LYR_TEST_MAIN_CORE(TestDescriptor)
#include "tst_descriptor.moc"
