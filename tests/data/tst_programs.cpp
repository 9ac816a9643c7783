// The programs block as the module and the .pre file see it: defaults,
// sealing, trailer checks, file import and program selection.

#include "TestSupport.h"
#include "TPrograms.h"

#include <QFile>
#include <QSettings>
#include <cstring>

namespace {

QByteArray bytesOf(const TPrograms& block)
{
    return QByteArray(reinterpret_cast<const char*>(&block), sizeof(block));
}

quint8* raw(TPrograms& block)
{
    return reinterpret_cast<quint8*>(&block);
}

quint32 storedSum(const TPrograms& block)
{
    const quint8* c = block.header.checksum;
    return quint32(c[0]) << 24 | quint32(c[1]) << 16 | quint32(c[2]) << 8 | c[3];
}

} // namespace

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

    void freshBlockHasSetupTrailerAndValidChecksum()
    {
        const QByteArray b = bytesOf(programs);
        QCOMPARE(b.mid(65408, 16).toHex(' '), QByteArray("00 01 02 01 40 7f 00 00 00 00 10 10 00 00 00 00"));
        QCOMPARE(b.mid(65424, 96), QByteArray(96, 0));
        QCOMPARE(b.mid(65520, 12), QByteArray("BMODULE\0\x01\x01\0\0", 12));
        QVERIFY(checkHeader(&programs));
        QVERIFY(controlChecksum(&programs, computeChecksum(&programs)));
        QCOMPARE(bytesOf(programsFlash), b);
    }

    void checksumOfZeroBlockIsMagicPlusFixedBytes()
    {
        // Worked out by hand: 'B'+'M'+'O'+'D'+'U'+'L'+'E' = 66+77+79+68+85+76+69 = 520,
        // plus 01 01 = 522.
        static TPrograms block;
        std::memset(&block, 0, sizeof(block));
        writeHeader(&block);
        QCOMPARE(computeChecksum(&block), 522u);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(block.header.checksum), 4), QByteArray("\0\0\x02\x0a", 4));

        std::memset(&block, 0xFF, sizeof(block));
        writeHeader(&block);
        // 65424 bytes of 0xFF before the zeroed free bytes, and the trailer's 522.
        QCOMPARE(storedSum(block), 65424u * 255u + 522u);
    }

    void checksumFollowsEveryByteChange_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::newRow("first name byte") << 0 << 0x41;
        QTest::newRow("last program byte") << 65407 << 0xFF;
        QTest::newRow("setup byte") << 65408 + 4 << 0;
        QTest::newRow("odd offset") << 511 * 77 + 301 << 0x80;
    }
    void checksumFollowsEveryByteChange()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        writeHeader(&programs);
        const quint32 before = storedSum(programs);
        const int old = raw(programs)[offset];
        raw(programs)[offset] = quint8(value);
        writeHeader(&programs);
        QCOMPARE(storedSum(programs), before + quint32(value - old));
        QVERIFY(controlChecksum(&programs, computeChecksum(&programs)));
    }

    void writeHeaderClearsFreeBytesButKeepsPrograms()
    {
        raw(programs)[65424] = 7;
        raw(programs)[65519] = 9;
        const QByteArray programsBefore = bytesOf(programs).left(65424);
        writeHeader(&programs);
        QCOMPARE(bytesOf(programs).mid(65424, 96), QByteArray(96, 0));
        QCOMPARE(bytesOf(programs).left(65424), programsBefore);
    }

    void headerCheck_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("intact") << 65520 << int('B') << true;
        QTest::newRow("fixed bytes 8 and 9 not looked at") << 65528 << 0 << true;
        QTest::newRow("fixed byte 9 not looked at") << 65529 << 0x55 << true;
        QTest::newRow("reserved byte 10") << 65530 << 1 << false;
        QTest::newRow("reserved byte 11") << 65531 << 1 << false;
        QTest::newRow("magic letter") << 65522 << int('o') << false;
        QTest::newRow("magic NUL") << 65527 << int(' ') << false;
    }
    void headerCheck()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(bool, accepted);
        raw(programs)[offset] = quint8(value);
        QCOMPARE(checkHeader(&programs), accepted);
    }

    void wrongChecksumIsCaughtByControlNotByHeader()
    {
        programs.header.checksum[3] ^= 1;
        QVERIFY(checkHeader(&programs));
        QVERIFY(!controlChecksum(&programs, computeChecksum(&programs)));
    }

    void nullBlocksAreHarmless()
    {
        writeHeader(nullptr);
        QCOMPARE(computeChecksum(nullptr), 0u);
        QVERIFY(!checkHeader(nullptr));
        QVERIFY(!controlChecksum(nullptr, 0));
        printHeader(nullptr);
        initProgram(static_cast<TProgram*>(nullptr));
    }

    void preFileRoundTripIsByteForByte()
    {
        // A block edited here, sealed and written as a .pre file, then read
        // back into a re-initialised editor.
        std::strncpy(programs.program[5].name, "Warm Pad", 16);
        programs.program[127].organ.bar[8] = 99;
        programs.setup.masterVolume = 0x33;
        writeHeader(&programs);
        const QByteArray sealed = bytesOf(programs);

        const QString path = lyrtest::scratchDir() + "/roundtrip.pre";
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
        QCOMPARE(out.write(sealed), qint64(65536));
        out.close();

        initPrograms();
        QVERIFY(bytesOf(programs) != sealed);
        QFile in(path);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QVERIFY(copyProgramsFromRawData(in.readAll()));
        QCOMPARE(bytesOf(programs), sealed);
        QCOMPARE(getProgramName(5), QString("Warm Pad"));
    }

    void importRefusesShortOrBadImagesAndKeepsPrograms_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("corruptOffset");
        QTest::newRow("empty") << 0 << -1;
        QTest::newRow("one byte short") << 65535 << -1;
        QTest::newRow("bad magic") << 65536 << 65520;
        QTest::newRow("reserved byte set") << 65536 << 65531;
    }
    void importRefusesShortOrBadImagesAndKeepsPrograms()
    {
        QFETCH(int, size);
        QFETCH(int, corruptOffset);
        static TPrograms other;
        other = programs;
        std::strncpy(other.program[0].name, "Other", 16);
        QByteArray image = bytesOf(other).left(size);
        if (corruptOffset >= 0)
            image[corruptOffset] = char(image[corruptOffset] ^ 0x21);
        const QByteArray before = bytesOf(programs);
        QVERIFY(!copyProgramsFromRawData(image));
        QCOMPARE(bytesOf(programs), before);
    }

    void importTakesWrongChecksumAndIgnoresExtraBytes()
    {
        static TPrograms other;
        other = programs;
        other.program[3].volume[0] = 5;  // checksum now stale
        QByteArray image = bytesOf(other) + QByteArray("tail");
        QVERIFY(copyProgramsFromRawData(image));
        QCOMPARE(bytesOf(programs), bytesOf(other));
    }

    void defaultProgramRecord()
    {
        const TProgram& p = programs.program[42];
        QCOMPARE(getProgramName(42), QString("Program"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(p.enabled), 3), QByteArray("\x01\0\0", 3));
        for (int l = 0; l < 3; ++l) {
            QCOMPARE(p.keyRange[l][0], quint8(0));
            QCOMPARE(p.keyRange[l][1], quint8(127));
            QCOMPARE(p.velocityRange[l][0], quint8(0));
            QCOMPARE(p.velocityRange[l][1], quint8(127));
        }
        const quint8* b = reinterpret_cast<const quint8*>(&p);
        QCOMPARE(b[292], quint8(19));
        QCOMPARE(b[453], quint8(0xC8));
        // A few 16-bit insert words at odd offsets, little-endian.
        QCOMPARE(b[294] | b[295] << 8, 6144);
        QCOMPARE(b[309] | b[310] << 8, 12922);
        QCOMPARE(b[388] | b[389] << 8, 5618);
        QCOMPARE(b[403] | b[404] << 8, 1900);
        QCOMPARE(b[441], quint8(4));
        QCOMPARE(b[499 + 5], quint8(116));
    }

    void storedDefaultProgramShapesNewPrograms_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("used");
        QTest::newRow("510 bytes") << 510 << false;
        QTest::newRow("511 bytes") << 511 << true;
        QTest::newRow("512 bytes") << 512 << false;
    }
    void storedDefaultProgramShapesNewPrograms()
    {
        QFETCH(int, size);
        QFETCH(bool, used);
        QByteArray stored(size, char(0x11));
        std::memcpy(stored.data(), "My Default\0", 11);
        // Line breaks and stray characters are skipped by the lenient decoder.
        QByteArray text = stored.toBase64();
        text.insert(20, "\n*");
        QSettings().setValue("defaultProgram", QString::fromLatin1(text));

        initPrograms();
        QCOMPARE(getProgramName(127), used ? QString("My Default") : QString("Program"));
        initProgram(quint16(3));
        QCOMPARE(getProgramName(3), used ? QString("My Default") : QString("Program"));
        QVERIFY(checkHeader(&programs));
        QVERIFY(controlChecksum(&programs, computeChecksum(&programs)));
    }

    void programNames_data()
    {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("name");
        QTest::newRow("full 16 bytes") << QByteArray("ABCDEFGHIJKLMNOP") << QString("ABCDEFGHIJKLMNOP");
        QTest::newRow("NUL at 5") << QByteArray("Bass \0XXXXXXXXXX", 16) << QString("Bass ");
        QTest::newRow("UTF-8") << QByteArray("Orgue \xc3\xa0 vent\0\0\0", 16) << QString::fromUtf8("Orgue \xc3\xa0 vent");
    }
    void programNames()
    {
        QFETCH(QByteArray, field);
        QFETCH(QString, name);
        std::memcpy(programs.program[9].name, field.constData(), 16);
        programs.program[10].name[0] = 'Z';  // the next record must not leak into the name
        QCOMPARE(getProgramName(9), name);
        QCOMPARE(getProgramName(128), QString());
        QCOMPARE(getProgramName(65535), QString());
    }

    void selectionIgnoresOutOfRange()
    {
        loadProgram(17);
        QCOMPARE(currentProgram, quint16(17));
        QCOMPARE(programPtr, &programs.program[17]);
        loadProgram(128);
        QCOMPARE(currentProgram, quint16(17));
        QCOMPARE(programPtr, &programs.program[17]);

        // Re-initialising keeps the selection and does not move it.
        programs.program[17].volume[0] = 1;
        initProgram(quint16(17));
        QCOMPARE(programPtr->volume[0], quint8(127));
        initProgram(quint16(200));
        initPrograms();
        QCOMPARE(currentProgram, quint16(17));
        QCOMPARE(programPtr, &programs.program[17]);
    }

    void presetRowsMatchTheirPresetNames()
    {
        // Spot checks that would catch a shifted column: Hall 2 damping and
        // pre-delay, Feedback Delay type and rate.
        QCOMPARE(reverbPresets[4].hfDamping, quint8(0x1E));
        QCOMPARE(reverbPresets[4].preDelay, quint8(0x64));
        QCOMPARE(reverbPresets[7].time, quint8(0x78));
        QCOMPARE(chorusPresets[7].type, quint8(7));
        QCOMPARE(chorusPresets[7].rate, quint8(0x32));
        QCOMPARE(chorusPresets[3].delay, quint8(0));
        for (int i = 0; i < PresetCount; ++i) {
            QCOMPARE(reverbPresets[i].unused2[2], quint8(0));
            QCOMPARE(chorusPresets[i].unused[6], quint8(0));
        }
    }
};

LYR_TEST_MAIN_CORE(TestPrograms)
#include "tst_programs.moc"
