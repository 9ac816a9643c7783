#pragma once

// Soundbank files of our own making: the 16-byte header ("Bank", the number
// of samples it brings, the descriptor's position in 16-bit words),
// pseudo-random sample bytes with the soundbank's name at 444, then a voice
// descriptor naming new voices, every fifth a drum set.

#include <QByteArray>

namespace lyrtest {

// name: up to 16 bytes; soundBytes: what the module stores, everything before
// the descriptor, even and at least 460; comment lines pad the descriptor to
// descriptorBytes unless that is 0.
QByteArray makeSoundbank(const QByteArray& name, int soundBytes = 4096, int voices = 6, quint32 seed = 1,
                         int descriptorBytes = 0);

} // namespace lyrtest
