#pragma once

// The module's soundbank directory as it sits in the DSP flash: 16 entries,
// entry 0 the factory sound set. The editor only reads it from the module and
// never writes entries itself.

#include <QString>
#include <QtGlobal>
#include <cstddef>

constexpr int SoundBankDirEntries = 16;

#pragma pack(push, 1)

struct TSoundBankDirEntry
{
    char id[2];               // two Latin-1 characters; an entry is in use when both are set
    quint16 size;
    quint16 ramPage;
    quint16 flashPage;
    quint16 pcmIn;
    quint16 pcmOut;
    char name[16];            // Latin-1, NUL-padded; 16 bytes means no NUL
};

#pragma pack(pop)

static_assert(sizeof(TSoundBankDirEntry) == 28);
static_assert(offsetof(TSoundBankDirEntry, size) == 2);
static_assert(offsetof(TSoundBankDirEntry, ramPage) == 4);
static_assert(offsetof(TSoundBankDirEntry, flashPage) == 6);
static_assert(offsetof(TSoundBankDirEntry, pcmIn) == 8);
static_assert(offsetof(TSoundBankDirEntry, pcmOut) == 10);
static_assert(offsetof(TSoundBankDirEntry, name) == 12);

extern TSoundBankDirEntry soundBankDir[SoundBankDirEntries];
static_assert(sizeof(soundBankDir) == 448);

// Entries whose two id bytes are both non-zero (0..16).
quint8 getSoundbanksCount();
// Name of entry index; empty for 16 and above.
QString getSoundbankName(unsigned char index);
