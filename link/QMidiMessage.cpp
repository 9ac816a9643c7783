#include "QMidiMessage.h"

QMidiMessage::QMidiMessage(QObject* parent)
    : QObject(parent)
{
}

QMidiMessage::QMidiMessage(const QMidiMessage& other)
    : QObject(nullptr),
      status(other.status),
      channel(other.channel),
      pitch(other.pitch),
      velocity(other.velocity),
      control(other.control),
      value(other.value),
      deltaTime(other.deltaTime),
      sysExData(other.sysExData),
      rawMessage(other.rawMessage)
{
}

void QMidiMessage::clear()
{
    status = MIDI_UNKNOWN;
    channel = 1;
    pitch = 0;
    velocity = 0;
    control = 0;
    value = 0;
    deltaTime = 0;
    sysExData.clear();
    rawMessage.clear();
}

std::vector<unsigned char> QMidiMessage::getRawMessage()
{
    if (!rawMessage.empty())
        return rawMessage;

    const auto statusByte = [this](unsigned int kind) {
        return static_cast<unsigned char>(kind + ((channel - 1) & 0x0F));
    };
    const auto data = [](unsigned int v) { return static_cast<unsigned char>(v); };

    switch (status) {
    case MIDI_NOTE_OFF:
    case MIDI_NOTE_ON:
        rawMessage = { statusByte(status), data(pitch), data(velocity) };
        break;
    case MIDI_CONTROL_CHANGE:
        rawMessage = { statusByte(status), data(control), data(value) };
        break;
    case MIDI_PROGRAM_CHANGE:
    case MIDI_AFTERTOUCH:
        rawMessage = { statusByte(status), data(control) };
        break;
    case MIDI_SYSEX:
        rawMessage = sysExData;
        if (!rawMessage.empty() && rawMessage.back() != 0xF7)
            rawMessage.push_back(0xF7);
        break;
    default:
        break;
    }
    return rawMessage;
}
