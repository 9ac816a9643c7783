#pragma once

// Where the RtMidi objects come from. Some machines have no ALSA sequencer,
// and there RtMidi's default constructor throws; JACK is tried next, and with
// neither the port classes simply have no ports.

#include <rtmidi/RtMidi.h>

#include <QStringList>

#include <memory>
#include <string>

std::unique_ptr<RtMidiIn> createMidiIn(const std::string& clientName, unsigned int queueSizeLimit);
std::unique_ptr<RtMidiOut> createMidiOut(const std::string& clientName);

// Names of the ports an RtMidi object sees, in its order; none for null.
QStringList portNames(RtMidi* midi);

// Length of one JACK process cycle in microseconds, asked of the running
// server; 0 when no server answers.
unsigned long jackPeriodMicroseconds();
