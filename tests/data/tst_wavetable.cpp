// The voice catalogue as the pages, the voice chooser and the soundbank
// manager use it: look-ups with their neutral answers, merging soundbank
// voices in, stripping them out again, and judging a table read from the
// module.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "WavetableTestTools.h"

using wttest::put;

namespace {

QList<QByteArray> namesOf(int f)
{
    QList<QByteArray> names;
    for (int i = 0; i < getVoiceCount(quint8(f)); ++i)
        names << getVoiceName(quint8(f), quint16(i)).toUtf8();
    return names;
}

QList<int> sbksOf(int f)
{
    QList<int> sbks;
    for (int i = 0; i < getVoiceCount(quint8(f)); ++i)
        sbks << getVoiceSbk(quint8(f), quint16(i));
    return sbks;
}

} // namespace

class TestWavetable : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        // Piano: three voices, Organ one, Drumset one; the rest empty.
        wttest::clear(wavetable);
        put(wavetable, 0, "Grand Piano", 0, 0);
        put(wavetable, 0, "Bright Piano", 0, 1);
        put(wavetable, 0, "Stage Piano", 8, 4, 2);
        put(wavetable, 2, "Bright Piano", 0, 1);
        put(wavetable, 12, "Standard", 0, 0);
        initWavetableFamilyNames();
    }

    void voiceLookups_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("voice");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("pch");
        QTest::addColumn<int>("num");
        QTest::addColumn<int>("sbk");
        QTest::newRow("first voice") << 0 << 0 << "Grand Piano" << 0 << 0 << 0 << 0;
        QTest::newRow("soundbank voice") << 0 << 2 << "Stage Piano" << 8 << 4 << 2 << 2;
        QTest::newRow("drum set") << 12 << 0 << "Standard" << 0 << 0 << 0 << 0;
        QTest::newRow("unused slot") << 0 << 3 << "" << 0 << 0 << 0 << 0;
        QTest::newRow("last slot") << 0 << 250 << "" << 0 << 0 << 0 << 0;
        QTest::newRow("slot 251") << 0 << 251 << "Unavailable" << 0 << 0 << 0 << 0;
        QTest::newRow("slot 65535") << 0 << 65535 << "Unavailable" << 0 << 0 << 0 << 0;
        QTest::newRow("family 13") << 13 << 0 << "Unavailable" << 0 << 0 << 0 << 0;
        QTest::newRow("family 255") << 255 << 2 << "Unavailable" << 0 << 0 << 0 << 0;
    }
    void voiceLookups()
    {
        QFETCH(int, family);
        QFETCH(int, voice);
        const quint8 f = quint8(family);
        const quint16 v = quint16(voice);
        QTEST(getVoiceName(f, v), "name");
        QTEST(int(getVoiceBank(f, v)), "bank");
        QTEST(int(getVoicePch(f, v)), "pch");
        QTEST(int(getVoiceNum(f, v)), "num");
        QTEST(int(getVoiceSbk(f, v)), "sbk");
    }

    void familyNamesAndCounts_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("count");
        QTest::newRow("piano") << 0 << "Piano" << 3;
        QTest::newRow("twelve bytes, no NUL") << 5 << "String-Choir" << 0;
        QTest::newRow("drum sets") << 12 << "Drumset" << 1;
        QTest::newRow("family 13") << 13 << "" << 0;
        QTest::newRow("family 255") << 255 << "" << 0;
    }
    void familyNamesAndCounts()
    {
        QFETCH(int, family);
        // The byte right after a full family name belongs to the first voice;
        // it must not leak into the name.
        put(wavetable, 5, "Xylo", 0, 13);
        wavetable.family[5].count = 0;
        QTEST(getFamilyName(quint8(family)), "name");
        QTEST(int(getVoiceCount(quint8(family))), "count");
    }

    void familyNamesReplaceWhateverWasThere()
    {
        std::memset(wavetable.family[3].name, 'Z', sizeof(wavetable.family[3].name));
        initWavetableFamilyNames();
        QCOMPARE(getFamilyName(3), QString("Accordion"));
        QCOMPARE(getVoiceCount(0), quint16(3));
        QCOMPARE(getVoiceName(0, 1), QString("Bright Piano"));
    }

    void fullWidthVoiceNameStopsAtItsField()
    {
        // A 15-byte name without NUL, as a module or a file may hold it; the
        // family byte after it is 0x41 ('A').
        std::memcpy(wavetable.family[1].voice[0].name, "ABCDEFGHIJKLMNO", 15);
        wavetable.family[1].voice[0].family = 'A';
        wavetable.family[1].count = 1;
        QCOMPARE(getVoiceName(1, 0), QString("ABCDEFGHIJKLMNO"));
    }

    void corruptCountNeverReachesPastTheSlots()
    {
        wavetable.family[4].count = 60000;
        QCOMPARE(getVoiceCount(4), quint16(251));
        QCOMPARE(getVoiceName(4, 251), QString("Unavailable"));
        QVERIFY(!validateWavetable(&wavetable));
    }

    void voiceIndexByBankAndProgram_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("pch");
        QTest::addColumn<int>("index");
        QTest::newRow("found") << 0 << 8 << 4 << 2;
        QTest::newRow("first of two") << 0 << 0 << 1 << 1;
        QTest::newRow("absent: first free slot matches 0/0") << 2 << 0 << 0 << 1;
        QTest::newRow("absent in a family") << 2 << 8 << 4 << 251;
        QTest::newRow("pch above 255 is not its low byte") << 0 << 0 << 257 << 251;
        QTest::newRow("family 13") << 13 << 0 << 0 << 251;
    }
    void voiceIndexByBankAndProgram()
    {
        QFETCH(int, family);
        QFETCH(int, bank);
        QFETCH(int, pch);
        QTEST(int(getVoiceIdx(quint8(family), quint8(bank), quint16(pch))), "index");
    }

    void voiceFamilyByBankAndProgram_data()
    {
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("pch");
        QTest::addColumn<int>("family");
        QTest::newRow("lowest of two families") << 0 << 1 << 0;
        QTest::newRow("only in piano") << 8 << 4 << 0;
        QTest::newRow("nowhere") << 5 << 9 << 13;
        QTest::newRow("pch above 255") << 8 << 260 << 13;
    }
    void voiceFamilyByBankAndProgram()
    {
        QFETCH(int, bank);
        QFETCH(int, pch);
        QTEST(int(getVoiceFam(quint8(bank), quint16(pch))), "family");
    }

    void mergingAppendsAfterExistingVoices()
    {
        static TGmWavetable bank;
        wttest::clear(bank);
        put(bank, 0, "Soft Piano", 1, 0, 3);
        put(bank, 0, "Hard Piano", 1, 1, 3);
        put(bank, 9, "Saw Lead", 2, 81, 3);
        bank.family[0].voice[1].num = 77;

        addWavetable(&bank);
        QCOMPARE(namesOf(0), QList<QByteArray>({ "Grand Piano", "Bright Piano", "Stage Piano", "Soft Piano", "Hard Piano" }));
        QCOMPARE(sbksOf(0), QList<int>({ 0, 0, 2, 3, 3 }));
        // num is the slot the voice lands in, not the one it had in the source.
        QCOMPARE(int(getVoiceNum(0, 4)), 4);
        QCOMPARE(int(getVoiceBank(0, 4)), 1);
        QCOMPARE(int(getVoicePch(0, 4)), 1);
        QCOMPARE(int(wavetable.family[0].voice[4].family), 0);
        QCOMPARE(namesOf(9), QList<QByteArray>({ "Saw Lead" }));
        QCOMPARE(namesOf(2), QList<QByteArray>({ "Bright Piano" }));
        QCOMPARE(namesOf(12), QList<QByteArray>({ "Standard" }));
        QCOMPARE(getFamilyName(0), QString("Piano"));
    }

    void mergingStopsAtFullFamilies_data()
    {
        QTest::addColumn<int>("present");
        QTest::addColumn<int>("incoming");
        QTest::addColumn<int>("count");
        QTest::newRow("room for all") << 200 << 51 << 251;
        QTest::newRow("room for some") << 249 << 5 << 251;
        QTest::newRow("already full") << 251 << 3 << 251;
        QTest::newRow("source count corrupt") << 0 << 9999 << 251;
    }
    void mergingStopsAtFullFamilies()
    {
        QFETCH(int, present);
        QFETCH(int, incoming);
        wttest::clear(wavetable);
        for (int i = 0; i < present; ++i)
            put(wavetable, 7, "Flute", 0, 73);
        static TGmWavetable bank;
        wttest::clear(bank);
        for (int i = 0; i < qMin(incoming, 251); ++i)
            put(bank, 7, "Pan Flute", 1, 75, 1);
        bank.family[7].count = quint16(incoming);

        addWavetable(&bank);
        QTEST(int(wavetable.family[7].count), "count");
        QCOMPARE(getVoiceName(7, 250), present >= 251 ? QString("Flute") : QString("Pan Flute"));
        QCOMPARE(wavetable.family[8].count, quint16(0));
    }

    void mergingIntoACorruptCountWritesNothing()
    {
        wavetable.family[3].count = 300;
        static TGmWavetable bank;
        wttest::clear(bank);
        put(bank, 3, "Bandoneon", 0, 23, 1);
        const QByteArray before(reinterpret_cast<const char*>(&wavetable), sizeof(wavetable));
        addWavetable(&bank);
        addWavetable(nullptr);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&wavetable), sizeof(wavetable)), before);
    }

    void mergingCutsOverlongNames()
    {
        static TGmWavetable bank;
        wttest::clear(bank);
        std::memcpy(bank.family[6].voice[0].name, "Trumpet SectionX", 15);
        bank.family[6].count = 1;
        addWavetable(&bank);
        QCOMPARE(getVoiceName(6, 0), QString("Trumpet Sectio"));
        QCOMPARE(wavetable.family[6].voice[0].name[14], '\0');
    }

    void removingASoundbankShiftsTheOnesAbove()
    {
        // Voices of soundbanks 0..3 interleaved in two families.
        wttest::clear(wavetable);
        const int sbks[] = { 0, 2, 1, 3, 2, 0, 3 };
        for (int i = 0; i < 7; ++i) {
            put(wavetable, 4, "g" + QByteArray::number(i), 0, quint8(24 + i), quint8(sbks[i]));
            put(wavetable, 11, "b" + QByteArray::number(i), 0, quint8(32 + i), quint8(sbks[6 - i]));
        }
        put(wavetable, 1, "Celesta", 0, 8);

        removeSoundbankFromWavetable(2);

        QCOMPARE(namesOf(4), QList<QByteArray>({ "g0", "g2", "g3", "g5", "g6" }));
        QCOMPARE(sbksOf(4), QList<int>({ 0, 1, 2, 0, 2 }));
        QCOMPARE(namesOf(11), QList<QByteArray>({ "b0", "b1", "b3", "b4", "b6" }));
        QCOMPARE(sbksOf(11), QList<int>({ 2, 0, 2, 1, 0 }));
        QCOMPARE(namesOf(1), QList<QByteArray>({ "Celesta" }));
        // Records move whole: the num byte still tells the old slot.
        QCOMPARE(int(getVoiceNum(4, 1)), 2);
        QCOMPARE(int(getVoicePch(4, 1)), 26);
        // Freed slots are zero again.
        const TGmVoice zero = {};
        QCOMPARE(std::memcmp(&wavetable.family[4].voice[5], &zero, sizeof(zero)), 0);
        QCOMPARE(std::memcmp(&wavetable.family[4].voice[6], &zero, sizeof(zero)), 0);
    }

    void removingASoundbankWithoutVoicesStillRenumbers()
    {
        // Soundbank 1 holds no voices (the module allows that); removing it
        // shifts the directory, so 2 and 3 must become 1 and 2.
        wttest::clear(wavetable);
        put(wavetable, 8, "Warm Pad", 0, 89, 0);
        put(wavetable, 8, "Glass Pad", 3, 1, 2);
        put(wavetable, 9, "Pulse", 3, 2, 3);
        removeSoundbankFromWavetable(1);
        QCOMPARE(sbksOf(8), QList<int>({ 0, 1 }));
        QCOMPARE(sbksOf(9), QList<int>({ 2 }));
        QCOMPARE(namesOf(8), QList<QByteArray>({ "Warm Pad", "Glass Pad" }));
    }

    void removingSoundbank16OrAboveChangesNothing()
    {
        put(wavetable, 0, "Bank 16", 0, 9, 16);
        const QByteArray before(reinterpret_cast<const char*>(&wavetable), sizeof(wavetable));
        removeSoundbankFromWavetable(16);
        removeSoundbankFromWavetable(255);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&wavetable), sizeof(wavetable)), before);
    }

    void removingEverySoundbankKeepsTheFactorySet()
    {
        static TGmWavetable bank;
        wttest::clear(bank);
        put(bank, 0, "Soft Piano", 1, 0, 1);
        put(bank, 12, "Brush Kit", 0, 40, 4);
        addWavetable(&bank);
        put(wavetable, 0, "Upright", 0, 2, 0);

        removeAllSoundbanksFromWavetable();
        QCOMPARE(namesOf(0), QList<QByteArray>({ "Grand Piano", "Bright Piano", "Upright" }));
        QCOMPARE(namesOf(12), QList<QByteArray>({ "Standard" }));
        QCOMPARE(namesOf(2), QList<QByteArray>({ "Bright Piano" }));
    }

    void removalWithCorruptCountStaysInsideTheFamily()
    {
        wttest::clear(wavetable);
        for (int i = 0; i < GmMaxVoices; ++i)
            put(wavetable, 10, "Koto", 0, 107, i == 250 ? 5 : 0);
        wavetable.family[10].count = 700;
        wavetable.family[11].name[0] = 'K';   // first byte after family 10's slots
        removeSoundbankFromWavetable(5);
        QCOMPARE(wavetable.family[10].count, quint16(250));
        QCOMPARE(wavetable.family[11].name[0], 'K');
        QCOMPARE(getVoiceName(10, 249), QString("Koto"));
        QCOMPARE(getVoiceName(10, 250), QString());
    }

    void validation_data()
    {
        QTest::addColumn<int>("family");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("slot");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("pch");
        QTest::addColumn<int>("sbk");
        QTest::addColumn<bool>("valid");
        QTest::newRow("plain") << 0 << 3 << 0 << 0 << 0 << 0 << true;
        QTest::newRow("count 250") << 4 << 250 << 0 << 0 << 0 << 0 << true;
        // A full family as the parser and merging produce it must read back.
        QTest::newRow("count 251") << 4 << 251 << 0 << 0 << 0 << 0 << true;
        QTest::newRow("count 252") << 4 << 252 << 0 << 0 << 0 << 0 << false;
        QTest::newRow("highest bank, pch, sbk") << 12 << 1 << 0 << 127 << 127 << 15 << true;
        QTest::newRow("bank 128") << 1 << 3 << 0 << 128 << 0 << 0 << false;
        QTest::newRow("pch 200 beyond the count") << 0 << 3 << 200 << 0 << 200 << 0 << false;
        QTest::newRow("sbk 16 in the last slot") << 12 << 1 << 250 << 0 << 0 << 16 << false;
    }
    void validation()
    {
        QFETCH(int, family);
        QFETCH(int, count);
        QFETCH(int, slot);
        QFETCH(int, bank);
        QFETCH(int, pch);
        QFETCH(int, sbk);
        static TGmWavetable table;
        table = wavetable;
        table.family[family].count = quint16(count);
        TGmVoice& v = table.family[family].voice[slot];
        v.bank = quint8(bank);
        v.pch = quint8(pch);
        v.sbk = quint8(sbk);
        QTEST(validateWavetable(&table), "valid");
    }

    void validationOfNothing()
    {
        QVERIFY(!validateWavetable(nullptr));
    }
};

LYR_TEST_MAIN_CORE(TestWavetable)
#include "tst_wavetable.moc"
