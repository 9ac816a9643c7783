#pragma once

// The module's identity record, as it answers the identify command: packet
// size, and where the loader, the DSP firmware, the application and the
// programs live in its flash, with their versions. 60 bytes, little-endian.

#include <QtGlobal>
#include <cstddef>

#pragma pack(push, 1)

struct TInfo
{
    quint16 Id;
    quint16 PacketSize;        // largest data block of one transfer command
    quint16 LoaderSectorIni;
    quint16 LoaderSectorNum;
    quint32 LoaderAddr;
    quint32 LoaderSize;        // largest loader image
    quint16 SamSectorIni;      // DSP firmware
    quint16 SamSectorNum;
    quint32 SamAddr;
    quint32 SamSize;
    quint16 AppSectorIni;
    quint16 AppSectorNum;
    quint32 AppAddr;
    quint32 AppSize;
    quint16 ProgramSectorIni;  // programs block and wavetable, 128 KB
    quint16 ProgramSectorNum;
    quint32 ProgramAddr;
    quint32 ProgramSize;
    quint16 LoaderVersion;     // major in the high byte, minor in the low byte
    quint16 AppVersion;
    quint16 SamVersion;
    quint16 ProgramVersion;
};

#pragma pack(pop)

static_assert(sizeof(TInfo) == 60);
static_assert(offsetof(TInfo, LoaderAddr) == 8);
static_assert(offsetof(TInfo, SamSectorIni) == 16);
static_assert(offsetof(TInfo, SamSize) == 24);
static_assert(offsetof(TInfo, AppSectorIni) == 28);
static_assert(offsetof(TInfo, AppSize) == 36);
static_assert(offsetof(TInfo, ProgramSectorIni) == 40);
static_assert(offsetof(TInfo, ProgramAddr) == 44);
static_assert(offsetof(TInfo, ProgramSize) == 48);
static_assert(offsetof(TInfo, LoaderVersion) == 52);
static_assert(offsetof(TInfo, ProgramVersion) == 58);

// Identity of the connected module; all zero until the first identification.
extern TInfo info;

// Every field of info to the debug log, in record order.
void printInfo();
