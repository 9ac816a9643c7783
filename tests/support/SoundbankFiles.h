#pragma once

// Soundbank files of our own making, good and broken. A good one has the
// 16-byte header ("Bank", the number of samples it brings, the descriptor's
// position in 16-bit words), pseudo-random sample bytes with the soundbank's
// name at 444, then a voice descriptor naming new voices and drum sets.

#include <QByteArray>
#include <QList>
#include <QString>

namespace lyrtest {

// A voice the descriptor names; family 12 for a drum set.
struct SoundbankVoice
{
    int family = 0;
    QByteArray name;
    int bank = 0;
    int pch = 0;
};

struct SoundbankSpec
{
    QByteArray name = "Test Bank";   // up to 16 bytes
    int soundBytes = 4096;           // bytes before the descriptor, header included; even, at least 460
    int voices = 6;                  // every fifth one a drum set
    int descriptorBytes = 0;         // comment lines pad the descriptor to this size; 0 leaves it as it comes
    quint32 seed = 1;
};

struct Soundbank
{
    QByteArray bytes;                // the whole file
    QList<SoundbankVoice> voices;
    int soundBytes = 0;
    // What the module stores: everything before the descriptor.
    QByteArray sound() const { return bytes.left(soundBytes); }
};

Soundbank makeSoundbank(const SoundbankSpec& spec);

// Ways to break a good file.
enum class SoundbankFault {
    ShortHeader,       // 10 bytes
    BadMagic,          // "Bonk" in place of "Bank"
    CutInSound,        // ends 100 bytes before the descriptor
    PositionPastEnd,   // the header puts the descriptor beyond the end
    SoundTooShort,     // the header puts the descriptor at 256, before the name
};
QByteArray breakSoundbank(const QByteArray& good, SoundbankFault fault);

// Writes bytes to path; the path, empty when it cannot be written.
QString writeFile(const QString& path, const QByteArray& bytes);

} // namespace lyrtest
