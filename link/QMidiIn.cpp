#include "QMidiIn.h"
#include "MidiBackend.h"

#include <QDebug>
#include <QThread>

QMidiIn::QMidiIn(QObject* parent)
    : QObject(parent),
      midiIn(createMidiIn("RtMidi Input Client", 100))
{
    if (midiIn)
        midiIn->setCallback(&QMidiIn::callback, this);
}

QMidiIn::~QMidiIn()
{
    if (midiIn) {
        midiIn->cancelCallback();
        midiIn->closePort();
    }
}

QStringList QMidiIn::getPorts()
{
    return portNames(midiIn.get());
}

unsigned int QMidiIn::getPortCount()
{
    return midiIn ? midiIn->getPortCount() : 0;
}

QString QMidiIn::getPortName(unsigned int index)
{
    return midiIn ? QString::fromStdString(midiIn->getPortName(index)) : QString();
}

void QMidiIn::openPort(unsigned int index)
{
    if (midiIn)
        midiIn->openPort(index, "RtMidi Input");
}

void QMidiIn::openPort(QString name)
{
    const QStringList ports = getPorts();
    const int index = ports.indexOf(name);
    if (index >= 0)
        openPort(static_cast<unsigned int>(index));
}

void QMidiIn::openVirtualPort(QString name)
{
    if (midiIn)
        midiIn->openVirtualPort(name.toStdString());
}

void QMidiIn::closePort()
{
    loopbackOpen = false;
    if (midiIn)
        midiIn->closePort();
}

bool QMidiIn::isPortOpen()
{
    return loopbackOpen || (midiIn && midiIn->isPortOpen());
}

void QMidiIn::setIgnoreTypes(bool sysex, bool time, bool sense)
{
    if (midiIn)
        midiIn->ignoreTypes(sysex, time, sense);
}

void QMidiIn::cancelCallback()
{
    if (midiIn)
        midiIn->cancelCallback();
}

void QMidiIn::callback(double deltatime, std::vector<unsigned char>* message, void* userData)
{
    auto* self = static_cast<QMidiIn*>(userData);
    if (!message || message->empty()) {
        qDebug() << "Error: message size <= 0!";
        return;
    }
    const std::vector<unsigned char>& m = *message;
    const auto at = [&m](std::size_t i) -> unsigned int { return i < m.size() ? m[i] : 0; };

    auto* msg = new QMidiMessage;
    const unsigned int s = m[0];
    if (s < 0xF0) {
        msg->setStatus(static_cast<QMidiStatus>(s & 0xF0));
        msg->setChannel((s & 0x0F) + 1);
    } else {
        msg->setStatus(static_cast<QMidiStatus>(s));
        msg->setChannel(0);
    }
    msg->setDeltaTime(deltatime * 1000);

    switch (msg->getStatus()) {
    case MIDI_NOTE_OFF:
    case MIDI_NOTE_ON:
        msg->setPitch(at(1));
        msg->setVelocity(at(2));
        break;
    case MIDI_POLY_AFTERTOUCH:
        msg->setPitch(at(1));
        msg->setValue(at(2));
        break;
    case MIDI_CONTROL_CHANGE:
        msg->setControl(at(1));
        msg->setValue(at(2));
        break;
    case MIDI_PROGRAM_CHANGE:
    case MIDI_AFTERTOUCH:
        msg->setControl(at(1));
        break;
    case MIDI_PITCH_BEND:
        msg->setValue(at(1) + 128 * at(2));
        break;
    case MIDI_SYSEX:
        msg->setSysExData(m);
        break;
    default:
        break;
    }

    msg->moveToThread(self->thread());
    emit self->midiMessageReceived(msg);

    // Queued after the receivers' calls, on the same thread, so it runs once
    // each of them has started. The pending call owns the message: it is
    // released after running, or with the call if the QMidiIn goes first.
    std::shared_ptr<QMidiMessage> owner(msg);
    QMetaObject::invokeMethod(self, [owner] {}, Qt::QueuedConnection);
}

void QMidiIn::setLoopbackOpen(bool open)
{
    loopbackOpen = open;
}

void QMidiIn::deliver(const std::vector<unsigned char>& bytes)
{
    std::vector<unsigned char> copy = bytes;
    callback(0, &copy, this);
}

void QMidiIn::onMidiMessageReceive(QMidiMessage* message)
{
    if (!message)
        return;
    message->moveToThread(thread());
    emit midiMessageReceived(message);
}
