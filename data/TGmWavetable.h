#pragma once

// The module's GM voice catalogue: 13 families of up to 251 voices, 64 KB
// exactly as the module keeps it in flash right after the programs block.
// Every voice is known by its bank and program change and by the soundbank
// it comes from. The table may come from the module or from a file, so every
// look-up checks its indices and the counts it finds in the record.

#include <QString>
#include <QtGlobal>
#include <cstddef>

constexpr int GmFamilyCount = 13;        // families 0..12
constexpr int GmVoiceFamilyCount = 12;   // 0..11 hold voices, 12 the drum sets
constexpr int GmDrumFamily = 12;
constexpr int GmMaxVoices = 251;         // slots 0..250 of a family
constexpr int GmVoiceNameField = 15;
constexpr int GmVoiceNameMax = 14;       // as the editor writes names: always a NUL after
constexpr int GmFamilyNameField = 12;
constexpr int GmSoundbankCount = 16;     // soundbank indices 0..15, 0 the factory set
constexpr int SIZEOFWAVETABLE = 64 * 1024;

#pragma pack(push, 1)

struct TGmVoice
{
    char name[GmVoiceNameField];   // UTF-8, NUL-padded
    quint8 family;
    quint8 num;                    // the slot the voice was given when written
    quint8 bank;
    quint8 pch;                    // program change
    quint8 sbk;                    // soundbank index
};

struct TGmFamily
{
    char name[GmFamilyNameField];  // UTF-8, NUL-padded; 12 bytes means no NUL
    TGmVoice voice[GmMaxVoices];
    quint16 count;                 // slots 0..count-1 are in use
};

struct TGmWavetable
{
    TGmFamily family[GmFamilyCount];
    quint8 free[SIZEOFWAVETABLE - GmFamilyCount * sizeof(TGmFamily)];
};

#pragma pack(pop)

static_assert(sizeof(TGmVoice) == 20);
static_assert(offsetof(TGmVoice, family) == 15);
static_assert(offsetof(TGmVoice, num) == 16);
static_assert(offsetof(TGmVoice, bank) == 17);
static_assert(offsetof(TGmVoice, pch) == 18);
static_assert(offsetof(TGmVoice, sbk) == 19);
static_assert(sizeof(TGmFamily) == 5034);
static_assert(offsetof(TGmFamily, voice) == 12);
static_assert(offsetof(TGmFamily, count) == 5032);
static_assert(sizeof(TGmWavetable::free) == 94);
static_assert(sizeof(TGmWavetable) == SIZEOFWAVETABLE);

// The catalogue the editor works with; zero at start.
extern TGmWavetable wavetable;

// Look-ups on wavetable. They never fail: out of range they give the neutral
// value named with each.
QString getFamilyName(unsigned char family);                          // ""
// The family's count, at most 251 even when the record says more.
quint16 getVoiceCount(unsigned char family);                          // 0
// Slots are checked against 251, not against the count: an unused slot reads
// as an empty name and zero bytes.
QString getVoiceName(unsigned char family, unsigned short voice);     // "Unavailable"
quint8 getVoiceBank(unsigned char family, unsigned short voice);      // 0
quint8 getVoicePch(unsigned char family, unsigned short voice);       // 0
quint8 getVoiceNum(unsigned char family, unsigned short voice);       // 0
quint8 getVoiceSbk(unsigned char family, unsigned short voice);       // 0
// First slot of family (used or not) with this bank and pch; 251 when none.
quint16 getVoiceIdx(unsigned char family, unsigned char bank, unsigned short pch);
// First family with a slot (used or not) of this bank and pch; 13 when none.
quint8 getVoiceFam(unsigned char bank, unsigned short pch);

// Writes the 13 fixed family names; voices and counts stay as they are.
void initWavetableFamilyNames();
// Appends every voice of source to the same family of wavetable, as long as
// the family has free slots. Null is ignored.
void addWavetable(const TGmWavetable* source);
// Removes the voices of soundbank sbk and moves higher soundbank numbers down
// by one, as the module's directory does. sbk > 15 is ignored.
void removeSoundbankFromWavetable(unsigned char sbk);
// Keeps only the voices of the factory set (soundbank 0).
void removeAllSoundbanksFromWavetable();
// True when table is plausible: counts up to 251, and in every slot a bank and
// pch below 128 and a soundbank up to 15. False for null.
bool validateWavetable(const TGmWavetable* table);
// Copies the first 11 bytes of each family name of source. Null is ignored.
void addFamilyNamesFromWavetable(const TGmWavetable* source);

// Writes name into a voice name field: at most 14 bytes of UTF-8, cut before
// a character that would not fit whole, NUL-padded.
void setVoiceName(TGmVoice* voice, const QByteArray& utf8Name);
