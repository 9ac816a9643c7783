// The Wavetable and Help menus, the default program and the question before
// closing, against the simulated module in process.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "TInfo.h"
#include "TPrograms.h"
#include "WindowFixture.h"

#include <QDesktopServices>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

QByteArray bytes(const void* record, int size) { return QByteArray(static_cast<const char*>(record), size); }

int voices()
{
    int n = 0;
    for (int family = 0; family < GmFamilyCount; ++family)
        n += getVoiceCount(family);
    return n;
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    QTemporaryDir dir;

    QList<QUrl> opened;  // by the desktop

    QAction* action(const QString& name) const { return f->window->findChild<QAction*>(name); }

public slots:
    void open(const QUrl& url) { opened << url; }

private slots:
    void initTestCase() { QGuiApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        QSettings().clear();
        f = std::make_unique<WindowFixture>();
        QVERIFY(f->connect());
        f->module.clearLog();
    }

    // Each wavetable change is stored in the module's flash at once; a
    // descriptor that cannot be read or names no voice leaves the table and
    // the module alone. Saving writes the table whole, or says it could not.
    void wavetableAction_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("descriptor");  // the file's text; null: a folder in its place
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("added");           // voices more than before; -1: the table untouched
        QTest::addColumn<QString>("warning");
        const QString two = "$,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,One\n"
                            "$,0,1,1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,Two\n";
        QTest::newRow("descriptor adds its voices") << "actionLoadWavetableFromDisk" << two << "" << 2 << "";
        QTest::newRow("descriptor without voices") << "actionLoadWavetableFromDisk" << "# none\n" << "" << -1
                                                   << "Invalid file\nThe descriptor names no voice.";
        QTest::newRow("descriptor unreadable") << "actionLoadWavetableFromDisk" << QString() << "" << -1
                                               << "Cannot open file";
        QTest::newRow("module refuses the table") << "actionLoadWavetableFromDisk" << two << "nack:0x05" << 2
                                                  << "Cannot save wavetable";
        QTest::newRow("clear") << "actionClearWavetable" << "" << "" << -1000 << "";
        QTest::newRow("factory over added voices") << "actionLoadWavetableFactory" << two << "" << 0 << "";
        QTest::newRow("saved") << "actionSaveWavetable" << "" << "" << -1 << "";
        QTest::newRow("save into a folder") << "actionSaveWavetable" << QString() << "" << -1 << "Cannot open file";
    }
    void wavetableAction()
    {
        QFETCH(QString, descriptor);
        QFETCH(QString, fault);
        QFETCH(int, added);
        QFETCH(QString, warning);
        const int factoryVoices = voices();
        const QString path = dir.filePath(descriptor.isNull() ? "folder.txt" : "voices.txt");
        QFile text(path);
        QVERIFY(descriptor.isNull() ? QDir().mkpath(path)
                                    : text.open(QIODevice::WriteOnly) && text.write(descriptor.toUtf8()) >= 0);
        text.close();
        QFETCH(QString, action);
        if (action == "actionLoadWavetableFactory")  // voices of another set first, which the factory set replaces
            f->window->loadWavetable(path);
        f->module.clearLog();
        lyrsim::SimFault rule;
        if (lyrsim::SimFault::parse(fault, &rule))
            f->module.addFault(rule);
        f->prompts.files << path;
        f->prompts.questions << QMessageBox::Yes;
        const QByteArray before = bytes(&wavetable, sizeof(wavetable));

        this->action(action)->trigger();
        QCOMPARE(f->prompts.shown("warning"), warning.isEmpty() ? QStringList() : QStringList { "Warning|" + warning });
        QVERIFY(f->window->isEnabled());
        if (added == -1) {
            QCOMPARE(bytes(&wavetable, sizeof(wavetable)), before);
            QVERIFY(f->module.log().isEmpty());
            if (action == "actionSaveWavetable" && text.open(QIODevice::ReadOnly))
                QCOMPARE(text.readAll(), before);
            return;
        }
        QCOMPARE(voices(), added == -1000 ? 0 : factoryVoices + added);
        const int at = lyrsim::SimMemory::flashOffset(lyrsim::SimMemory::ProgramsArea, 2 * SIZEOFWAVETABLE);
        const QByteArray stored = f->module.memory().flash.mid(at + SIZEOFWAVETABLE, SIZEOFWAVETABLE);
        QCOMPARE(stored == bytes(&wavetable, sizeof(wavetable)), warning.isEmpty());
    }

    // The program saved as default, name and all, is what the next
    // initialised program becomes, until the default is cleared.
    void defaultProgramStartsInitialisedPrograms()
    {
        qstrcpy(programPtr->name, "My Default");
        programPtr->name[15] = 0x11;
        const QByteArray saved = bytes(programPtr, sizeof(TProgram));
        action("actionSaveCurrentProgramAsDefault")->trigger();
        initProgram(7);
        QCOMPARE(bytes(&programs.program[7], sizeof(TProgram)), saved);
        action("actionClearDefaultProgram")->trigger();
        initProgram(7);
        QVERIFY(bytes(&programs.program[7], sizeof(TProgram)) != saved);
    }

    // Versions as major.minor from the high and the low byte.
    void identifyShowsVersions()
    {
        f->module.identity().set("LoaderVersion", 0x0203);
        f->module.identity().set("ProgramVersion", 0xFF01);
        action("actionIdentify")->trigger();
        QCOMPARE(f->prompts.asked.size(), 1);
        QVERIFY(f->prompts.asked[0].startsWith("about|LYR Editor|Editor Version: 1.1.0"));
        QVERIFY(f->prompts.asked[0].contains("Loader Version: 2.3\n"));
        QVERIFY(f->prompts.asked[0].contains("Programs Version: 255.1\n"));
        QVERIFY(f->window->isEnabled());
    }

    // The desktop gets the manual from the user's own data folder, where a
    // stale copy is replaced.
    void manualOpensPrivateCopy()
    {
        QDesktopServices::setUrlHandler("file", this, "open");
        const QString copy =
            QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + "/user_manual.pdf";
        QFile embedded(":/User Manual Borvan LYR - EN.pdf");
        QVERIFY(embedded.open(QIODevice::ReadOnly));
        const QByteArray manual = embedded.readAll();
        QVERIFY(manual.startsWith("%PDF"));
        for (const QByteArray& old : { QByteArray(), QByteArray("stale") }) {
            QFile placed(copy);
            QVERIFY(old.isNull() || (placed.open(QIODevice::WriteOnly) && placed.write(old) == old.size()));
            placed.close();
            action("actionOpenManual")->trigger();
            QCOMPARE(std::exchange(opened, {}), QList<QUrl> { QUrl::fromLocalFile(copy) });
            QVERIFY(placed.open(QIODevice::ReadOnly));
            QCOMPARE(placed.readAll(), manual);
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
};

LYR_TEST_MAIN(TestHelp)
#include "tst_help.moc"
