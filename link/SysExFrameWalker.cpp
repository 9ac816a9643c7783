#include "SysExFrameWalker.h"

#include <QDebug>

namespace {
constexpr std::size_t MaxBodyLength = sysExBodyLength(MaxFrameData);
// Until the header is in, any length up to it is fine.
constexpr std::size_t HeaderPending = MaxBodyLength;
}

SysExFrameWalker::SysExFrameWalker()
    : body(MaxBodyLength), data(MaxFrameData)
{
}

void SysExFrameWalker::walk(const unsigned char* bytes, std::size_t count, const FrameHandler& onFrame)
{
    bool inFrame = false;
    for (std::size_t i = 0; i < count; ++i) {
        const unsigned char b = bytes[i];
        if (b == SysExStart) {
            if (inFrame)
                drop("cut short by a new F0");
            inFrame = true;
            bodyLength = 0;
            expectedLength = HeaderPending;
            continue;
        }
        if (b == SysExEnd) {
            if (inFrame)
                finishFrame(onFrame);
            inFrame = false;
            continue;
        }
        if (!inFrame)
            continue;
        if (bodyLength == expectedLength) {
            drop("longer than its size field");
            inFrame = false;
            continue;
        }
        body[bodyLength++] = b;
        if (bodyLength == FrameHeaderBytes) {
            unsigned char h[6];
            for (int k = 0; k < 6; ++k)
                h[k] = body[k];
            resto8bit(h, 6, body[6]);
            header.size = static_cast<unsigned short>(h[0] | h[1] << 8);
            header.com = h[2];
            header.comInv = h[3];
            header.checksum = static_cast<unsigned short>(h[4] | h[5] << 8);
            if ((header.com ^ header.comInv) != 0xFF || header.size > MaxFrameData) {
                // Not one of ours: skip to the next F0 without a word.
                inFrame = false;
                continue;
            }
            expectedLength = sysExBodyLength(header.size);
        }
    }
    if (inFrame)
        drop("without F7");
}

void SysExFrameWalker::finishFrame(const FrameHandler& onFrame)
{
    if (bodyLength < FrameHeaderBytes || bodyLength != expectedLength) {
        drop("shorter than its size field");
        return;
    }
    const unsigned char* r = body.data() + FrameHeaderBytes;
    unsigned char* w = data.data();
    std::size_t left = header.size;
    while (left > 0) {
        const std::size_t k = left < 7 ? left : 7;
        const unsigned char msb = r[k];
        for (std::size_t i = 0; i < k; ++i)
            w[i] = static_cast<unsigned char>(r[i] | (((msb >> (6 - i)) & 1) << 7));
        r += k + 1;
        w += k;
        left -= k;
    }
    SysExFrame frame = header;
    frame.data = data.data();
    onFrame(frame);
}

void SysExFrameWalker::drop(const char* why)
{
    qDebug() << "SysEx frame" << why << "- dropped";
}
