// The programs block as the module and the .pre file see it: sealing, the
// trailer check, file import and program selection; and the soundbank
// directory as read from the module.

#include "TestSupport.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"

#include <QSettings>
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
