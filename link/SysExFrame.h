#pragma once

// The command frame every message to and from the module travels in:
//   F0, size lo, size hi, com, ~com, checksum lo, checksum hi, MSB byte,
//   data in groups of up to 7 bytes each followed by its MSB byte, F7.
// MIDI data bytes carry 7 bits, so bit 7 of every body byte is moved into
// the MSB byte of its group (bit 6 - i for byte i of the group).

#include <cstddef>
#include <vector>

constexpr unsigned char SysExStart = 0xF0;
constexpr unsigned char SysExEnd = 0xF7;

// Largest data block one frame may carry; bigger size fields are refused.
constexpr std::size_t MaxFrameData = 32768;
// F0, the six header bytes and their MSB byte.
constexpr std::size_t FrameHeaderBytes = 7;

// Reply codes the link core treats as the answer to a command.
constexpr unsigned char ReplyAck = 0xAC;
constexpr unsigned char ReplyNack = 0x53;
constexpr unsigned char ReplyEnd = 0x31;
constexpr unsigned char ReplyPercent = 0x32;
// Listing the USB stick without a stick in it.
constexpr unsigned char ReplyUsbPenNotFound = 0x25;
// The module's player reports, raw MIDI in the data.
constexpr unsigned char ReportProgramChange = 0x41;
constexpr unsigned char ReportControlChange = 0x42;

// Command codes the editor sends.
constexpr unsigned char ComTest = 0x00;
constexpr unsigned char ComReset = 0x01;
constexpr unsigned char ComIdentify = 0x02;
constexpr unsigned char ComCpData = 0x03;
constexpr unsigned char ComStmFlashErase = 0x05;
constexpr unsigned char ComStmFlashWrite = 0x06;
constexpr unsigned char ComSamReset = 0x07;
constexpr unsigned char ComSamErase = 0x08;
constexpr unsigned char ComSamFlashWrite = 0x09;
constexpr unsigned char ComSamSendDma = 0x0A;
constexpr unsigned char ComSamStop = 0x0B;
constexpr unsigned char ComSamContinue = 0x0C;
constexpr unsigned char ComSamFlashRead = 0x0E;
constexpr unsigned char ComSamCksum = 0x0F;
constexpr unsigned char ComPcmVerifyUsb = 0x11;
constexpr unsigned char ComParVerifyUsb = 0x12;
constexpr unsigned char ComGetUsbFileList = 0x13;
constexpr unsigned char ComPcmUpdateUsb = 0x15;
constexpr unsigned char ComParUpdateUsb = 0x16;
constexpr unsigned char ComFlashRead = 0x1E;
constexpr unsigned char ComVoiceChange = 0x20;
constexpr unsigned char ComVoiceVariation = 0x21;
constexpr unsigned char ComMidiTest = 0x24;
constexpr unsigned char ComCopyProgramsFromFlashToRam = 0x25;
constexpr unsigned char ComRamReadPrograms = 0x26;
constexpr unsigned char ComGetCurrentProgram = 0x27;
constexpr unsigned char ComSamReceiveDma = 0x28;
constexpr unsigned char ComOrganVariation = 0x29;
constexpr unsigned char ComPanic = 0x2C;
constexpr unsigned char ComGmVoiceChange = 0x2D;
constexpr unsigned char ComGmVoiceVariation = 0x2E;
constexpr unsigned char ComSamSendData = 0x2F;
constexpr unsigned char ComGetGmData = 0x30;

// Moves bit 7 of p[0..n-1] into the returned MSB byte and clears it in place.
// Only the first 7 bytes fit into an MSB byte; later ones contribute nothing.
unsigned char resto8bit(unsigned char* p, unsigned char n);
// The inverse: sets bit 7 of p[i] where bit (6 - i) of m is set.
void resto8bit(unsigned char* p, unsigned char n, unsigned char m);

// Length of the MIDI message that carries size data bytes: 9 + size + ceil(size / 7).
constexpr std::size_t sysExFrameLength(std::size_t size)
{
    return 9 + size + (size + 6) / 7;
}

// Bytes between F0 and F7 of a well-formed frame with size data bytes.
constexpr std::size_t sysExBodyLength(std::size_t size)
{
    return sysExFrameLength(size) - 2;
}

// Sum the module expects: size bytes, com, ~com and every data byte, mod 65536.
unsigned short sysExChecksum(unsigned char com, const unsigned char* data, std::size_t size);

// Appends the whole frame for com and size bytes of data (none when data is
// null) to out. Callers keep size <= MaxFrameData.
void buildSysExFrame(unsigned char com, const unsigned char* data, std::size_t size, std::vector<unsigned char>& out);

// True for the codes that end a wait: ACK, NACK and the file status replies.
bool isReplyCode(unsigned char com);
