// The Wavetable and Help menus, the default program and the question before
// closing, against the simulated module in process: what the module's flash
// holds after each wavetable action and what a bad descriptor leaves alone,
// the versions the module reports, and the manual handed to the desktop.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "TInfo.h"
#include "TPrograms.h"
#include "WindowFixture.h"

#include <QDesktopServices>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

class TestHelp : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<WindowFixture> f;
    QTemporaryDir dir;
    int factoryVoices = 0;

    static QByteArray bytes(const void* record, int size) { return QByteArray(static_cast<const char*>(record), size); }
    QByteArray moduleTable() const
    {
        const int at = lyrsim::SimMemory::flashOffset(lyrsim::SimMemory::ProgramsArea, 2 * SIZEOFWAVETABLE);
        return f->module.memory().flash.mid(at + SIZEOFWAVETABLE, SIZEOFWAVETABLE);
    }
    static int voices()
    {
        int n = 0;
        for (int family = 0; family < GmFamilyCount; ++family)
            n += getVoiceCount(family);
        return n;
    }

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        QSettings().clear();
        f = std::make_unique<WindowFixture>();
        QVERIFY(f->connect());
        f->module.clearLog();
        factoryVoices = voices();
    }

    void wavetableAction_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("descriptor");  // the file's text; null: a folder in its place
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("added");           // voices more than before; -1: the table untouched
        QTest::addColumn<QString>("warning");
        const QString two = "# two voices\n$,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,One\n"
                            "$,0,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,Two\n";
        const auto row = [](const char* name, const char* action, const QString& text, bool confirm,
                            const char* fault, int added, const char* warning) {
            QTest::newRow(name) << QString(action) << text << confirm << QString(fault) << added << QString(warning);
        };
        row("descriptor adds its voices", "actionLoadWavetableFromDisk", two, false, "", 2, "");
        row("descriptor without voices", "actionLoadWavetableFromDisk", "# none\n", false, "", -1,
            "Invalid file\nThe descriptor names no voice.");
        row("descriptor unreadable", "actionLoadWavetableFromDisk", QString(), false, "", -1, "Cannot open file");
        row("module refuses the table", "actionLoadWavetableFromDisk", two, false, "nack:0x05", 2,
            "Cannot save wavetable");
        row("clear", "actionClearWavetable", "", true, "", -1000, "");
        row("factory over added voices", "actionLoadWavetableFactory", two, true, "", 0, "");
        row("factory declined", "actionLoadWavetableFactory", two, false, "", -1, "");
    }
    void wavetableAction()
    {
        QFETCH(QString, action);
        QFETCH(QString, descriptor);
        QFETCH(bool, confirm);
        QFETCH(QString, fault);
        QFETCH(int, added);
        QFETCH(QString, warning);
        const QString path = dir.filePath(descriptor.isNull() ? "folder.txt" : "voices.txt");
        QFile text(path);
        QVERIFY(descriptor.isNull() ? QDir().mkpath(path)
                                    : text.open(QIODevice::WriteOnly) && text.write(descriptor.toUtf8()) >= 0);
        text.close();
        const bool factory = action == "actionLoadWavetableFactory";
        if (factory)  // voices of another set first, which the factory set replaces
            f->window->loadWavetable(path);
        f->module.clearLog();
        lyrsim::SimFault rule;
        if (lyrsim::SimFault::parse(fault, &rule))
            f->module.addFault(rule);
        f->prompts.files << path;
        if (confirm)
            f->prompts.questions << QMessageBox::Yes;
        const QByteArray before = bytes(&wavetable, sizeof(wavetable));

        f->window->findChild<QAction*>(action)->trigger();
        QCOMPARE(f->prompts.shown("warning"), warning.isEmpty() ? QStringList() : QStringList { "Warning|" + warning });
        QVERIFY(f->window->isEnabled());
        if (added == -1) {
            QCOMPARE(bytes(&wavetable, sizeof(wavetable)), before);
            QVERIFY(f->module.log().isEmpty());
            return;
        }
        QCOMPARE(voices(), added == -1000 ? 0 : factoryVoices + added);
        for (int family = 0; family < GmFamilyCount; ++family)
            QVERIFY(!getFamilyName(family).isEmpty());
        QCOMPARE(moduleTable() == bytes(&wavetable, sizeof(wavetable)), warning.isEmpty());
    }

    void saveWavetable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("saved") << "table.bin" << "information|Info|Wavetable saved";
        QTest::newRow("no such folder") << "missing/table.bin" << "warning|Warning|Cannot open file";
    }
    void saveWavetable()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        f->prompts.files << dir.filePath(name);
        f->window->findChild<QAction*>("actionSaveWavetable")->trigger();
        QCOMPARE(f->prompts.asked.mid(1), QStringList { shown });
        QFile saved(dir.filePath(name));
        QCOMPARE(saved.open(QIODevice::ReadOnly) ? saved.readAll() : QByteArray(),
                 shown.startsWith("information") ? bytes(&wavetable, sizeof(wavetable)) : QByteArray());
    }

    // The program saved as default, name and all, is what the next
    // initialised program becomes, until the default is cleared.
    void defaultProgramStartsInitialisedPrograms()
    {
        qstrcpy(programPtr->name, "My Default");
        programPtr->name[15] = 0x11;
        const QByteArray saved = bytes(programPtr, sizeof(TProgram));
        f->window->findChild<QAction*>("actionSaveCurrentProgramAsDefault")->trigger();
        initProgram(7);
        QCOMPARE(bytes(&programs.program[7], sizeof(TProgram)), saved);
        f->window->findChild<QAction*>("actionClearDefaultProgram")->trigger();
        initProgram(7);
        QVERIFY(bytes(&programs.program[7], sizeof(TProgram)) != saved);
        QCOMPARE(f->prompts.shown("information"),
                 QStringList({ "Info|Current Program saved as Default", "Info|Default Program cleared" }));
    }

    // Versions as major.minor from the high and the low byte.
    void identifyShowsVersions_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("shown");
        QTest::newRow("module answers") << "" << "about|LYR Editor|Editor Version: 1.1.0";
        QTest::newRow("module refuses") << "nack:0x02" << "critical|Info|Identify failed.";
    }
    void identifyShowsVersions()
    {
        QFETCH(QString, fault);
        QFETCH(QString, shown);
        lyrsim::SimFault rule;
        if (lyrsim::SimFault::parse(fault, &rule))
            f->module.addFault(rule);
        f->module.identity().set("LoaderVersion", 0x0203);
        f->module.identity().set("ProgramVersion", 0xFF01);
        f->window->findChild<QAction*>("actionIdentify")->trigger();
        QCOMPARE(f->prompts.asked.size(), 1);
        QVERIFY(f->prompts.asked[0].startsWith(shown));
        QCOMPARE(f->prompts.asked[0].contains("Loader Version: 2.3\n") && f->prompts.asked[0].contains(
                     "Programs Version: 255.1\n"), fault.isEmpty());
        QVERIFY(f->window->isEnabled());
    }

    // The desktop gets the manual from the user's own data folder, where a
    // stale or damaged copy is replaced.
    void manualOpensPrivateCopy()
    {
        UrlCatcher desktop;
        QDesktopServices::setUrlHandler("file", &desktop, "open");
        const QString copy = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/user_manual.pdf";
        QFile embedded(":/User Manual Borvan LYR - EN.pdf");
        QVERIFY(embedded.open(QIODevice::ReadOnly));
        const QByteArray manual = embedded.readAll();
        QVERIFY(manual.startsWith("%PDF"));
        for (const QByteArray& old : { QByteArray(), QByteArray("stale") }) {
            QFile placed(copy);
            if (!old.isNull())
                QVERIFY(placed.open(QIODevice::WriteOnly) && placed.write(old) == old.size());
            placed.close();
            f->window->findChild<QAction*>("actionOpenManual")->trigger();
            QCOMPARE(desktop.urls.takeFirst(), QUrl::fromLocalFile(copy));
            QVERIFY(placed.open(QIODevice::ReadOnly));
            QCOMPARE(placed.readAll(), manual);
        }
        QDesktopServices::unsetUrlHandler("file");
    }

    void deviceRemoval_data()
    {
        QTest::addColumn<QString>("vendor");
        QTest::addColumn<QString>("product");
        QTest::addColumn<bool>("connected");
        QTest::newRow("the module") << "5499" << "0082" << false;
        QTest::newRow("another product") << "5499" << "0083" << true;
    }
    void deviceRemoval()
    {
        QFETCH(QString, vendor);
        QFETCH(QString, product);
        f->window->onDeviceRemoved(vendor, product);
        QTEST(f->link.isConnected(), "connected");
    }

    void exitAsks_data()
    {
        QTest::addColumn<QMessageBox::StandardButton>("answer");
        QTest::newRow("yes") << QMessageBox::Yes;
        QTest::newRow("no") << QMessageBox::No;
    }
    void exitAsks()
    {
        QFETCH(QMessageBox::StandardButton, answer);
        f->window->show();
        f->prompts.questions << answer;
        f->window->findChild<QAction*>("actionExit")->trigger();
        QCOMPARE(f->prompts.asked, QStringList { "question|Exit Confirmation|Are you sure you want to exit?" });
        QCOMPARE(f->window->isVisible(), answer != QMessageBox::Yes);
    }
};

LYR_TEST_MAIN(TestHelp)
#include "tst_help.moc"
