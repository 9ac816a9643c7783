#include "SimJackPorts.h"
#include "SimModule.h"

#include <rtmidi/RtMidi.h>
#include <jack/jack.h>

#include <QStringList>

#include <chrono>
#include <thread>

namespace lyrsim {

namespace {

// RtMidi's JACK output takes at most 16 KB at a time and JACK moves one port
// buffer per cycle: one piece of this size per cycle is safe.
constexpr int PieceBytes = 8000;

// Cycle length of the server in microseconds; 0 when none answers or when
// one of the ports exists already (JACK would rename our clients, and the
// editor would find the other module's ports under the names we give).
unsigned long serverPeriod(const QStringList& ports, QString* error)
{
    jack_status_t status;
    jack_client_t* probe = jack_client_open("lyr-sim probe", JackNoStartServer, &status);
    if (!probe) {
        if (error) {
            *error = QStringLiteral("no JACK server reachable (JACK_DEFAULT_SERVER=%1, status 0x%2)")
                         .arg(QString::fromLocal8Bit(qgetenv("JACK_DEFAULT_SERVER")))
                         .arg(unsigned(status), 0, 16);
        }
        return 0;
    }
    for (const QString& port : ports) {
        if (jack_port_by_name(probe, port.toUtf8().constData())) {
            if (error)
                *error = QStringLiteral("the JACK port \"%1\" exists already: another module is running").arg(port);
            jack_client_close(probe);
            return 0;
        }
    }
    const unsigned long frames = jack_get_buffer_size(probe);
    const unsigned long rate = jack_get_sample_rate(probe);
    jack_client_close(probe);
    return rate ? (frames * 1000000ul + rate - 1) / rate : 0;
}

} // namespace

SimJackPorts::SimJackPorts(SimModule* m, const QString& suffix, QObject* parent)
    : QObject(parent),
      module(m),
      clientIn(QStringLiteral("LYR module in") + suffix),
      clientOut(QStringLiteral("LYR module out") + suffix)
{
}

SimJackPorts::~SimJackPorts()
{
    close();
}

bool SimJackPorts::open(QString* error)
{
    close();
    periodUs = serverPeriod({ readPort(), writePort() }, error);
    if (periodUs == 0)
        return false;
    try {
        in = std::make_unique<RtMidiIn>(RtMidi::UNIX_JACK, clientIn.toStdString(), 100);
        in->ignoreTypes(false, true, true);
        in->setCallback(&SimJackPorts::incoming, this);
        in->openVirtualPort(ReadPortName);
        out = std::make_unique<RtMidiOut>(RtMidi::UNIX_JACK, clientOut.toStdString());
        out->openVirtualPort(WritePortName);
    } catch (const RtMidiError& e) {
        if (error)
            *error = QString::fromStdString(e.getMessage());
        close();
        return false;
    }
    module->setTransmit([this](const QByteArray& message) { send(message); });
    return true;
}

void SimJackPorts::close()
{
    if (module)
        module->setTransmit(nullptr);
    if (in) {
        in->cancelCallback();
        in->closePort();
    }
    in.reset();
    out.reset();
}

QString SimJackPorts::readPort() const
{
    return clientIn + ':' + QLatin1String(ReadPortName);
}

QString SimJackPorts::writePort() const
{
    return clientOut + ':' + QLatin1String(WritePortName);
}

// On JACK's thread: hand the bytes to the module's own thread.
void SimJackPorts::incoming(double, std::vector<unsigned char>* message, void* self)
{
    auto* ports = static_cast<SimJackPorts*>(self);
    const QByteArray bytes(reinterpret_cast<const char*>(message->data()), qsizetype(message->size()));
    SimModule* m = ports->module;
    QMetaObject::invokeMethod(m, [m, bytes] { m->receive(bytes); }, Qt::QueuedConnection);
}

void SimJackPorts::send(const QByteArray& message)
{
    if (!out)
        return;
    const auto* bytes = reinterpret_cast<const unsigned char*>(message.constData());
    const auto pause = std::chrono::microseconds(periodUs + 1000);
    for (qsizetype done = 0; done < message.size();) {
        const qsizetype n = qMin<qsizetype>(PieceBytes, message.size() - done);
        out->sendMessage(bytes + done, size_t(n));
        done += n;
        if (done < message.size())
            std::this_thread::sleep_for(pause);
    }
}

} // namespace lyrsim
