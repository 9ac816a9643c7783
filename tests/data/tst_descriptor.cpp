// Reading wavetable voice descriptors: the one the editor ships, the line
// shapes a hand-written or soundbank descriptor may contain, and the limits
// of the record the voices land in.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "WavetableDescriptor.h"
#include "WavetableTestTools.h"

#include <QBuffer>
#include <QFile>

namespace {

TGmWavetable parsed;
QStringList debugLines;

void collect(QtMsgType, const QMessageLogContext&, const QString& text)
{
    debugLines << text;
}

// Parses text into parsed and keeps the debug output in debugLines.
void parse(const QByteArray& text, unsigned char sbk = 0)
{
    debugLines.clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);
    extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), &parsed, sbk);
    qInstallMessageHandler(previous);
}

QByteArray voiceLine(int bank, int pch, int family, const QByteArray& name)
{
    return "$," + QByteArray::number(bank) + "," + QByteArray::number(pch) + "," + QByteArray::number(family)
        + ",50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,\t" + name + "\n";
}

QByteArray rawTable(const TGmWavetable& t)
{
    return QByteArray(reinterpret_cast<const char*>(&t), sizeof(t));
}

int totalVoices(const TGmWavetable& t)
{
    int n = 0;
    for (const TGmFamily& f : t.family)
        n += f.count;
    return n;
}

QByteArray shippedText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

} // namespace

class TestDescriptor : public QObject
{
    Q_OBJECT
private slots:
    void shippedDescriptorHoldsTheGmSoundSet()
    {
        QFile file(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        {
            wttest::QuietDebug quiet;
            extractWavetable(&file, &parsed, 0);
        }
        const int counts[GmFamilyCount] = { 8, 8, 5, 3, 8, 16, 8, 16, 8, 16, 15, 17, 9 };
        for (int f = 0; f < GmFamilyCount; ++f)
            QCOMPARE(int(parsed.family[f].count), counts[f]);

        struct Sample
        {
            int family, slot;
            const char* name;
            int pch;
        };
        const Sample samples[] = {
            { 0, 1, "Bright Piano", 1 },
            { 0, 4, "El Piano1", 4 },
            { 3, 2, "Tango Accord.", 23 },
            { 5, 12, "Choir Aahs", 52 },
            { 9, 8, "Rain FX", 96 },
            { 11, 0, "Acoustic Bass", 32 },
            { 11, 8, "Reverse Cymbal", 119 },
            { 11, 16, "Gunshot", 127 },
            { 12, 0, "Standard", 0 },
            { 12, 4, "Analog", 25 },
            { 12, 8, "SFX", 56 },
        };
        for (const Sample& s : samples) {
            const TGmVoice& v = parsed.family[s.family].voice[s.slot];
            QCOMPARE(wttest::nameBytes(v), QByteArray(s.name));
            QCOMPARE(int(v.pch), s.pch);
            QCOMPARE(int(v.bank), 0);
            QCOMPARE(int(v.num), s.slot);
            QCOMPARE(int(v.family), s.family == GmDrumFamily ? 0 : s.family);
        }
        // Family names are not the descriptor's business.
        QCOMPARE(parsed.family[0].name[0], '\0');
    }

    void bothShippedDescriptorsAreTheSameText()
    {
        const QByteArray a = shippedText(":/WaveTableVoicesDescriptor5916.txt");
        QVERIFY(a.size() > 1000);
        QCOMPARE(shippedText(":/LYR_PXW418_WaveTableVoicesDescriptor5916.txt"), a);
    }

    void factoryLoadFindsEveryGmProgram()
    {
        // What the factory reset does: parse, append to an empty catalogue,
        // name the families; then every GM program on bank 0 has its voice.
        {
            wttest::QuietDebug quiet;
            parse(shippedText(":/WaveTableVoicesDescriptor5916.txt"));
        }
        wttest::clear(wavetable);
        addWavetable(&parsed);
        initWavetableFamilyNames();
        QVERIFY(validateWavetable(&wavetable));
        for (int pch = 0; pch < 128; ++pch) {
            const quint8 family = getVoiceFam(0, quint16(pch));
            QVERIFY2(family < GmDrumFamily, qPrintable(QString::number(pch)));
            const quint16 slot = getVoiceIdx(family, 0, quint16(pch));
            QVERIFY(slot < getVoiceCount(family));
            QVERIFY(!getVoiceName(family, slot).isEmpty());
        }
        QCOMPARE(getFamilyName(getVoiceFam(0, 0)), QString("Piano"));
        QCOMPARE(getFamilyName(getVoiceFam(0, 33)), QString("Bass-FX"));
        QCOMPARE(getVoiceName(12, getVoiceIdx(12, 0, 40)), QString("Brush"));
    }

    void lineShapes_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("family");      // -1: no voice at all
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("pch");
        QTest::addColumn<bool>("parseError");

        const QByteArray numbers17 = ",50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,";
        QTest::newRow("voice example")
            << QByteArray("$,0,1,0,50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,\tBright Piano\n")
            << 0 << "Bright Piano" << 0 << 1 << false;
        QTest::newRow("drum set example") << QByteArray("!,3,9,279,0,\tAcoustic1\n")
                                          << 12 << "Acoustic1" << 0 << 9 << false;
        QTest::newRow("19 numbers") << QByteArray("$,0,1,0,50,127,0,127,40,0,127,20,0,127,0,0,0,0,128,128,\tShort\n")
                                    << -1 << "" << 0 << 0 << true;
        QTest::newRow("no name") << QByteArray("$,0,1,0" + numbers17 + "\n") << -1 << "" << 0 << 0 << true;
        QTest::newRow("blank before $") << QByteArray(" " + voiceLine(0, 1, 0, "Indented"))
                                        << -1 << "" << 0 << 0 << false;
        QTest::newRow("commented out") << QByteArray("#" + voiceLine(0, 1, 0, "Hidden"))
                                       << -1 << "" << 0 << 0 << false;
        QTest::newRow("family line") << QByteArray("@0,Piano\n") << -1 << "" << 0 << 0 << false;
        QTest::newRow("blanks and tabs around commas")
            << QByteArray("$ ,\t3 , 17,\t2\t,50 ,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128 , 128 ,Rock Organ\n")
            << 2 << "Rock Organ" << 3 << 17 << false;
        QTest::newRow("tabs before, blanks after the name") << voiceLine(0, 4, 0, "\t\tEl Piano1   ")
                                                           << 0 << "El Piano1" << 0 << 4 << false;
        QTest::newRow("inner blanks made one") << voiceLine(0, 4, 0, "El   \t Piano  1")
                                               << 0 << "El Piano 1" << 0 << 4 << false;
        QTest::newRow("CRLF line end") << QByteArray("$,0,68,7" + numbers17 + "\tOboe\r\n")
                                       << 7 << "Oboe" << 0 << 68 << false;
        QTest::newRow("family 12 only from drum lines") << voiceLine(0, 0, 12, "Not A Kit") << -1 << "" << 0 << 0 << false;
        QTest::newRow("family 256 is family 0") << voiceLine(0, 2, 256, "Wrapped") << 0 << "Wrapped" << 0 << 2 << false;
        QTest::newRow("family 268 is family 12") << voiceLine(0, 2, 268, "Wrapped") << -1 << "" << 0 << 0 << false;
        QTest::newRow("bank 300 keeps its low byte") << voiceLine(300, 5, 1, "Big Bank") << 1 << "Big Bank" << 44 << 5 << false;
        QTest::newRow("pch beyond 64 bits") << QByteArray("$,0,18446744073709551617,4" + numbers17 + "Huge\n")
                                            << 4 << "Huge" << 0 << 1 << false;
        QTest::newRow("pch of 40 digits")
            << QByteArray("$,0,0000000000000000000000000000000000000127,4" + numbers17 + "Zeros\n")
            << 4 << "Zeros" << 0 << 127 << false;
        QTest::newRow("unused field of 30 digits")
            << QByteArray("$,0,9,1,999999999999999999999999999999,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,Bells\n")
            << 1 << "Bells" << 0 << 9 << false;
        // Only ASCII digits are numbers.
        QTest::newRow("Arabic-Indic digit") << QByteArray("$,0,\xd9\xa3,0" + numbers17 + "Digits\n")
                                            << -1 << "" << 0 << 0 << true;
        QTest::newRow("negative number") << voiceLine(0, -1, 0, "Minus") << -1 << "" << 0 << 0 << true;
        QTest::newRow("drum set pch beyond 255") << QByteArray("!,0,264,300,0,Kit\n") << 12 << "Kit" << 0 << 8 << false;
        QTest::newRow("drum set with three numbers") << QByteArray("!,3,9,279,\tAcoustic1\n") << -1 << "" << 0 << 0 << false;
        QTest::newRow("last line without line end") << QByteArray("# header\n!,0,0,300,0,Standard")
                                                    << 12 << "Standard" << 0 << 0 << false;
    }
    void lineShapes()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, family);
        QFETCH(QString, name);
        QFETCH(bool, parseError);
        parse(text, 5);
        QCOMPARE(debugLines.contains("Parsing error (gm voice)!"), parseError);
        if (family < 0) {
            QCOMPARE(rawTable(parsed), QByteArray(sizeof(TGmWavetable), 0));
            return;
        }
        QCOMPARE(totalVoices(parsed), 1);
        QCOMPARE(int(parsed.family[family].count), 1);
        const TGmVoice& v = parsed.family[family].voice[0];
        QCOMPARE(QString::fromUtf8(wttest::nameBytes(v)), name);
        QTEST(int(v.bank), "bank");
        QTEST(int(v.pch), "pch");
        QCOMPARE(int(v.num), 0);
        QCOMPARE(int(v.sbk), 5);
        QCOMPARE(int(v.family), family == GmDrumFamily ? 0 : family);
    }

    void voicesKeepTheOrderOfTheirLines()
    {
        parse("# mixed families\n" + voiceLine(0, 40, 5, "Violin") + voiceLine(0, 0, 0, "Grand Piano")
              + voiceLine(0, 41, 5, "Viola") + "!,0,0,300,0,Standard\n" + voiceLine(0, 40, 5, "Violin"));
        QCOMPARE(int(parsed.family[5].count), 3);
        QCOMPARE(wttest::nameBytes(parsed.family[5].voice[1]), QByteArray("Viola"));
        QCOMPARE(int(parsed.family[5].voice[2].num), 2);
        QCOMPARE(int(parsed.family[5].voice[2].pch), 40);
        QCOMPARE(int(parsed.family[0].count), 1);
        QCOMPARE(int(parsed.family[12].count), 1);
    }

    void familyTakesAtMost251Voices_data()
    {
        QTest::addColumn<int>("family");
        QTest::newRow("voices") << 3;
        QTest::newRow("drum sets") << 12;
    }
    void familyTakesAtMost251Voices()
    {
        QFETCH(int, family);
        QByteArray text;
        for (int i = 0; i < 252; ++i) {
            const QByteArray name = "v" + QByteArray::number(i);
            text += family == GmDrumFamily ? "!," + QByteArray::number(i) + "," + QByteArray::number(i % 128) + ",0,0," + name + "\n"
                                           : voiceLine(0, i % 128, family, name);
        }
        text += voiceLine(0, 1, 4, "After");
        {
            wttest::QuietDebug quiet;
            parse(text);
        }
        QCOMPARE(int(parsed.family[family].count), 251);
        QCOMPARE(wttest::nameBytes(parsed.family[family].voice[250]), QByteArray("v250"));
        QCOMPARE(int(parsed.family[family].voice[250].num), 250);
        // The full family does not stop the others, nor run into them.
        QCOMPARE(int(parsed.family[4].count), 1);
        QCOMPARE(wttest::nameBytes(parsed.family[4].voice[0]), QByteArray("After"));
        QCOMPARE(totalVoices(parsed), 252);
    }

    void namesAreCutAtWholeCharacters_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("14 bytes") << QByteArray("ABCDEFGHIJKLMN") << QByteArray("ABCDEFGHIJKLMN");
        QTest::newRow("15 bytes") << QByteArray("ABCDEFGHIJKLMNO") << QByteArray("ABCDEFGHIJKLMN");
        QTest::newRow("17 characters") << QByteArray("Acoustic Grand Pi") << QByteArray("Acoustic Grand");
        QTest::newRow("2-byte character ends at 14") << QByteArray("ABCDEFGHIJKL\xc3\xa9") << QByteArray("ABCDEFGHIJKL\xc3\xa9");
        QTest::newRow("2-byte character across the cut") << QByteArray("ABCDEFGHIJKLM\xc3\xa9x") << QByteArray("ABCDEFGHIJKLM");
        QTest::newRow("3-byte character across the cut") << QByteArray("ABCDEFGHIJKL\xe2\x82\xac") << QByteArray("ABCDEFGHIJKL");
        QTest::newRow("4-byte character across the cut") << QByteArray("ABCDEFGHIJK\xf0\x9f\x8e\xb9") << QByteArray("ABCDEFGHIJK");
        QTest::newRow("4-byte character ends at 14") << QByteArray("ABCDEFGHIJ\xf0\x9f\x8e\xb9!") << QByteArray("ABCDEFGHIJ\xf0\x9f\x8e\xb9");
        QTest::newRow("invalid byte becomes a replacement") << QByteArray("Caf\xe9 Noir") << QByteArray("Caf\xef\xbf\xbd Noir");
        QTest::newRow("invalid bytes at the cut") << QByteArray("ABCDEFGHIJKL\xff\xff") << QByteArray("ABCDEFGHIJKL");
    }
    void namesAreCutAtWholeCharacters()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, stored);
        parse(voiceLine(0, 0, 6, name) + "!,0,0,300,0," + name + "\n");
        for (int f : { 6, 12 }) {
            const TGmVoice& v = parsed.family[f].voice[0];
            QCOMPARE(wttest::nameBytes(v), stored);
            QCOMPARE(v.name[GmVoiceNameMax], '\0');
            QVERIFY(wttest::isValidUtf8(wttest::nameBytes(v)));
        }
    }

    void parsingStartsFromAnEmptyTable()
    {
        std::memset(&parsed, 0xAB, sizeof(parsed));
        parse(QByteArray());
        QCOMPARE(rawTable(parsed), QByteArray(sizeof(TGmWavetable), 0));

        std::memset(&parsed, 0xAB, sizeof(parsed));
        parse("# only a comment\n\n@3,Accordion\n");
        QCOMPARE(rawTable(parsed), QByteArray(sizeof(TGmWavetable), 0));
    }

    void missingArgumentsAreHarmless()
    {
        const QByteArray text = voiceLine(0, 1, 0, "Bright Piano");
        QBuffer buffer;
        buffer.setData(text);
        buffer.open(QIODevice::ReadOnly);
        extractWavetable(&buffer, nullptr, 0);
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), nullptr, 0);

        // No device: the table is left alone.
        std::memset(&parsed, 0x11, sizeof(parsed));
        extractWavetable(static_cast<QIODevice*>(nullptr), &parsed, 0);
        QCOMPARE(rawTable(parsed), QByteArray(sizeof(TGmWavetable), 0x11));

        // No bytes, or a size below 1: an empty text.
        extractWavetable(nullptr, 100, &parsed, 0);
        QCOMPARE(rawTable(parsed), QByteArray(sizeof(TGmWavetable), 0));
        std::memset(&parsed, 0x11, sizeof(parsed));
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), -5, &parsed, 0);
        QCOMPARE(rawTable(parsed), QByteArray(sizeof(TGmWavetable), 0));
    }

    void sizeLimitsTheTextInMemory()
    {
        // A soundbank descriptor sits in a zero-filled buffer: only size bytes count.
        QByteArray text = voiceLine(0, 1, 0, "First") + voiceLine(0, 2, 0, "Second");
        const int firstLine = int(text.indexOf('\n')) + 1;
        text.append(QByteArray(64, 0));
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), firstLine, &parsed, 3);
        QCOMPARE(int(parsed.family[0].count), 1);
        QCOMPARE(int(parsed.family[0].voice[0].sbk), 3);
    }

    void descriptorFileWithWindowsLineEnds()
    {
        // As the wavetable menu opens a chosen file: text mode.
        const QString path = lyrtest::scratchDir() + "/crlf.txt";
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write("# my voices\r\n$,1,80,9" ",0,127,0,127,40,0,127,20,0,127,0,0,0,0,0,0,0,\tSquare\r\n"
                  "!,0,0,300,0,\tStandard\r\n");
        out.close();
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadOnly | QIODevice::Text));
        extractWavetable(&in, &parsed, 0);
        QCOMPARE(wttest::nameBytes(parsed.family[9].voice[0]), QByteArray("Square"));
        QCOMPARE(int(parsed.family[9].voice[0].bank), 1);
        QCOMPARE(wttest::nameBytes(parsed.family[12].voice[0]), QByteArray("Standard"));
    }
};

LYR_TEST_MAIN_CORE(TestDescriptor)
#include "tst_descriptor.moc"
