#pragma once

// A MIDI input port with a Qt signal for every message that arrives.
// RtMidi calls back on its own MIDI thread; the signal is emitted from
// there, so receivers on the GUI thread get it queued.

#include "QMidiMessage.h"

#include <QObject>
#include <QStringList>

#include <memory>
#include <vector>

class RtMidiIn;

class QMidiIn : public QObject
{
    Q_OBJECT
public:
    explicit QMidiIn(QObject* parent = nullptr);
    ~QMidiIn() override;

    // Ports of the system, in RtMidi's order; none without a MIDI API.
    QStringList getPorts();
    unsigned int getPortCount();
    QString getPortName(unsigned int index);

    // Opening and closing. openPort(QString) opens the first port whose
    // name equals the text exactly and does nothing when none does. RtMidi
    // errors propagate.
    void openPort(unsigned int index);
    void openPort(QString name);
    void openVirtualPort(QString name);
    void closePort();
    bool isPortOpen();

    // RtMidi's filter of SysEx, timing and active-sensing messages.
    void setIgnoreTypes(bool sysex = true, bool time = true, bool sense = true);
    void cancelCallback();

    // Called by RtMidi on the MIDI thread with the QMidiIn as userData:
    // wraps the bytes in a new QMidiMessage and emits it. The message is
    // released once the queued receivers have had it, so a receiver may use
    // it only until it first returns to the event loop.
    static void callback(double deltatime, std::vector<unsigned char>* message, void* userData);

    // In-process seam for tests and tools: while set, the port counts as open
    // without a MIDI port behind it, and deliver() hands bytes in exactly as
    // RtMidi would.
    void setLoopbackOpen(bool open);
    void deliver(const std::vector<unsigned char>& bytes);

public slots:
    // Moves the message to this object's thread and re-emits it.
    void onMidiMessageReceive(QMidiMessage* message);

signals:
    void midiMessageReceived(QMidiMessage* message);

private:
    std::unique_ptr<RtMidiIn> midiIn;
    bool loopbackOpen = false;
};
