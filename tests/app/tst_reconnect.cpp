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
private:
    std::unique_ptr<WindowFixture> f;
    lyrsim::SimModule loader;
    std::unique_ptr<lyrsim::SimJackPorts> modulePorts, loaderPorts;
    QTemporaryDir dir;
    bool comesBack = true;

    // The reset frames that restart the module: into its loader, and out
    // of it with the new application.
    void restartOn(lyrsim::SimModule& from, const QByteArray& reset, const std::function<void()>& restart)
    {
        connect(&from, &lyrsim::SimModule::logged, this, [&from, reset, restart](int i) {
            const lyrsim::SimDecoded& frame = from.log().at(i).frame;
            if (frame.com == 0x01 && frame.data == reset)
                restart();
        });
    }

private slots:
    void init()
    {
        QSettings().clear();
        f = std::make_unique<WindowFixture>();  // in process, but never wired: the ports below carry it all
        loader.clearLog();
        modulePorts = std::make_unique<lyrsim::SimJackPorts>(&f->module);
        loaderPorts = std::make_unique<lyrsim::SimJackPorts>(&loader, " (T-CASE)");
        QVERIFY(modulePorts->open());
        restartOn(f->module, "\xA5", [this] {
            modulePorts->close();
            loader.memory() = f->module.memory();
            loaderPorts->open();
        });
        restartOn(loader, "\xA7", [this] {
            loaderPorts->close();
            f->module.memory().flash = loader.memory().flash;
            if (comesBack)
                modulePorts->open();
        });
        QVERIFY(f->link.connectToModule(modulePorts->writePort(), modulePorts->readPort(), true, true, false));
        f->module.clearLog();
    }
    void cleanup()
    {
        f->link.closePorts();
        loaderPorts.reset();
        modulePorts.reset();
        f.reset();
        disconnect(&loader, nullptr, this, nullptr);
    }

    void moduleFoundAfterCountdown_data()
    {
        QTest::addColumn<bool>("initialise");  // or update the loader
        QTest::addColumn<bool>("back");
        QTest::newRow("initialisation") << true << true;
        QTest::newRow("initialisation, module stays away") << true << false;
        QTest::newRow("loader update") << false << true;
    }
    void moduleFoundAfterCountdown()
    {
        QFETCH(bool, initialise);
        QFETCH(bool, back);
        comesBack = back;
        const QByteArray image = lyrtest::makeImage(initialise ? lyrtest::Image::Application : lyrtest::Image::Loader);
        QFile file(dir.filePath("image.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
        file.close();
        f->prompts.files << file.fileName();

        if (initialise)
            f->window->initInstrument();
        else
            QVERIFY(f->window->writeOperation("Load", "(*.bin)", LyrForm::WriteLoader, true, true));
        const quint32 address = initialise ? info.AppAddr : info.LoaderAddr;
        QTRY_COMPARE(f->module.memory().flash.mid(SimMemory::flashOffset(address, image.size()), image.size()), image);
        QVERIFY(!f->window->isEnabled());
        QCOMPARE(f->window->countdown, 15);

        for (int i = 0; i < 16; ++i)
            QMetaObject::invokeMethod(f->window.get(), "countdownTick");
        QVERIFY(f->window->isEnabled());
        QVERIFY(!f->window->progressDialog);
        if (!back) {
            QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|Connection error" });
            return;
        }
        QVERIFY(f->link.isConnected());
        QVERIFY(f->prompts.shown("warning").isEmpty());
        if (!initialise)
            return;
        // The initialisation adds its voices and stores the table in the
        // module, and installs the factory programs there.
        QVERIFY(getVoiceCount(0) > 0);
        const QByteArray table(reinterpret_cast<const char*>(&wavetable), sizeof(wavetable));
        const int programsAt = SimMemory::flashOffset(info.ProgramAddr, 2 * SIZEOFWAVETABLE);
        QCOMPARE(f->module.memory().flash.mid(programsAt + SIZEOFWAVETABLE, SIZEOFWAVETABLE), table);
        QFile factory(":/programs_factory.pre");
        const int programBytes = 128 * int(sizeof(TProgram));
        QVERIFY(factory.open(QIODevice::ReadOnly));
        QCOMPARE(f->module.memory().flash.mid(programsAt, programBytes), factory.read(programBytes));
    }
};

LYR_TEST_MAIN(TestReconnect)
#include "tst_reconnect.moc"
