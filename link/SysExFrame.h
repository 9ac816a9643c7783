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
