#include "QMidiOut.h"
#include "MidiBackend.h"

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <thread>

namespace {
// When the server cannot be asked: longer than any period a musician runs.
constexpr unsigned long FallbackJackPeriodUs = 50000;
}

QMidiOut::QMidiOut(QObject* parent)
    : QObject(parent),
      midiOut(createMidiOut("RtMidi Output Client"))
{
    overJack = midiOut && midiOut->getCurrentApi() == RtMidi::UNIX_JACK;
}

QMidiOut::~QMidiOut()
{
    if (midiOut)
        midiOut->closePort();
}

QStringList QMidiOut::getPorts()
{
    return portNames(midiOut.get());
}

unsigned int QMidiOut::getPortCount()
{
    return midiOut ? midiOut->getPortCount() : 0;
}

QString QMidiOut::getPortName(unsigned int index)
{
    return midiOut ? QString::fromStdString(midiOut->getPortName(index)) : QString();
}

void QMidiOut::openPort(unsigned int index)
{
    jackPeriodUs = 0;
    if (midiOut)
        midiOut->openPort(index, "RtMidi Output");
}

void QMidiOut::openVirtualPort(QString name)
{
    jackPeriodUs = 0;
    if (midiOut) {
        midiOut->openVirtualPort(name.toStdString());
        virtualPortOpen = true;
    }
}

void QMidiOut::closePort()
{
    loopback = nullptr;
    virtualPortOpen = false;
    if (midiOut)
        midiOut->closePort();
}

bool QMidiOut::isPortOpen()
{
    return loopback || (midiOut && midiOut->isPortOpen());
}

void QMidiOut::cancelCallback()
{
}

void QMidiOut::sendRawMessage(std::vector<unsigned char>& message)
{
    if (loopback) {
        loopback(message);
        return;
    }
    if (!midiOut || message.empty())
        return;
    // RtMidi's JACK output waits for room in its buffer, which only a port
    // that is open ever drains: writing to a closed one would hang.
    if (!midiOut->isPortOpen() && !virtualPortOpen) {
        qDebug() << "MIDI output port not open: message not sent";
        return;
    }
    if (overJack && message.size() > JackPieceBytes && message.front() == 0xF0)
        sendInPieces(message);
    else
        midiOut->sendMessage(&message);
}

// JACK moves at most what fits one port buffer per cycle, and RtMidi's ring
// buffer holds 16 KB: one piece per cycle keeps both far from full.
void QMidiOut::sendInPieces(const std::vector<unsigned char>& message)
{
    if (jackPeriodUs == 0) {
        jackPeriodUs = jackPeriodMicroseconds();
        if (jackPeriodUs == 0)
            jackPeriodUs = FallbackJackPeriodUs;
    }
    const auto pause = std::chrono::microseconds(jackPeriodUs + 1000);
    for (std::size_t done = 0; done < message.size();) {
        const std::size_t n = std::min(JackPieceBytes, message.size() - done);
        midiOut->sendMessage(message.data() + done, n);
        done += n;
        if (done < message.size())
            std::this_thread::sleep_for(pause);
    }
}

void QMidiOut::sendNoteOn(unsigned int channel, unsigned int pitch, unsigned int velocity)
{
    std::vector<unsigned char> m = { static_cast<unsigned char>(0x90 + ((channel - 1) & 0x0F)),
                                     static_cast<unsigned char>(pitch & 0x7F),
                                     static_cast<unsigned char>(velocity & 0x7F) };
    sendRawMessage(m);
}

void QMidiOut::sendNoteOff(unsigned int channel, unsigned int pitch, unsigned int velocity)
{
    std::vector<unsigned char> m = { static_cast<unsigned char>(0x80 + ((channel - 1) & 0x0F)),
                                     static_cast<unsigned char>(pitch & 0x7F),
                                     static_cast<unsigned char>(velocity & 0x7F) };
    sendRawMessage(m);
}

void QMidiOut::sendMessage(QMidiMessage* message)
{
    qDebug() << "send message";
    if (!message)
        return;
    std::vector<unsigned char> raw = message->getRawMessage();
    if (!raw.empty())
        sendRawMessage(raw);
}

void QMidiOut::setLoopback(Loopback sink)
{
    loopback = std::move(sink);
}
