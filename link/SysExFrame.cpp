#include "SysExFrame.h"

unsigned char resto8bit(unsigned char* p, unsigned char n)
{
    unsigned char msb = 0;
    for (unsigned char i = 0; i < n; ++i) {
        if (p[i] & 0x80) {
            p[i] &= 0x7F;
            if (i < 7)
                msb |= static_cast<unsigned char>(1u << (6 - i));
        }
    }
    return msb;
}

void resto8bit(unsigned char* p, unsigned char n, unsigned char m)
{
    for (unsigned char i = 0; i < n && i < 7; ++i) {
        if (m & (1u << (6 - i)))
            p[i] |= 0x80;
    }
}

unsigned short sysExChecksum(unsigned char com, const unsigned char* data, std::size_t size)
{
    unsigned int sum = (size & 0xFF) + ((size >> 8) & 0xFF) + com + static_cast<unsigned char>(~com);
    if (data) {
        for (std::size_t i = 0; i < size; ++i)
            sum += data[i];
    }
    return static_cast<unsigned short>(sum);
}

void buildSysExFrame(unsigned char com, const unsigned char* data, std::size_t size, std::vector<unsigned char>& out)
{
    if (!data)
        size = 0;
    const unsigned short checksum = sysExChecksum(com, data, size);

    const std::size_t start = out.size();
    out.resize(start + sysExFrameLength(size));
    unsigned char* w = out.data() + start;

    *w++ = SysExStart;
    unsigned char* header = w;
    *w++ = static_cast<unsigned char>(size);
    *w++ = static_cast<unsigned char>(size >> 8);
    *w++ = com;
    *w++ = static_cast<unsigned char>(~com);
    *w++ = static_cast<unsigned char>(checksum);
    *w++ = static_cast<unsigned char>(checksum >> 8);
    *w++ = resto8bit(header, 6);

    std::size_t done = 0;
    while (done < size) {
        const unsigned char n = static_cast<unsigned char>(size - done < 7 ? size - done : 7);
        unsigned char msb = 0;
        for (unsigned char i = 0; i < n; ++i) {
            const unsigned char b = data[done + i];
            w[i] = b & 0x7F;
            msb |= static_cast<unsigned char>((b >> 7) << (6 - i));
        }
        w[n] = msb;
        w += n + 1;
        done += n;
    }
    *w = SysExEnd;
}

bool isReplyCode(unsigned char com)
{
    switch (com) {
    case 0x20: case 0x21: case 0x22: case 0x23: case 0x24: case 0x25:
    case 0x33: case 0x34:
    case ReplyNack:
    case ReplyAck:
        return true;
    default:
        return false;
    }
}
