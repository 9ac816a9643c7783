// lyr-sim: a simulated LYR module on JACK MIDI ports, for running and testing
// the editor without the hardware.
//
// Every decoded frame is printed on stdout as one line:
//   rx <com> <status> <handler> size <n> data <hex...> reply <com|none>
// Lines on stdin make it act:
//   text <message>        send a text frame (BM_INFO)
//   progress <percent>    send a progress frame
//   end                   send an end frame
//   notify <com> [hex..]  send any frame, e.g. "notify 41 05"
//   fault <rule>          add a fault (see --fault)
//   clear                 remove all faults
//   save [folder]         save the memory (to the --memory folder by default)
//   load [folder]         load it back
//   quit
// SIGTERM and SIGINT quit as "quit" does. With --memory the module starts from
// the memory saved in that folder (when there is one) and saves it there
// shortly after every change and at quit.

#include "SimJackPorts.h"
#include "SimModule.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSocketNotifier>
#include <QTextStream>
#include <QTimer>

#include <csignal>
#include <cstdio>
#include <unistd.h>

using namespace lyrsim;

namespace {

QTextStream& out()
{
    static QTextStream stream(stdout);
    return stream;
}

QString hex(const QByteArray& bytes, int limit)
{
    QString text = QString::fromLatin1(bytes.left(limit).toHex(' '));
    if (bytes.size() > limit)
        text += QStringLiteral(" ...");
    return text;
}

void printEntry(const SimLogEntry& e, int limit)
{
    const SimDecoded& f = e.frame;
    out() << "rx " << QString::asprintf("%02x", f.com) << ' ' << SimDecoded::statusName(f.status) << ' '
          << (e.handler.isEmpty() ? QStringLiteral("-") : QString(e.handler).replace(' ', '-'))
          << " size " << f.size << " data " << (f.data.isEmpty() ? QStringLiteral("-") : hex(f.data, limit).replace(' ', ""))
          << " reply " << (e.replyCom < 0 ? QStringLiteral("none") : QString::asprintf("%02x", e.replyCom)) << Qt::endl;
}

// The --memory folder; empty without one.
QString memoryFolder;

bool saveOrLoad(SimModule& module, bool save, const QString& given)
{
    const QString folder = given.isEmpty() ? memoryFolder : given;
    QString error = folder.isEmpty() ? QStringLiteral("no folder given") : QString();
    if (!folder.isEmpty()) {
        if (save)
            module.memory().save(folder, &error);
        else
            module.memory().load(folder, &error);
    }
    if (!error.isEmpty())
        out() << "error " << error << Qt::endl;
    return error.isEmpty();
}

void command(SimModule& module, const QString& line)
{
    const QString verb = line.section(' ', 0, 0);
    const QString rest = line.section(' ', 1).trimmed();
    if (verb == QLatin1String("text")) {
        module.sendText(rest);
    } else if (verb == QLatin1String("progress")) {
        module.sendProgress(rest.toInt());
    } else if (verb == QLatin1String("end")) {
        module.sendEnd();
    } else if (verb == QLatin1String("notify")) {
        bool ok = false;
        const int com = rest.section(' ', 0, 0).toInt(&ok, 16);
        const QByteArray data = QByteArray::fromHex(rest.section(' ', 1).toLatin1());
        if (ok && com >= 0 && com <= 0xFF)
            module.sendFrame(quint8(com), data);
        else
            out() << "error bad notify" << Qt::endl;
    } else if (verb == QLatin1String("fault")) {
        SimFault f;
        if (SimFault::parse(rest, &f))
            module.addFault(f);
        else
            out() << "error bad fault " << rest << Qt::endl;
    } else if (verb == QLatin1String("clear")) {
        module.clearFaults();
    } else if (verb == QLatin1String("save") || verb == QLatin1String("load")) {
        if (!saveOrLoad(module, verb == QLatin1String("save"), rest))
            return;
    } else if (verb == QLatin1String("quit")) {
        QCoreApplication::quit();
        return;
    } else if (!verb.isEmpty()) {
        out() << "error unknown command " << verb << Qt::endl;
        return;
    }
    out() << "ok " << verb << Qt::endl;
}

// SIGTERM and SIGINT end the run as "quit" does, so the JACK clients close
// and the memory is saved before the process goes. A client that vanishes
// keeps the JACK server busy for seconds, and a server stopped meanwhile
// never gives back its place among the few the machine may run.
int signalPipe[2] = { -1, -1 };

void onSignal(int)
{
    const char byte = 0;
    [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
}

void quitOnSignals()
{
    if (::pipe(signalPipe) != 0)
        return;
    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
}

// A memory image of exactly size bytes; empty, with the reason said, otherwise.
QByteArray readImage(const QString& path, int size)
{
    QFile file(path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.read(size + 1);
    if (bytes.size() != size) {
        std::fprintf(stderr, "lyr-sim: %s is not a %d-byte image\n", qPrintable(path), size);
        return QByteArray();
    }
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName("lyr-sim");

    QCommandLineParser parser;
    parser.setApplicationDescription("A simulated LYR module on JACK MIDI ports.");
    parser.addHelpOption();
    const QCommandLineOption identityOption("identity",
        "Sets an identity field, e.g. PacketSize=512. Fields: " + SimIdentity::fieldNames().join(", "), "field=value");
    const QCommandLineOption faultOption("fault",
        "Adds a fault kind[:com[:times[:value[:skip]]]]; kinds noreply, nack, identity-size, bad-complement, "
        "delay, short, corrupt.", "rule");
    const QCommandLineOption suffixOption("suffix", "Appended to the JACK client names.", "text");
    const QCommandLineOption dataOption("data-bytes", "Data bytes printed per frame (default 32).", "n", "32");
    parser.addOption(identityOption);
    parser.addOption(faultOption);
    parser.addOption(suffixOption);
    const QCommandLineOption memoryOption("memory",
        "Starts from the memory saved in the folder and keeps saving it there.", "folder");
    const QCommandLineOption usbOption("usb-file", "Puts a file name on the USB stick (replaces the default list).",
        "name");
    const QCommandLineOption programsOption("programs",
        "Starts with this 64 KB programs block in flash and RAM (not over a saved --memory).", "file");
    const QCommandLineOption wavetableOption("wavetable",
        "Starts with this 64 KB wavetable in flash (not over a saved --memory).", "file");
    parser.addOption(dataOption);
    parser.addOption(memoryOption);
    parser.addOption(usbOption);
    parser.addOption(programsOption);
    parser.addOption(wavetableOption);
    parser.process(app);

    SimModule module;
    for (const QString& a : parser.values(identityOption)) {
        if (!module.identity().set(a)) {
            std::fprintf(stderr, "lyr-sim: bad identity field: %s\n", qPrintable(a));
            return 2;
        }
    }
    for (const QString& rule : parser.values(faultOption)) {
        SimFault f;
        if (!SimFault::parse(rule, &f)) {
            std::fprintf(stderr, "lyr-sim: bad fault: %s\n", qPrintable(rule));
            return 2;
        }
        module.addFault(f);
    }
    memoryFolder = parser.value(memoryOption);
    if (!memoryFolder.isEmpty() && QDir(memoryFolder).exists("controller-flash.bin")) {
        QString error;
        if (!module.memory().load(memoryFolder, &error)) {
            std::fprintf(stderr, "lyr-sim: %s\n", qPrintable(error));
            return 2;
        }
    } else {
        // Images for a module fresh from the factory; a saved memory wins.
        const int area = SimMemory::flashOffset(SimMemory::ProgramsArea, 0);
        if (parser.isSet(programsOption)) {
            const QByteArray block = readImage(parser.value(programsOption), SimMemory::ProgramsBlockSize);
            if (block.isEmpty())
                return 2;
            module.memory().flash.replace(area, block.size(), block);
            module.memory().ramPrograms = block;
        }
        if (parser.isSet(wavetableOption)) {
            const QByteArray table = readImage(parser.value(wavetableOption), SimMemory::WavetableSize);
            if (table.isEmpty())
                return 2;
            module.memory().flash.replace(area + SimMemory::ProgramsBlockSize, table.size(), table);
        }
    }
    if (parser.isSet(usbOption))
        module.memory().usbFiles = parser.values(usbOption);
    // Saved a moment after the last change: a transfer is many commands.
    QTimer saveTimer;
    saveTimer.setSingleShot(true);
    saveTimer.setInterval(500);
    QObject::connect(&saveTimer, &QTimer::timeout, [&module] { saveOrLoad(module, true, QString()); });
    if (!memoryFolder.isEmpty()) {
        QObject::connect(&module, &SimModule::memoryChanged, &saveTimer, qOverload<>(&QTimer::start));
        QObject::connect(&app, &QCoreApplication::aboutToQuit, [&module] { saveOrLoad(module, true, QString()); });
    }
    const int limit = qMax(0, parser.value(dataOption).toInt());
    QObject::connect(&module, &SimModule::logged, [&module, limit](int i) { printEntry(module.log().at(i), limit); });

    SimJackPorts ports(&module, parser.value(suffixOption));
    QString error;
    if (!ports.open(&error)) {
        std::fprintf(stderr, "lyr-sim: %s\n", qPrintable(error));
        return 1;
    }
    out() << "ready " << ports.readPort() << " | " << ports.writePort() << Qt::endl;

    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, [&module, &input] {
        char buffer[4096];
        static QByteArray pending;
        const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof(buffer));
        if (n <= 0) {
            // stdin closed: keep serving the editor.
            input.setEnabled(false);
            return;
        }
        pending.append(buffer, n);
        int nl;
        while ((nl = pending.indexOf('\n')) >= 0) {
            command(module, QString::fromUtf8(pending.left(nl)).trimmed());
            pending.remove(0, nl + 1);
        }
    });

    quitOnSignals();
    return app.exec();
}
