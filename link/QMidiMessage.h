#pragma once

// One MIDI message as the port layer hands it on: the decoded fields of a
// channel message, or the whole System Exclusive message.

#include <QObject>
#include <vector>

// Status kind, channel bits removed; a system status byte (0xF0 and up) is
// kept as it came.
enum QMidiStatus : quint32 {
    MIDI_UNKNOWN = 0x00,
    MIDI_NOTE_OFF = 0x80,
    MIDI_NOTE_ON = 0x90,
    MIDI_POLY_AFTERTOUCH = 0xA0,
    MIDI_CONTROL_CHANGE = 0xB0,
    MIDI_PROGRAM_CHANGE = 0xC0,
    MIDI_AFTERTOUCH = 0xD0,
    MIDI_PITCH_BEND = 0xE0,
    MIDI_SYSEX = 0xF0,
};

class QMidiMessage : public QObject
{
    Q_OBJECT
public:
    explicit QMidiMessage(QObject* parent = nullptr);
    // Every field copied into a new object without a parent.
    QMidiMessage(const QMidiMessage& other);
    QMidiMessage& operator=(const QMidiMessage&) = delete;

    // Back to a new message: status 0, channel 1, numbers 0, no bytes.
    void clear();

    // Fields. channel is 1..16 for channel messages, 0 for system ones;
    // control also holds the program and pressure byte; value the 14-bit bend.
    QMidiStatus getStatus() const { return status; }
    unsigned int getChannel() const { return channel; }
    unsigned int getPitch() const { return pitch; }
    unsigned int getVelocity() const { return velocity; }
    unsigned int getControl() const { return control; }
    unsigned int getValue() const { return value; }
    double getDeltaTime() const { return deltaTime; }
    const std::vector<unsigned char>& getSysExData() const { return sysExData; }

    void setStatus(QMidiStatus s) { status = s; }
    void setChannel(unsigned int c) { channel = c; }
    void setPitch(unsigned int p) { pitch = p; }
    void setVelocity(unsigned int v) { velocity = v; }
    void setControl(unsigned int c) { control = c; }
    void setValue(unsigned int v) { value = v; }
    void setDeltaTime(double ms) { deltaTime = ms; }
    void setSysExData(const std::vector<unsigned char>& data) { sysExData = data; }
    void setRawMessage(const std::vector<unsigned char>& raw) { rawMessage = raw; }

    // The bytes on the wire: the explicit raw bytes if any, else built from
    // the fields (and kept). Empty for kinds that cannot be rebuilt.
    std::vector<unsigned char> getRawMessage();

private:
    QMidiStatus status = MIDI_UNKNOWN;
    unsigned int channel = 1;
    unsigned int pitch = 0;
    unsigned int velocity = 0;
    unsigned int control = 0;
    unsigned int value = 0;
    double deltaTime = 0;   // milliseconds since the previous message
    std::vector<unsigned char> sysExData;
    std::vector<unsigned char> rawMessage;
};
