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

const QString optionBytes =
    "-ob RDP=0xaa BOR_LEV=0x03 WDG_SW=0x01 nRST_STOP=0x01 nRST_STDBY=0x01 WRP0=0x01 WRP1=0x01 WRP2=0x01 "
    "WRP3=0x01 WRP4=0x01 WRP5=0x01 WRP6=0x01 WRP7=0x01 WRP8=0x01 WRP9=0x01 WRP10=0x01 WRP11=0x01";

// What the tool sees in each run: the image's contents ("-" for none), then
// its arguments.
const QStringList allRuns = {
    QStringList { "-", "1", "1043", "57105", "1155", optionBytes }.join('\t'),
    QStringList { "loader image", "2", "1043", "57105", "1155", "134217728", "lyr_ldr.bin" }.join('\t'),
    QStringList { "programs image", "2", "1043", "57105", "1155", "135135232", "lyr_pre.bin" }.join('\t'),
    QStringList { "application image", "2", "1043", "57105", "1155", "134479872", "lyr_app.bin" }.join('\t'),
    QStringList { "dsp image", "2", "1043", "57105", "1155", "134266880", "lyr_sam.bin" }.join('\t'),
};

void writeFile(const QString& path, const QByteArray& data)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(data);
}

// Puts the stand-in at <dir>/dfu/DFUConsole.exe with the exit codes it gives.
void placeTool(const QString& dir, const QByteArray& codes)
{
    QDir(dir).mkpath("dfu");
    const QString exe = dir + "/dfu/DFUConsole.exe";
    QVERIFY(QFile::copy(DFU_STANDIN, exe));
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
    QString appDir, workingDir, images;

private slots:
    void initTestCase()
    {
        QVERIFY(scratch.isValid());
        appDir = QCoreApplication::applicationDirPath();
        workingDir = scratch.filePath("cwd");
        images = scratch.filePath("images");
        QDir().mkpath(images);
        writeFile(images + "/loader.bin", "loader image");
        writeFile(images + "/app.bin", "application image");
        writeFile(images + "/programs.pre", "programs image");
        writeFile(images + "/dsp.bin", "dsp image");
    }

    void init()
    {
        QDir(appDir + "/dfu").removeRecursively();
        QDir(workingDir).removeRecursively();
        QDir().mkpath(workingDir);
        QVERIFY(QDir::setCurrent(workingDir));
    }

    void cleanupTestCase()
    {
        QDir::setCurrent(appDir);
        QDir(appDir + "/dfu").removeRecursively();
    }

    void runsUntilTheFirstFailure_data()
    {
        QTest::addColumn<QByteArray>("codes");
        QTest::addColumn<int>("runs");
        QTest::addColumn<QString>("stoppedAt"); // empty: all five went well
        QTest::newRow("all five succeed") << QByteArray("17 18 18 18 18") << 5 << "";
        QTest::newRow("option bytes answer as an image") << QByteArray("18") << 1 << "option bytes";
        QTest::newRow("loader answers as option bytes") << QByteArray("17 17") << 2 << "loader";
        QTest::newRow("application fails") << QByteArray("17 18 18 3") << 4 << "application";
        QTest::newRow("last run fails") << QByteArray("17 18 18 18 0") << 5 << "DSP firmware";
        QTest::newRow("tool crashes") << QByteArray("17 crash") << 2 << "loader";
        QTest::newRow("tool hangs") << QByteArray("17 18 hang") << 3 << "programs";
    }

    void runsUntilTheFirstFailure()
    {
        QFETCH(QByteArray, codes);
        QFETCH(int, runs);
        QFETCH(QString, stoppedAt);
        placeTool(appDir, codes);
        // A tool and a stale working copy where the editor was started are
        // not to be used.
        placeTool(workingDir, "0");
        writeFile(workingDir + "/lyr_ldr.bin", "stale");

        WindowFixture f;
        f.window->dfuRunTimeoutMs = 500;
        f.prompts.files = QStringList { images + "/loader.bin", images + "/app.bin", images + "/programs.pre",
                                        images + "/dsp.bin" };
        f.window->dfuProgram();

        const QList<QStringList> logged = runsIn(appDir);
        QStringList seen;
        for (const QStringList& run : logged)
            seen << run.mid(1).join('\t');
        QCOMPARE(seen, allRuns.mid(0, runs));
        QVERIFY(runsIn(workingDir).isEmpty());

        // One private folder for the copies, gone afterwards.
        const QString work = logged.value(0).value(0);
        for (const QStringList& run : logged)
            QCOMPARE(run[0], work);
        QVERIFY(QDir(work) != QDir(workingDir));
        QVERIFY(!QDir(work).exists());

        const QStringList errors = f.prompts.shown("critical");
        QCOMPARE(errors.size(), stoppedAt.isEmpty() ? 0 : 1);
        if (!stoppedAt.isEmpty())
            QVERIFY2(errors[0].contains("stopped at the " + stoppedAt + ":"), qPrintable(errors[0]));
        QVERIFY(f.window->isEnabled());
    }

    void badInputRunsNothing_data()
    {
        QTest::addColumn<bool>("toolBesideApp");
        QTest::addColumn<QStringList>("files");   // answers to the file dialogs
        QTest::addColumn<int>("asked");           // file dialogs shown
        QTest::addColumn<QString>("warning");     // start of the warning, empty for none
        QTest::newRow("tool only where started") << false << QStringList { "loader.bin", "app.bin", "programs.pre", "dsp.bin" }
                                                 << 0 << "Warning|The DFU tool was not found";
        QTest::newRow("third dialog cancelled") << true << QStringList { "loader.bin", "app.bin" } << 3 << "";
        QTest::newRow("image missing") << true << QStringList { "loader.bin", "app.bin", "gone.pre", "dsp.bin" } << 3
                                       << "Warning|File not found";
    }

    void badInputRunsNothing()
    {
        QFETCH(bool, toolBesideApp);
        QFETCH(QStringList, files);
        QFETCH(int, asked);
        QFETCH(QString, warning);
        if (toolBesideApp)
            placeTool(appDir, "17 18 18 18 18");
        placeTool(workingDir, "17 18 18 18 18");

        WindowFixture f;
        for (const QString& file : files)
            f.prompts.files << images + "/" + file;
        f.window->dfuProgram();

        QVERIFY(runsIn(appDir).isEmpty());
        QVERIFY(runsIn(workingDir).isEmpty());
        QCOMPARE(f.prompts.shown("open").size(), asked);
        const QStringList warnings = f.prompts.shown("warning");
        QCOMPARE(warnings.size(), warning.isEmpty() ? 0 : 1);
        if (!warning.isEmpty())
            QVERIFY2(warnings[0].startsWith(warning), qPrintable(warnings[0]));
    }
};

LYR_TEST_MAIN(TestDfu)
#include "tst_dfu.moc"
