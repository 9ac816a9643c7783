#include "TSoundBankDirEntry.h"

#include <cstring>

TSoundBankDirEntry soundBankDir[SoundBankDirEntries];

quint8 getSoundbanksCount()
{
    quint8 count = 0;
    for (const TSoundBankDirEntry& e : soundBankDir)
        if (e.id[0] != 0 && e.id[1] != 0)
            ++count;
    return count;
}

QString getSoundbankName(unsigned char index)
{
    if (index >= SoundBankDirEntries)
        return QString();
    const char* name = soundBankDir[index].name;
    return QString::fromLatin1(name, qsizetype(strnlen(name, sizeof(soundBankDir[index].name))));
}
