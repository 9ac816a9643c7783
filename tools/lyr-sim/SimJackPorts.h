#pragma once

// The simulated module's USB-MIDI ports, as JACK MIDI ports: it reads on a
// port named "MIDIOUT2 (Borvan Lyr)" (the editor's output goes there) and
// writes on "MIDIIN2 (Borvan Lyr)". Incoming messages reach the module on
// its own thread; long answers go out in pieces JACK can carry.

#include <QObject>
#include <QString>

#include <memory>

class RtMidiIn;
class RtMidiOut;

namespace lyrsim {

class SimModule;

class SimJackPorts : public QObject
{
    Q_OBJECT
public:
    static constexpr const char* ReadPortName = "MIDIOUT2 (Borvan Lyr)";
    static constexpr const char* WritePortName = "MIDIIN2 (Borvan Lyr)";

    // suffix is appended to the JACK client names, for several modules on
    // one server.
    explicit SimJackPorts(SimModule* module, const QString& suffix = QString(), QObject* parent = nullptr);
    ~SimJackPorts() override;

    // Opens both ports and routes the module through them. False, with the
    // reason in error, when no JACK server answers.
    bool open(QString* error = nullptr);
    void close();

    // Full JACK names of the two ports once open ("client:port").
    QString readPort() const;
    QString writePort() const;

private:
    static void incoming(double, std::vector<unsigned char>* message, void* self);
    void send(const QByteArray& message);

    SimModule* module;
    QString clientIn, clientOut;
    std::unique_ptr<RtMidiIn> in;
    std::unique_ptr<RtMidiOut> out;
    unsigned long periodUs = 0;
};

} // namespace lyrsim
