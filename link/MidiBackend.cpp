#include "MidiBackend.h"

#include <QDebug>

#include <jack/jack.h>

namespace {

template <typename T, typename... Args>
std::unique_ptr<T> createWithFallback(const char* what, Args... args)
{
    try {
        return std::make_unique<T>(RtMidi::UNSPECIFIED, args...);
    } catch (const RtMidiError& e) {
        qDebug() << what << "default MIDI API unavailable:" << QString::fromStdString(e.getMessage());
    }
    try {
        auto port = std::make_unique<T>(RtMidi::UNIX_JACK, args...);
        qDebug() << what << "using JACK";
        return port;
    } catch (const RtMidiError& e) {
        qDebug() << what << "JACK unavailable:" << QString::fromStdString(e.getMessage());
    }
    qDebug() << what << "no MIDI API: no ports";
    return nullptr;
}

} // namespace

std::unique_ptr<RtMidiIn> createMidiIn(const std::string& clientName, unsigned int queueSizeLimit)
{
    return createWithFallback<RtMidiIn>("MIDI input:", clientName, queueSizeLimit);
}

std::unique_ptr<RtMidiOut> createMidiOut(const std::string& clientName)
{
    return createWithFallback<RtMidiOut>("MIDI output:", clientName);
}

unsigned long jackPeriodMicroseconds()
{
    jack_status_t status;
    jack_client_t* client = jack_client_open("LYR period probe", JackNoStartServer, &status);
    if (!client)
        return 0;
    const unsigned long frames = jack_get_buffer_size(client);
    const unsigned long rate = jack_get_sample_rate(client);
    jack_client_close(client);
    if (rate == 0)
        return 0;
    return (frames * 1000000ul + rate - 1) / rate;
}

QStringList portNames(RtMidi* midi)
{
    QStringList names;
    const unsigned int count = midi ? midi->getPortCount() : 0;
    for (unsigned int i = 0; i < count; ++i)
        names << QString::fromStdString(midi->getPortName(i));
    return names;
}
