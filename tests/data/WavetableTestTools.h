#pragma once

// Helpers for the wavetable tests: building a table voice by voice and reading
// a name field back as bytes.

#include "TGmWavetable.h"

#include <QByteArray>
#include <cstring>

namespace wttest {

// Appends a voice to family f of table the way the editor writes one.
inline void put(TGmWavetable& table, int f, const QByteArray& name, quint8 bank, quint8 pch, quint8 sbk = 0)
{
    TGmFamily& family = table.family[f];
    setVoiceName(&family.voice[family.count], name);
    const quint8 fields[] = { quint8(f), quint8(family.count), bank, pch, sbk }; // family, num, bank, pch, sbk
    std::memcpy(&family.voice[family.count++].family, fields, sizeof(fields));
}

// The name field of a slot as raw bytes, up to its first NUL.
inline QByteArray nameBytes(const TGmVoice& v)
{
    return QByteArray(v.name, qsizetype(strnlen(v.name, sizeof(v.name))));
}

} // namespace wttest
