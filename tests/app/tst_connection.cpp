// Connecting to the simulated module over JACK, as the window finds a real
// one: by port names. The mirror must end up equal to the module's memory;
// every outcome leaves the window usable and no progress dialog open.

#include "TestSupport.h"
#include "SysExFrame.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"
#include "WindowFixture.h"

#include <QProgressDialog>
#include <QSettings>
#include <QSignalSpy>

using lyrsim::SimMemory;

namespace {

template <typename T>
QByteArray bytes(const T& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
}

// What the module holds where the connection reads, each unlike the fresh
// mirror: programs in flash and, renamed, in RAM; a wavetable with a voice
// of its own; program 5 current. The directory is the module's own.
struct ModuleState
{
    QByteArray flashPrograms, ramPrograms, wavetable, soundBankDir;

    explicit ModuleState(SimMemory& memory)
    {
        QFile factory(":/programs_factory.pre");
        factory.open(QIODevice::ReadOnly);
        flashPrograms = factory.readAll();
        ramPrograms = flashPrograms;
        ramPrograms.replace(7 * int(sizeof(TProgram)), 8, "Edited\0\0", 8);
        TGmWavetable table = ::wavetable;
        setVoiceName(&table.family[0].voice[0], "Module Piano");
        wavetable = bytes(table);

        const int area = SimMemory::flashOffset(SimMemory::ProgramsArea, 0);
        memory.flash.replace(area, SIZEOFPROGRAMS, flashPrograms);
        memory.flash.replace(area + SIZEOFPROGRAMS, SIZEOFWAVETABLE, wavetable);
        memory.ramPrograms = ramPrograms;
        memory.currentProgram = 5;
        soundBankDir = memory.dspFlash.mid(int(SimMemory::SoundBankDir), int(sizeof(::soundBankDir)));
    }
};

QByteArray mirror()
{
    return bytes(programs) + bytes(programsFlash) + bytes(wavetable) + bytes(soundBankDir);
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT
private slots:
    void quietConnectionFillsMirror()
    {
        WindowFixture f(WindowFixture::Transport::Jack);
        const ModuleState module(f.module.memory());
        QSignalSpy texts(f.window.get(), &LyrForm::infoMessage);

        QVERIFY(f.connect());
        QCOMPARE(bytes(programsFlash), module.flashPrograms);
        QCOMPARE(bytes(programs), module.ramPrograms);
        QCOMPARE(bytes(wavetable), module.wavetable);
        QCOMPARE(bytes(soundBankDir), module.soundBankDir);
        QCOMPARE(currentProgram, quint16(5));
        QCOMPARE(programPtr, &programs.program[5]);

        QStringList shown;
        for (const QList<QVariant>& text : texts)
            shown << text.at(0).toString();
        QCOMPARE(shown, QStringList({ "Connecting to module ...", "Loading programs & Wavetable from Flash ...",
                                      "Loading programs from Ram ...", "Reading Soundbanks Dir ...",
                                      "Getting current program ...", "Connection succesful" }));
        QVERIFY(f.prompts.asked.isEmpty());
        QVERIFY(f.window->isEnabled());
        QCOMPARE(QSettings().value("midiInPort").toString(), f.inPort());
    }

    void noModuleAtStartup()
    {
        WindowFixture f(WindowFixture::Transport::Jack);
        const QByteArray before = mirror();
        f.window->connectToModule("No Such Module In", "No Such Module Out", false);
        QVERIFY(!f.link.isConnected());
        QVERIFY(f.prompts.asked.isEmpty());
        QVERIFY(f.window->isEnabled());
        QCOMPARE(mirror(), before);
    }

    // The Connect action: one box per outcome, the mirror filled as far as
    // the module answered, the window disabled throughout and usable after.
    void interactiveConnection_data()
    {
        QTest::addColumn<bool>("choose");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("flashLoaded");
        QTest::addColumn<bool>("ramLoaded");
        QTest::newRow("connected") << true << "" << "information|Info|Connection succesful" << true << true;
        QTest::newRow("chooser cancelled") << false << "" << "" << false << false;
        QTest::newRow("flash read stops answering") << true << "noreply:0x1e:1:0:20"
                                                    << "warning|Warning|Cannot load programs from FLASH memory"
                                                    << false << false;
        QTest::newRow("RAM read refused") << true << "nack:0x26"
                                          << "warning|Warning|Cannot load programs from RAM memory" << true << false;
    }

    void interactiveConnection()
    {
        QFETCH(bool, choose);
        QFETCH(QString, fault);
        QFETCH(QString, shown);
        QFETCH(bool, flashLoaded);
        QFETCH(bool, ramLoaded);
        WindowFixture f(WindowFixture::Transport::Jack);
        const ModuleState module(f.module.memory());
        const QByteArray freshPrograms = bytes(programs), freshWavetable = bytes(wavetable);
        lyrsim::SimFault simFault;
        if (!fault.isEmpty()) {
            QVERIFY(lyrsim::SimFault::parse(fault, &simFault));
            f.module.addFault(simFault);
        }
        QSettings().setValue("midiInPort", f.inPort());
        QSettings().setValue("midiOutPort", "gone");
        if (choose)
            f.prompts.portChoices << qMakePair(f.inPort(), f.outPort());

        // Every status text while the flow runs: the window's state, and the
        // progress dialog showing the text, not greyed with the window.
        QStringList during;
        connect(f.window.get(), &LyrForm::infoMessage, this, [&](const QString& text) {
            const QProgressDialog* dialog = f.window->progressDialog;
            during << QString("%1 %2").arg(f.window->isEnabled())
                          .arg(dialog && dialog->labelText() == text && dialog->isEnabled());
        });
        const QStringList ins = f.link.midiIn.getPorts(), outs = f.link.midiOut.getPorts();
        f.window->connectToModule();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        QCOMPARE(f.prompts.asked.value(0), QString("ports|Choose Midi Device|Input Port: %1 [%2]|Output Port: -1 [%3]")
                                               .arg(ins.indexOf(f.inPort())).arg(ins.join(","), outs.join(",")));
        QCOMPARE(f.prompts.asked.mid(1), shown.isEmpty() ? QStringList() : QStringList { shown });
        QCOMPARE(during, QStringList(during.size(), "0 1"));
        QCOMPARE(during.isEmpty(), !choose);
        QVERIFY(f.window->isEnabled());
        QVERIFY(!f.window->progressDialog);
        QVERIFY(f.window->findChildren<QProgressDialog*>().isEmpty());
        QCOMPARE(bytes(programsFlash) == module.flashPrograms, flashLoaded);
        QCOMPARE(bytes(wavetable), flashLoaded ? module.wavetable : freshWavetable);
        QCOMPARE(bytes(programs), ramLoaded ? module.ramPrograms : freshPrograms);
    }
};

LYR_TEST_MAIN(TestConnection)
#include "tst_connection.moc"
