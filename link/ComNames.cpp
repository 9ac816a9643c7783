#include "ComNames.h"

#include <QHash>

namespace {

struct CodeName
{
    unsigned char code;
    const char* name;
};

// Editor to module.
const CodeName CommandNames[] = {
    { 0x00, "ComTest" },
    { 0x01, "ComReset" },
    { 0x02, "ComIdentify" },
    { 0x03, "ComCpData" },
    { 0x04, "ComStmFlashProtection" },
    { 0x05, "ComStmFlashErase" },
    { 0x06, "ComStmFlashWrite" },
    { 0x07, "ComSamReset" },
    { 0x08, "ComSamErase" },
    { 0x09, "ComSamFlashWrite" },
    { 0x0A, "ComSamSendDma" },
    { 0x0B, "ComSamStop" },
    { 0x0C, "ComSamContinue" },
    { 0x0D, "ComSamCompareDma" },
    { 0x0E, "ComSamFlashRead" },
    { 0x0F, "ComSamCksum" },
    { 0x10, "ComSamAutoProg" },
    { 0x11, "ComPcmVerifyUsb" },
    { 0x12, "ComParVerifyUsb" },
    { 0x13, "ComGetUsbFileList" },
    { 0x14, "ComUsbMidi" },
    { 0x15, "ComPcmUpdateUsb" },
    { 0x16, "ComParUpdateUsb" },
    { 0x17, "ComLoaderUpdateUsb" },
    { 0x18, "ComSamFirUpdateUsb" },
    { 0x19, "ComAppUpdateResult" },
    { 0x1A, "ComNotUsed2" },
    { 0x1B, "ComNotUsed3" },
    { 0x1C, "ComNotUsed4" },
    { 0x1D, "ComNotUsed5" },
    { 0x1E, "ComFlashRead" },
    { 0x1F, "ComNotUsed1" },
    { 0x20, "ComVoiceChange" },
    { 0x21, "ComVoiceVariation" },
    { 0x22, "ComDisableIrq" },
    { 0x23, "ComEnableIrq" },
    { 0x24, "ComMidiTest" },
    { 0x25, "ComcopyProgramsFromFlashToRam" },
    { 0x26, "ComRamReadPrograms" },
    { 0x27, "ComGetCurrentProgram" },
    { 0x28, "ComSamReceiveDma" },
    { 0x29, "ComOrganVariation" },
    { 0x2C, "ComPanic" },
    { 0x2D, "ComGmVoiceChange" },
    { 0x2E, "ComGmVoiceVariation" },
    { 0x2F, "ComSamSendData" },
    { 0x30, "ComGetGmData" },
};

// Module to editor.
const CodeName ReplyNames[] = {
    { 0xAC, "ACK" },
    { 0x53, "NACK" },
    { 0x00, "BM_MANAGER_NO_ERROR" },
    { 0x20, "BM_FILE_PCM_OK" },
    { 0x21, "BM_FILE_PAR_OK" },
    { 0x22, "BM_FILE_PCM_ERR" },
    { 0x23, "BM_FILE_PAR_ERR" },
    { 0x24, "BM_FILE_NOT_FOUND" },
    { 0x25, "BM_USB_PEN_NOT_FOUND" },
    { 0x26, "BM_PARAMETER_ERR" },
    { 0x27, "BM_FILE_LOAD_ERR" },
    { 0x30, "BM_INFO" },
    { 0x31, "BM_END" },
    { 0x32, "BM_PERC" },
    { 0x33, "BM_FILE_FIR_OK" },
    { 0x34, "BM_FILE_FIR_ERR" },
    { 0x35, "BM_SAM_ERROR" },
    { 0x36, "BM_FILE_LDR_ERR" },
    { 0x38, "BM_FILE_APP_ERR" },
    { 0x3A, "BM_FILE_PRE_ERR" },
    { 0x3B, "BM_FILE_CANCEL" },
    { 0x40, "BM_FILE_LDR_OK" },
    { 0x41, "BM_INFO_PROGRAM_CHANGE" },
    { 0x42, "BM_INFO_CONTROL_CHANGE" },
};

template <std::size_t N>
QHash<unsigned char, QString> buildMap(const CodeName (&table)[N])
{
    QHash<unsigned char, QString> map;
    for (const CodeName& row : table)
        map.insert(row.code, QString::fromLatin1(row.name));
    return map;
}

} // namespace

QString comOutToString(unsigned char com)
{
    static const QHash<unsigned char, QString> names = buildMap(CommandNames);
    return names.value(com, QStringLiteral("ComUnknown"));
}

QString comInToString(unsigned char com)
{
    static const QHash<unsigned char, QString> names = buildMap(ReplyNames);
    return names.value(com, QStringLiteral("Unknown"));
}
