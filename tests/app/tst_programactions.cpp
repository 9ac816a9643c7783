// The Programs menu end to end, against the simulated module in process:
// what reaches the files, the mirror and the module's memory, what the user
// is told, and that the window is usable again afterwards.

#include "TestSupport.h"
#include "SysExFrame.h"
#include "TPrograms.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using lyrsim::SimFault;
using lyrsim::SimMemory;
using Action = void (LyrForm::*)();

// One action on the whole block and what it must leave behind. The editor
// holds its block as it was, the factory block, all programs or only the
// current one back to defaults, or the module's RAM block.
enum class Holds { Same, Factory, Defaults, Current, ModuleRam };
struct Case
{
    Action action;
    QByteArray file;    // offered to the open dialog; empty: no such file
    SimFault fault;
    QString box;        // the one warning or information shown, or none
    Holds holds;        // what the editor holds afterwards
    bool written;       // the module's flash holds the editor's block, sealed
};
Q_DECLARE_METATYPE(Case)

namespace {

const SimFault none { SimFault::Nack, -2 };   // matches no command

QString badFile() { return lyrtest::scratchDir() + "/bad.pre"; }

QByteArray flashPrograms(SimMemory& memory)
{
    return memory.flash.mid(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS);
}

// Our factory programs.
QByteArray image() { return lyrtest::readFile(":/programs_factory.pre"); }

} // namespace

class TestProgramActions : public QObject
{
    Q_OBJECT
private slots:
    // A block saved and loaded again is the same block, sealed with a
    // checksum that matches it after edits, and the module ends up holding
    // it; a save that cannot open or write its file warns and leaves none.
    void saveThenLoad_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("warning");
        QTest::newRow("no extension") << "set" << "set.pre" << "";
        QTest::newRow("upper-case extension") << "SET.PRE" << "SET.PRE" << "";
        QTest::newRow("folder missing") << "gone/set.pre" << "gone/set.pre" << "Cannot open file";
        QTest::newRow("disk full") << "set.pre" << "set.pre" << "Cannot write file";
    }

    void saveThenLoad()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QFETCH(QString, warning);
        QSettings().remove("searchPath");
        QTemporaryDir dir;
        WindowFixture f;
        QVERIFY(f.connect());
        programs.program[3].volume[0] = 5;   // the stored checksum is stale now
        const QByteArray edited = bytes(programs);
        f.prompts.files << dir.filePath(typed);
        // A file size limit fails the writes as a full disk would.
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full { warning.isEmpty() ? limit.rlim_cur : 4096, limit.rlim_max };
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        f.window->saveProgramsToDisk();
        setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(bytes(programs), edited);
        if (!warning.isEmpty()) {
            QCOMPARE(f.prompts.shown("warning"), QStringList { "Warning|" + warning + "\n" + dir.filePath(written) });
            QVERIFY(!QFile::exists(dir.filePath(written)));
            return;
        }
        const QByteArray saved = lyrtest::readFile(dir.filePath(written));
        QCOMPARE(saved.left(65532), edited.left(65532));
        const auto* block = reinterpret_cast<const TPrograms*>(saved.constData());
        QVERIFY(checkHeader(block) && controlChecksum(block, computeChecksum(block)));

        initPrograms();
        f.prompts.files << dir.filePath(written);
        f.window->loadProgramsFromDisk();
        QCOMPARE(bytes(programs), saved);
        QCOMPARE(flashPrograms(f.module.memory()), saved);
        QCOMPARE(f.prompts.shown("information"), QStringList { "Info|Success" });
        QVERIFY(f.window->isEnabled());
        // The next dialog opens where the last file was, while it exists.
        QCOMPARE(f.window->getLastPath(), dir.path());
        dir.remove();
        QCOMPARE(f.window->getLastPath(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    }

    // Every action that loads or commits a whole block: the one box, what the
    // editor holds and its pages show, whatever the module did, and whether
    // the module's flash took the block. A file that is no programs image is
    // refused, naming the file and why.
    void blockActions_data()
    {
        QTest::addColumn<Case>("c");
        const Action save = &LyrForm::saveProgramsToModule, factory = &LyrForm::loadFactoryPrograms;
        const Action all = &LyrForm::initAllPrograms, current = &LyrForm::initCurrentProgram;
        const Action file = &LyrForm::loadProgramsFromDisk, load = &LyrForm::loadProgramsFromModule;
        const SimFault erase { SimFault::Nack, ComStmFlashErase }, ram { SimFault::Nack, ComRamReadPrograms };
        const SimFault flash { SimFault::Nack, ComFlashRead, -1, 0, 20 };   // half way
        const QString notSaved = "Warning|Cannot Save Programs & Wavetable to Flash";
        const QString noFlash = "Warning|Cannot load programs from Flash memory";
        const QString noRam = "Warning|Cannot load programs from Ram memory";
        const QString refused = "Warning|Cannot load Program data\n" + badFile() + ": ";
        const QString tooShort = refused + "65535 bytes, a programs file has 65536";
        const QString badTrailer = refused + "not a programs file (its trailer is wrong)";
        const QString missing = refused + "the file does not exist";
        const QByteArray cut = image().left(65535), alien = QByteArray(image()).replace(65520, 7, "XMODULE");
        const Holds same = Holds::Same;
        auto row = [](const char* name, const Case& c) { QTest::newRow(name) << c; };
        //                              action   file   fault  box                          holds             written
        row("save",                   { save,    {},    none,  "Info|Programs saved",       same,             true });
        row("save, erase refused",    { save,    {},    erase, notSaved,                    same,             false });
        row("factory",                { factory, {},    none,  "",                          Holds::Factory,   true });
        row("factory, erase refused", { factory, {},    erase, notSaved,                    Holds::Factory,   false });
        row("init all",               { all,     {},    none,  "Info|Programs initialized", Holds::Defaults,  true });
        row("init current",           { current, {},    none,  "Info|Program initialized",  Holds::Current,   true });
        row("file one byte short",    { file,    cut,   none,  tooShort,                    same,             false });
        row("file, wrong trailer",    { file,    alien, none,  badTrailer,                  same,             false });
        row("file missing",           { file,    {},    none,  missing,                     same,             false });
        row("load",                   { load,    {},    none,  "Info|Programs loaded",      Holds::ModuleRam, false });
        row("load, flash refused",    { load,    {},    flash, noFlash,                     same,             false });
        row("load, RAM refused",      { load,    {},    ram,   noRam,                       same,             false });
    }

    void blockActions()
    {
        QFETCH(Case, c);
        WindowFixture f;
        QVERIFY(f.connect());
        // The module's flash holds a block unlike the editor's, its RAM
        // another; the editor holds the factory block with program 5 edited
        // and current.
        SimMemory& memory = f.module.memory();
        TPrograms moduleFlash = programs;
        std::memcpy(moduleFlash.program[0].name, "Module flash", 12);
        writeHeader(&moduleFlash);
        memory.flash.replace(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS, bytes(moduleFlash));
        memory.ramPrograms = QByteArray(image()).replace(0, 8, "Ram only");
        QVERIFY(copyProgramsFromRawData(image()));
        programs.program[5].name[0] = 'X';
        loadProgram(5);
        f.window->updateAll();
        QFile::remove(badFile());
        QVERIFY(c.file.isEmpty() || !lyrtest::writeFile(badFile(), c.file).isEmpty());
        f.prompts.files << badFile();
        f.prompts.questions << QMessageBox::Yes;
        f.module.addFault(c.fault);

        TPrograms expected = programs;
        TProgram defaults;
        initProgram(&defaults, QByteArray());
        if (c.holds == Holds::Factory || c.holds == Holds::ModuleRam)
            std::memcpy(&expected, (c.holds == Holds::Factory ? image() : memory.ramPrograms).data(), sizeof(expected));
        for (int i = 0; i < MAX_PROGRAMS; ++i) {
            if (c.holds == Holds::Defaults || (c.holds == Holds::Current && i == 5))
                expected.program[i] = defaults;
        }
        (f.window.get()->*c.action)();
        QCOMPARE(f.prompts.shown("warning") + f.prompts.shown("information"),
                 c.box.isEmpty() ? QStringList() : QStringList { c.box });
        QVERIFY(f.window->isEnabled());
        QCOMPARE(bytes(programs.program), bytes(expected.program));
        QCOMPARE(f.ui()->programLineEdit->text(), getProgramName(currentProgram));
        TPrograms sealedBlock = programs;
        writeHeader(&sealedBlock);
        QCOMPARE(flashPrograms(memory), bytes(c.written ? sealedBlock : moduleFlash));
    }

    // A typed name keeps whole UTF-8 characters and at most the 16 bytes of
    // the field; nothing goes to the module.
    void programNameKeepsWholeCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("15 ASCII, zero kept") << "Fifteen chars!!" << QByteArray("Fifteen chars!!");
        QTest::newRow("two-byte letters") << "a" + QString(9, QChar(0xE9)) << ("a" + QString(7, QChar(0xE9))).toUtf8();
        QTest::newRow("euro at the edge") << QString("Price in euro ") + QChar(0x20AC) << QByteArray("Price in euro ");
        QTest::newRow("emoji") << "Keys " + QString::fromUtf8("\xF0\x9F\x8E\xB9") + " piano"
                               << QByteArray("Keys \xF0\x9F\x8E\xB9 piano");
    }

    void programNameKeepsWholeCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        WindowFixture f;
        QVERIFY(f.connect());
        f.module.clearLog();
        loadProgram(2);
        f.window->onProgramNameTextChanged(typed);
        QCOMPARE(QByteArray(programs.program[2].name, 16), stored.leftJustified(16, '\0'));
        QVERIFY(f.module.log().isEmpty());
    }
};

LYR_TEST_MAIN(TestProgramActions)
#include "tst_programactions.moc"
