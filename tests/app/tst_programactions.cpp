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

QByteArray flashPrograms(SimMemory& memory)
{
    return memory.flash.mid(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS);
}

bool sealed(const QByteArray& block)
{
    const auto* b = reinterpret_cast<const TPrograms*>(block.constData());
    return block.size() == SIZEOFPROGRAMS && checkHeader(b) && controlChecksum(b, computeChecksum(b));
}

const QByteArray& factory()
{
    static const QByteArray image = readFile(":/programs_factory.pre");
    return image;
}

} // namespace

class TestProgramActions : public QObject
{
    Q_OBJECT
private slots:
    // A block saved and loaded again is the same block, with a checksum that
    // matches it even after edits; the module ends up holding it.
    void saveThenLoad_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");
        QTest::newRow("no extension") << "set" << "set.pre";
        QTest::newRow("upper-case extension") << "SET.PRE" << "SET.PRE";
    }

    void saveThenLoad()
    {
        QFETCH(QString, typed);
        QFETCH(QString, written);
        QSettings().remove("searchPath");
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

        initPrograms();
        f.prompts.files << dir.filePath(written);
        f.window->loadProgramsFromDisk();
        QCOMPARE(bytes(programs), saved);
        QCOMPARE(flashPrograms(f.module.memory()), saved);
        QCOMPARE(f.prompts.shown("information"), QStringList { "Info|Success" });
        QVERIFY(f.window->isEnabled());
        QCOMPARE(f.window->getLastPath(), dir.path());
        dir.remove();
        QCOMPARE(f.window->getLastPath(), QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    }

    void saveFailureWarns_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("warning");
        QTest::newRow("folder missing") << "gone/set.pre" << "Cannot open file";
        QTest::newRow("disk full") << "set.pre" << "Cannot write file";
    }

    void saveFailureWarns()
    {
        QFETCH(QString, name);
        QFETCH(QString, warning);
        QTemporaryDir dir;
        WindowFixture f;
        f.prompts.files << dir.filePath(name);
        // A file size limit fails the writes as a full disk would.
        rlimit limit {};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit full { 4096, limit.rlim_max };
        signal(SIGXFSZ, SIG_IGN);
        setrlimit(RLIMIT_FSIZE, &full);
        f.window->saveProgramsToDisk();
        setrlimit(RLIMIT_FSIZE, &limit);
        QCOMPARE(f.prompts.shown("warning"),
                 QStringList { "Warning|" + warning + "\n" + QDir::toNativeSeparators(dir.filePath(name)) });
        QVERIFY(!QFile::exists(dir.filePath(name)));
    }

    // A file that is no programs image: the user learns which and why, and
    // nothing changes, neither in the editor nor in the module.
    void badFileIsRefused_data()
    {
        QTest::addColumn<QByteArray>("content");  // empty: no file at all
        QTest::addColumn<QString>("reason");
        QByteArray wrongMagic = factory();
        wrongMagic.replace(65520, 7, "XMODULE");
        QTest::newRow("one byte short") << factory().left(65535) << "65535 bytes, a programs file has 65536";
        QTest::newRow("one byte long") << factory() + 'x' << "65537 bytes, a programs file has 65536";
        QTest::newRow("wrong trailer") << wrongMagic << "not a programs file (its trailer is wrong)";
        QTest::newRow("missing") << QByteArray() << "the file does not exist";
    }

    void badFileIsRefused()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QTemporaryDir dir;
        const QString path = dir.filePath("bad.pre");
        QFile file(path);
        if (!content.isEmpty())
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size() && file.flush());
        WindowFixture f;
        QVERIFY(f.connect());
        const QByteArray before = bytes(programs);
        f.window->updateAll();
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

    // Actions that send the block into the module: what the user is told,
    // what the editor holds, and whether the module's flash took it.
    void commitsToModule_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("answer");    // to the question, when one is asked
        QTest::addColumn<int>("refused");   // command the module refuses, -1 none
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("holds"); // same, factory, defaults (all), reset (current only)
        const Action save = &LyrForm::saveProgramsToModule, load = &LyrForm::loadFactoryPrograms;
        const Action all = &LyrForm::initAllPrograms, current = &LyrForm::initCurrentProgram;
        const int yes = QMessageBox::Yes, no = QMessageBox::No, erase = ComStmFlashErase;
        const QString flashFailed = "warning|Warning|Cannot Save Programs & Wavetable to Flash";
        QTest::newRow("save") << save << 0 << -1 << "information|Info|Programs saved" << "same";
        QTest::newRow("save, erase refused") << save << 0 << erase << flashFailed << "same";
        QTest::newRow("factory") << load << 0 << -1 << "" << "factory";
        QTest::newRow("factory, erase refused") << load << 0 << erase << flashFailed << "factory";
        QTest::newRow("factory, copy refused") << load << 0 << int(ComCopyProgramsFromFlashToRam)
                                               << "warning|Warning|Cannot copy Programs from Flash to Ram" << "factory";
        QTest::newRow("init all, no") << all << no << -1 << "" << "same";
        QTest::newRow("init all") << all << yes << -1 << "information|Info|Programs initialized" << "defaults";
        QTest::newRow("init current") << current << yes << -1 << "information|Info|Program initialized" << "reset";
    }

    void commitsToModule()
    {
        QFETCH(Action, action);
        QFETCH(int, answer);
        QFETCH(int, refused);
        QFETCH(QString, shown);
        QFETCH(QString, holds);
        WindowFixture f;
        QVERIFY(f.connect());
        QVERIFY(copyProgramsFromRawData(factory()));
        programs.program[5].name[0] = 'X';
        loadProgram(5);
        TPrograms expected = programs;
        TProgram defaults;
        initProgram(&defaults, QByteArray());
        if (holds == "factory")
            std::memcpy(&expected, factory().constData(), sizeof(expected));
        for (int i = 0; i < MAX_PROGRAMS; ++i) {
            if (holds == "defaults" || (holds == "reset" && i == 5))
                expected.program[i] = defaults;
        }
        const QByteArray moduleFlash = flashPrograms(f.module.memory());
        if (refused >= 0)
            f.module.addFault({ SimFault::Nack, refused });
        if (answer)
            f.prompts.questions << QMessageBox::StandardButton(answer);

        (f.window.get()->*action)();
        QCOMPARE(f.prompts.asked.mid(answer ? 1 : 0), shown.isEmpty() ? QStringList() : QStringList { shown });
        QVERIFY(f.window->isEnabled());
        QCOMPARE(bytes(programs.program), bytes(expected.program));
        TPrograms sent = programs;
        writeHeader(&sent);
        const bool written = answer != QMessageBox::No && refused != ComStmFlashErase;
        QCOMPARE(flashPrograms(f.module.memory()), written ? bytes(sent) : moduleFlash);

        // The pages show what the editor holds, whatever the module did.
        if (holds != "factory")
            return;
        initPrograms();
        f.window->updateAll();
        (f.window.get()->*action)();
        QCOMPARE(f.ui()->programLineEdit->text(), getProgramName(currentProgram));
    }

    // Loads from the module: the box, and which copy of the mirror took the
    // module's block (flash and RAM hold different blocks).
    void moduleLoads_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("refused");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("ramTaken");
        QTest::addColumn<bool>("flashTaken");
        const Action load = &LyrForm::loadProgramsFromModule, ram = &LyrForm::loadProgramsFromModuleRam;
        QTest::newRow("load") << load << -1 << "information|Info|Programs loaded" << true << true;
        QTest::newRow("load, flash read refused") << load << int(ComFlashRead)
                                                  << "warning|Warning|Cannot load programs from Flash memory" << false << false;
        QTest::newRow("load, RAM read refused") << load << int(ComRamReadPrograms)
                                                << "warning|Warning|Cannot load programs from Ram memory" << false << true;
        QTest::newRow("debug RAM, refused") << ram << int(ComRamReadPrograms)
                                            << "warning|Warning|Cannot load programs from RAM memory" << false << false;
        QTest::newRow("debug flash") << Action(&LyrForm::loadProgramsFromModuleFlash) << -1
                                     << "information|Info|Programs loaded" << false << true;
        QTest::newRow("debug copy, refused") << Action(&LyrForm::copyProgramsFromFlashToRam)
                                             << int(ComCopyProgramsFromFlashToRam) << "warning|Warning|Failed" << false << false;
    }

    void moduleLoads()
    {
        QFETCH(Action, action);
        QFETCH(int, refused);
        QFETCH(QString, shown);
        QFETCH(bool, ramTaken);
        QFETCH(bool, flashTaken);
        WindowFixture f;
        QVERIFY(f.connect());
        SimMemory& memory = f.module.memory();
        memory.flash.replace(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), SIZEOFPROGRAMS, factory());
        memory.ramPrograms = QByteArray(factory()).replace(0, 8, "Ram only");
        const QByteArray before = bytes(programs);
        if (refused >= 0)  // a flash read fails half way
            f.module.addFault({ SimFault::Nack, refused, -1, 0, refused == ComFlashRead ? 20 : 0 });
        (f.window.get()->*action)();
        QCOMPARE(f.prompts.asked, QStringList { shown });
        QCOMPARE(bytes(programs), ramTaken ? memory.ramPrograms : before);
        QCOMPARE(bytes(programsFlash) == factory(), flashTaken);
        QVERIFY(f.window->isEnabled());
    }

    // Our own programs: sealed, named, on voices of the factory descriptor,
    // with sensible ranges, and what the generator writes today.
    void factoryPrograms()
    {
        QVERIFY(sealed(factory()));
        QCOMPARE(factory().mid(65408, 16).toHex(' '), QByteArray("01 00 02 02 6b 7f 00 00 00 00 10 10 00 00 00 00"));
        WindowFixture f;
        QVERIFY(copyProgramsFromRawData(factory()));
        QSet<QString> names;
        for (quint16 i = 0; i < MAX_PROGRAMS; ++i) {
            const TProgram& p = programs.program[i];
            const QString name = getProgramName(i);
            names.insert(name);
            QVERIFY2(p.name[0] && !p.name[15], qPrintable(name));
            QVERIFY2(p.enabled[0] || p.enabled[1] || p.enabled[2] || (p.organ.onVolume & 1), qPrintable(name));
            for (int l = 0; l < 3; ++l) {
                const TVoiceSelect& v = p.voice[l];
                QVERIFY2(!p.enabled[l]
                             || (v.voice < getVoiceCount(v.family) && getVoiceBank(v.family, v.voice) == v.bank
                                 && getVoicePch(v.family, v.voice) == v.pch && p.keyRange[l][0] <= p.keyRange[l][1]
                                 && p.velocityRange[l][0] <= p.velocityRange[l][1]),
                         qPrintable(name));
            }
        }
        QCOMPARE(names.size(), MAX_PROGRAMS);

        QTemporaryDir dir;
        QProcess tool;
        tool.start(LYR_FACTORY_TOOL, { LYR_FACTORY_DESCRIPTOR, dir.filePath("made.pre") });
        QVERIFY(tool.waitForFinished(30000) && tool.exitCode() == 0);
        QCOMPARE(readFile(dir.filePath("made.pre")), factory());
    }

    // The name field takes whole characters only, never more than 16 bytes,
    // and nothing goes to the module.
    void programName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("15 ASCII") << "Fifteen chars!!" << QByteArray("Fifteen chars!!");
        QTest::newRow("16 ASCII") << "Sixteen chars!!!" << QByteArray("Sixteen chars!!!");
        QTest::newRow("two-byte letters") << "a" + QString(9, QChar(0xE9)) << ("a" + QString(7, QChar(0xE9))).toUtf8();
        QTest::newRow("euro at the edge") << QString("Price in euro ") + QChar(0x20AC) << QByteArray("Price in euro ");
        QTest::newRow("emoji") << "Keys " + QString::fromUtf8("\xF0\x9F\x8E\xB9") + " piano"
                               << QByteArray("Keys \xF0\x9F\x8E\xB9 piano");
    }

    void programName()
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
