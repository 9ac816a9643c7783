#include "SimCodec.h"

namespace lyrsim {

namespace {

// Appends bytes with bit 7 stripped, followed by the byte collecting those
// bits (first byte in bit 6, second in bit 5, ...).
void appendGroup(QByteArray& out, const quint8* bytes, int count)
{
    quint8 high = 0;
    for (int i = 0; i < count; ++i) {
        out.append(char(bytes[i] & 0x7F));
        if (bytes[i] & 0x80)
            high |= quint8(0x40 >> i);
    }
    out.append(char(high));
}

quint16 sumOf(quint16 size, quint8 com, quint8 comInv, const QByteArray& data)
{
    quint32 sum = (size & 0xFF) + (size >> 8) + com + comInv;
    for (char c : data)
        sum += quint8(c);
    return quint16(sum);
}

// Undoes appendGroup for a stride of up to 7 bytes plus its high-bit byte.
QByteArray unpackStrides(const QByteArray& packed)
{
    QByteArray out;
    for (int pos = 0; pos < packed.size(); pos += 8) {
        const QByteArray stride = packed.mid(pos, 8);
        const quint8 high = quint8(stride.back());
        for (int i = 0; i + 1 < stride.size(); ++i) {
            quint8 b = quint8(stride[i]);
            if (high & (0x40 >> i))
                b |= 0x80;
            out.append(char(b));
        }
    }
    return out;
}

SimDecoded decodeBody(const QByteArray& body)
{
    SimDecoded d;
    if (body.size() < 7) {
        d.status = SimDecoded::WrongLength;
        return d;
    }
    const QByteArray head = unpackStrides(body.left(7));
    d.size = quint16(quint8(head[0]) | quint8(head[1]) << 8);
    d.com = quint8(head[2]);
    d.comInv = quint8(head[3]);
    d.checksum = quint16(quint8(head[4]) | quint8(head[5]) << 8);
    if (quint8(d.com ^ d.comInv) != 0xFF) {
        d.status = SimDecoded::BadComplement;
        return d;
    }
    if (d.size > SimCodec::MaxData) {
        d.status = SimDecoded::TooLarge;
        return d;
    }
    const QByteArray packed = body.mid(7);
    if (packed.size() != d.size + (d.size + 6) / 7) {
        d.status = SimDecoded::WrongLength;
        return d;
    }
    d.data = unpackStrides(packed);
    d.checksumOk = sumOf(d.size, d.com, d.comInv, d.data) == d.checksum;
    return d;
}

} // namespace

QString SimDecoded::statusName(Status s)
{
    switch (s) {
    case Ok: return QStringLiteral("ok");
    case BadComplement: return QStringLiteral("bad complement");
    case TooLarge: return QStringLiteral("too large");
    case WrongLength: return QStringLiteral("wrong length");
    case Unterminated: return QStringLiteral("unterminated");
    }
    return QString();
}

QByteArray SimCodec::encode(quint8 com, const QByteArray& data)
{
    return encodeWithComplement(com, quint8(~com), data);
}

QByteArray SimCodec::encodeWithComplement(quint8 com, quint8 comInv, const QByteArray& data)
{
    const quint16 size = quint16(data.size());
    const quint16 sum = sumOf(size, com, comInv, data);
    const quint8 head[6] = { quint8(size), quint8(size >> 8), com, comInv, quint8(sum), quint8(sum >> 8) };

    QByteArray out;
    out.reserve(9 + data.size() + (data.size() + 6) / 7);
    out.append(char(0xF0));
    appendGroup(out, head, 6);
    const auto* bytes = reinterpret_cast<const quint8*>(data.constData());
    for (int pos = 0; pos < data.size(); pos += 7)
        appendGroup(out, bytes + pos, qMin(7, int(data.size()) - pos));
    out.append(char(0xF7));
    return out;
}

QList<SimDecoded> SimCodec::decode(const QByteArray& message)
{
    QList<SimDecoded> frames;
    int start = message.indexOf(char(0xF0));
    while (start >= 0) {
        int end = start + 1;
        while (end < message.size() && quint8(message[end]) != 0xF7 && quint8(message[end]) != 0xF0)
            ++end;
        if (end >= message.size() || quint8(message[end]) == 0xF0) {
            SimDecoded d;
            d.status = SimDecoded::Unterminated;
            frames << d;
        } else {
            frames << decodeBody(message.mid(start + 1, end - start - 1));
        }
        start = message.indexOf(char(0xF0), end);
    }
    return frames;
}

} // namespace lyrsim
