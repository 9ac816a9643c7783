#pragma once

// What the simulated module remembers: its controller flash (1 MB in twelve
// sectors, loader, DSP firmware, application and the 128 KB programs and
// wavetable area where the identity record says), the working programs in
// RAM, the GM mixer data, the DSP's serial flash with the soundbank
// directory at 0x40000, the current program and the files on a USB stick.
// It can be saved to a folder and loaded back, so a person or a test can
// look at what the editor wrote.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace lyrsim {

class SimMemory
{
public:
    // Controller flash, as the identity record's default addresses expect.
    static constexpr quint32 FlashBase = 0x08000000;
    static constexpr int FlashSize = 1024 * 1024;
    static constexpr int SectorCount = 12;
    static constexpr quint32 ProgramsArea = 0x080E0000;   // sector 11
    static constexpr int ProgramsBlockSize = 65536;
    static constexpr int WavetableSize = 65536;
    static constexpr int GmDataSize = 1024;
    // DSP serial flash: soundbank directory, then sample data from 0x80000.
    static constexpr int DspFlashSize = 16 * 1024 * 1024;
    static constexpr quint32 SoundBankDir = 0x40000;
    static constexpr int SoundBankDirSize = 448;
    static constexpr quint32 SampleArea = 0x80000;
    // Soundbanks: each starts on a 64 KB block of the DSP flash; its entry
    // gives that block (flash page), its size in 256-byte pages, its block in
    // sample RAM (RAM page) and the PCM numbers it adds (in, out).
    static constexpr int SoundBankEntries = 16;
    static constexpr int SoundBankEntrySize = 28;
    static constexpr int SoundBankAlign = 64 * 1024;
    static constexpr int SoundBankSizeUnit = 256;
    // In a soundbank image: the magic at 0, the number of PCM samples it
    // brings (u32) at 4, its name (16 bytes) at 444.
    static constexpr int SoundBankNameAt = 444;

    // A module as it leaves the factory: 128 named programs with a sealed
    // trailer in flash and in RAM, an empty wavetable, the factory soundbank
    // in the directory, program 0, and a USB stick with a few files.
    SimMemory();

    // First address and size of controller flash sector s (0..11); size 0
    // for a sector the flash does not have.
    static quint32 sectorAddress(int s);
    static int sectorSize(int s);
    // Offset into flash of [address, address + size); -1 when it does not
    // lie wholly inside.
    static int flashOffset(quint32 address, int size);

    // The sealed programs block image the module itself writes: magic,
    // 01 01 00 00, big-endian sum of bytes 0..65531.
    static void seal(QByteArray& block);

    // The soundbank store (SimSoundbanks.cpp). install appends a soundbank
    // image (the sound data of a soundbank file) in the first free entry;
    // false, changing nothing, when it is not a soundbank, the directory is
    // full or the flash has no room. remove takes entry index (1..15) out and
    // moves the later ones, data and all, down to close the gap; false for
    // the factory set and unused entries. removeAll keeps the factory set.
    bool installSoundBank(const QByteArray& image);
    bool removeSoundBank(int index);
    void removeAllSoundBanks();

    QByteArray flash;          // erased bytes are 0xFF
    QByteArray ramPrograms;
    QByteArray gmData;
    QByteArray dspFlash;
    quint8 currentProgram = 0;
    bool usbStick = true;
    QStringList usbFiles;

    // The folder holds controller-flash.bin, ram-programs.bin, gm-data.bin,
    // dsp-flash.bin and module.ini. load() leaves the memory as it was and
    // says why in error when a file has the wrong size or cannot be read.
    bool save(const QString& folder, QString* error = nullptr) const;
    bool load(const QString& folder, QString* error = nullptr);
};

// The little-endian number of `bytes` bytes at `at` of a memory or a request.
inline quint32 le(const QByteArray& d, int at, int bytes)
{
    quint32 v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= quint32(quint8(d[at + i])) << (8 * i);
    return v;
}

} // namespace lyrsim
