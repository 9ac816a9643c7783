// DFU programming with a stand-in for the external tool beside the test:
// five runs with their argument lists, each image handed over as the file
// the user chose, stopping at the first run that fails; bad input runs
// nothing, and every failure is told.

#include "TestSupport.h"
#include "WindowFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

const QStringList images { "loader.bin", "app.bin", "programs.pre", "dsp.bin" };

// What the tool sees in each run: the image's contents ("-" for none), then
// its arguments.
const QStringList allRuns = {
    "-\t1\t1043\t57105\t1155\t-ob RDP=0xaa BOR_LEV=0x03 WDG_SW=0x01 nRST_STOP=0x01 nRST_STDBY=0x01 WRP0=0x01 "
    "WRP1=0x01 WRP2=0x01 WRP3=0x01 WRP4=0x01 WRP5=0x01 WRP6=0x01 WRP7=0x01 WRP8=0x01 WRP9=0x01 WRP10=0x01 WRP11=0x01",
    "loader.bin\t2\t1043\t57105\t1155\t134217728\tlyr_ldr.bin",
    "programs.pre\t2\t1043\t57105\t1155\t135135232\tlyr_pre.bin",
    "app.bin\t2\t1043\t57105\t1155\t134479872\tlyr_app.bin",
    "dsp.bin\t2\t1043\t57105\t1155\t134266880\tlyr_sam.bin",
};

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write(data) == data.size());
}

// Puts the stand-in at <dir>/dfu/DFUConsole.exe with the exit codes it gives.
void placeTool(const QString& dir, const QByteArray& codes)
{
    QDir(dir).mkpath("dfu");
    QVERIFY(QFile::copy(DFU_STANDIN, dir + "/dfu/DFUConsole.exe"));
    writeFile(dir + "/dfu/codes.txt", codes);
}

// The runs the stand-in in <dir>/dfu logged, split into fields.
QList<QStringList> runsIn(const QString& dir)
{
    QFile f(dir + "/dfu/runs.txt");
    QList<QStringList> runs;
    if (f.open(QIODevice::ReadOnly))
        for (const QString& line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts))
            runs << line.split('\t');
    return runs;
}

} // namespace

class TestDfu : public QObject
{
    Q_OBJECT
    QTemporaryDir scratch;
    const QString appDir = QCoreApplication::applicationDirPath();

private slots:
    void initTestCase()
    {
        for (const QString& name : images)
            writeFile(scratch.filePath(name), name.toUtf8());
    }
    void init()
    {
        QDir(appDir + "/dfu").removeRecursively();
        QDir(scratch.filePath("cwd")).removeRecursively();
        QVERIFY(QDir().mkpath(scratch.filePath("cwd")) && QDir::setCurrent(scratch.filePath("cwd")));
    }
    void cleanupTestCase()
    {
        QDir::setCurrent(appDir);
        QDir(appDir + "/dfu").removeRecursively();
    }

    // A tool and a stale working copy where the editor was started are never
    // used; the copies live in one private folder, gone afterwards.
    void runsUntilTheFirstFailure_data()
    {
        QTest::addColumn<QByteArray>("codes");  // the tool's exit codes; null: no tool beside the editor
        QTest::addColumn<QStringList>("files");  // answers to the file dialogs
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("told");       // part of the one message shown; empty: none
        QTest::newRow("all five succeed") << QByteArray("17 18 18 18 18") << images << 5 << "";
        QTest::newRow("option bytes answer as an image") << QByteArray("18") << images << 1
                                                         << "stopped at the option bytes:";
        QTest::newRow("last run fails") << QByteArray("17 18 18 18 0") << images << 5 << "stopped at the DSP firmware:";
        QTest::newRow("tool crashes") << QByteArray("17 crash") << images << 2 << "stopped at the loader:";
        QTest::newRow("tool hangs") << QByteArray("17 18 hang") << images << 3 << "stopped at the programs:";
        QTest::newRow("tool only where started") << QByteArray() << images << 0 << "The DFU tool was not found";
        QTest::newRow("third dialog cancelled") << QByteArray("17") << images.mid(0, 2) << 0 << "";
        QTest::newRow("image missing") << QByteArray("17") << QStringList { "loader.bin", "app.bin", "gone.pre" } << 0
                                       << "File not found";
    }
    void runsUntilTheFirstFailure()
    {
        QFETCH(QByteArray, codes);
        QFETCH(QStringList, files);
        QFETCH(int, runs);
        QFETCH(QString, told);
        if (!codes.isNull())
            placeTool(appDir, codes);
        const QString cwd = scratch.filePath("cwd");
        placeTool(cwd, "0");
        writeFile(cwd + "/lyr_ldr.bin", "stale");

        WindowFixture f;
        f.window->dfuRunTimeoutMs = 500;
        for (const QString& file : files)
            f.prompts.files << scratch.filePath(file);
        f.window->dfuProgram();

        const QList<QStringList> logged = runsIn(appDir);
        QStringList seen;
        for (const QStringList& run : logged) {
            seen << run.mid(1).join('\t');
            QCOMPARE(run[0], logged[0][0]);
        }
        QCOMPARE(seen, allRuns.mid(0, runs));
        QVERIFY(runsIn(cwd).isEmpty());
        QVERIFY(logged.isEmpty() || (QDir(logged[0][0]) != QDir(cwd) && !QDir(logged[0][0]).exists()));
        const QStringList shown = f.prompts.shown("critical") + f.prompts.shown("warning");
        QVERIFY2(told.isEmpty() ? shown.isEmpty() : shown.size() == 1 && shown[0].contains(told),
                 qPrintable(shown.join(';')));
        QVERIFY(f.window->isEnabled());
    }
};

LYR_TEST_MAIN(TestDfu)
#include "tst_dfu.moc"
