// The simulated module's memory commands: controller flash read, erase and
// write; RAM programs, GM data and the current program; DSP flash transfers
// with their 128 KB blocks, soundbank installs and removals among them; the
// USB stick's file list and the jobs on its files. Requests that do not
// fit the memory, or come out of order, are refused with NACK, as a module
// that guards its flash would.

#include "SimModule.h"

#include <QTimer>

namespace lyrsim {

namespace {

// DSP transfers stop for a continue after this many bytes.
constexpr int DspBlock = 128 * 1024;

// Write start addresses that are soundbank requests rather than places.
constexpr quint32 InstallSoundBank = 0;
constexpr quint32 RemoveAllSoundBanks = 65535;

} // namespace

SimModule::Reply SimModule::nack()
{
    Reply r;
    r.com = Nack;
    return r;
}

SimModule::Reply SimModule::readBlock(const SimDecoded& frame, const QByteArray& memory, int base)
{
    if (frame.data.size() != 8)
        return nack();
    const quint32 address = le(frame.data, 0, 4);
    const int length = int(le(frame.data, 4, 2));
    const int largest = qMin(int(ident.value("PacketSize")), SimCodec::MaxData);
    if (length == 0 || length > largest || address < quint32(base)
        || quint64(address - quint32(base)) + quint64(length) > quint64(memory.size()))
        return nack();
    Reply r;
    r.data = memory.mid(int(address - quint32(base)), length);
    return r;
}

SimModule::Reply SimModule::flashRead(const SimDecoded& frame)
{
    return readBlock(frame, mem.flash, int(SimMemory::FlashBase));
}

SimModule::Reply SimModule::flashErase(const SimDecoded& frame)
{
    if (frame.data.size() != 2)
        return nack();
    const int first = quint8(frame.data[0]);
    const int count = quint8(frame.data[1]);
    if (count == 0 || first + count > SimMemory::SectorCount)
        return nack();
    const int from = SimMemory::flashOffset(SimMemory::sectorAddress(first), 0);
    const int to = SimMemory::flashOffset(SimMemory::sectorAddress(first + count), 0);
    mem.flash.replace(from, to - from, QByteArray(to - from, char(0xFF)));
    emit memoryChanged();
    return Reply();
}

SimModule::Reply SimModule::stageData(const SimDecoded& frame)
{
    if (frame.data.isEmpty() || frame.data.size() > qMin(int(ident.value("PacketSize")), SimCodec::MaxData))
        return nack();
    staged = frame.data;
    return Reply();
}

// Commits the staged chunk at offset within the sectors. Flash bits only go
// from 1 to 0: writing over data that was not erased spoils it, as it would
// in the module.
SimModule::Reply SimModule::flashWrite(const SimDecoded& frame)
{
    if (frame.data.size() != 8)
        return nack();
    const int first = quint8(frame.data[0]);
    const int count = quint8(frame.data[1]);
    const int length = int(le(frame.data, 2, 2));
    const quint64 start = SimMemory::sectorAddress(first) + quint64(le(frame.data, 4, 4));
    if (staged.isEmpty() || length != staged.size() || count == 0 || first + count > SimMemory::SectorCount
        || start + quint64(length) > SimMemory::sectorAddress(first + count))
        return nack();
    const int at = SimMemory::flashOffset(quint32(start), length);
    for (int i = 0; i < length; ++i)
        mem.flash[at + i] = char(quint8(mem.flash[at + i]) & quint8(staged[i]));
    staged.clear();
    emit memoryChanged();
    return Reply();
}

SimModule::Reply SimModule::ramPrograms(const SimDecoded& frame)
{
    return readBlock(frame, mem.ramPrograms, 0);
}

SimModule::Reply SimModule::gmData(const SimDecoded& frame)
{
    return readBlock(frame, mem.gmData, 0);
}

SimModule::Reply SimModule::copyFlashToRam(const SimDecoded&)
{
    const int at = SimMemory::flashOffset(ident.value("ProgramAddr"), SimMemory::ProgramsBlockSize);
    if (at < 0)
        return nack();
    mem.ramPrograms = mem.flash.mid(at, SimMemory::ProgramsBlockSize);
    emit memoryChanged();
    return Reply();
}

SimModule::Reply SimModule::currentProgram(const SimDecoded&)
{
    Reply r;
    r.data = QByteArray(1, char(mem.currentProgram));
    return r;
}

SimModule::Reply SimModule::dspStart(const SimDecoded& frame)
{
    if (frame.data.size() != 4 || le(frame.data, 0, 4) >= quint32(SimMemory::DspFlashSize))
        return nack();
    dspAddress = le(frame.data, 0, 4);
    dspInBlock = 0;
    soundBankImage.clear();
    if (frame.com == 0x0E)
        dsp = Dsp::Reading;
    else if (dspAddress == InstallSoundBank)
        dsp = Dsp::Installing;
    else if (dspAddress < quint32(SimMemory::SoundBankEntries) || dspAddress == RemoveAllSoundBanks)
        dsp = Dsp::Removing;
    else
        dsp = Dsp::Writing;
    return Reply();
}

SimModule::Reply SimModule::dspReceive(const SimDecoded& frame)
{
    const int length = frame.data.size() == 4 ? int(le(frame.data, 0, 2)) : 0;
    if (dsp != Dsp::Reading || length == 0 || length > SimCodec::MaxData || dspInBlock + length > DspBlock
        || quint64(dspAddress) + quint64(length) > quint64(SimMemory::DspFlashSize))
        return nack();
    Reply r;
    r.data = mem.dspFlash.mid(int(dspAddress), length);
    dspAddress += quint32(length);
    dspInBlock += length;
    return r;
}

SimModule::Reply SimModule::dspSend(const SimDecoded& frame)
{
    const int length = int(frame.data.size());
    if (length == 0 || dspInBlock + length > DspBlock)
        return nack();
    if (dsp == Dsp::Installing) {
        if (soundBankImage.size() + length > SimMemory::DspFlashSize)
            return nack();
        soundBankImage += frame.data;
        dspInBlock += length;
        return Reply();
    }
    if (dsp != Dsp::Writing || quint64(dspAddress) + quint64(length) > quint64(SimMemory::DspFlashSize))
        return nack();
    mem.dspFlash.replace(int(dspAddress), length, frame.data);
    dspAddress += quint32(length);
    dspInBlock += length;
    emit memoryChanged();
    return Reply();
}

// A continue is due exactly when a full block has moved.
SimModule::Reply SimModule::dspContinue(const SimDecoded&)
{
    if (dsp == Dsp::Idle || dspInBlock != DspBlock)
        return nack();
    dspInBlock = 0;
    return Reply();
}

SimModule::Reply SimModule::dspStop(const SimDecoded&)
{
    const Dsp ending = dsp;
    dsp = Dsp::Idle;
    bool done = true;
    if (ending == Dsp::Idle) {
        done = false;
    } else if (ending == Dsp::Installing) {
        done = mem.installSoundBank(soundBankImage);
        soundBankImage.clear();
    } else if (ending == Dsp::Removing && dspAddress == RemoveAllSoundBanks) {
        mem.removeAllSoundBanks();
    } else if (ending == Dsp::Removing) {
        done = mem.removeSoundBank(int(dspAddress));
    }
    if (!done)
        return nack();
    if (ending == Dsp::Installing || ending == Dsp::Removing)
        emit memoryChanged();
    return Reply();
}

// Erases the sample area; the directory below it stays.
SimModule::Reply SimModule::dspErase(const SimDecoded&)
{
    const int from = int(SimMemory::SampleArea);
    mem.dspFlash.replace(from, SimMemory::DspFlashSize - from, QByteArray(SimMemory::DspFlashSize - from, char(0xFF)));
    emit memoryChanged();
    return Reply();
}

SimModule::Reply SimModule::usbFileList(const SimDecoded&)
{
    Reply r;
    if (mem.usbStick)
        r.data = mem.usbFiles.join('\n').toUtf8();
    else
        r.com = UsbPenNotFound;
    return r;
}

// Comparing or installing PCM or parameter data from a file of the stick:
// the name comes as the bytes the listing gave, up to a zero. The module
// answers nothing and reports while it works: progress in steps for a file
// it found, then a text and the end report. The stick holds names only, so
// the DSP flash is not changed.
SimModule::Reply SimModule::usbJob(const SimDecoded& frame)
{
    const QByteArray name = frame.data.left(frame.data.indexOf('\0'));
    bool found = false;
    for (const QString& file : mem.usbFiles)
        found = found || (mem.usbStick && file.toUtf8() == name);
    const bool pcm = frame.com == 0x11 || frame.com == 0x15;
    const bool compare = frame.com == 0x11 || frame.com == 0x12;
    const QString text = !mem.usbStick ? QStringLiteral("No USB pen")
                       : !found        ? QStringLiteral("File not found")
                       : QStringLiteral("%1 %2").arg(pcm ? "PCM" : "Parameters", compare ? "compare OK" : "updated");
    int step = 0;
    for (int percent = 0; found && percent <= 100; percent += 25)
        QTimer::singleShot(++step * usbStepMs, this, [this, percent] { sendProgress(percent); });
    QTimer::singleShot(++step * usbStepMs, this, [this, text] {
        sendText(text);
        sendEnd();
    });
    return silent(frame);
}

} // namespace lyrsim
