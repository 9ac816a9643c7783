// The soundbank page end to end against the simulated module: files added,
// removed and erased through the window's actions, checked against the
// module's own directory, DSP flash and program flash and against the
// wavetable. Built twice: in process (every case) and over JACK
// (LYR_OVER_JACK: the add and remove round trip).

#include "TestSupport.h"
#include "SoundbankFiles.h"
#include "TGmWavetable.h"
#include "TSoundBankDirEntry.h"
#include "WavetableDescriptor.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QItemSelectionModel>
#include <QPointer>
#include <QRandomGenerator>
#include <QTemporaryDir>

using lyrsim::SimMemory;
using namespace lyrtest;

#ifdef LYR_OVER_JACK
constexpr auto Transport = WindowFixture::Transport::Jack;
#else
constexpr auto Transport = WindowFixture::Transport::InProcess;
#endif

enum class Op { Add, Remove, EraseAll };
enum class Dir { Factory, ShortName, Full, NoRoom };
Q_DECLARE_METATYPE(Op)
Q_DECLARE_METATYPE(Dir)

namespace {

template <typename T>
QByteArray bytes(const T& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
}

// What the module holds: its wavetable in program flash, a soundbank's data.
QByteArray moduleWavetable(WindowFixture& f)
{
    return f.module.memory().flash.mid(SimMemory::flashOffset(SimMemory::ProgramsArea, 0) + 65536, 65536);
}
QByteArray moduleSound(WindowFixture& f, int index, int size)
{
    return f.module.memory().dspFlash.mid(soundBankDir[index].flashPage * SimMemory::SoundBankAlign, size);
}

// The soundbank each voice of bank is tagged with in the wavetable; -1
// where it is missing.
QList<int> tags(const Soundbank& bank)
{
    QList<int> found;
    for (const SoundbankVoice& v : bank.voices) {
        const uchar f = uchar(v.family);
        int sbk = -1;
        for (ushort slot = 0; slot < getVoiceCount(f); ++slot) {
            if (getVoiceName(f, slot) == v.name && getVoicePch(f, slot) == v.pch)
                sbk = getVoiceSbk(f, slot);
        }
        found << sbk;
    }
    return found;
}
QList<int> all(const Soundbank& bank, int sbk)
{
    return QList<int>(bank.voices.size(), sbk);
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
private:
    QTemporaryDir folder;

    // A connected window that has read the module's directory.
    std::unique_ptr<WindowFixture> fixture()
    {
        auto f = std::make_unique<WindowFixture>(Transport);
        // Over JACK fewer, larger program flash chunks keep the test short.
        if (Transport == WindowFixture::Transport::Jack)
            f->module.identity().set("PacketSize", 8192);
        if (!f->connect())
            qWarning("the window did not connect to the simulated module");
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
    // A soundbank the module holds already, with its voices in the wavetable.
    void preinstall(WindowFixture& f, const Soundbank& bank, bool voices = true)
    {
        const uchar index = getSoundbanksCount();
        QVERIFY(f.module.memory().installSoundBank(bank.sound()));
        const QByteArray text = bank.bytes.mid(bank.soundBytes);
        auto scratch = std::make_unique<TGmWavetable>();
        extractWavetable(reinterpret_cast<const uchar*>(text.constData()), int(text.size()), scratch.get(), index);
        if (voices)
            addWavetable(scratch.get());
        settle(f);
    }
    void add(WindowFixture& f, const QByteArray& file)
    {
        f.prompts.files << (file.isNull() ? folder.filePath("none.sbk") : writeFile(folder.filePath("b.sbk"), file));
        f.ui()->actionAddSoundbank->trigger();
    }
    void removeRow(WindowFixture& f, int row, QMessageBox::StandardButton answer = QMessageBox::Yes)
    {
        QTreeView* view = f.ui()->soundbankTreeView;
        view->setCurrentIndex(row < 0 ? QModelIndex() : view->model()->index(row, 1));
        f.prompts.questions << answer;
        f.ui()->actionRemoveSoundbank->trigger();
    }

private slots:
    void initTestCase() { QVERIFY(folder.isValid()); }

    void addRemoveRoundTrip()
    {
        auto f = fixture();
        const QByteArray factoryTable = bytes(wavetable);
        // 3, 5 and 1 chunks of 32 KB; the second crosses a 128 KB block.
        const int sizes[] = { 70000, 150000, 4096 };
        QList<Soundbank> banks;
        for (int i = 0; i < 3; ++i) {
            banks << makeSoundbank({ "Bank " + QByteArray(1, char('A' + i)), sizes[i], 6 + i, 0, quint32(i + 1) });
            add(*f, banks[i].bytes);
            QCOMPARE(f->prompts.shown("warning") + f->prompts.shown("information"), QStringList());
            QCOMPARE(viewRows(*f).value(i + 1).section('|', 0, 1), QString("%1|Bank %2").arg(i + 1).arg(char('A' + i)));
            QCOMPARE(tags(banks[i]), all(banks[i], i + 1));
            QVERIFY(moduleSound(*f, i + 1, sizes[i]) == banks[i].sound());
            f->prompts.clear();
        }
        QVERIFY(moduleWavetable(*f) == bytes(wavetable));

        removeRow(*f, 2);
        QCOMPARE(f->received(0x09).last(), QByteArray("\x02\0\0\0", 4));
        QCOMPARE(f->prompts.shown("information"), QStringList { "Info|Operation succesful" });
        QCOMPARE(viewRows(*f).size(), 3);
        QCOMPARE(tags(banks[0]), all(banks[0], 1));
        QCOMPARE(tags(banks[1]), all(banks[1], -1));
        QCOMPARE(tags(banks[2]), all(banks[2], 2));
        QVERIFY(moduleSound(*f, 2, sizes[2]) == banks[2].sound());
        QVERIFY(moduleWavetable(*f) == bytes(wavetable));

        f->prompts.questions << QMessageBox::Yes;
        f->ui()->actionEraseDirectory->trigger();
        QCOMPARE(viewRows(*f).size(), 1);
        QVERIFY(bytes(wavetable) == factoryTable && moduleWavetable(*f) == factoryTable);
    }

#ifndef LYR_OVER_JACK
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");   // null: no such file
        QTest::addColumn<Dir>("dir");
        QTest::addColumn<QString>("warning");   // empty: installed, when there is a file
        const QByteArray good = makeSoundbank({ "Fresh Bank", 4096, 5, 0, 7 }).bytes;
        auto broken = [&](SoundbankFault fault) { return breakSoundbank(good, fault); };
        const QString header = "Cannot read Soundbank header", descriptor = "Cannot read Soundbank Descriptor",
                      installed = "Soundbank already installed";
        //                                  file                                           dir             warning
        QTest::newRow("header cut")      << broken(SoundbankFault::ShortHeader)      << Dir::Factory  << header;
        QTest::newRow("not a bank")      << broken(SoundbankFault::BadMagic)         << Dir::Factory  << header;
        QTest::newRow("cut in samples")  << broken(SoundbankFault::CutInSound)       << Dir::Factory  << descriptor;
        QTest::newRow("text past end")   << broken(SoundbankFault::PositionPastEnd)  << Dir::Factory  << descriptor;
        QTest::newRow("no name inside")  << broken(SoundbankFault::SoundTooShort)    << Dir::Factory  << descriptor;
        QTest::newRow("text 16382")      << makeSoundbank({ "L", 512, 3, 16382 }).bytes << Dir::Factory << descriptor;
        QTest::newRow("text 16381")      << makeSoundbank({ "L", 512, 3, 16381 }).bytes << Dir::Factory << QString();
        QTest::newRow("name installed")  << makeSoundbank({ "Factory GM" }).bytes    << Dir::Factory  << installed;
        QTest::newRow("name cut by end") << good.left(444) + "ShortB" << Dir::ShortName << installed;
        QTest::newRow("directory full")  << good << Dir::Full << "Soundbank Dir is full: remove a Soundbank first";
        QTest::newRow("DSP flash full")  << good << Dir::NoRoom
                                         << "Soundbank too large for the DSP Flash: it needs 4 KB, 0 KB are free";
        QTest::newRow("no such file")    << QByteArray() << Dir::Factory << QString();
    }

    // A refused file changes nothing anywhere and sends nothing.
    void refusedFiles()
    {
        QFETCH(QByteArray, file);
        QFETCH(Dir, dir);
        QFETCH(QString, warning);
        auto f = fixture();
        SimMemory& m = f->module.memory();
        if (dir == Dir::ShortName)
            preinstall(*f, makeSoundbank({ "ShortB" }));
        for (int i = 1; dir == Dir::Full && i < SoundBankDirEntries; ++i)
            preinstall(*f, makeSoundbank({ "Full " + QByteArray::number(i), 512, 1 }));
        if (dir == Dir::NoRoom) {
            preinstall(*f, makeSoundbank({ "Huge" }));
            m.dspFlash[SimMemory::SoundBankDir + 28 + 3] = char(0xB8);   // 0xB8xx pages: up to 16 MB
            settle(*f);
        }
        const SimMemory before = m;
        const QByteArray table = bytes(wavetable), mirror = bytes(soundBankDir);
        const int count = getSoundbanksCount();

        add(*f, file);
        QCOMPARE(f->prompts.shown("warning"), warning.isEmpty() ? QStringList() : QStringList { "Warning|" + warning });
        QVERIFY(f->window->isEnabled());
        if (warning.isEmpty()) {
            QCOMPARE(getSoundbanksCount(), count + (file.isNull() ? 0 : 1));
            return;
        }
        QCOMPARE(f->frames(), QStringList());
        QVERIFY(m.dspFlash == before.dspFlash && m.flash == before.flash);
        QVERIFY(bytes(wavetable) == table && bytes(soundBankDir) == mirror);
    }

    // Damaged files: refused for one of the reasons with nothing sent, or
    // installed whole.
    void randomFiles()
    {
        bool seeded = false;
        quint32 seed = qEnvironmentVariableIntValue("LYR_FUZZ_SEED", &seeded);
        seed = seeded ? seed : QRandomGenerator::global()->generate();
        qInfo("LYR_FUZZ_SEED=%u", seed);
        QRandomGenerator rng(seed);

        auto f = fixture();
        const QByteArray good = makeSoundbank({ "Random", 2048, 4 }).bytes, table = bytes(wavetable);
        const QStringList reasons = { "Warning|Cannot read Soundbank header",
                                      "Warning|Cannot read Soundbank Descriptor",
                                      "Warning|Soundbank already installed" };
        for (int round = 0; round < 60; ++round) {
            QByteArray file = good;
            const int kind = int(rng.bounded(3));
            if (kind == 0)
                file.truncate(int(rng.bounded(int(file.size()))));
            for (int n = 0; n < 4 && kind > 0; ++n)
                file[int(rng.bounded(kind == 1 ? 16 : int(file.size())))] = char(rng.bounded(256));
            add(*f, file);
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

    void failedSteps_data()
    {
        QTest::addColumn<Op>("op");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("warning");
        QTest::addColumn<bool>("written");   // the module did what was asked
        const QString write = "Cannot write to Flash", dir = "Cannot read Soundbank Dir";
        //                                   op            fault                   warning                   written
        QTest::newRow("chunk refused")    << Op::Add      << "nack:0x0a:1:0:2"    << write                  << false;
        QTest::newRow("chunk unanswered") << Op::Add      << "noreply:0x0a:1:0:3" << write                  << false;
        QTest::newRow("continue refused") << Op::Add      << "nack:0x0c:1"        << write                  << false;
        QTest::newRow("install refused")  << Op::Add      << "nack:0x0b:1"        << write                  << false;
        QTest::newRow("remove refused")   << Op::Remove   << "nack:0x0b:1"        << write                  << false;
        QTest::newRow("erase refused")    << Op::EraseAll << "nack:0x09:1"        << write                  << false;
        QTest::newRow("not saved")        << Op::Remove   << "nack:0x05:1"        << "Cannot save programs" << true;
        QTest::newRow("dir lost")         << Op::Remove   << "nack:0x0e:1"        << dir                    << true;
        QTest::newRow("dir lost, all")    << Op::EraseAll << "nack:0x0e:1"        << dir                    << true;
    }

    // A failed step shows its warning and no success; after a failed DSP
    // flash write the wavetable and the program flash stay in step with the
    // soundbanks the module holds.
    void failedSteps()
    {
        QFETCH(Op, op);
        QFETCH(QString, fault);
        QFETCH(QString, warning);
        QFETCH(bool, written);
        auto f = fixture();
        preinstall(*f, makeSoundbank({ "Kept One", 4096, 5, 0, 3 }));
        preinstall(*f, makeSoundbank({ "Kept Two", 4096, 5, 0, 4 }));
        const QByteArray table = bytes(wavetable), dir = bytes(soundBankDir);
        lyrsim::SimFault rule;
        QVERIFY(lyrsim::SimFault::parse(fault, &rule));
        f->module.addFault(rule);

        if (op == Op::Add) {
            add(*f, makeSoundbank({ "New One", 150000, 5 }).bytes);
        } else if (op == Op::Remove) {
            removeRow(*f, 1);
        } else {
            f->prompts.questions << QMessageBox::Yes;
            f->ui()->actionEraseDirectory->trigger();
        }
        QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|" + warning });
        QCOMPARE(f->prompts.shown("information"), QStringList());
        QVERIFY(f->window->isEnabled() && !f->window->progressDialog);
        if (!written) {
            QVERIFY(bytes(soundBankDir) == dir && f->module.memory().dspFlash.mid(SimMemory::SoundBankDir, 448) == dir);
            QVERIFY(bytes(wavetable) == table);
            QCOMPARE(f->received(0x05).size(), 0);
        }
    }

    void removeChoices_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::addColumn<bool>("removed");
        QTest::addColumn<QString>("warning");
        //                                   row   answer             removed  warning
        QTest::newRow("row after a gap") << 1  << QMessageBox::Yes << true  << QString();
        QTest::newRow("answered no")     << 1  << QMessageBox::No  << false << QString();
        QTest::newRow("factory")         << 0  << QMessageBox::Yes << false << "Cannot remove Factory Soundbank";
        QTest::newRow("no row")          << -1 << QMessageBox::Yes << false << "Select a valid Soundbank";
    }

    // A row names its soundbank by "Idx", which an unused entry above it
    // sets apart from the row number.
    void removeChoices()
    {
        QFETCH(int, row);
        QFETCH(QMessageBox::StandardButton, answer);
        QFETCH(bool, removed);
        QFETCH(QString, warning);
        auto f = fixture();
        const Soundbank kept = makeSoundbank({ "Gap Two", 4096, 5, 0, 6 });
        preinstall(*f, makeSoundbank({ "Gap One" }), false);
        preinstall(*f, kept);
        f->module.memory().dspFlash.replace(SimMemory::SoundBankDir + 28, 28, QByteArray(28, '\0'));
        settle(*f);

        removeRow(*f, row, answer);
        QCOMPARE(f->received(0x09), removed ? QList<QByteArray> { QByteArray("\x02\0\0\0", 4) } : QList<QByteArray>());
        QCOMPARE(f->prompts.shown("warning"), warning.isEmpty() ? QStringList() : QStringList { "Warning|" + warning });
        const QString question = "Remove Soundbank|Remove Soundbank Gap Two\nAre you sure?";
        QCOMPARE(f->prompts.shown("question"), row == 1 ? QStringList { question } : QStringList());
        QCOMPARE(tags(kept), all(kept, removed ? -1 : 2));
    }

    // The view lists named entries with hexadecimal fields, replaces its
    // models whole, and offers remove on a row, add and erase elsewhere.
    void directoryView()
    {
        auto f = fixture();
        preinstall(*f, makeSoundbank({ "Menu Bank" }));
        f->module.memory().dspFlash.replace(SimMemory::SoundBankDir + 56, 2, "ZZ");   // no name: not listed
        settle(*f);
        QCOMPARE(viewRows(*f), QStringList({ "0|Factory GM|GM|16384|0|100|0|8", "1|Menu Bank|U1|16|100|102|40|48" }));

        QTreeView* view = f->ui()->soundbankTreeView;
        const QPointer<QAbstractItemModel> model = view->model();
        const QPointer<QItemSelectionModel> selection = view->selectionModel();
        f->window->updateSoundbankModel();
        QVERIFY(model.isNull() && selection.isNull());

        f->window->resize(1286, 772);
        f->window->show();
        f->ui()->centralTabWidget->setCurrentWidget(f->ui()->soundbankTab);
        QVERIFY(QTest::qWaitForWindowExposed(f->window.get()));
        emit view->customContextMenuRequested(view->visualRect(view->model()->index(1, 1)).center());
        QCOMPARE(f->prompts.lastMenu, QStringList { f->ui()->actionRemoveSoundbank->text() });
        emit view->customContextMenuRequested(QPoint(10, view->viewport()->height() - 10));
        QCOMPARE(f->prompts.lastMenu,
                 QStringList({ f->ui()->actionAddSoundbank->text(), f->ui()->actionEraseDirectory->text() }));
    }

    void reload_data()
    {
        QTest::addColumn<bool>("button");
        QTest::addColumn<bool>("readable");
        QTest::newRow("menu, read") << false << true;
        QTest::newRow("menu, not read") << false << false;
        QTest::newRow("button, read") << true << true;
        QTest::newRow("button, not read") << true << false;
    }

    // Reloaded is said only of a directory that was read.
    void reload()
    {
        QFETCH(bool, button);
        QFETCH(bool, readable);
        auto f = fixture();
        if (!readable)
            f->module.addFault({ lyrsim::SimFault::Nack, 0x0E, 1 });
        button ? f->ui()->getDirectoryButton->click() : f->ui()->actionGetDirectory->trigger();
        QCOMPARE(f->prompts.asked, readable ? QStringList { "information|Info|Soundbank Dir reloaded succesfully" }
                                            : QStringList { "warning|Warning|Cannot read Soundbank Dir" });
    }
#endif
};

LYR_TEST_MAIN(TestSoundbanks)
#include "tst_soundbanks.moc"
