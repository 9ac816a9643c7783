#pragma once

// Small helpers for the wavetable tests: building tables voice by voice and
// silencing the parser's per-line debug output where a test parses a lot.

#include "TGmWavetable.h"

#include <QByteArray>
#include <QLoggingCategory>
#include <QStringDecoder>
#include <cstring>

namespace wttest {

// Appends a voice to family f of table the way the editor writes one.
inline void put(TGmWavetable& table, int f, const QByteArray& name, quint8 bank, quint8 pch, quint8 sbk = 0)
{
    TGmFamily& family = table.family[f];
    TGmVoice& v = family.voice[family.count];
    setVoiceName(&v, name);
    v.family = quint8(f);
    v.num = quint8(family.count);
    v.bank = bank;
    v.pch = pch;
    v.sbk = sbk;
    ++family.count;
}

inline void clear(TGmWavetable& table)
{
    std::memset(&table, 0, sizeof(table));
}

// The name field of a slot as raw bytes, up to its first NUL.
inline QByteArray nameBytes(const TGmVoice& v)
{
    return QByteArray(v.name, qsizetype(strnlen(v.name, sizeof(v.name))));
}

inline bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString ignored = decoder(bytes);
    Q_UNUSED(ignored);
    return !decoder.hasError();
}

// Keeps qDebug quiet for its lifetime.
class QuietDebug
{
public:
    QuietDebug() { QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, false); }
    ~QuietDebug() { QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, true); }
};

} // namespace wttest
