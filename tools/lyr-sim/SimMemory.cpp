#include "SimMemory.h"

#include <QDir>
#include <QFile>
#include <QSettings>

namespace lyrsim {

namespace {

// Sector sizes in KB: four small sectors for the loader and the DSP
// firmware, one of 64 KB, seven of 128 KB.
const int SectorKb[SimMemory::SectorCount] = { 16, 16, 16, 16, 64, 128, 128, 128, 128, 128, 128, 128 };

constexpr int ProgramSize = 511;
constexpr int ProgramCount = 128;
constexpr int SetupOffset = ProgramCount * ProgramSize;
constexpr int TrailerOffset = 65520;

struct Image
{
    const char* file;
    QByteArray SimMemory::*bytes;
    int size;
};

//  file                    member                   size
const Image Images[] = {
    { "controller-flash.bin", &SimMemory::flash,       SimMemory::FlashSize },
    { "ram-programs.bin",     &SimMemory::ramPrograms, SimMemory::ProgramsBlockSize },
    { "gm-data.bin",          &SimMemory::gmData,      SimMemory::GmDataSize },
    { "dsp-flash.bin",        &SimMemory::dspFlash,    SimMemory::DspFlashSize },
};

QByteArray factoryPrograms()
{
    QByteArray block(SimMemory::ProgramsBlockSize, '\0');
    for (int p = 0; p < ProgramCount; ++p) {
        const QByteArray name = QStringLiteral("Factory %1").arg(p + 1, 3, 10, QChar('0')).toLatin1();
        block.replace(p * ProgramSize, name.size(), name);
    }
    const char setup[] = { 0, 1, 2, 1, 0x40, 0x7F, 0, 0, 0, 0, 0x10, 0x10, 0, 0, 0, 0 };
    block.replace(SetupOffset, sizeof(setup), QByteArray(setup, sizeof(setup)));
    SimMemory::seal(block);
    return block;
}

QByteArray factoryDirectory()
{
    QByteArray dir(SimMemory::SoundBankDirSize, '\0');
    // id, size, RAM page, flash page, PCM in, PCM out, name
    const char entry[28] = { 'G', 'M', 0x00, 0x40, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x01,
                             'F', 'a', 'c', 't', 'o', 'r', 'y', ' ', 'G', 'M' };
    dir.replace(0, sizeof(entry), QByteArray(entry, sizeof(entry)));
    return dir;
}

} // namespace

SimMemory::SimMemory()
    : flash(FlashSize, char(0xFF)),
      ramPrograms(factoryPrograms()),
      gmData(GmDataSize, '\0'),
      dspFlash(DspFlashSize, char(0xFF)),
      usbFiles({ "BANK1.SBK", "piano.sbk", "README.TXT", "LYR.PCM", "LYR.PAR" })
{
    const int area = flashOffset(ProgramsArea, ProgramsBlockSize + WavetableSize);
    flash.replace(area, ProgramsBlockSize, ramPrograms);
    flash.replace(area + ProgramsBlockSize, WavetableSize, QByteArray(WavetableSize, '\0'));
    dspFlash.replace(int(SoundBankDir), SoundBankDirSize, factoryDirectory());
}

quint32 SimMemory::sectorAddress(int s)
{
    quint32 address = FlashBase;
    for (int i = 0; i < s && i < SectorCount; ++i)
        address += quint32(SectorKb[i]) * 1024;
    return address;
}

int SimMemory::sectorSize(int s)
{
    return s >= 0 && s < SectorCount ? SectorKb[s] * 1024 : 0;
}

int SimMemory::flashOffset(quint32 address, int size)
{
    if (address < FlashBase || size < 0 || quint64(address - FlashBase) + quint64(size) > quint64(FlashSize))
        return -1;
    return int(address - FlashBase);
}

void SimMemory::seal(QByteArray& block)
{
    if (block.size() != ProgramsBlockSize)
        return;
    block.replace(TrailerOffset, 12, QByteArray("BMODULE\0\x01\x01\0\0", 12));
    quint32 sum = 0;
    for (int i = 0; i < TrailerOffset + 12; ++i)
        sum += quint8(block[i]);
    for (int i = 0; i < 4; ++i)
        block[TrailerOffset + 12 + i] = char(sum >> (24 - 8 * i));
}

bool SimMemory::save(const QString& folder, QString* error) const
{
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = "cannot create " + folder;
        return false;
    }
    for (const Image& image : Images) {
        QFile file(QDir(folder).filePath(image.file));
        if (!file.open(QIODevice::WriteOnly) || file.write(this->*image.bytes) != image.size) {
            if (error)
                *error = "cannot write " + file.fileName();
            return false;
        }
    }
    QSettings state(QDir(folder).filePath("module.ini"), QSettings::IniFormat);
    state.setValue("current-program", currentProgram);
    state.setValue("usb-stick", usbStick);
    state.setValue("usb-files", usbFiles);
    state.sync();
    return state.status() == QSettings::NoError;
}

bool SimMemory::load(const QString& folder, QString* error)
{
    SimMemory loaded(*this);
    for (const Image& image : Images) {
        QFile file(QDir(folder).filePath(image.file));
        if (!file.open(QIODevice::ReadOnly) || file.size() != image.size) {
            if (error)
                *error = QStringLiteral("%1: cannot read %2 bytes").arg(file.fileName()).arg(image.size);
            return false;
        }
        loaded.*image.bytes = file.readAll();
    }
    QSettings state(QDir(folder).filePath("module.ini"), QSettings::IniFormat);
    loaded.currentProgram = quint8(state.value("current-program", 0).toUInt());
    loaded.usbStick = state.value("usb-stick", true).toBool();
    loaded.usbFiles = state.value("usb-files").toStringList();
    *this = loaded;
    return true;
}

} // namespace lyrsim
