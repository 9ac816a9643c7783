#include "SoundbankFiles.h"

#include <QRandomGenerator>
#include <QtEndian>

namespace lyrtest {

QByteArray makeSoundbank(const QByteArray& name, int soundBytes, int voices, quint32 seed, int descriptorBytes)
{
    QByteArray sound(soundBytes, '\0');
    QRandomGenerator rng(seed);
    for (char& b : sound)
        b = char(rng.bounded(256));
    const quint32 header[] = { qToLittleEndian(quint32(soundBytes / 4096 + 1)),
                               qToLittleEndian(quint32(soundBytes / 2)), 0 };
    sound.replace(0, 4, "Bank").replace(4, 12, reinterpret_cast<const char*>(header), 12);
    sound.replace(444, 16, name.left(16).leftJustified(16, '\0'));

    QByteArray text = "# Voices of " + name + "\n";
    for (int i = 0; i < voices; ++i) {
        const QByteArray voice = name.left(9).trimmed() + ' ' + QByteArray::number(i + 1);
        const QByteArray pch = QByteArray::number(i % 128), family = QByteArray::number((i * 7 + seed) % 12);
        if (i % 5 == 4)
            text += "!," + QByteArray::number(i) + ',' + pch + ",300,0,\t" + voice + "\n";
        else
            text += "$," + QByteArray::number(64 + seed % 60) + ',' + pch + ',' + family
                + ",50,127,0,127,40,0,127,20,0,127,0,0,0,0,0,128,128,\t" + voice + "\n";
    }
    while (text.size() < descriptorBytes)
        text += "#" + QByteArray(qMin(60, descriptorBytes - int(text.size()) - 2), '-') + "\n";
    return sound + (descriptorBytes > 0 ? text.left(descriptorBytes) : text);
}

} // namespace lyrtest
