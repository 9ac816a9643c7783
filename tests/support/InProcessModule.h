#pragma once

// Ties a QMidiUtils to a simulated module without any MIDI port: the bytes
// QMidiOut sends reach the module, and its answers enter QMidiIn as if
// RtMidi had delivered them. Both ways are queued, so replies arrive only
// while the event loop turns, as they do over a real port.

#include "QMidiUtils.h"
#include "SimModule.h"

class InProcessModule
{
public:
    InProcessModule(QMidiUtils& link, lyrsim::SimModule& module);
    ~InProcessModule();

    // Opens the loopback ports and marks the link connected, as a successful
    // connection to the module would.
    void connect();

private:
    QMidiUtils& link;
    lyrsim::SimModule& module;
};
