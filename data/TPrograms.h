#pragma once

// The module's 64 KB programs memory: 128 programs, the setup bytes, free
// space and a trailer with magic and checksum. The same 65536 bytes are the
// .pre file, the first half of the module's program flash area and what the
// RAM transfers carry.

#include "TProgram.h"

#include <QByteArray>

constexpr int MAX_PROGRAMS = 128;
constexpr int SIZEOFSETUP = 16;
constexpr int SIZEOFHEADER = 16;
constexpr int SIZEOFPROGRAMS = 64 * 1024;
constexpr int SIZEOFFREE = SIZEOFPROGRAMS - MAX_PROGRAMS * int(sizeof(TProgram)) - SIZEOFSETUP - SIZEOFHEADER;

#pragma pack(push, 1)

// Byte i is setup parameter i, the number the setup-variation command carries.
struct TSetup
{
    quint8 usbDevice1;        // port states: 0 SYS, 1 GM, 2 KEYB, 0x7F off
    quint8 usbDevice2;
    quint8 usbHost;
    quint8 midiClassic;
    quint8 masterVolume;
    quint8 gmVolume;
    quint8 unused1[4];
    quint8 usbHostChannel;    // 0..15 channels 1..16, 16 all
    quint8 midiChannel;
    quint8 unused2[4];
};

struct THeader
{
    char magic[8];            // "BMODULE" and a NUL
    quint8 fixed[4];          // 01 01 00 00
    quint8 checksum[4];       // big-endian sum of every byte before it
};

struct TPrograms
{
    TProgram program[MAX_PROGRAMS];
    TSetup setup;
    quint8 free[SIZEOFFREE];
    THeader header;
};

#pragma pack(pop)

static_assert(sizeof(TSetup) == SIZEOFSETUP);
static_assert(sizeof(THeader) == SIZEOFHEADER);
static_assert(SIZEOFFREE == 96);
static_assert(sizeof(TPrograms) == SIZEOFPROGRAMS);
static_assert(offsetof(TSetup, masterVolume) == 4);
static_assert(offsetof(TSetup, gmVolume) == 5);
static_assert(offsetof(TSetup, usbHostChannel) == 10);
static_assert(offsetof(TSetup, midiChannel) == 11);
static_assert(offsetof(TPrograms, setup) == 65408);
static_assert(offsetof(TPrograms, free) == 65424);
static_assert(offsetof(TPrograms, header) == 65520);
static_assert(offsetof(TPrograms, header) + offsetof(THeader, checksum) == 65532);

// The block being edited, and the block as the module's flash holds it.
extern TPrograms programs;
extern TPrograms programsFlash;
// Scratch program record.
extern TProgram program;

// Default programs, setup and sealed trailer into programs, copied to programsFlash.
void initPrograms();
// Seals a block: magic, fixed bytes, zero free bytes, checksum. Null is ignored.
void writeHeader(TPrograms* block);
// Sum of bytes 0..65531; 0 for null.
quint32 computeChecksum(const TPrograms* block);
// True when magic and reserved trailer bytes are right (the checksum is not looked at).
bool checkHeader(const TPrograms* block);
// True when the stored big-endian checksum equals expected.
bool controlChecksum(const TPrograms* block, unsigned int expected);
// Replaces programs with the first 65536 bytes of data when its trailer passes
// the header test; otherwise programs is left as it was.
bool copyProgramsFromRawData(const QByteArray& data);
void printHeader(const TPrograms* block);
