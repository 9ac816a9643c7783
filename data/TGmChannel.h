#pragma once

// The module's GM mixer state: one 64-byte record per GM channel, 16 of them,
// as the module keeps them in RAM. The editor fills them from the module and
// edits them in the GM mixer.

#include <QtGlobal>
#include <cstddef>

constexpr int GmChannelCount = 16;
constexpr int SIZEOFGMDATA = 1024;

// Bits of TGmChannel::flags; writers leave the other bits as they are.
constexpr quint8 GmChannelMute = 0x01;
constexpr quint8 GmChannelSolo = 0x02;
constexpr quint8 GmChannelDrum = 0x04;

#pragma pack(push, 1)

struct TGmChannel
{
    quint8 flags;
    quint8 family;     // wavetable family 0..12 of the channel's voice
    quint8 voice;      // voice index within the family
    quint8 bank;
    quint8 pch;
    quint8 volume;     // values of the channel parameters 1, 2, 6, 3, 4, 113, 5 and 15
    quint8 reverb;
    quint8 chorus;
    quint8 shift;
    quint8 tune;
    quint8 pitch;
    quint8 pan;
    quint8 cutoff;
    quint8 reserved[51];
};

#pragma pack(pop)

static_assert(sizeof(TGmChannel) == 64);
static_assert(offsetof(TGmChannel, volume) == 5);
static_assert(offsetof(TGmChannel, cutoff) == 12);

// The 16 channel records, zero at start, and the pointer every reader and
// writer reaches them through (record i at byte 64 x i).
extern TGmChannel gmData[GmChannelCount];
extern TGmChannel* pGmData;
static_assert(sizeof(gmData) == SIZEOFGMDATA);
