#pragma once

// Finds the command frames in one incoming MIDI message. Bytes from the
// module are untrusted: every frame is assembled in the walker's own buffers
// and handed on only when its header is valid and exactly the number of
// bytes its size field announces came before F7. Anything else is dropped
// whole, so a broken frame never reaches the caller half-written.

#include "SysExFrame.h"

#include <functional>
#include <vector>

// One accepted frame. data points into the walker and holds size bytes; it
// stays valid until the walker walks again.
struct SysExFrame
{
    unsigned char com = 0;
    unsigned char comInv = 0;
    unsigned short size = 0;
    unsigned short checksum = 0;   // as received; never verified
    const unsigned char* data = nullptr;
};

class SysExFrameWalker
{
public:
    using FrameHandler = std::function<void(const SysExFrame&)>;

    SysExFrameWalker();

    // Calls onFrame for every well-formed frame of the message, in order.
    // A frame never continues from one message into the next.
    void walk(const unsigned char* bytes, std::size_t count, const FrameHandler& onFrame);

private:
    // Checks the length and unpacks the data groups of the frame in body.
    void finishFrame(const FrameHandler& onFrame);
    void drop(const char* why);

    // The packed bytes between F0 and F7, then the unpacked data.
    std::vector<unsigned char> body;
    std::vector<unsigned char> data;
    std::size_t bodyLength = 0;
    std::size_t expectedLength = 0;
    SysExFrame header;
};
