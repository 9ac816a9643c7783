// The Programs menu end to end, against the simulated module in process:
// what reaches the files, the mirror and the module's memory, what the user
// is told, and that the window is usable again afterwards.

#include "TestSupport.h"
#include "SysExFrame.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

using lyrsim::SimFault;
using lyrsim::SimMemory;
using Action = void (LyrForm::*)();
Q_DECLARE_METATYPE(Action)

namespace {

template <typename T>
QByteArray bytes(const T& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(data), data.size());
}

// The programs block in the module's flash.
QByteArray flashPrograms(SimMemory& memory)
{
    return memory.flash.mid(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS);
}

bool sealed(const QByteArray& block)
{
    const auto* b = reinterpret_cast<const TPrograms*>(block.constData());
    return block.size() == SIZEOFPROGRAMS && checkHeader(b) && controlChecksum(b, computeChecksum(b));
}

QByteArray factoryImage()
{
    return readFile(":/programs_factory.pre");
}

// A module whose flash and RAM hold a block unlike the editor's.
void giveModuleOwnPrograms(SimMemory& memory, const QByteArray& block)
{
    memory.flash.replace(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS, block);
    QByteArray ram = block;
    ram.replace(0, 8, "Ram only");
    memory.ramPrograms = ram;
}

// Whether the page refresh of this build shows the program name; the checks
// of what the pages show need it.
bool pagesShowNames(WindowFixture& f)
{
    f.window->updateAll();
    return f.ui()->programLineEdit->text() == getProgramName(currentProgram);
}

} // namespace

class TestProgramActions : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        QSettings().remove("searchPath");
    }

    // A block saved and loaded again is the same block, with a checksum
    // that matches it even after edits; the module ends up holding it.
    void saveThenLoad_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "set" << "set.pre";
        QTest::newRow("with extension") << "set.pre" << "set.pre";
        QTest::newRow("upper case") << "SET.PRE" << "SET.PRE";
    }

    void saveThenLoad()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QTemporaryDir dir;
        WindowFixture f;
        QVERIFY(f.connect());
        programs.program[3].volume[0] = 5;  // the stored checksum is stale now
        const QByteArray edited = bytes(programs);

        f.prompts.files << dir.filePath(typed);
        f.window->saveProgramsToDisk();
        const QByteArray saved = readFile(dir.filePath(written));
        QCOMPARE(saved.left(65532), edited.left(65532));
        QVERIFY(sealed(saved));
        QCOMPARE(bytes(programs), edited);
        QCOMPARE(QSettings().value("searchPath"), QVariant());

        initPrograms();
        f.prompts.files << dir.filePath(written);
        f.window->loadProgramsFromDisk();
        QCOMPARE(bytes(programs), saved);
        QCOMPARE(flashPrograms(f.module.memory()), saved);
        QCOMPARE(f.prompts.shown("information"), QStringList { "Info|Success" });
        QCOMPARE(QSettings().value("searchPath").toString(), dir.path());
        QVERIFY(f.window->isEnabled());
    }

    void saveFailureWarns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("warning");
        QTest::newRow("folder missing") << "gone/set.pre" << "Cannot open file";
        QTest::newRow("a folder of that name") << "taken.pre" << "Cannot open file";
        QTest::newRow("disk full") << "set.pre" << "Cannot write file";
    }

    void saveFailureWarns()
    {
        QFETCH(QString, name);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        QDir(dir.path()).mkdir("taken.pre");
        WindowFixture f;
        f.prompts.files << dir.filePath(name);
        // A file size limit fails the writes as a full disk would.
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full { 4096, limit.rlim_max };
        const bool diskFull = QByteArray(QTest::currentDataTag()) == "disk full";
        if (diskFull) {
            signal(SIGXFSZ, SIG_IGN);
            setrlimit(RLIMIT_FSIZE, &full);
        }
        f.window->saveProgramsToDisk();
        if (diskFull)
            setrlimit(RLIMIT_FSIZE, &limit);
        QVERIFY(!QFile::exists(dir.filePath("set.pre")));
        QCOMPARE(f.prompts.shown("warning"),
                 QStringList { "Warning|" + warning + "\n" + QDir::toNativeSeparators(dir.filePath(name)) });
    }

    // A file that is no programs image: the user learns which and why, and
    // nothing changes, neither in the editor nor in the module.
    void badFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::addColumn<QString>("reason");
        QByteArray wrongMagic = factoryImage();
        wrongMagic.replace(65520, 7, "XMODULE");
        QTest::newRow("one byte short") << factoryImage().left(65535) << "65535 bytes, a programs file has 65536";
        QTest::newRow("one byte long") << factoryImage() + 'x' << "65537 bytes, a programs file has 65536";
        QTest::newRow("wrong trailer") << wrongMagic << "not a programs file (its trailer is wrong)";
        QTest::newRow("missing") << QByteArray() << "the file does not exist";
    }

    void badFileIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.pre");
        if (!content.isEmpty())
            writeFile(path, content);
        WindowFixture f;
        QVERIFY(f.connect());
        const QByteArray before = bytes(programs);
        const QString shownName = f.ui()->programLineEdit->text();
        f.module.clearLog();

        f.prompts.files << path;
        f.window->loadProgramsFromDisk();
        QCOMPARE(f.prompts.shown("warning"),
                 QStringList { "Warning|Cannot load Program data\n" + QDir::toNativeSeparators(path) + ": " + reason });
        QCOMPARE(bytes(programs), before);
        QCOMPARE(f.ui()->programLineEdit->text(), shownName);
        QVERIFY(f.module.log().isEmpty());
        QVERIFY(f.window->isEnabled());
    }

    // When the module does not take the new block, the editor still holds
    // and shows it, and says what failed.
    void commitFailureStillInstalls_data()
    {
        QTest::addColumn<int>("refused");
        QTest::addColumn<QString>("warning");
        QTest::newRow("flash erase") << int(ComStmFlashErase) << "Warning|Cannot Save Programs & Wavetable to Flash";
        QTest::newRow("copy to RAM") << int(ComCopyProgramsFromFlashToRam) << "Warning|Cannot copy Programs from Flash to Ram";
    }

    void commitFailureStillInstalls()
    {
        QFETCH(int, refused);
        QFETCH(QString, warning);
        WindowFixture f;
        QVERIFY(f.connect());
        const QByteArray moduleFlash = f.module.memory().flash;
        f.module.addFault({ SimFault::Nack, refused });
        f.window->loadFactoryPrograms();
        QCOMPARE(f.prompts.shown("warning"), QStringList { warning });
        QCOMPARE(bytes(programs), factoryImage());
        QVERIFY(f.window->isEnabled());
        if (refused == ComStmFlashErase)
            QCOMPARE(f.module.memory().flash, moduleFlash);
        if (!pagesShowNames(f))
            QSKIP("the page refresh of this build does not show program names");
        initPrograms();
        f.window->updateAll();
        f.window->loadFactoryPrograms();
        QCOMPARE(f.ui()->programLineEdit->text(), getProgramName(currentProgram));
    }

    // The factory programs are ours: whole, sealed, named, on voices of the
    // factory descriptor, and what the generator writes today.
    void factoryProgramsInstall()
    {
        WindowFixture f;
        QVERIFY(f.connect());
        f.window->loadFactoryPrograms();
        QVERIFY(f.prompts.asked.isEmpty());
        const QByteArray image = factoryImage();
        QVERIFY(sealed(image));
        QCOMPARE(bytes(programs), image);
        QCOMPARE(flashPrograms(f.module.memory()), image);
        QCOMPARE(image.mid(65408, 16).toHex(' '), QByteArray("01 00 02 02 6b 7f 00 00 00 00 10 10 00 00 00 00"));

        QSet<QString> names;
        for (int i = 0; i < MAX_PROGRAMS; ++i) {
            const TProgram& p = programs.program[i];
            const QString name = getProgramName(quint16(i));
            QVERIFY2(!name.isEmpty() && p.name[15] == 0, qPrintable(name));
            names.insert(name);
            for (int l = 0; l < 3; ++l) {
                if (!p.enabled[l])
                    continue;
                const TVoiceSelect& v = p.voice[l];
                QVERIFY2(v.voice < getVoiceCount(v.family) && getVoiceBank(v.family, v.voice) == v.bank
                             && getVoicePch(v.family, v.voice) == v.pch,
                         qPrintable(name));
                QVERIFY(p.keyRange[l][0] <= p.keyRange[l][1] && p.keyRange[l][1] <= 127);
                QVERIFY(p.velocityRange[l][0] <= p.velocityRange[l][1] && p.velocityRange[l][1] <= 127);
            }
            QVERIFY2(p.enabled[0] || p.enabled[1] || p.enabled[2] || (p.organ.onVolume & 1), qPrintable(name));
        }
        QCOMPARE(names.size(), MAX_PROGRAMS);

        QTemporaryDir dir;
        QProcess tool;
        tool.start(LYR_FACTORY_TOOL, { LYR_FACTORY_DESCRIPTOR, dir.filePath("made.pre") });
        QVERIFY(tool.waitForFinished(30000));
        QCOMPARE(tool.exitCode(), 0);
        QCOMPARE(readFile(dir.filePath("made.pre")), image);
    }

    void saveToModule_data()
    {
        QTest::addColumn<bool>("eraseRefused");
        QTest::addColumn<QString>("shown");
        QTest::newRow("taken") << false << "information|Info|Programs saved";
        QTest::newRow("erase refused") << true << "warning|Warning|Cannot Save Programs & Wavetable to Flash";
    }

    void saveToModule()
    {
        QFETCH(bool, eraseRefused);
        QFETCH(QString, shown);
        WindowFixture f;
        QVERIFY(f.connect());
        programs.program[0].volume[0] = 7;
        TPrograms expected = programs;
        writeHeader(&expected);
        const QByteArray moduleFlash = f.module.memory().flash;
        if (eraseRefused)
            f.module.addFault({ SimFault::Nack, ComStmFlashErase });
        f.window->saveProgramsToModule();
        QCOMPARE(f.prompts.asked, QStringList { shown });
        QVERIFY(f.window->isEnabled());
        if (eraseRefused) {
            QCOMPARE(f.module.memory().flash, moduleFlash);
        } else {
            QCOMPARE(flashPrograms(f.module.memory()), bytes(expected));
            QCOMPARE(f.module.memory().ramPrograms, bytes(expected));
        }
    }

    // Loads from the module: the boxes, and which copy of the mirror took
    // the module's block.
    void moduleLoads_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("refused");   // -1 none
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("programsFromRam");
        QTest::addColumn<bool>("flashCopyFromModule");
        const Action load = &LyrForm::loadProgramsFromModule;
        const Action ram = &LyrForm::loadProgramsFromModuleRam;
        const Action flash = &LyrForm::loadProgramsFromModuleFlash;
        const Action copy = &LyrForm::copyProgramsFromFlashToRam;
        QTest::newRow("load") << load << -1 << "information|Info|Programs loaded" << true << true;
        QTest::newRow("load, flash read refused") << load << int(ComFlashRead)
                                                  << "warning|Warning|Cannot load programs from Flash memory" << false << false;
        QTest::newRow("load, RAM read refused") << load << int(ComRamReadPrograms)
                                                << "warning|Warning|Cannot load programs from Ram memory" << false << true;
        QTest::newRow("debug RAM") << ram << -1 << "information|Info|Programs loaded" << true << false;
        QTest::newRow("debug RAM refused") << ram << int(ComRamReadPrograms)
                                           << "warning|Warning|Cannot load programs from RAM memory" << false << false;
        QTest::newRow("debug flash") << flash << -1 << "information|Info|Programs loaded" << false << true;
        QTest::newRow("debug copy") << copy << -1 << "information|Info|Success" << false << false;
        QTest::newRow("debug copy refused") << copy << int(ComCopyProgramsFromFlashToRam) << "warning|Warning|Failed"
                                            << false << false;
    }

    void moduleLoads()
    {
        QFETCH(Action, action);
        QFETCH(int, refused);
        QFETCH(QString, shown);
        QFETCH(bool, programsFromRam);
        QFETCH(bool, flashCopyFromModule);
        WindowFixture f;
        QVERIFY(f.connect());
        giveModuleOwnPrograms(f.module.memory(), factoryImage());
        const QByteArray before = bytes(programs);
        if (refused >= 0)
            f.module.addFault({ SimFault::Nack, refused, -1, 0, refused == ComFlashRead ? 20 : 0 });
        (f.window.get()->*action)();
        QCOMPARE(f.prompts.asked, QStringList { shown });
        QCOMPARE(bytes(programs), programsFromRam ? f.module.memory().ramPrograms : before);
        QCOMPARE(bytes(programsFlash) == factoryImage(), flashCopyFromModule);
        QVERIFY(f.window->isEnabled());
    }

    void initialisation_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("shown");  // after the question
        QTest::newRow("all, no") << Action(&LyrForm::initAllPrograms) << int(QMessageBox::No) << "";
        QTest::newRow("all, yes") << Action(&LyrForm::initAllPrograms) << int(QMessageBox::Yes)
                                  << "information|Info|Programs initialized";
        QTest::newRow("current, no") << Action(&LyrForm::initCurrentProgram) << int(QMessageBox::No) << "";
        QTest::newRow("current, yes") << Action(&LyrForm::initCurrentProgram) << int(QMessageBox::Yes)
                                      << "information|Info|Program initialized";
    }

    void initialisation()
    {
        QFETCH(Action, action);
        QFETCH(int, answer);
        QFETCH(QString, shown);
        WindowFixture f;
        QVERIFY(f.connect());
        f.window->loadFactoryPrograms();
        loadProgram(5);
        const QByteArray factory = bytes(programs);
        f.module.clearLog();
        f.prompts.questions << QMessageBox::StandardButton(answer);
        (f.window.get()->*action)();
        QCOMPARE(f.prompts.asked.mid(1), shown.isEmpty() ? QStringList() : QStringList { shown });
        QVERIFY(f.window->isEnabled());
        if (answer == QMessageBox::No) {
            QCOMPARE(bytes(programs), factory);
            QVERIFY(f.module.log().isEmpty());
            return;
        }
        TProgram defaults;
        initProgram(&defaults, QByteArray());
        QCOMPARE(bytes(programs.program[5]), bytes(defaults));
        QCOMPARE(getProgramName(6) == "Program", action == Action(&LyrForm::initAllPrograms));
        QCOMPARE(flashPrograms(f.module.memory()).left(65520), bytes(programs).left(65520));
        QCOMPARE(f.received(ComVoiceVariation), QList<QByteArray> { QByteArray::fromHex("140505") });
    }

    void copyProgram_data()
    {
        QTest::addColumn<QVariant>("input");
        QTest::addColumn<int>("changed");  // the program that changed, -1 none
        QTest::newRow("to another") << QVariant(9) << 9;
        QTest::newRow("onto itself") << QVariant(4) << -1;
        QTest::newRow("cancelled") << QVariant() << -1;
    }

    void copyProgram()
    {
        QFETCH(QVariant, input);
        QFETCH(int, changed);
        WindowFixture f;
        f.window->loadFactoryPrograms();
        loadProgram(4);
        TPrograms expected = programs;
        if (changed >= 0)
            expected.program[changed] = programs.program[4];
        f.prompts.inputs << input;
        f.window->showCopyProgramDialog();
        QCOMPARE(f.prompts.shown("int"), QStringList { "Copy Program|Copy Current Program In" });
        QCOMPARE(bytes(programs), bytes(expected));
    }

    // The name field takes whole characters only, never more than 16 bytes.
    void programName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("15 ASCII") << "Fifteen chars!!" << QByteArray("Fifteen chars!!");
        QTest::newRow("16 ASCII") << "Sixteen chars!!!" << QByteArray("Sixteen chars!!!");
        QTest::newRow("two-byte letters") << "a" + QString(9, QChar(0xE9)) << ("a" + QString(7, QChar(0xE9))).toUtf8();
        QTest::newRow("euro at the edge") << QString("Price in euro ") + QChar(0x20AC) << QByteArray("Price in euro ");
        QTest::newRow("emoji") << QString("Keys ") + QString::fromUtf8("\xF0\x9F\x8E\xB9") + " piano"
                               << QByteArray("Keys \xF0\x9F\x8E\xB9 piano");
        QTest::newRow("cleared") << "" << QByteArray();
    }

    void programName()
    {
        QFETCH(QString, typed);
        QFETCH(QByteArray, stored);
        WindowFixture f;
        f.module.clearLog();
        loadProgram(2);
        f.window->onProgramNameTextChanged(typed);
        QCOMPARE(QByteArray(programs.program[2].name, 16), stored.leftJustified(16, '\0'));
        QVERIFY(f.module.log().isEmpty());
    }

    void lastPath_data()
    {
        QTest::addColumn<int>("stored");  // 0 none, 1 an existing folder, 2 a deleted one
        QTest::newRow("none") << 0;
        QTest::newRow("existing") << 1;
        QTest::newRow("deleted") << 2;
    }

    void lastPath()
    {
        QFETCH(int, stored);
        QString folder;
        {
            QTemporaryDir dir;
            folder = dir.path();
            if (stored > 0)
                QSettings().setValue("searchPath", folder);
            if (stored == 1) {
                WindowFixture f;
                QCOMPARE(f.window->getLastPath(), folder);
                return;
            }
        }
        WindowFixture f;
        QCOMPARE(f.window->getLastPath(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    }
};

LYR_TEST_MAIN(TestProgramActions)
#include "tst_programactions.moc"
