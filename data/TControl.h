#pragma once

// The record that binds one editing widget to one module parameter: which
// layer it edits, which command carries the edit, the parameter number and
// how the widget's value becomes the 7-bit value on the wire.

#include <QtGlobal>

// The part of a record, and the voice byte of an edit, that addresses the
// whole program rather than one of its layers.
constexpr quint8 WholeProgram = 0xFF;

struct TControl
{
    quint8 part = WholeProgram;  // layer 0..2 or the whole program; drawbar 0..8
    quint8 command = 0xFF;       // 0x21, 0x29, 0x2E; 0xFF: recognised by identity
    quint8 param = 0xFF;         // parameter number sent with the command
    quint8 index = 0xFF;         // EQ band, setup item, bit mask or high-end param
    quint8 offset = 0xFF;        // added to a dial's value
    quint8 scale = 1;            // multiplies a dial's value; 0xFF acts as -1

    // (offset + scale x value) AND 0x7F in unsigned 32-bit arithmetic, so
    // scale 0xFF inverts modulo 128.
    quint8 encode(int value) const { return quint8((quint32(offset) + quint32(scale) * quint32(value)) & 0x7F); }
};

static_assert(sizeof(TControl) == 6);
