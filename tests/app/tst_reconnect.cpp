// After an update the module restarts and the window finds it again by its
// port names, over JACK. The module here restarts as the real one does: its
// ports go away when it enters programming mode, its loader shows ports of
// its own while the application is written, and the module's ports come
// back (or, in one case, do not) when programming ends.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "SimJackPorts.h"
#include "TGmWavetable.h"
#include "TInfo.h"
#include "TProgram.h"
#include "WindowFixture.h"

#include <QSettings>
#include <QTemporaryDir>

using lyrsim::SimMemory;

class TestReconnect : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    lyrsim::SimModule loader;
    std::unique_ptr<lyrsim::SimJackPorts> modulePorts, loaderPorts;
    QTemporaryDir dir;
    bool comesBack = true;

    // The reset frame that restarts a module runs restart.
    void restartOn(lyrsim::SimModule& from, const QByteArray& reset, const std::function<void()>& restart)
    {
        connect(&from, &lyrsim::SimModule::logged, this, [&from, reset, restart](int i) {
            if (from.log().at(i).frame.com == 0x01 && from.log().at(i).frame.data == reset)
                restart();
        });
    }

private slots:
    void init()
    {
        QSettings().clear();
        f = std::make_unique<WindowFixture>();  // in process, but never wired: the ports below carry it all
        modulePorts = std::make_unique<lyrsim::SimJackPorts>(&f->module);
        loaderPorts = std::make_unique<lyrsim::SimJackPorts>(&loader, " (T-CASE)");
        QVERIFY(modulePorts->open());
        restartOn(f->module, "\xA5", [this] {  // into the loader
            modulePorts->close();
            loader.memory() = f->module.memory();
            loaderPorts->open();
        });
        restartOn(loader, "\xA7", [this] {  // out of it, with the new application
            loaderPorts->close();
            f->module.memory().flash = loader.memory().flash;
            if (comesBack)
                modulePorts->open();
        });
        QVERIFY(f->link.connectToModule(modulePorts->writePort(), modulePorts->readPort(), true, true, false));
    }
    void cleanup()
    {
        loaderPorts.reset();
        modulePorts.reset();
        f.reset();
        disconnect(&loader, nullptr, this, nullptr);
    }

    // The image is in the module's flash, and the countdown's end finds the
    // module again or says it could not, the window given back either way.
    // An initialisation then stores the factory wavetable and programs there.
    // No loader port chosen is a failed write, whatever ports there are.
    void moduleFoundAfterCountdown_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("written");
        QTest::newRow("initialisation") << "actionInitInstrument" << true << true;
        QTest::newRow("initialisation, module stays away") << "actionInitInstrument" << false << true;
        QTest::newRow("loader update") << "actionUpdateLoader" << true << true;
        QTest::newRow("application, port chooser cancelled") << "actionUpdateApplication" << true << false;
    }
    void moduleFoundAfterCountdown()
    {
        QFETCH(QString, action);
        QFETCH(bool, back);
        QFETCH(bool, written);
        comesBack = back;
        const bool app = action != "actionUpdateLoader";
        const QByteArray image = lyrtest::makeImage(app ? lyrtest::Image::Application : lyrtest::Image::Loader);
        QFile file(dir.filePath("image.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
        file.close();
        f->prompts.files << file.fileName();
        f->prompts.questions << QMessageBox::Yes;

        f->window->findChild<QAction*>(action)->trigger();
        const int at = SimMemory::flashOffset(app ? info.AppAddr : info.LoaderAddr, image.size());
        if (!written) {
            QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|Operation failed" });
            QTest::qWait(500);
            QVERIFY(loader.memory().flash.mid(at, image.size()) != image);
            QCOMPARE(f->window->countdown, 0);
            QVERIFY(f->window->isEnabled());
            return;
        }
        QTRY_COMPARE(f->module.memory().flash.mid(at, image.size()), image);
        QCOMPARE(f->window->countdown, 15);
        for (int i = 0; i < 16; ++i)
            QMetaObject::invokeMethod(f->window.get(), "countdownTick");
        QVERIFY(f->window->isEnabled());
        QVERIFY(!f->window->progressDialog);
        QCOMPARE(f->link.isConnected(), back);
        QCOMPARE(f->prompts.shown("warning"), back ? QStringList() : QStringList { "Warning|Connection error" });
        if (!app || !back)
            return;
        const int programsAt = SimMemory::flashOffset(info.ProgramAddr, 2 * SIZEOFWAVETABLE);
        QVERIFY(getVoiceCount(0) > 0);
        QCOMPARE(f->module.memory().flash.mid(programsAt + SIZEOFWAVETABLE, SIZEOFWAVETABLE),
                 QByteArray(reinterpret_cast<const char*>(&wavetable), sizeof(wavetable)));
        QFile factory(":/programs_factory.pre");
        QVERIFY(factory.open(QIODevice::ReadOnly));
        const int programBytes = 128 * int(sizeof(TProgram));
        QCOMPARE(f->module.memory().flash.mid(programsAt, programBytes), factory.read(programBytes));
    }
};

LYR_TEST_MAIN(TestReconnect)
#include "tst_reconnect.moc"
