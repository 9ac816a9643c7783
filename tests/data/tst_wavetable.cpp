// The voice catalogue as the pages, the voice chooser and the soundbank
// manager use it: look-ups with their neutral answers, merging soundbank
// voices in, stripping them out again, and judging a table read from the
// module.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "WavetableTestTools.h"

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

} // namespace

class TestWavetable : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        // Piano: three voices, Organ one, Drumset one; the rest empty.
        wavetable = {};
        bank = {};
        put(wavetable, 0, "Grand Piano", 0, 0);
        put(wavetable, 0, "Bright Piano", 0, 1);
        put(wavetable, 0, "Stage Piano", 8, 4, 2);
        put(wavetable, 2, "Bright Piano", 0, 1);
        put(wavetable, 12, "Standard", 0, 0);
        initWavetableFamilyNames();
        // Names that fill their field leave no NUL: the bytes after them
        // (a voice, the family byte 'A') must not leak into them.
        put(wavetable, 5, "Xylo", 0, 13);
        wavetable.family[5].count = 0;
        std::memcpy(wavetable.family[1].voice[0].name, "ABCDEFGHIJKLMNO", 15);
        wavetable.family[1].voice[0].family = 'A';
        wavetable.family[1].count = 1;
        wavetable.family[3].count = 300; // corrupt
    }

    void lookUps_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("voice");
        QTest::addColumn<QString>("shown"); // family name and count; voice name, bank, pch, num, sbk
        QTest::newRow("first voice") << 0 << 0 << "Piano 3: Grand Piano 0 0 0 0";
        QTest::newRow("soundbank voice") << 0 << 2 << "Piano 3: Stage Piano 8 4 2 2";
        QTest::newRow("drum set") << 12 << 0 << "Drumset 1: Standard 0 0 0 0";
        QTest::newRow("unused slot") << 0 << 250 << "Piano 3:  0 0 0 0";
        QTest::newRow("slot 251") << 0 << 251 << "Piano 3: Unavailable 0 0 0 0";
        QTest::newRow("slot 65535") << 0 << 65535 << "Piano 3: Unavailable 0 0 0 0";
        QTest::newRow("family 13") << 13 << 0 << " 0: Unavailable 0 0 0 0";
        QTest::newRow("names filling their fields") << 5 << 0 << "String-Choir 0: Xylo 0 13 0 0";
        QTest::newRow("voice name filling its field") << 1 << 0 << "Chrom 1: ABCDEFGHIJKLMNO 0 0 0 0";
        QTest::newRow("count beyond the slots") << 3 << 251 << "Accordion 251: Unavailable 0 0 0 0";
    }

    void lookUps()
    {
        QFETCH(int, family);
        QFETCH(int, voice);
        const quint8 f = quint8(family);
        const quint16 v = quint16(voice);
        QTEST(QString("%1 %2: %3 %4 %5 %6 %7").arg(getFamilyName(f)).arg(getVoiceCount(f)).arg(getVoiceName(f, v)).arg(getVoiceBank(f, v))
                  .arg(getVoicePch(f, v)).arg(getVoiceNum(f, v)).arg(getVoiceSbk(f, v)), "shown");
    }

    void voiceByBankAndProgram()
    {
        // The slot in a family, and the first family holding it: 251 and 13 for none.
        const auto found = [](int family, int bank, int pch) {
            return QString("%1 %2").arg(getVoiceIdx(quint8(family), quint8(bank), quint16(pch))).arg(getVoiceFam(quint8(bank), quint16(pch)));
        };
        QCOMPARE(found(0, 8, 4), "2 0");
        QCOMPARE(found(2, 0, 1), "0 0"); // in two families
        QCOMPARE(found(0, 5, 9), "251 13");
        QCOMPARE(found(0, 0, 257), "251 13"); // not its low byte, 1
        QCOMPARE(found(13, 8, 4), "251 0");
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
        QCOMPARE(QList<int>({ getVoiceNum(0, 4), getVoiceBank(0, 4), getVoicePch(0, 4), wavetable.family[0].voice[4].family }), QList<int>({ 4, 1, 1, 0 }));
    }

    void mergingStopsAtFullFamilies_data()
    {
        QTest::addColumn<int>("count"); // of family 7, filled with Flutes up to 251
        QTest::addColumn<int>("incoming");
        QTest::newRow("room for some") << 249 << 5;
        QTest::newRow("already full") << 251 << 3;
        QTest::newRow("count beyond the slots") << 300 << 1;
        QTest::newRow("source count corrupt") << 0 << 9999;
    }

    void mergingStopsAtFullFamilies()
    {
        QFETCH(int, count);
        QFETCH(int, incoming);
        wavetable = {};
        for (int i = 0; i < qMin(count, 251); ++i)
            put(wavetable, 7, "Flute", 0, 73);
        for (int i = 0; i < qMin(incoming, 251); ++i)
            put(bank, 7, "Pan Flute", 1, 75, 1);
        wavetable.family[7].count = quint16(count);
        bank.family[7].count = quint16(incoming);
        addWavetable(&bank);
        QCOMPARE(getVoiceCount(7), quint16(251));
        QCOMPARE(getVoiceName(7, 250), count >= 251 ? QString("Flute") : QString("Pan Flute"));
        // Nothing spills into the next family.
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&wavetable.family[8]), sizeof(TGmFamily)), QByteArray(sizeof(TGmFamily), 0));
    }

    void removingASoundbankRenumbersTheOnesAbove_data()
    {
        QTest::addColumn<QString>("sbks");  // of the voices in family 4, in order
        QTest::addColumn<int>("removed");
        QTest::addColumn<QString>("left");
        QTest::newRow("interleaved") << "0 2 1 3 2 0 3" << 2 << "v0 0, v2 1, v3 2, v5 0, v6 2";
        // Soundbank 1 holds no voices (the module allows that); removing it
        // shifts the directory, so 2 and 3 must become 1 and 2.
        QTest::newRow("a soundbank without voices") << "0 2 3" << 1 << "v0 0, v1 1, v2 2";
        QTest::newRow("every soundbank") << "0 2 0 15" << -1 << "v0 0, v2 0";
        QTest::newRow("no such soundbank") << "0 2 15" << 16 << "v0 0, v1 2, v2 15";
    }

    void removingASoundbankRenumbersTheOnesAbove()
    {
        QFETCH(QString, sbks);
        QFETCH(int, removed);
        wavetable = {};
        const QStringList list = sbks.split(' ');
        for (int i = 0; i < list.size(); ++i)
            put(wavetable, 4, "v" + QByteArray::number(i), 0, quint8(24 + i), quint8(list[i].toInt()));
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
};

LYR_TEST_MAIN_CORE(TestWavetable)
#include "tst_wavetable.moc"
