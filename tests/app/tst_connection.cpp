// Connecting to the simulated module over JACK, as the window finds a real
// one: by port names. The mirror ends up equal to the module's memory, or as
// it was when the connection did not go through; every outcome leaves the
// window usable and no progress dialog open.

#include "TestSupport.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"
#include "WindowFixture.h"

#include <QProgressDialog>

using lyrsim::SimFault;
using lyrsim::SimMemory;

enum class Start { Quiet, NoModule, Chosen, Cancelled };
Q_DECLARE_METATYPE(Start)
Q_DECLARE_METATYPE(SimFault)

namespace {

template <typename T>
QByteArray bytes(const T& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof(record));
}

QByteArray mirror()
{
    return bytes(programs) + bytes(programsFlash) + bytes(wavetable) + bytes(soundBankDir) + bytes(currentProgram);
}

} // namespace

class TestConnection : public QObject
{
    Q_OBJECT
private slots:
    // Start-up's quiet connection and the Connect action: the mirror filled,
    // or untouched when the flow stops, and a box on the action only.
    void connects_data()
    {
        QTest::addColumn<Start>("start");
        QTest::addColumn<SimFault>("fault");   // com -2 matches no command
        QTest::addColumn<QString>("shown");
        QTest::addColumn<bool>("filled");
        const SimFault none { SimFault::Nack, -2 }, flashStops { SimFault::NoReply, 0x1E, 1, 0, 5 };
        QTest::newRow("start-up") << Start::Quiet << none << "" << true;
        QTest::newRow("start-up, no module") << Start::NoModule << none << "" << false;
        QTest::newRow("chosen") << Start::Chosen << none << "information|Info|Connection succesful" << true;
        QTest::newRow("chooser cancelled") << Start::Cancelled << none << "" << false;
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
        QFile factory(":/programs_factory.pre");
        QVERIFY(factory.open(QIODevice::ReadOnly));
        const QByteArray flash = factory.readAll();
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
};

LYR_TEST_MAIN(TestConnection)
#include "tst_connection.moc"
