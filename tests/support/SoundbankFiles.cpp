#include "SoundbankFiles.h"

#include <QFile>
#include <QRandomGenerator>

namespace lyrtest {

namespace {

constexpr int NameAt = 444;
constexpr int NameSize = 16;
constexpr int PositionAt = 8;

void putLe32(QByteArray& bytes, int at, quint32 value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char(value >> (8 * i));
}

QByteArray descriptor(const SoundbankSpec& spec, QList<SoundbankVoice>* voices)
{
    QByteArray text = "# Voices of " + spec.name + "\n"
                      "# banco,pch,famiglia,imageidx,...,Nome Strumento\n"
                      "#!,idx,pch,imageidx,RR,Nome Drum Set\n";
    const int bank = 64 + int(spec.seed % 60);
    for (int i = 0; i < spec.voices; ++i) {
        SoundbankVoice v;
        v.name = spec.name.left(9).trimmed() + ' ' + QByteArray::number(i + 1);
        v.pch = i % 128;
        if (i % 5 == 4) {
            v.family = 12;
            text += "!," + QByteArray::number(i) + ',' + QByteArray::number(v.pch) + ",300,0,\t" + v.name + "\n";
        } else {
            v.family = (i * 7 + int(spec.seed)) % 12;
            v.bank = bank;
            text += "$," + QByteArray::number(v.bank) + ',' + QByteArray::number(v.pch) + ','
                + QByteArray::number(v.family) + ",50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,\t" + v.name
                + "\n";
        }
        *voices << v;
    }
    while (text.size() < spec.descriptorBytes)
        text += "#" + QByteArray(qMin(60, spec.descriptorBytes - int(text.size()) - 2), '-') + "\n";
    if (spec.descriptorBytes > 0)
        text.truncate(spec.descriptorBytes);
    return text;
}

} // namespace

Soundbank makeSoundbank(const SoundbankSpec& spec)
{
    Soundbank bank;
    bank.soundBytes = spec.soundBytes;
    QByteArray sound(spec.soundBytes, '\0');
    QRandomGenerator rng(spec.seed);
    for (char& b : sound)
        b = char(rng.bounded(256));
    sound.replace(0, 4, "Bank");
    putLe32(sound, 4, quint32(spec.soundBytes / 4096 + 1));
    putLe32(sound, PositionAt, quint32(spec.soundBytes / 2));
    putLe32(sound, 12, 0);
    QByteArray name = spec.name.left(NameSize);
    name.append(QByteArray(NameSize - name.size(), '\0'));
    sound.replace(NameAt, NameSize, name);
    bank.bytes = sound + descriptor(spec, &bank.voices);
    return bank;
}

QByteArray breakSoundbank(const QByteArray& good, SoundbankFault fault)
{
    QByteArray bytes = good;
    quint32 words = 0;
    for (int i = 0; i < 4; ++i)
        words |= quint32(quint8(bytes[PositionAt + i])) << (8 * i);
    switch (fault) {
    case SoundbankFault::ShortHeader:
        bytes.truncate(10);
        break;
    case SoundbankFault::BadMagic:
        bytes.replace(0, 4, "Bonk");
        break;
    case SoundbankFault::CutInSound:
        bytes.truncate(int(2 * words) - 100);
        break;
    case SoundbankFault::PositionPastEnd:
        putLe32(bytes, PositionAt, quint32(bytes.size()) / 2 + 64);
        break;
    case SoundbankFault::SoundTooShort:
        putLe32(bytes, PositionAt, 128);
        break;
    }
    return bytes;
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

} // namespace lyrtest
