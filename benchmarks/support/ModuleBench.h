#pragma once

// What the benchmarks that talk to the simulated module share.

class QMidiUtils;

// Mean time of empty exchanges on a connected link (a command without data
// and its bare ACK), in ms; 0 when one goes unanswered. A round trip over
// JACK takes one or two cycles as the clients happen to fall in the server's
// order, which changes with every connection: the mean over the same ports
// is the floor's honest unit.
double emptyRoundTripMs(QMidiUtils& link, int exchanges = 40);
