#pragma once

// The simulated module's own view of the command frame: it packs what it
// sends and unpacks what it receives without any of the editor's code, so
// an editor-side framing fault shows up as a rejected or wrong command here.

#include <QByteArray>
#include <QList>
#include <QString>

namespace lyrsim {

// One frame found in an incoming message, good or not.
struct SimDecoded
{
    enum Status { Ok, BadComplement, TooLarge, WrongLength, Unterminated };

    Status status = Ok;
    quint8 com = 0;
    quint8 comInv = 0;
    quint16 size = 0;        // the size field
    quint16 checksum = 0;    // the checksum field
    bool checksumOk = false; // the field agrees with what arrived
    QByteArray data;         // unpacked data (Ok only)

    static QString statusName(Status s);
};

class SimCodec
{
public:
    // Largest data block the module accepts or sends in one frame.
    static constexpr int MaxData = 32768;

    // A complete frame, F0 to F7, with the right checksum.
    static QByteArray encode(quint8 com, const QByteArray& data);
    // The same with the complement byte replaced (for the bad-complement fault).
    static QByteArray encodeWithComplement(quint8 com, quint8 comInv, const QByteArray& data);

    // Every frame of one MIDI message, in order.
    static QList<SimDecoded> decode(const QByteArray& message);
};

} // namespace lyrsim
