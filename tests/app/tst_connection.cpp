// Connecting to the simulated module over JACK, as the window finds a real
// one: by port names. The mirror ends up equal to the module's memory, or as
// it was when the connection did not go through; every outcome leaves the
// window usable and no progress dialog open. After an update the module
// restarts as the real one does: its ports go away in programming mode, its
// loader shows ports of its own while the application is written, and the
// module's ports come back (or, in one case, do not) when programming ends.
// And the simulated module as the program scripts/run starts and stops.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "TInfo.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"
#include "WindowFixture.h"

#include <QProcess>
#include <QProgressDialog>
#include <QSettings>
#include <QTemporaryDir>

using lyrsim::SimFault;
using lyrsim::SimMemory;

enum class Start { Quiet, NoModule, Chosen, Cancelled };
Q_DECLARE_METATYPE(Start)
Q_DECLARE_METATYPE(SimFault)

static QByteArray mirror()
{
    return bytes(programs) + bytes(programsFlash) + bytes(wavetable) + bytes(soundBankDir) + bytes(currentProgram);
}

class TestConnection : public QObject
{
    Q_OBJECT
    // The reset frame that restarts a module runs restart.
    void restartOn(lyrsim::SimModule& from, const QByteArray& reset, const std::function<void()>& restart)
    {
        connect(&from, &lyrsim::SimModule::logged, &from, [&from, reset, restart](int i) {
            if (from.log().at(i).frame.com == 0x01 && from.log().at(i).frame.data == reset)
                restart();
        });
    }

private slots:
    // Start-up's quiet connection and the Connect action: the mirror filled,
    // or untouched when the flow stops, and a box on the action only.
    void connects_data()
    {
        QTest::addColumn<Start>("start");
        QTest::addColumn<SimFault>("fault");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("filled");
        const SimFault flashStops { SimFault::NoReply, 0x1E, 1, 0, 5 };
        QTest::newRow("start-up") << Start::Quiet << noFault << "" << true;
        QTest::newRow("start-up, no module") << Start::NoModule << noFault << "" << false;
        QTest::newRow("chosen") << Start::Chosen << noFault << "information|Info|Connection succesful" << true;
        QTest::newRow("chooser cancelled") << Start::Cancelled << noFault << "" << false;
        QTest::newRow("flash read stops answering")
            << Start::Chosen << flashStops << "warning|Warning|Cannot load programs from FLASH memory" << false;
    }

    void connects()
    {
        QFETCH(Start, start);
        QFETCH(SimFault, fault);
        QFETCH(QString, shown);
        QFETCH(bool, filled);
        WindowFixture f(WindowFixture::Transport::Jack);
        f.module.identity().set("PacketSize", 8192);   // fewer round trips over JACK
        // What the module holds, each unlike the fresh mirror: programs in
        // flash and, renamed, in RAM; a voice of its own; program 5 current.
        SimMemory& memory = f.module.memory();
        const QByteArray flash = lyrtest::readFile(":/programs_factory.pre");
        const QByteArray ram = QByteArray(flash).replace(7 * int(sizeof(TProgram)), 6, "Edited");
        TGmWavetable table = wavetable;
        setVoiceName(&table.family[0].voice[0], "Module Piano");
        memory.flash.replace(SimMemory::flashOffset(SimMemory::ProgramsArea, 0), 2 * 65536, flash + bytes(table));
        memory.ramPrograms = ram;
        memory.currentProgram = 5;
        const QByteArray dir = memory.dspFlash.mid(int(SimMemory::SoundBankDir), int(sizeof(soundBankDir)));
        const QByteArray fresh = mirror();
        f.module.addFault(fault);
        if (start == Start::Chosen)
            f.prompts.portChoices << qMakePair(f.inPort(), f.outPort());

        // Every status text: the window disabled, the progress dialog (when
        // there is one) showing the text, not greyed with the window.
        QStringList texts, states;
        connect(f.window.get(), &LyrForm::infoMessage, this, [&](const QString& text) {
            const QProgressDialog* dialog = f.window->progressDialog;
            texts << text;
            states << QString("%1 %2").arg(f.window->isEnabled())
                          .arg(!dialog || (dialog->labelText() == text && dialog->isEnabled()));
        });
        if (start == Start::Quiet || start == Start::NoModule)
            f.window->connectToModule(start == Start::Quiet ? f.inPort() : "No Such Module", f.outPort(), false);
        else
            f.window->connectToModule();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        const bool chooser = start == Start::Chosen || start == Start::Cancelled;
        QCOMPARE(f.prompts.asked.mid(chooser ? 1 : 0), shown.isEmpty() ? QStringList() : QStringList { shown });
        QCOMPARE(states, QStringList(states.size(), "0 1"));
        QVERIFY(f.window->isEnabled());
        QVERIFY(f.window->findChildren<QProgressDialog*>().isEmpty());
        QCOMPARE(mirror(), filled ? ram + flash + bytes(table) + dir + bytes(quint16(5)) : fresh);
        QCOMPARE(programPtr, &programs.program[currentProgram]);
        if (filled)
            QCOMPARE(texts.last(), QString("Connection succesful"));
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
        QTest::newRow("application, port chooser cancelled") << "actionUpdateApplication" << true << false;
    }
    void moduleFoundAfterCountdown()
    {
        QFETCH(QString, action);
        QFETCH(bool, back);
        QFETCH(bool, written);
        QSettings().clear();
        WindowFixture f;   // in process, but never wired: the ports below carry it all
        lyrsim::SimModule loader;
        lyrsim::SimJackPorts modulePorts(&f.module), loaderPorts(&loader, " (T-CASE)");
        QVERIFY(modulePorts.open());
        restartOn(f.module, "\xA5", [&] {   // into the loader
            modulePorts.close();
            loader.memory() = f.module.memory();
            loaderPorts.open();
        });
        restartOn(loader, "\xA7", [&] {   // out of it, with the new application
            loaderPorts.close();
            f.module.memory().flash = loader.memory().flash;
            if (back)
                modulePorts.open();
        });
        QVERIFY(f.link.connectToModule(modulePorts.writePort(), modulePorts.readPort(), true, true, false));
        const QByteArray image = lyrtest::makeImage(lyrtest::Image::Application);
        f.prompts.files << lyrtest::writeFile(lyrtest::scratchDir() + "/image.bin", image);
        f.prompts.questions << QMessageBox::Yes;

        f.window->findChild<QAction*>(action)->trigger();
        const int at = SimMemory::flashOffset(info.AppAddr, image.size());
        if (!written) {
            QCOMPARE(f.prompts.shown("warning"), QStringList { "Warning|Operation failed" });
            QTest::qWait(500);
            QVERIFY(loader.memory().flash.mid(at, image.size()) != image);
            QCOMPARE(f.window->countdown, 0);
            QVERIFY(f.window->isEnabled());
            return;
        }
        QTRY_COMPARE(f.module.memory().flash.mid(at, image.size()), image);
        QCOMPARE(f.window->countdown, 15);
        for (int i = 0; i < 16; ++i)
            QMetaObject::invokeMethod(f.window.get(), "countdownTick");
        QVERIFY(f.window->isEnabled() && !f.window->progressDialog);
        QCOMPARE(f.link.isConnected(), back);
        QCOMPARE(f.prompts.shown("warning"), back ? QStringList() : QStringList { "Warning|Connection error" });
        if (!back)
            return;
        const int programsAt = SimMemory::flashOffset(info.ProgramAddr, 2 * SIZEOFWAVETABLE);
        QVERIFY(getVoiceCount(0) > 0);
        QCOMPARE(f.module.memory().flash.mid(programsAt + SIZEOFWAVETABLE, SIZEOFWAVETABLE), bytes(wavetable));
        const int programBytes = 128 * int(sizeof(TProgram));
        QCOMPARE(f.module.memory().flash.mid(programsAt, programBytes),
                 lyrtest::readFile(":/programs_factory.pre").left(programBytes));
    }

    // Stopped by SIGTERM, the simulated module quits as by its quit command:
    // its memory is saved, and its JACK clients close instead of vanishing,
    // which would keep the server busy on them and, stopped meanwhile, in
    // JACK's registry of servers for good.
    void simulatedModuleQuitsOnTerm()
    {
        QTemporaryDir memory;
        QProcess sim;
        sim.start(LYR_SIM, { "--memory", memory.path(), "--suffix", " quits" });
        QVERIFY(sim.waitForStarted());
        QByteArray said;
        QVERIFY(waitFor([&] { return (said += sim.readAllStandardOutput()).startsWith("ready"); }, 10000));
        sim.terminate();
        QVERIFY(sim.waitForFinished(10000));
        QCOMPARE(sim.exitStatus(), QProcess::NormalExit);
        QCOMPARE(sim.exitCode(), 0);
        QVERIFY(QFile::exists(memory.filePath("controller-flash.bin")));
    }
};

LYR_TEST_MAIN(TestConnection)
#include "tst_connection.moc"
