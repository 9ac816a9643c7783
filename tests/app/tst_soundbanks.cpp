// The soundbank page end to end against the simulated module: files added,
// removed and erased through the window's actions, checked against the
// module's own directory, DSP flash and program flash and against the
// wavetable. Built twice: in process (every case) and over JACK (the add
// and remove round trip).

#include "TestSupport.h"
#include "SoundbankFiles.h"
#include "SysExFrame.h"
#include "TGmWavetable.h"
#include "TSoundBankDirEntry.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QPointer>
#include <QRandomGenerator>
#include <QtEndian>

using lyrsim::SimFault;
using lyrsim::SimMemory;
using namespace lyrtest;

// One soundbank operation on a module that holds "Kept One" and "Kept Two",
// and what it must leave behind. The module may also hold one named ShortB,
// a full directory, no DSP flash room (which only the module knows of), or an
// unused entry before Kept Two.
// Afterwards: nothing sent at all; the directory, the wavetable and the
// program flash as they were; or nothing checked beyond the box.
enum class Op { Add, Remove, EraseAll, Reload };
enum class Setup { Plain, ShortName, Full, NoRoom, Gap };
enum class Effect { NothingSent, Unchanged, Done };
struct Step
{
    Op op;
    Setup setup;
    QByteArray file;    // added
    int row;            // removed
    SimFault fault;
    QString box;        // the one warning or information shown, or none
    int start;          // index or address of the DSP flash write; -1 for none
    Effect effect;
};
Q_DECLARE_METATYPE(Step)

namespace {

// How many voices in the wavetable soundbank sbk brought.
int voicesOf(int sbk)
{
    int n = 0;
    for (uchar family = 0; family < GmFamilyCount; ++family)
        for (ushort slot = 0; slot < getVoiceCount(family); ++slot)
            n += getVoiceSbk(family, slot) == sbk;
    return n;
}

QStringList viewRows(WindowFixture& f)
{
    const QAbstractItemModel* m = f.ui()->soundbankTreeView->model();
    QStringList rows;
    for (int r = 0; r < m->rowCount(); ++r) {
        QStringList cells;
        for (int c = 0; c < m->columnCount(); ++c)
            cells << m->index(r, c).data().toString();
        rows << cells.join('|');
    }
    return rows;
}

} // namespace

class TestSoundbanks : public QObject
{
    Q_OBJECT
    // A connected window that has read the module's directory.
    std::unique_ptr<WindowFixture> fixture()
    {
        auto f = std::make_unique<WindowFixture>();
        f->module.identity().set("PacketSize", 8192);   // fewer program flash chunks
        f->connect();
        settle(*f);
        return f;
    }
    // The mirror follows the module's directory; nothing asked or sent yet.
    void settle(WindowFixture& f)
    {
        f.window->readSoundbankDir();
        f.prompts.clear();
        f.module.clearLog();
    }
    void add(WindowFixture& f, const QByteArray& file)
    {
        f.prompts.files << writeFile(scratchDir() + "/b.sbk", file);
        f.ui()->actionAddSoundbank->trigger();
    }
    void removeRow(WindowFixture& f, int row)
    {
        f.ui()->soundbankTreeView->setCurrentIndex(f.ui()->soundbankTreeView->model()->index(row, 1));
        f.prompts.questions << QMessageBox::Yes;
        f.ui()->actionRemoveSoundbank->trigger();
    }

private slots:
    // Three added, the middle one removed, then all erased: the view, the
    // wavetable's tags and the module's memories agree at every step.
    void addRemoveRoundTrip()
    {
        auto f = fixture();
        const QByteArray factoryTable = bytes(wavetable);
        const SimMemory& m = f->module.memory();
        const int tableAt = SimMemory::flashOffset(SimMemory::ProgramsArea, 0) + 65536;
        auto moduleWavetable = [&] { return m.flash.mid(tableAt, 65536); };
        auto moduleSound = [&](int i, int size) { return m.dspFlash.mid(soundBankDir[i].flashPage * 65536, size); };
        // The view replaces its models whole.
        const QPointer<QAbstractItemModel> model = f->ui()->soundbankTreeView->model();
        const QPointer<QItemSelectionModel> selection = f->ui()->soundbankTreeView->selectionModel();
        // 2, 5 and 1 chunks of 32 KB, with 6, 7 and 8 voices; the second
        // crosses a 128 KB block.
        const int sizes[] = { 40000, 140000, 4096 };
        QList<QByteArray> banks;
        for (int i = 0; i < 3; ++i) {
            banks << makeSoundbank("Bank " + QByteArray(1, char('A' + i)), sizes[i], 6 + i, quint32(i + 1));
            add(*f, banks[i]);
            QCOMPARE(f->prompts.shown("warning") + f->prompts.shown("information"), QStringList());
            QCOMPARE(voicesOf(i + 1), 6 + i);
            QVERIFY(moduleSound(i + 1, sizes[i]) == banks[i].left(sizes[i]));
        }
        QCOMPARE(f->window->getLastPath(), scratchDir());   // the next dialog opens there
        QVERIFY(model.isNull() && selection.isNull());
        // Idx, name, id, size in 256-byte pages, then hexadecimal PCM and page
        // numbers: each soundbank starts on a 64 KB flash block of its own.
        QCOMPARE(viewRows(*f), QStringList({ "0|Factory GM|GM|16384|0|100|0|8", "1|Bank A|U1|157|100|10a|40|48",
                                             "2|Bank B|U2|547|10a|12d|41|49", "3|Bank C|U3|16|12d|12f|44|4c" }));
        QVERIFY(moduleWavetable() == bytes(wavetable));

        removeRow(*f, 2);
        QCOMPARE(f->prompts.shown("information"), QStringList { "Info|Operation succesful" });
        QCOMPARE(viewRows(*f).size(), 3);
        QVERIFY(voicesOf(1) == 6 && voicesOf(2) == 8 && voicesOf(3) == 0);
        QVERIFY(moduleSound(2, sizes[2]) == banks[2].left(sizes[2]));
        QVERIFY(moduleWavetable() == bytes(wavetable));

        f->prompts.questions << QMessageBox::Yes;
        f->ui()->actionEraseDirectory->trigger();
        QCOMPARE(viewRows(*f).size(), 1);
        QVERIFY(bytes(wavetable) == factoryTable && moduleWavetable() == factoryTable);
        f->prompts.clear();
        f->ui()->getDirectoryButton->click();
        QCOMPARE(f->prompts.asked, QStringList { "information|Info|Soundbank Dir reloaded succesfully" });
    }

#if !LYR_OVER_JACK
    // Refused files and failed steps: the one box, what the module was asked,
    // and nothing changed where nothing may change. A file is checked whole
    // before anything is sent; after a failed DSP flash write the wavetable
    // and the program flash stay in step with what the module holds.
    void operations_data()
    {
        QTest::addColumn<Step>("step");
        const QByteArray good = makeSoundbank("Fresh Bank", 4096, 5, 7), cut = good.left(4000);
        const QByteArray bonk = QByteArray(good).replace(0, 4, "Bonk");
        const QByteArray text16382 = makeSoundbank("L", 512, 3, 1, 16382), large = makeSoundbank("New", 70000);
        const QByteArray text16381 = makeSoundbank("L", 512, 3, 1, 16381), shortB = good.left(444) + "ShortB";
        const QByteArray clashing = makeSoundbank("Factory GM");
        auto nack = [](int com, int skip = 0) { return SimFault { SimFault::Nack, com, 1, 0, skip }; };
        const QString header = "Warning|Cannot read Soundbank header";
        const QString text = "Warning|Cannot read Soundbank Descriptor";
        const QString clash = "Warning|Soundbank already installed", write = "Warning|Cannot write to Flash";
        const QString dir = "Warning|Cannot read Soundbank Dir", ok = "Info|Operation succesful";
        const QString dirFull = "Warning|Soundbank Dir is full: remove a Soundbank first";
        const QString factory = "Warning|Cannot remove Factory Soundbank", save = "Warning|Cannot save programs";
        const Op add = Op::Add, remove = Op::Remove, erase = Op::EraseAll, reload = Op::Reload;
        const Setup plain = Setup::Plain, named = Setup::ShortName, full = Setup::Full, gap = Setup::Gap;
        const Effect nothing = Effect::NothingSent, unchanged = Effect::Unchanged, done = Effect::Done;
        auto row = [](const char* name, const Step& step) { QTest::newRow(name) << step; };
        //                        op      setup          file       row fault          box      start   effect
        row("not a bank",       { add,    plain,         bonk,      0,  noFault,       header,  -1,     nothing });
        row("cut in samples",   { add,    plain,         cut,       0,  noFault,       text,    -1,     nothing });
        row("text 16382",       { add,    plain,         text16382, 0,  noFault,       text,    -1,     nothing });
        row("text 16381",       { add,    plain,         text16381, 0,  noFault,       "",      0,      done });
        row("name installed",   { add,    plain,         clashing,  0,  noFault,       clash,   -1,     nothing });
        row("name cut by end",  { add,    named,         shortB,    0,  noFault,       clash,   -1,     nothing });
        row("directory full",   { add,    full,          good,      0,  noFault,       dirFull, -1,     nothing });
        row("DSP flash full",   { add,    Setup::NoRoom, good,      0,  noFault,       write,   0,      unchanged });
        row("chunk refused",    { add,    plain,         large,     0,  nack(0x0A, 2), write,   0,      unchanged });
        row("install refused",  { add,    plain,         large,     0,  nack(0x0B),    write,   0,      unchanged });
        row("row after a gap",  { remove, gap,           {},        1,  noFault,       ok,      2,      done });
        row("factory row",      { remove, plain,         {},        0,  noFault,       factory, -1,     nothing });
        row("remove refused",   { remove, plain,         {},        1,  nack(0x0B),    write,   1,      unchanged });
        row("dir lost, all",    { erase,  plain,         {},        0,  nack(0x0E),    dir,     0xFFFF, done });
        row("dir not reloaded", { reload, plain,         {},        0,  nack(0x0E),    dir,     -1,     done });
        // A failing step ends in its own warning, never in a success.
        row("not saved",        { remove, plain,         {},        1,  nack(0x05),    save,    1,      done });
        row("dir lost",         { remove, plain,         {},        1,  nack(0x0E),    dir,     1,      done });
        row("erase refused",    { erase,  plain,         {},        0,  nack(0x0B),    write,   0xFFFF, unchanged });
        row("erase, not saved", { erase,  plain,         {},        0,  nack(0x05),    save,    0xFFFF, done });
        row("add, not saved",   { add,    plain,         good,      0,  nack(0x05),    save,    0,      done });
    }

    void operations()
    {
        QFETCH(Step, step);
        auto f = fixture();
        SimMemory& m = f->module.memory();
        QList<QByteArray> banks = { makeSoundbank("Kept One", 4096, 5, 3), makeSoundbank("Kept Two", 4096, 5, 4) };
        if (step.setup == Setup::ShortName)
            banks << makeSoundbank("ShortB");
        for (int i = 3; step.setup == Setup::Full && i < SoundBankDirEntries; ++i)
            banks << makeSoundbank("Full " + QByteArray::number(i), 512, 1);
        for (const QByteArray& bank : banks)
            add(*f, bank);
        if (step.setup == Setup::NoRoom)   // the last soundbank 12 MB long: no room above it
            m.dspFlash[SimMemory::SoundBankDir + 2 * 28 + 3] = char(0xB8);
        if (step.setup == Setup::Gap)      // Idx 1 unused: Idx 2 on row 1
            m.dspFlash.replace(SimMemory::SoundBankDir + 28, 28, QByteArray(28, '\0'));
        settle(*f);
        const QByteArray table = bytes(wavetable), dir = bytes(soundBankDir), dsp = m.dspFlash;
        f->module.addFault(step.fault);

        f->prompts.questions << QMessageBox::Yes;
        if (step.op == Op::Add)
            add(*f, step.file);
        else if (step.op == Op::Remove)
            removeRow(*f, step.row);
        else
            (step.op == Op::EraseAll ? f->ui()->actionEraseDirectory : f->ui()->actionGetDirectory)->trigger();
        QCoreApplication::processEvents();   // what was sent reaches the module
        QCOMPARE(f->prompts.shown("warning") + f->prompts.shown("information"),
                 step.box.isEmpty() ? QStringList() : QStringList { step.box });
        QVERIFY(f->window->isEnabled() && !f->window->progressDialog);
        const QList<QByteArray> starts = f->received(0x09);
        QCOMPARE(starts.isEmpty() ? -1 : int(qFromLittleEndian<quint32>(starts.first().constData())), step.start);
        if (step.effect == Effect::NothingSent)
            QCOMPARE(f->frames(), QStringList());
        if (step.effect != Effect::Done) {
            QVERIFY(bytes(soundBankDir) == dir && m.dspFlash == dsp);
            QVERIFY(bytes(wavetable) == table && f->received(ComStmFlashErase).isEmpty());
        }
    }

    // Damaged files: refused for one of the reasons with nothing sent, or
    // installed whole.
    void randomFiles()
    {
        QRandomGenerator rng(fuzzSeed());
        auto f = fixture();
        const QByteArray good = makeSoundbank("Random", 2048, 4), table = bytes(wavetable);
        const QStringList reasons = { "Warning|Cannot read Soundbank header",
                                      "Warning|Cannot read Soundbank Descriptor",
                                      "Warning|Soundbank already installed" };
        for (int round = 0, rounds = fuzzIterations(30); round < rounds; ++round) {
            // Cut short, a damaged header, or bytes damaged anywhere.
            QByteArray file = good;
            const int kind = int(rng.bounded(3));
            if (kind == 0)
                file.truncate(int(rng.bounded(int(file.size()))));
            for (int n = 0; n < 4 && kind > 0; ++n)
                file[int(rng.bounded(kind == 1 ? 16 : int(file.size())))] = char(rng.bounded(256));
            add(*f, file);
            QCoreApplication::processEvents();
            const QStringList warnings = f->prompts.shown("warning");
            if (warnings.isEmpty()) {
                QCOMPARE(getSoundbanksCount(), 2);
                f->module.memory() = SimMemory();
                std::memcpy(&wavetable, table.constData(), sizeof(wavetable));
            } else {
                QVERIFY2(warnings.size() == 1 && reasons.contains(warnings[0]), qPrintable(warnings.join(", ")));
                QCOMPARE(f->frames(), QStringList());
                QVERIFY(bytes(wavetable) == table);
            }
            settle(*f);
        }
    }
#endif
};

LYR_TEST_MAIN(TestSoundbanks)
#include "tst_soundbanks.moc"
