// The window's menus against the simulated module in process: the Programs
// menu (what reaches the files, the mirror and the module's memory, what the
// user is told); firmware and data updates (images judged before the module
// is touched, written ones in its memory and the module restarted, the
// countdown, failures giving the window back), the jobs the module runs on
// its USB stick, the wavetable and default-program entries, the versions,
// the manual, device removal and exit; and DFU programming with a stand-in
// for the external tool. The window is usable again after every one.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "SysExFrame.h"
#include "TGmWavetable.h"
#include "TInfo.h"
#include "TPrograms.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QDesktopServices>
#include <QDir>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <functional>
#include <sys/resource.h>

using lyrsim::SimFault;
using lyrsim::SimMemory;
using lyrtest::Image;
using lyrtest::makeImage;
using lyrtest::flipped;

namespace {

using Action = void (LyrForm::*)();

// One action on the whole block and what it must leave behind. The editor
// holds its block as it was, the factory block, all programs or only the
// current one back to defaults, the module's RAM block, or the file's.
enum class Holds { Same, Factory, Defaults, Current, ModuleRam, File };
struct Case
{
    Action action;
    QByteArray file;    // offered to the open dialog; empty: no such file
    SimFault fault;
    QString box;        // the one warning or information shown, or none
    Holds holds;        // what the editor holds afterwards
    bool written;       // the module's flash holds the editor's block, sealed
};

// A job on the module's USB stick, and how it ends.
struct UsbJob
{
    QString action;
    QStringList files;  // on the stick; none: no stick
    QString answer;     // the file chosen; empty: the chooser cancelled
    int com;            // the job's command; -1: none is started
    QString trouble;    // "silent", "link down" or none
    QString outcome;    // the module's end text, or the warning
};

QString badFile() { return lyrtest::scratchDir() + "/bad.pre"; }

QByteArray flashPrograms(SimMemory& memory)
{
    return memory.flash.mid(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS);
}

// Our factory programs.
QByteArray image() { return lyrtest::readFile(":/programs_factory.pre"); }

int voices()
{
    int n = 0;
    for (int family = 0; family < GmFamilyCount; ++family)
        n += getVoiceCount(family);
    return n;
}

// What the DFU tool sees in each run: the image's contents ("-" for none),
// then its arguments.
const QStringList dfuRuns = {
    "-\t1\t1043\t57105\t1155\t-ob RDP=0xaa BOR_LEV=0x03 WDG_SW=0x01 nRST_STOP=0x01 nRST_STDBY=0x01 WRP0=0x01 "
    "WRP1=0x01 WRP2=0x01 WRP3=0x01 WRP4=0x01 WRP5=0x01 WRP6=0x01 WRP7=0x01 WRP8=0x01 WRP9=0x01 WRP10=0x01 WRP11=0x01",
    "loader.bin\t2\t1043\t57105\t1155\t134217728\tlyr_ldr.bin",
    "programs.pre\t2\t1043\t57105\t1155\t135135232\tlyr_pre.bin",
    "app.bin\t2\t1043\t57105\t1155\t134479872\tlyr_app.bin",
    "dsp.bin\t2\t1043\t57105\t1155\t134266880\tlyr_sam.bin",
};

// Puts the DFU stand-in at <dir>/dfu/DFUConsole.exe with the exit codes it
// gives.
void placeTool(const QString& dir, const QByteArray& codes)
{
    QVERIFY(QDir(dir).mkpath("dfu") && QFile::copy(DFU_STANDIN, dir + "/dfu/DFUConsole.exe"));
    QVERIFY(!lyrtest::writeFile(dir + "/dfu/codes.txt", codes).isEmpty());
}

// Runs fn with every write failing past 4 KB, as on a full disk.
void onAFullDisk(const std::function<void()>& fn)
{
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit full { 4096, limit.rlim_max };
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &full);
    fn();
    setrlimit(RLIMIT_FSIZE, &limit);
}

// Where file dialogs start while no folder of a loaded file is known.
QString desktop()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

// The runs the stand-in in <dir>/dfu logged, split into fields.
QList<QStringList> runsIn(const QString& dir)
{
    QList<QStringList> runs;
    for (const QString& line : QString::fromUtf8(lyrtest::readFile(dir + "/dfu/runs.txt")).split('\n', Qt::SkipEmptyParts))
        runs << line.split('\t');
    return runs;
}

} // namespace

Q_DECLARE_METATYPE(Case)
Q_DECLARE_METATYPE(UsbJob)

class TestMenus : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    QTemporaryDir dir;
    int files = 0;
    QList<QUrl> opened;  // by the desktop

    QAction* action(const QString& name) const { return f->window->findChild<QAction*>(name); }
    QString warned() const { return f->prompts.shown("warning").join(';'); }
    // The module refuses command com; 0: nothing.
    void refuse(int com)
    {
        if (com)
            f->module.addFault({ SimFault::Nack, com });
    }
    // A fresh file holding data; null data: a folder in its place.
    QString file(const QByteArray& data)
    {
        const QString path = dir.filePath(QString::number(++files));
        return data.isNull() && QDir().mkpath(path) ? path : lyrtest::writeFile(path, data);
    }
    void tick(int times)
    {
        while (times-- > 0)
            QMetaObject::invokeMethod(f->window.get(), "countdownTick");
    }
    void verifyGivenBack() { QVERIFY(f->window->isEnabled() && !f->window->progressDialog); }

public slots:
    void open(const QUrl& url) { opened << url; }

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void cleanupTestCase()
    {
        QDir::setCurrent(QCoreApplication::applicationDirPath());
        QDir(QCoreApplication::applicationDirPath() + "/dfu").removeRecursively();
    }
    void init()
    {
        QSettings().clear();
        QSettings().setValue("midiInPort", "");  // no module remembered to reconnect to
        f = std::make_unique<WindowFixture>();
        f->link.samEraseSettleMs = 50;
        QVERIFY(f->connect());
        f->module.clearLog();
    }

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
        QTemporaryDir dir;
        programs.program[3].volume[0] = 5;   // the stored checksum is stale now
        const QByteArray edited = bytes(programs);
        f->prompts.files << dir.filePath(typed);
        if (warning == "Cannot write file")
            onAFullDisk([this] { f->window->saveProgramsToDisk(); });
        else
            f->window->saveProgramsToDisk();
        QCOMPARE(bytes(programs), edited);
        if (!warning.isEmpty()) {
            QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|" + warning + "\n" + dir.filePath(written) });
            QVERIFY(!QFile::exists(dir.filePath(written)));
            return;
        }
        const QByteArray saved = lyrtest::readFile(dir.filePath(written));
        QCOMPARE(saved.left(65532), edited.left(65532));
        const auto* block = reinterpret_cast<const TPrograms*>(saved.constData());
        QVERIFY(checkHeader(block) && controlChecksum(block, computeChecksum(block)));

        initPrograms();
        f->prompts.files << dir.filePath(written);
        f->window->loadProgramsFromDisk();
        QCOMPARE(bytes(programs), saved);
        QCOMPARE(flashPrograms(f->module.memory()), saved);
        QCOMPARE(f->prompts.shown("information"), QStringList { "Info|Success" });
        QVERIFY(f->window->isEnabled());
        // The next dialog opens where the last file was, while it exists.
        QCOMPARE(f->window->getLastPath(), dir.path());
        dir.remove();
        QCOMPARE(f->window->getLastPath(), desktop());
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
        const SimFault copy { SimFault::Nack, ComCopyProgramsFromFlashToRam };
        const QString notCopied = "Warning|Cannot copy Programs from Flash to Ram";
        const QString notSaved = "Warning|Cannot Save Programs & Wavetable to Flash";
        const QString noFlash = "Warning|Cannot load programs from Flash memory";
        const QString noRam = "Warning|Cannot load programs from Ram memory";
        const QString refused = "Warning|Cannot load Program data\n" + badFile() + ": ";
        const QString tooShort = refused + "65535 bytes, a programs file has 65536";
        const QString badTrailer = refused + "not a programs file (its trailer is wrong)";
        const QString missing = refused + "the file does not exist";
        const QByteArray cut = image().left(65535), alien = QByteArray(image()).replace(65520, 7, "XMODULE");
        // Colour bytes no Qt colour has, on the current program and another.
        TPrograms uncoloured;
        std::memcpy(&uncoloured, image().constData(), sizeof(uncoloured));
        uncoloured.program[5].color = 200;
        uncoloured.program[0].color = 0xFF;
        writeHeader(&uncoloured);
        const Holds same = Holds::Same;
        auto row = [](const char* name, const Case& c) { QTest::newRow(name) << c; };
        //                              action   file   fault    box                          holds             written
        row("save",                   { save,    {},    noFault, "Info|Programs saved",       same,             true });
        row("save, erase refused",    { save,    {},    erase,   notSaved,                    same,             false });
        row("save, RAM copy refused", { save,    {},    copy,    notCopied,                   same,             true });
        row("factory",                { factory, {},    noFault, "",                          Holds::Factory,   true });
        row("factory, erase refused", { factory, {},    erase,   notSaved,                    Holds::Factory,   false });
        row("init all",               { all,     {},    noFault, "Info|Programs initialized", Holds::Defaults,  true });
        row("init current",           { current, {},    noFault, "Info|Program initialized",  Holds::Current,   true });
        row("file one byte short",    { file,    cut,   noFault, tooShort,                    same,             false });
        row("file, wrong trailer",    { file,    alien, noFault, badTrailer,                  same,             false });
        row("file missing",           { file,    {},    noFault, missing,                     same,             false });
        row("file, colours past Qt's", { file,   bytes(uncoloured), noFault, "Info|Success",  Holds::File,      true });
        row("file, RAM copy refused", { file,    image(), copy,  notCopied,                   Holds::File,      true });
        row("load",                   { load,    {},    noFault, "Info|Programs loaded",      Holds::ModuleRam, false });
        row("load, flash refused",    { load,    {},    flash,   noFlash,                     same,             false });
        row("load, RAM refused",      { load,    {},    ram,     noRam,                       same,             false });
    }

    void blockActions()
    {
        QFETCH(Case, c);
        // The module's flash holds a block unlike the editor's, its RAM
        // another; the editor holds the factory block with program 5 edited
        // and current.
        SimMemory& memory = f->module.memory();
        TPrograms moduleFlash = programs;
        std::memcpy(moduleFlash.program[0].name, "Module flash", 12);
        writeHeader(&moduleFlash);
        memory.flash.replace(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS, bytes(moduleFlash));
        memory.ramPrograms = QByteArray(image()).replace(0, 8, "Ram only");
        QVERIFY(copyProgramsFromRawData(image()));
        programs.program[5].name[0] = 'X';
        loadProgram(5);
        f->window->updateAll();
        QFile::remove(badFile());
        QVERIFY(c.file.isEmpty() || !lyrtest::writeFile(badFile(), c.file).isEmpty());
        f->prompts.files << badFile();
        f->prompts.questions << QMessageBox::Yes;
        f->module.addFault(c.fault);

        TPrograms expected = programs;
        TProgram defaults;
        initProgram(&defaults, QByteArray());
        if (c.holds == Holds::Factory || c.holds == Holds::ModuleRam || c.holds == Holds::File) {
            const QByteArray held = c.holds == Holds::Factory ? image() : c.holds == Holds::File ? c.file : memory.ramPrograms;
            std::memcpy(&expected, held.constData(), sizeof(expected));
        }
        for (int i = 0; i < MAX_PROGRAMS; ++i) {
            if (c.holds == Holds::Defaults || (c.holds == Holds::Current && i == 5))
                expected.program[i] = defaults;
        }
        (f->window.get()->*c.action)();
        QCOMPARE(f->prompts.shown("warning") + f->prompts.shown("information"),
                 c.box.isEmpty() ? QStringList() : QStringList { c.box });
        QVERIFY(f->window->isEnabled());
        QCOMPARE(bytes(programs.program), bytes(expected.program));
        QCOMPARE(f->ui()->programLineEdit->text(), getProgramName(currentProgram));
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
        loadProgram(2);
        f->window->onProgramNameTextChanged(typed);
        QCOMPARE(QByteArray(programs.program[2].name, 16), stored.leftJustified(16, '\0'));
        QVERIFY(f->module.log().isEmpty());
    }

    // A critical update asks first. A written image is in the module's
    // memory and the module restarts; the countdown shows every second, then
    // gives the window back, and with no port name remembered tries no port
    // and says so. A refused image never reaches the module; a failed write
    // gives the window back, and neither counts down nor reports success.
    void update_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("refused");      // the command the module refuses; 0 none
        QTest::addColumn<QString>("outcome");  // empty: written; "declined"; else part of the one warning
        const QByteArray ldr = makeImage(Image::Loader), app = makeImage(Image::Application);
        const QByteArray par = makeImage(Image::Parameters), pcm = makeImage(Image::Pcm, 200000);
        const QString loader = "actionUpdateLoader", parameters = "actionUpdateParameters";
        QTest::newRow("loader") << loader << ldr << 0 << "";
        QTest::newRow("loader declined") << loader << ldr << 0 << "declined";
        QTest::newRow("pcm over two 128 KB blocks") << "actionUpdatePcm" << pcm << 0 << "";
        QTest::newRow("parameters") << parameters << par << 0 << "";
        QTest::newRow("empty file") << loader << QByteArray("") << 0 << "Invalid file\nThe file is empty.";
        QTest::newRow("loader, md5 byte") << loader << flipped(ldr, -1) << 0 << "MD5 digest";
        QTest::newRow("application, reset vector") << "actionUpdateApplication" << flipped(app, 0) << 0
                                                   << "reset vector";
        QTest::newRow("parameters, refused") << parameters << par << 0x09 << "Operation failed";
        QTest::newRow("initialisation, no loader port") << "actionInitInstrument" << app << 0 << "Operation failed";
        QTest::newRow("not connected") << loader << ldr << 0 << "Module not connected";
    }
    void update()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, image);
        QFETCH(QString, outcome);
        if (action == "actionInitInstrument" && f->link.midiIn.getPorts().join("").contains("(T-CASE"))
            QSKIP("a loader's ports are present");
        f->prompts.files << file(image);
        f->prompts.questions << (outcome == "declined" ? QMessageBox::No : QMessageBox::Yes);
        QFETCH(int, refused);
        refuse(refused);
        if (outcome == "Module not connected")
            f->link.closePorts();

        this->action(action)->trigger();
        // The next dialog opens where the chosen image was, if one was chosen.
        const bool chosen = outcome != "Module not connected" && outcome != "declined";
        QCOMPARE(f->window->getLastPath(), chosen ? dir.path() : desktop());
        if (!outcome.isEmpty()) {
            QCOMPARE(f->prompts.shown("warning").size(), outcome == "declined" ? 0 : 1);
            QVERIFY2(outcome == "declined" || warned().contains(outcome), qPrintable(warned()));
            if (outcome != "Operation failed")  // refused: the module never heard of it
                QVERIFY(f->module.log().isEmpty());
            tick(20);
            QCOMPARE(f->window->countdown, 0);
            QVERIFY2(!f->window->lastMessage.startsWith("Operation Succesful"), qPrintable(f->window->lastMessage));
            return verifyGivenBack();
        }
        const SimMemory& m = f->module.memory();
        const bool loader = action == "actionUpdateLoader";
        const int at = loader ? SimMemory::flashOffset(info.LoaderAddr, image.size()) : int(SimMemory::SampleArea);
        QCOMPARE((loader ? m.flash : m.dspFlash).mid(at, image.size()), image);
        QCOMPARE(f->received(ComSamErase).size(), int(action == "actionUpdatePcm"));  // PCM over an erased DSP flash
        QTRY_COMPARE(f->received(0x01), QList<QByteArray>({ QByteArray("\xAA") }));  // the module restarts
        f->module.clearLog();
        tick(15);  // from 15 down to 1
        QVERIFY(!f->window->isEnabled());
        QCOMPARE(f->window->lastMessage, "Operation Succesful\nConnecting in 1 ...");
        tick(1);
        verifyGivenBack();
        QCOMPARE(warned(), "Warning|Connection error");
        QVERIFY(f->module.log().isEmpty());
    }

    // The module is told the file by the very bytes it listed and works on
    // it while the window waits; the window gives up only when the module
    // falls silent or the link goes down.
    void usbJob_data()
    {
        QTest::addColumn<UsbJob>("job");
        const QStringList files { "BANK1.SBK", "LYR.PCM", "Été.pcm", "LYR.PAR" }, readme { "README.TXT" };
        const QString pcm = "actionUpdatePcmFromUsb", par = "actionCompareParametersFromUsb";
        const QString cmp = "actionComparePcmFromUsb", failed = "Operation failed";
        auto row = [](const char* name, const UsbJob& job) { QTest::newRow(name) << job; };
        //                          action on stick  answer     com   trouble      outcome
        row("install pcm",         { pcm,   files,  "Été.pcm", 0x15, "",          "PCM updated" });
        row("compare parameters",  { par,   files,  "LYR.PAR", 0x12, "",          "Parameters compare OK" });
        row("module falls silent", { pcm,   files,  "LYR.PCM", 0x15, "silent",    failed });
        row("link goes down",      { pcm,   files,  "LYR.PCM", 0x15, "link down", failed });
        row("no stick",            { pcm,   {},     "",        -1,   "",          "No USB pen plugged in" });
        row("no such file",        { pcm,   readme, "",        -1,   "",          "No file present in USB pen" });
        row("chooser cancelled",   { cmp,   files,  "",        -1,   "",          "No file selected" });
    }
    void usbJob()
    {
        QFETCH(UsbJob, job);
        f->module.memory().usbStick = !job.files.isEmpty();
        f->module.memory().usbFiles = job.files;
        f->module.usbStepMs = 50;
        f->window->endReportTimeoutMs = job.trouble == "link down" ? 30000 : 250;
        if (job.trouble == "silent")
            refuse(job.com);  // a NACK, then nothing
        f->prompts.inputs << (job.answer.isEmpty() ? QVariant() : QVariant(job.answer));
        QSignalSpy progress(&f->link, &QMidiUtils::updateProgress);
        QElapsedTimer clock;
        clock.start();

        action(job.action)->trigger();
        if (job.com < 0) {
            QCOMPARE(warned(), "Warning|" + job.outcome);
            QCOMPARE(f->frames(1).size(), 1);  // the listing only, and nothing after
            return verifyGivenBack();
        }
        QCOMPARE(f->prompts.shown("item").value(0).section('|', 2),
                 QString(job.action.contains("Pcm") ? "LYR.PCM,Été.pcm" : "LYR.PAR"));
        QTRY_COMPARE(f->received(quint8(job.com)), QList<QByteArray>({ job.answer.toUtf8() + '\0' }));
        QVERIFY(!f->window->isEnabled());
        if (job.trouble == "link down")
            f->link.closePorts();
        QTRY_COMPARE_WITH_TIMEOUT(warned(), job.trouble.isEmpty() ? QString() : "Warning|" + job.outcome, 3000);
        QVERIFY(clock.elapsed() >= (job.trouble == "silent" ? 250 : 0));
        if (job.trouble.isEmpty()) {
            QTRY_COMPARE(progress.size(), 5);
            QTest::qWait(500);  // past the end report and past the give-up time it stopped
            QVERIFY(warned().isEmpty());
            QCOMPARE(progress.last().at(0).toInt(), 100);
            QCOMPARE(f->window->lastMessage, job.outcome);
        }
        verifyGivenBack();
    }

    // Each wavetable change is stored in the module's flash at once; a
    // descriptor that cannot be read or names no voice leaves the table and
    // the module alone. Saving writes the table whole, or says it could not.
    void wavetableAction_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QByteArray>("descriptor");  // the file's text; null: a folder in its place
        QTest::addColumn<int>("refused");            // the command the module refuses; 0 none
        QTest::addColumn<int>("added");              // voices more than before; -1: the table untouched
        QTest::addColumn<QString>("warning");
        const QByteArray two = "$,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,One\n"
                               "$,0,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,Two\n";
        const QString load = "actionLoadWavetableFromDisk", save = "actionSaveWavetable";
        QTest::newRow("descriptor adds its voices") << load << two << 0 << 2 << "";
        QTest::newRow("descriptor without voices") << load << QByteArray("# none\n") << 0 << -1
                                                   << "Invalid file\nThe descriptor names no voice.";
        QTest::newRow("descriptor unreadable") << load << QByteArray() << 0 << -1 << "Cannot open file";
        QTest::newRow("module refuses the table") << load << two << 0x05 << 2 << "Cannot save wavetable";
        QTest::newRow("clear") << "actionClearWavetable" << two << 0 << -1000 << "";
        QTest::newRow("factory over added voices") << "actionLoadWavetableFactory" << two << 0 << 0 << "";
        QTest::newRow("saved") << save << QByteArray("") << 0 << -1 << "";
        QTest::newRow("save into a folder") << save << QByteArray() << 0 << -1 << "Cannot open file";
        QTest::newRow("save, disk full") << save << QByteArray("old") << 0 << -1 << "Cannot write file";
    }
    void wavetableAction()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, descriptor);
        QFETCH(int, refused);
        QFETCH(int, added);
        QFETCH(QString, warning);
        const int factoryVoices = voices();
        const QString path = file(descriptor);
        if (action == "actionLoadWavetableFactory")  // voices of another set first, which the factory set replaces
            f->window->loadWavetable(path);
        f->module.clearLog();
        refuse(refused);
        f->prompts.files << path;
        f->prompts.questions << QMessageBox::Yes;
        const QByteArray before = bytes(wavetable);

        if (warning == "Cannot write file")
            onAFullDisk([&] { this->action(action)->trigger(); });
        else
            this->action(action)->trigger();
        QCOMPARE(warned(), warning.isEmpty() ? QString() : "Warning|" + warning);
        QVERIFY(warning.isEmpty() || f->prompts.shown("information").isEmpty());
        QVERIFY(f->window->isEnabled());
        // A descriptor loaded moves the next dialog to its folder; a save does not.
        const bool loaded = action == "actionLoadWavetableFromDisk";
        QCOMPARE(f->window->getLastPath(), loaded ? dir.path() : desktop());
        if (added == -1) {
            QCOMPARE(bytes(wavetable), before);
            QVERIFY(f->module.log().isEmpty());
            // A failed save leaves the file as it was.
            QVERIFY(action != "actionSaveWavetable" || QFileInfo(path).isDir()
                    || lyrtest::readFile(path) == (warning.isEmpty() ? before : descriptor));
            return;
        }
        QCOMPARE(voices(), added == -1000 ? 0 : factoryVoices + added);
        const int at = SimMemory::flashOffset(SimMemory::ProgramsArea, 2 * SIZEOFWAVETABLE) + SIZEOFWAVETABLE;
        QCOMPARE(f->module.memory().flash.mid(at, SIZEOFWAVETABLE) == bytes(wavetable), warning.isEmpty());
    }

    // The program saved as default, name and all, is what the next
    // initialised program becomes, until the default is cleared.
    void defaultProgramStartsInitialisedPrograms()
    {
        qstrcpy(programPtr->name, "My Default");
        programPtr->name[15] = 0x11;
        const QByteArray saved = bytes(*programPtr);
        action("actionSaveCurrentProgramAsDefault")->trigger();
        initProgram(7);
        QCOMPARE(bytes(programs.program[7]), saved);
        action("actionClearDefaultProgram")->trigger();
        initProgram(7);
        QVERIFY(bytes(programs.program[7]) != saved);
    }

    // Each button of the pages starts its own operation: what the user is
    // asked or told first, the first command the module receives, and the
    // tab shown.
    void pageButtons_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("seen");   // "kind|title;first frame's command and parameter;tab"
        const auto row = [](const char* button, const char* seen) { QTest::newRow(button) << button << seen; };
        row("editRotaryPushButton", ";;rotaryTab");
        row("editEfxPushButton", ";;effectsTab");
        row("reverbChorusEditButton", ";;chorusReverbTab");
        row("eqEditButton", "exec|Equalizer;;editTab");
        row("eqResetButton", ";21:24;editTab");
        row("getDirectoryButton", "information|Info;0e:00;editTab");
        row("eraseDirectoryButton", "question|Clear All Soundbanks;;editTab");
        row("addSoundbankButton", "open|Load Soundbank;;editTab");
        row("removeSoundbankButton", "warning|Warning;;editTab");
        row("testButton", "information|Info;24:00;editTab");
        row("identifyButton", "about|LYR Editor;02:;editTab");
        row("appResetButton", ";01:aa;editTab");
        row("samResetButton", ";07:;editTab");
        row("samFlashGoPushButton", "information|Info;09:00;editTab");
    }
    void pageButtons()
    {
        QFETCH(QString, button);
        f->ui()->addressLineEdit->setText("6000");
        f->ui()->centralTabWidget->setCurrentWidget(f->ui()->editTab);
        f->window->findChild<QPushButton*>(button)->click();
        QCoreApplication::processEvents();   // commands the module does not answer
        const QString seen = QStringList { f->prompts.asked.value(0).section('|', 0, 1), f->frames().value(0).left(5),
                                           f->ui()->centralTabWidget->currentWidget()->objectName() }.join(';');
        QTEST(seen, "seen");
    }

    // Versions as major.minor from the high and the low byte.
    void identifyShowsVersions()
    {
        f->module.identity().set("LoaderVersion", 0x0203);
        f->module.identity().set("ProgramVersion", 0xFF01);
        action("actionIdentify")->trigger();
        const QString shown = f->prompts.shown("about").join(';');
        QVERIFY2(shown.contains("Loader Version: 2.3\n") && shown.contains("Programs Version: 255.1\n"), qPrintable(shown));
    }

    // The desktop gets the manual from the user's own data folder, where a
    // stale copy is replaced.
    void manualOpensPrivateCopy()
    {
        QDesktopServices::setUrlHandler("file", this, "open");
        const QString copy = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/user_manual.pdf";
        const QByteArray manual = lyrtest::readFile(":/User Manual Borvan LYR - EN.pdf");
        QVERIFY(manual.startsWith("%PDF"));
        for (const QByteArray& old : { QByteArray(), QByteArray("stale") }) {
            QVERIFY(old.isNull() || !lyrtest::writeFile(copy, old).isEmpty());
            action("actionOpenManual")->trigger();
            QCOMPARE(std::exchange(opened, {}), QList<QUrl> { QUrl::fromLocalFile(copy) });
            QCOMPARE(lyrtest::readFile(copy), manual);
        }
        QDesktopServices::unsetUrlHandler("file");
    }

    // Only the module's own USB identity going away closes the link.
    void deviceRemoval()
    {
        f->window->onDeviceRemoved("5499", "0083");
        QVERIFY(f->link.isConnected());
        f->window->onDeviceRemoved("5499", "0082");
        QVERIFY(!f->link.isConnected());
    }

    // Without a link every action and tool acts as on a link that is down:
    // each ends at once with the window usable, even when every question is
    // answered Yes, and nothing reaches the module.
    void withoutALink()
    {
        midiUtilsPtr = nullptr;
        LyrForm* w = f->window.get();
        f->window->findChild<QRadioButton*>("compareRadioButton")->setChecked(true);
        f->ui()->byte0LineEdit->setText("1");
        QList<std::function<void()>> steps;
        const QStringList elsewhere = { "actionExit", "actionOpenManual", "actionDfuProgramming" };
        for (QAction* a : w->findChildren<QAction*>())
            if (!a->objectName().isEmpty() && !elsewhere.contains(a->objectName()))
                steps << [a] { a->trigger(); };
        for (const Action tool : { &LyrForm::test, &LyrForm::systemReset, &LyrForm::samReset, &LyrForm::sendSamData,
                                   &LyrForm::testFlashReadWrite, &LyrForm::on_hqDist2OnBtn_clicked })
            steps << [w, tool] { (w->*tool)(); };
        steps << [w] { w->onProgramButtonClicked(3); } << [w] { w->secondReverbControl(4, 64); }
              << [w] { w->onDeviceRemoved("5499", "0082"); };
        for (const std::function<void()>& step : steps) {
            f->prompts.questions = QList<QMessageBox::StandardButton>(4, QMessageBox::Yes);
            step();
            QCoreApplication::processEvents();
            verifyGivenBack();
        }
        QVERIFY(f->prompts.shown("warning").contains("Warning|Module not connected"));
        QCOMPARE(f->frames(), QStringList());
    }

    // Exit asks first and closes only on Yes.
    void exitAsks()
    {
        f->window->show();
        for (const QMessageBox::StandardButton answer : { QMessageBox::No, QMessageBox::Yes }) {
            f->prompts.questions << answer;
            action("actionExit")->trigger();
            QCOMPARE(f->prompts.asked.takeFirst(), "question|Exit Confirmation|Are you sure you want to exit?");
            QCOMPARE(f->window->isVisible(), answer == QMessageBox::No);
        }
    }

    // DFU programming runs the tool beside the editor, never one where it was
    // started, five times with their argument lists, each image handed over
    // as a copy in one private folder, gone afterwards; it stops at the
    // first failing run and says so. Bad input runs nothing.
    void dfu_data()
    {
        QTest::addColumn<QByteArray>("codes");    // the tool's exit codes; null: no tool beside the editor
        QTest::addColumn<QStringList>("images");  // answers to the file dialogs; "-" a missing file
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("told");        // part of the one message shown; empty: none
        const QStringList images { "loader.bin", "app.bin", "programs.pre", "dsp.bin" };
        const auto row = [](const char* name, const char* codes, const QStringList& images, int runs, const char* told) {
            QTest::newRow(name) << QByteArray(codes) << images << runs << QString(told);
        };
        row("all five succeed", "17 18 18 18 18", images, 5, "");
        row("option bytes answer as an image", "18", images, 1, "stopped at the option bytes:");
        row("last run fails", "17 18 18 18 0", images, 5, "stopped at the DSP firmware:");
        row("tool crashes", "17 crash", images, 2, "stopped at the loader:");
        row("tool hangs", "17 18 hang", images, 3, "stopped at the programs:");
        row("tool only where started", nullptr, images, 0, "The DFU tool was not found");
        row("third dialog cancelled", "17", images.mid(0, 2), 0, "");
        row("image missing", "17", { "loader.bin", "app.bin", "-" }, 0, "File not found");
        row("last image missing", "17", images.mid(0, 3) << "-", 0, "File not found");
        row("tool not executable", "noexec", images, 0, "could not be started");
    }
    void dfu()
    {
        QFETCH(QByteArray, codes);
        QFETCH(QStringList, images);
        QFETCH(int, runs);
        QFETCH(QString, told);
        const QString beside = QCoreApplication::applicationDirPath(), started = dir.filePath("started");
        QDir(beside + "/dfu").removeRecursively();
        QDir(started).removeRecursively();
        QVERIFY(QDir().mkpath(started) && QDir::setCurrent(started));
        if (!codes.isNull())
            placeTool(beside, codes);
        if (codes == "noexec")
            QFile::setPermissions(beside + "/dfu/DFUConsole.exe", QFile::ReadOwner | QFile::WriteOwner);
        placeTool(started, "0");
        QVERIFY(QFile::copy(file("stale"), started + "/lyr_ldr.bin"));
        for (const QString& name : images)
            f->prompts.files << (name == "-" ? dir.filePath("gone") : file(name.toUtf8()));
        f->window->dfuRunTimeoutMs = 500;
        f->window->dfuProgram();

        const QList<QStringList> logged = runsIn(beside);
        QStringList seen;
        for (const QStringList& run : logged) {
            seen << run.mid(1).join('\t');
            QCOMPARE(run[0], logged[0][0]);
        }
        QCOMPARE(seen, dfuRuns.mid(0, runs));
        QVERIFY(runsIn(started).isEmpty());
        QVERIFY(logged.isEmpty() || (QDir(logged[0][0]) != QDir(started) && !QDir(logged[0][0]).exists()));
        const QStringList shown = f->prompts.shown("critical") + f->prompts.shown("warning");
        QVERIFY2(told.isEmpty() ? shown.isEmpty() : shown.size() == 1 && shown[0].contains(told),
                 qPrintable(shown.join(';')));
        QVERIFY(f->window->isEnabled());
    }
};

LYR_TEST_MAIN(TestMenus)
#include "tst_menus.moc"
