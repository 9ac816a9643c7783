// Blocks of memory between the editor and the module: controller flash,
// RAM programs and GM data, DSP serial flash, the USB stick's file list.
//
// There are no sequence numbers in the protocol: a late answer to an earlier
// command satisfies the next wait. So every read checks that the reply
// carries the bytes it asked for, and every read that feeds a mirror goes
// into a scratch buffer first; the mirror changes only when the whole
// transfer and its checks passed.

#include "QMidiUtils.h"
#include "TGmChannel.h"
#include "TGmWavetable.h"
#include "TInfo.h"
#include "TPrograms.h"
#include "TSoundBankDirEntry.h"

#include <QDebug>
#include <QFile>

#include <algorithm>
#include <cstring>

namespace {

// DSP flash transfers move 32 KB per frame and stop for a continue after
// every 128 KB.
constexpr uint32_t SamChunk = MaxFrameData;
constexpr uint32_t SamBlock = 128 * 1024;
constexpr uint32_t SoundBankDirAddress = 0x40000;

constexpr unsigned int AckTimeoutMs = 5000;
constexpr unsigned int EraseTimeoutMs = 30000;
constexpr unsigned int FlashWriteTimeoutMs = 60000;
constexpr unsigned int UsbListTimeoutMs = 50000;

// The programs and wavetable area: the programs block, then the wavetable.
constexpr uint32_t ProgramsAreaSize = SIZEOFPROGRAMS + SIZEOFWAVETABLE;

void putLe(std::vector<unsigned char>& out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

// The chunk size of controller flash and RAM transfers comes from the
// module; it must be usable before anything is sent, let alone erased.
bool packetSizeUsable()
{
    if (info.PacketSize == 0) {
        qDebug() << "PacketSize == 0 error!";
        return false;
    }
    if (info.PacketSize > MaxFrameData) {
        qDebug() << "PacketSize" << info.PacketSize << "error: a frame carries at most" << MaxFrameData;
        return false;
    }
    return true;
}

// A programs block fit to be taken as the flash copy.
bool programsImageValid(const TPrograms* block)
{
    return checkHeader(block) && controlChecksum(block, computeChecksum(block));
}

} // namespace

bool QMidiUtils::command(unsigned char com, std::vector<unsigned char> data, unsigned int ms, const char* failure)
{
    sendCommand(com, static_cast<unsigned short>(data.size()), data.empty() ? nullptr : data.data());
    if (waitForAcknoledge(ms))
        return true;
    qDebug() << failure;
    return false;
}

bool QMidiUtils::readChunks(unsigned char com, uint32_t start, uint8_t* dest, uint32_t size, uint32_t timeout,
                            const char* failure)
{
    if (size == 0)
        return true;
    if (!dest || !packetSizeUsable())
        return false;
    for (uint32_t done = 0; done < size;) {
        const uint32_t chunk = std::min<uint32_t>(size - done, info.PacketSize);
        std::vector<unsigned char> request;
        putLe(request, start + done, 4);
        putLe(request, chunk, 2);
        putLe(request, 0, 2);
        if (!command(com, request, timeout, failure))
            return false;
        if (replySize < chunk) {
            qDebug() << "short reply:" << replySize << "bytes for a chunk of" << chunk;
            return false;
        }
        std::memcpy(dest + done, replyData, chunk);
        done += chunk;
    }
    return true;
}

bool QMidiUtils::readFromStm32Flash(uint8_t* dest, uint32_t size, uint32_t addr, uint32_t timeout)
{
    return readChunks(ComFlashRead, addr, dest, size, timeout, "readFromStm32Flash ACKNOLEDGE error!");
}

bool QMidiUtils::writeToStm32Flash(uint8_t* src, uint32_t size, uint16_t sectorIni, uint16_t sectorNum,
                                   uint32_t offset, uint32_t timeout)
{
    // Checked before the erase: a refused write must leave the flash as it was.
    if (!src || !packetSizeUsable())
        return false;

    emit infoMessage("Erasing Stm32 Flash ...");
    const std::vector<unsigned char> erase = { static_cast<unsigned char>(sectorIni),
                                               static_cast<unsigned char>(sectorNum) };
    if (!command(ComStmFlashErase, erase, EraseTimeoutMs, "writeToStm32Flash ComStmFlashErase error!"))
        return false;

    emit infoMessage("Writing Stm32 Flash ...");
    for (uint32_t sent = 0; sent < size;) {
        qDebug() << "remaining:" << size - sent << "sent:" << sent;
        const uint32_t chunk = std::min<uint32_t>(size - sent, info.PacketSize);
        qDebug() << "send ComCpData command";
        if (!command(ComCpData, std::vector<unsigned char>(src + sent, src + sent + chunk), timeout,
                     "writeToStm32Flash ComCpData error!"))
            return false;
        std::vector<unsigned char> commit = erase;
        putLe(commit, chunk, 2);
        putLe(commit, offset + sent, 4);
        if (!command(ComStmFlashWrite, commit, timeout, "writeToStm32Flash ComStmFlashWrite error!"))
            return false;
        sent += chunk;
        emit updateProgress(int(sent), 0, int(size));
    }
    return true;
}

bool QMidiUtils::loadProgramsAndWavetableFromFlash()
{
    if (!isConnected())
        return false;
    std::vector<uint8_t> image(ProgramsAreaSize);
    if (!readFromStm32Flash(image.data(), ProgramsAreaSize, info.ProgramAddr, AckTimeoutMs)) {
        qDebug() << "readFromStm32Flash error!";
        return false;
    }
    // Each half is taken on its own merits: a module whose programs were
    // never stored still has its wavetable, and the other way round.
    const auto* block = reinterpret_cast<const TPrograms*>(image.data());
    if (programsImageValid(block))
        std::memcpy(&programsFlash, block, sizeof(programsFlash));
    else
        qDebug() << "loadProgramsAndWavetableFromFlash: programs in flash refused";
    const auto* table = reinterpret_cast<const TGmWavetable*>(image.data() + SIZEOFPROGRAMS);
    if (validateWavetable(table))
        std::memcpy(&wavetable, table, sizeof(wavetable));
    else
        qDebug() << "loadProgramsAndWavetableFromFlash: wavetable in flash refused";
    initWavetableFamilyNames();
    return true;
}

bool QMidiUtils::saveProgramsAndWavetableToFlash()
{
    if (!isConnected())
        return false;
    writeHeader(&programsFlash);
    std::vector<uint8_t> image(ProgramsAreaSize);
    std::memcpy(image.data(), &programsFlash, SIZEOFPROGRAMS);
    std::memcpy(image.data() + SIZEOFPROGRAMS, &wavetable, SIZEOFWAVETABLE);
    return writeToStm32Flash(image.data(), ProgramsAreaSize, info.ProgramSectorIni, info.ProgramSectorNum, 0,
                             FlashWriteTimeoutMs);
}

bool QMidiUtils::loadProgramsFromFlash()
{
    if (!isConnected())
        return false;
    std::vector<uint8_t> image(SIZEOFPROGRAMS);
    if (!readFromStm32Flash(image.data(), SIZEOFPROGRAMS, info.ProgramAddr, AckTimeoutMs)) {
        qDebug() << "readFromStm32Flash error!";
        return false;
    }
    const auto* block = reinterpret_cast<const TPrograms*>(image.data());
    if (!checkHeader(block)) {
        qDebug() << "loadProgramsFromFlash HEADER error!";
        return false;
    }
    if (!controlChecksum(block, computeChecksum(block)))
        return false;
    std::memcpy(&programsFlash, block, sizeof(programsFlash));
    return true;
}

bool QMidiUtils::loadProgramsFromRam()
{
    if (!isConnected())
        return false;
    std::vector<uint8_t> image(SIZEOFPROGRAMS);
    if (!readChunks(ComRamReadPrograms, 0, image.data(), SIZEOFPROGRAMS, AckTimeoutMs,
                    "loadProgramsFromRam ACKNOLEDGE error!"))
        return false;
    // The working copy carries no checksum worth testing: the module edits it.
    const auto* block = reinterpret_cast<const TPrograms*>(image.data());
    if (!checkHeader(block)) {
        qDebug() << "loadProgramsFromRam HEADER error!";
        return false;
    }
    std::memcpy(&programs, block, sizeof(programs));
    return true;
}

bool QMidiUtils::copyProgramsFromFlashToRam()
{
    if (!isConnected())
        return false;
    return command(ComCopyProgramsFromFlashToRam, {}, AckTimeoutMs, "ComcopyProgramsFromFlashToRam ACKNOLEDGE error!");
}

bool QMidiUtils::loadGmDataFromRam()
{
    if (!isConnected() || !pGmData)
        return false;
    std::vector<uint8_t> data(SIZEOFGMDATA);
    if (!readChunks(ComGetGmData, 0, data.data(), SIZEOFGMDATA, AckTimeoutMs, "loadGmDataFromRam ACKNOLEDGE error!"))
        return false;
    std::memcpy(pGmData, data.data(), SIZEOFGMDATA);
    return true;
}

uint8_t QMidiUtils::getCurrentProgramIdx()
{
    if (!isConnected())
        return 0;
    if (!command(ComGetCurrentProgram, {}, AckTimeoutMs, "ComGetCurrentProgram ACKNOLEDGE error!"))
        return 0;
    // An empty ACK holds no index; replyData would still hold an older reply.
    return replySize >= 1 ? replyData[0] : 0;
}

bool QMidiUtils::samFlashReadStart(uint32_t address)
{
    std::vector<unsigned char> data;
    putLe(data, address, 4);
    return command(ComSamFlashRead, data, AckTimeoutMs, "ACKNOLEDGE error!");
}

bool QMidiUtils::samFlashReceiveData(uint32_t size, uint8_t* pData)
{
    if (size > SamChunk || !pData)
        return false;
    std::vector<unsigned char> request;
    putLe(request, size, 2);
    putLe(request, 0, 2);
    if (!command(ComSamReceiveDma, request, AckTimeoutMs, "ACKNOLEDGE error!"))
        return false;
    if (replySize < size) {
        qDebug() << "short reply:" << replySize << "bytes for a chunk of" << size;
        return false;
    }
    std::memcpy(pData, replyData, size);
    return true;
}

bool QMidiUtils::samFlashWriteStart(uint32_t address)
{
    std::vector<unsigned char> data;
    putLe(data, address, 4);
    return command(ComSamFlashWrite, data, AckTimeoutMs, "ACKNOLEDGE error!");
}

bool QMidiUtils::samFlashSendData(uint32_t size, uint8_t* pData)
{
    if (size > SamChunk || (!pData && size > 0))
        return false;
    return command(ComSamSendDma, std::vector<unsigned char>(pData, pData + size), AckTimeoutMs,
                   "samFlashSendData ACKNOLEDGE error!");
}

bool QMidiUtils::samTransfer(bool write, uint32_t address, uint32_t sizeb, uint32_t stopTimeout, bool percent,
                             const std::function<bool(uint32_t done, uint32_t chunk)>& step)
{
    if (!isConnected())
        return false;
    if (!(write ? samFlashWriteStart(address) : samFlashReadStart(address)))
        return false;
    uint32_t done = 0, inBlock = 0;
    while (done < sizeb) {
        if (percent)
            emit updateProgress(int(done * 100.0 / sizeb), 0, 100);
        else
            emit updateProgress(int(done), 0, int(sizeb));
        const uint32_t chunk = std::min(sizeb - done, SamChunk);
        if (!step(done, chunk))
            return false;
        done += chunk;
        inBlock += chunk;
        if (inBlock == SamBlock && done < sizeb) {
            if (!write)
                qDebug() << "Ho letto un blocco intero di 128 KB, se ho ancora dati da leggere, mando FB";
            if (!command(ComSamContinue, {}, AckTimeoutMs, "ACKNOLEDGE error!"))
                return false;
            inBlock = 0;
        }
    }
    emit updateProgress(int(done), 0, int(sizeb));
    if (percent)
        qDebug() << "Ho finito la scrittura, mando FE";
    return command(ComSamStop, {}, stopTimeout, "ACKNOLEDGE error!");
}

bool QMidiUtils::readFromSamFlash(uint32_t address, uint32_t sizeb, uint8_t* pData)
{
    if (!pData)
        return false;
    return samTransfer(false, address, sizeb, AckTimeoutMs, false,
                       [this, pData](uint32_t done, uint32_t chunk) { return samFlashReceiveData(chunk, pData + done); });
}

bool QMidiUtils::writeToSamFlash(uint32_t address, uint32_t sizeb, uint8_t* pData, uint32_t timeout)
{
    if (!pData && sizeb > 0)
        return false;
    return samTransfer(true, address, sizeb, timeout, false,
                       [this, pData](uint32_t done, uint32_t chunk) { return samFlashSendData(chunk, pData + done); });
}

bool QMidiUtils::writeToSamFlash(uint32_t address, uint32_t sizeb, QFile* pFile, uint32_t timeout)
{
    if (!pFile || !pFile->isReadable())
        return false;
    std::vector<uint8_t> buffer(SamChunk);
    return samTransfer(true, address, sizeb, timeout, true, [this, pFile, &buffer](uint32_t, uint32_t chunk) {
        // A file that ends early ends the transfer: the rest of the buffer
        // holds the previous chunk, which must never reach the flash.
        const qint64 got = pFile->read(reinterpret_cast<char*>(buffer.data()), chunk);
        if (got != qint64(chunk)) {
            qDebug() << "writeToSamFlash: file read" << got << "bytes of" << chunk;
            return false;
        }
        return samFlashSendData(chunk, buffer.data());
    });
}

bool QMidiUtils::readSoundbankDir()
{
    qDebug() << "Read Soundbank Directory";
    TSoundBankDirEntry dir[SoundBankDirEntries];
    std::memset(dir, 0, sizeof(dir));
    if (!readFromSamFlash(SoundBankDirAddress, sizeof(dir), reinterpret_cast<uint8_t*>(dir)))
        return false;
    std::memcpy(soundBankDir, dir, sizeof(dir));
    return true;
}

QStringList QMidiUtils::getUsbFileList(QString const& filter, int* error)
{
    sendCommand(ComGetUsbFileList);
    if (!waitForReply(UsbListTimeoutMs)) {
        qDebug() << "getUsbFileList Reply error!";
        return {};
    }
    if (error)
        *error = replyCom;
    if (replyCom != ReplyAck)
        return {};
    const QStringList names =
        QString::fromUtf8(reinterpret_cast<const char*>(replyData), replySize).split('\n', Qt::KeepEmptyParts);
    if (filter.isEmpty())
        return names;
    QStringList matching;
    for (const QString& name : names) {
        if (name.endsWith(filter, Qt::CaseInsensitive))
            matching << name;
    }
    return matching;
}
