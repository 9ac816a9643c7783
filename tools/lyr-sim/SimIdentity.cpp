#include "SimIdentity.h"

namespace lyrsim {

namespace {

struct Field
{
    const char* name;
    int offset;
    int width;
    quint32 initial;
};

//  name                 offset  width  initial
const Field Fields[] = {
    { "Id",                 0,    2,    0x4C59 },
    { "PacketSize",         2,    2,    1024 },
    { "LoaderSectorIni",    4,    2,    0 },
    { "LoaderSectorNum",    6,    2,    2 },
    { "LoaderAddr",         8,    4,    0x08000000 },
    { "LoaderSize",        12,    4,    0x8000 },
    { "SamSectorIni",      16,    2,    2 },
    { "SamSectorNum",      18,    2,    2 },
    { "SamAddr",           20,    4,    0x08008000 },
    { "SamSize",           24,    4,    0x8000 },
    { "AppSectorIni",      28,    2,    5 },
    { "AppSectorNum",      30,    2,    5 },
    { "AppAddr",           32,    4,    0x08020000 },
    { "AppSize",           36,    4,    0xA0000 },
    { "ProgramSectorIni",  40,    2,    11 },
    { "ProgramSectorNum",  42,    2,    1 },
    { "ProgramAddr",       44,    4,    0x080E0000 },
    { "ProgramSize",       48,    4,    0x20000 },
    { "LoaderVersion",     52,    2,    0x0102 },
    { "AppVersion",        54,    2,    0x0203 },
    { "SamVersion",        56,    2,    0x0105 },
    { "ProgramVersion",    58,    2,    0x0100 },
};

const Field* find(const QString& name)
{
    for (const Field& f : Fields) {
        if (name.compare(QLatin1String(f.name), Qt::CaseInsensitive) == 0)
            return &f;
    }
    return nullptr;
}

} // namespace

SimIdentity::SimIdentity()
{
    for (const Field& f : Fields)
        values.insert(QLatin1String(f.name), f.initial);
}

QStringList SimIdentity::fieldNames()
{
    QStringList names;
    for (const Field& f : Fields)
        names << QLatin1String(f.name);
    return names;
}

bool SimIdentity::set(const QString& field, quint32 value)
{
    const Field* f = find(field);
    if (!f || (f->width == 2 && value > 0xFFFF))
        return false;
    values.insert(QLatin1String(f->name), value);
    return true;
}

bool SimIdentity::set(const QString& assignment)
{
    const int eq = assignment.indexOf('=');
    if (eq <= 0)
        return false;
    bool ok = false;
    const quint32 v = assignment.mid(eq + 1).trimmed().toUInt(&ok, 0);
    return ok && set(assignment.left(eq).trimmed(), v);
}

quint32 SimIdentity::value(const QString& field) const
{
    const Field* f = find(field);
    return f ? values.value(QLatin1String(f->name)) : 0;
}

QByteArray SimIdentity::record() const
{
    QByteArray bytes(RecordSize, 0);
    for (const Field& f : Fields) {
        const quint32 v = values.value(QLatin1String(f.name));
        for (int i = 0; i < f.width; ++i)
            bytes[f.offset + i] = char(v >> (8 * i));
    }
    return bytes;
}

} // namespace lyrsim
