#pragma once

// The voice descriptor carried at the end of a soundbank file: everything
// before it is the sound data the module stores, everything from position
// on is descriptor text naming the soundbank's voices.

#include <QtGlobal>
#include <cstddef>

constexpr int SoundBankDescriptorText = 16384;
// A descriptor must be shorter than this; the text field keeps a NUL after it.
constexpr quint32 SoundBankDescriptorLimit = 16382;

#pragma pack(push, 1)

struct TSoundBankDescriptor
{
    quint32 size;                          // bytes of text
    quint32 position;                      // byte position of the text in the file
    char text[SoundBankDescriptorText];    // zero beyond size
};

#pragma pack(pop)

static_assert(offsetof(TSoundBankDescriptor, position) == 4);
static_assert(offsetof(TSoundBankDescriptor, text) == 8);
static_assert(sizeof(TSoundBankDescriptor) == 8 + SoundBankDescriptorText);
