// The programs block as the module and the .pre file see it: its defaults,
// sealing, the trailer check, file import and program selection; and the
// soundbank directory as read from the module.

#include "TestSupport.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"

#include <QSettings>
#include <algorithm>
#include <cstring>

class TestPrograms : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QSettings().remove("defaultProgram");
        currentProgram = 0;
        programPtr = &programs.program[0];
        initPrograms();
    }

    void checksumIsTheSumOfTheBytesBeforeIt()
    {
        // Worked out by hand: 'B'+'M'+'O'+'D'+'U'+'L'+'E' = 520, plus 01 01.
        // The free bytes are cleared before the sum, so stale ones never
        // reach the module or a file.
        static TPrograms block; // all zero
        std::memset(block.free, 0x5A, sizeof(block.free));
        writeHeader(&block);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.free), sizeof(block.free)), QByteArray(SIZEOFFREE, 0));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.header.checksum), 4), QByteArray("\0\0\x02\x0a", 4));
        QVERIFY(controlChecksum(&programs, computeChecksum(&programs)));
        programs.header.checksum[3] ^= 1;
        QVERIFY(!controlChecksum(&programs, computeChecksum(&programs)));
        // A missing block is never taken for a good one.
        QCOMPARE(computeChecksum(nullptr), 0u);
        QVERIFY(!checkHeader(nullptr));
        QVERIFY(!controlChecksum(nullptr, 0));
        writeHeader(nullptr);
    }

    // A fresh block with no stored default: every program the default program
    // byte for byte (one initialised again over stale bytes too), the setup
    // defaults, zero free bytes and a sealed trailer, and the flash copy alike.
    void freshBlockHoldsTheDefaults()
    {
        // Byte runs of the default program from the record's field table
        // (u16 fields little-endian); every byte not listed is 0.
        QByteArray program(511, '\0');
        const auto put = [&program](int at, std::initializer_list<int> values, int width = 1) {
            for (int v : values)
                for (int b = 0; b < width; ++b)
                    program[at++] = char(v >> (8 * b));
        };
        put(0, { 'P', 'r', 'o', 'g', 'r', 'a', 'm', 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0 });      // name, layers on
        put(31, { 127, 127, 127, 20, 20, 20, 48, 48, 48, 64, 64, 64, 64, 64, 64 });             // volume, reverb, octave, tune, pan
        put(52, { 0, 127, 0, 127, 0, 127, 0, 127, 0, 127, 0, 127, 1, 1, 1 });                   // key, velocity ranges, sustain
        put(71, { 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 64, 127, 127, 127 });             // envelopes, cut-off
        put(92, { 1, 1, 1 });                                                                   // modulation
        put(292, { 19, 2 });                                                                    // colour, insert chain
        put(294, { 6144, 16383, 2540 }, 2);                                                     // chain gains, sends
        put(303, { 2626, 2626, 3840, 12922, 2626 }, 2);                                         // compressor
        put(315, { 0, 16383, 16383, 16383 }, 2);                                                // distortion
        put(324, { 4, 4, 4, 4 });                                                               // equaliser bands
        put(328, { 800, 800, 800, 800, 934, 934, 934, 934, 8191, 8191, 8191, 8191 }, 2);
        put(354, { 1 });                                                                        // modulation effect
        put(355, { 8191, 8191, 1689, 8191, 8191 }, 2);
        put(376, { 3 });                                                                        // wah
        put(378, { 8191, 8191, 0, 0, 8191, 5618 }, 2);
        put(393, { 8191, 8191 }, 2);                                                            // tremolo
        put(399, { 16383, 8191, 1900, 8191, 8191 }, 2);                                         // delay
        put(410, { 64, 0, 0, 0, 127, 127 });                                                    // high-quality distortion
        put(421, { 1, 0, 0, 0, 0, 127, 5, 10, 64 });                                            // chorus
        put(437, { 1, 2, 127, 0, 4, 0, 0, 0, 64, 64, 64, 64, 64 });                             // reverb
        put(453, { 0xC8, 127, 127, 127 });                                                      // organ
        put(464, { 1, 0, 0, 64, 0, 0, 48 });
        put(485, { 127, 64, 64, 127, 64, 19, 120, 110, 102, 90, 64, 48, 0, 127 });              // rotary, high rotor
        put(499, { 127, 64, 12, 120, 110, 116, 90, 66, 45, 0, 127 });                           // low rotor

        std::memset(&programs.program[3], 0x5A, sizeof(TProgram));
        initProgram(quint16(3));
        for (int i = 0; i < 128; ++i) {
            const QByteArray got = bytes(programs.program[i]);
            const auto at = std::mismatch(got.begin(), got.end(), program.begin()).first - got.begin();
            QVERIFY2(at == 511, qPrintable(QString("program %1, byte %2").arg(i).arg(at)));
        }
        QCOMPARE(bytes(programs).mid(65408, 124).toHex(' '),
                 (QByteArray::fromHex("00010201407f000000001010 00000000") + QByteArray(96, '\0') + "BMODULE"
                  + QByteArray::fromHex("00 01010000")).toHex(' '));
        QVERIFY(controlChecksum(&programs, computeChecksum(&programs)));
        QVERIFY(bytes(programsFlash) == bytes(programs));
    }

    // A .pre file read into the editor: taken byte for byte, or refused
    // without touching the programs.
    void importTakesOnlyAnIntactTrailer_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("corrupt"); // offset of a changed byte, or -1
        QTest::addColumn<bool>("taken");
        QTest::newRow("one byte short") << 65535 << -1 << false;
        QTest::newRow("bad magic") << 65536 << 65522 << false;
        QTest::newRow("magic without its NUL") << 65536 << 65527 << false;
        QTest::newRow("reserved byte set") << 65536 << 65531 << false;
        QTest::newRow("fixed byte 9 is not looked at") << 65536 << 65529 << true;
        QTest::newRow("a stale checksum is taken") << 65536 << 65535 << true;
        QTest::newRow("bytes past the block are ignored") << 65540 << -1 << true;
    }

    void importTakesOnlyAnIntactTrailer()
    {
        QFETCH(int, size);
        QFETCH(int, corrupt);
        QFETCH(bool, taken);
        static TPrograms edited;
        edited = programs;
        std::strncpy(edited.program[5].name, "Warm Pad", 16);
        edited.program[127].organ.bar[8] = 99;
        writeHeader(&edited);
        QByteArray image = (bytes(edited) + "tail").left(size);
        if (corrupt >= 0)
            image[corrupt] = char(image[corrupt] ^ 0x21);
        const QByteArray before = bytes(programs);
        QCOMPARE(copyProgramsFromRawData(image), taken);
        QCOMPARE(bytes(programs), taken ? image.left(65536) : before);
    }

    void storedDefaultProgramShapesNewPrograms_data()
    {
        QTest::addColumn<int>("size");
        for (int size : { 510, 511, 512 })
            QTest::addRow("%d bytes", size) << size;
    }

    void storedDefaultProgramShapesNewPrograms()
    {
        QFETCH(int, size);
        QByteArray stored(size, char(0x11));
        std::memcpy(stored.data(), "My Default\0", 11);
        // Line breaks and stray characters are skipped by the lenient decoder.
        QSettings().setValue("defaultProgram", QString::fromLatin1(stored.toBase64().insert(20, "\n*")));
        initPrograms();
        initProgram(quint16(3));
        const QString expected = size == 511 ? "My Default" : "Program";
        QCOMPARE(getProgramName(127), expected);
        QCOMPARE(getProgramName(3), expected);
        QVERIFY(controlChecksum(&programs, computeChecksum(&programs)));
    }

    void namesAndSelectionStayInsideTheBlock()
    {
        std::memcpy(programs.program[9].name, "ABCDEFGHIJKLMNOP", 16);
        programs.program[10].name[0] = 'Z'; // the next record must not leak into the name
        QCOMPARE(getProgramName(9), QString("ABCDEFGHIJKLMNOP"));
        // Past the last program lie the setup block and the free bytes: no name.
        std::memset(&programs.setup, 'S', sizeof(programs.setup));
        QCOMPARE(getProgramName(128), QString());
        loadProgram(17);
        loadProgram(128);
        initProgram(quint16(200));
        initPrograms();
        QCOMPARE(currentProgram, quint16(17));
        QCOMPARE(programPtr, &programs.program[17]);
    }

    void soundbankDirectory_data()
    {
        QTest::addColumn<QList<QByteArray>>("entries"); // two id bytes ('.' for 0) and the name field
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("names");
        // An entry counts only with both id bytes set, wherever it sits.
        QTest::newRow("one id byte only") << QList<QByteArray> { "GMFactory GM", "A.Half", ".BHalf" } << 1 << QStringList { "Factory GM", "Half", "Half" };
        QTest::newRow("gap in the middle") << QList<QByteArray> { "GMFactory GM", "..", "S2Pads" } << 2 << QStringList { "Factory GM", "", "Pads" };
        QTest::newRow("Latin-1 name") << QList<QByteArray> { "GMCh\xe2teau Orgue" } << 1 << QStringList { QString::fromUtf8("Ch\xc3\xa2teau Orgue") };
        QList<QByteArray> full(15, "SbBank");
        full << "ScVintage Keys Set"; // a name filling its field at the end of the directory
        QTest::newRow("all sixteen") << full << 16 << (QStringList(15, "Bank") << "Vintage Keys Set");
    }

    void soundbankDirectory()
    {
        QFETCH(QList<QByteArray>, entries);
        QFETCH(QStringList, names);
        std::memset(soundBankDir, 0, sizeof(soundBankDir));
        for (int i = 0; i < entries.size(); ++i) {
            const QByteArray e = QByteArray(entries[i]).replace('.', '\0').leftJustified(18, '\0', true);
            std::memcpy(soundBankDir[i].id, e.constData(), 2);
            std::memcpy(soundBankDir[i].name, e.constData() + 2, 16);
        }
        QTEST(int(getSoundbanksCount()), "count");
        for (int i = 0; i < names.size(); ++i)
            QCOMPARE(getSoundbankName(quint8(i)), names[i]);
        QCOMPARE(getSoundbankName(16) + getSoundbankName(255), QString());
    }
};

LYR_TEST_MAIN_CORE(TestPrograms)
#include "tst_programs.moc"
