#pragma once

// What the simulated module says about itself when asked to identify: the
// 60-byte identity record, built from named fields that tests and the
// command line can change. The layout is the module's, kept here on its own.

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

namespace lyrsim {

class SimIdentity
{
public:
    static constexpr int RecordSize = 60;

    // A module with a 1 MB controller flash: loader, DSP firmware,
    // application and the 128 KB programs area in their sectors.
    SimIdentity();

    // Field names in record order.
    static QStringList fieldNames();

    // False for an unknown name or a value that does not fit the field.
    bool set(const QString& field, quint32 value);
    // "Field=value", value decimal or 0x hex.
    bool set(const QString& assignment);
    quint32 value(const QString& field) const;

    // The record as the module sends it, little-endian.
    QByteArray record() const;

private:
    QMap<QString, quint32> values;
};

} // namespace lyrsim
