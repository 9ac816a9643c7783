#pragma once

// A MIDI output port. Over JACK a long SysEx message is sent in pieces,
// because RtMidi's JACK output silently drops any single message that does
// not fit its 16 KB buffer; RtMidi's JACK input joins the pieces again.

#include "QMidiMessage.h"

#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class RtMidiOut;

class QMidiOut : public QObject
{
    Q_OBJECT
public:
    using Loopback = std::function<void(const std::vector<unsigned char>&)>;

    // Largest piece of a SysEx message handed to the JACK back end at once.
    static constexpr std::size_t JackPieceBytes = 8000;

    explicit QMidiOut(QObject* parent = nullptr);
    ~QMidiOut() override;

    // Ports of the system, in RtMidi's order; none without a MIDI API.
    QStringList getPorts();
    unsigned int getPortCount();
    QString getPortName(unsigned int index);

    // Opening and closing; RtMidi errors propagate.
    void openPort(unsigned int index);
    void openVirtualPort(QString name);
    void closePort();
    bool isPortOpen();
    // RtMidi has no output callback to cancel; kept for symmetry with QMidiIn.
    void cancelCallback();

    // Sending. sendRawMessage sends the bytes as one message (in pieces on
    // JACK, see above) and lets RtMidi errors through to the caller; with
    // the port closed nothing is sent.
    void sendRawMessage(std::vector<unsigned char>& message);
    void sendNoteOn(unsigned int channel, unsigned int pitch, unsigned int velocity);
    void sendNoteOff(unsigned int channel, unsigned int pitch, unsigned int velocity);
    void sendMessage(QMidiMessage* message);

    // In-process seam for tests and tools: while a loopback is set the port
    // counts as open and every message goes to it instead of a MIDI port.
    // closePort() removes it.
    void setLoopback(Loopback sink);

private:
    void sendInPieces(const std::vector<unsigned char>& message);

    std::unique_ptr<RtMidiOut> midiOut;
    Loopback loopback;
    bool overJack = false;
    bool virtualPortOpen = false;
    // JACK cycle length of the open port, asked for on the first long message.
    unsigned long jackPeriodUs = 0;
};
