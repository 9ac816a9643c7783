#include "TGmWavetable.h"

#include <QDebug>
#include <cstring>

TGmWavetable wavetable;

// The module names its families itself; whatever a descriptor or a flash
// image says, these are the names shown.
static const char* const FamilyNames[GmFamilyCount] = {
    "Piano", "Chrom", "Organ", "Accordion", "Guitar", "String-Choir", "Brass",
    "Sax-Flute", "Pad", "Synth", "Ethnic", "Bass-FX", "Drumset",
};

static QString fieldText(const char* field, size_t width)
{
    return QString::fromUtf8(field, qsizetype(strnlen(field, width)));
}

// A count read from the module or a file may be anything; never walk past the slots.
static int usedSlots(const TGmFamily& family)
{
    return qMin(int(family.count), GmMaxVoices);
}

static const TGmVoice* slot(unsigned char family, unsigned short voice)
{
    if (family >= GmFamilyCount || voice >= GmMaxVoices)
        return nullptr;
    return &wavetable.family[family].voice[voice];
}

QString getFamilyName(unsigned char family)
{
    if (family >= GmFamilyCount)
        return QString();
    return fieldText(wavetable.family[family].name, GmFamilyNameField);
}

quint16 getVoiceCount(unsigned char family)
{
    if (family >= GmFamilyCount)
        return 0;
    return quint16(usedSlots(wavetable.family[family]));
}

QString getVoiceName(unsigned char family, unsigned short voice)
{
    const TGmVoice* v = slot(family, voice);
    return v ? fieldText(v->name, GmVoiceNameField) : QString("Unavailable");
}

quint8 getVoiceBank(unsigned char family, unsigned short voice)
{
    const TGmVoice* v = slot(family, voice);
    return v ? v->bank : 0;
}

quint8 getVoicePch(unsigned char family, unsigned short voice)
{
    const TGmVoice* v = slot(family, voice);
    return v ? v->pch : 0;
}

quint8 getVoiceNum(unsigned char family, unsigned short voice)
{
    const TGmVoice* v = slot(family, voice);
    return v ? v->num : 0;
}

quint8 getVoiceSbk(unsigned char family, unsigned short voice)
{
    const TGmVoice* v = slot(family, voice);
    return v ? v->sbk : 0;
}

quint16 getVoiceIdx(unsigned char family, unsigned char bank, unsigned short pch)
{
    if (family >= GmFamilyCount || pch > 0xFF)
        return GmMaxVoices;
    const TGmFamily& f = wavetable.family[family];
    for (int i = 0; i < GmMaxVoices; ++i)
        if (f.voice[i].bank == bank && f.voice[i].pch == pch)
            return quint16(i);
    return GmMaxVoices;
}

quint8 getVoiceFam(unsigned char bank, unsigned short pch)
{
    for (int f = 0; f < GmFamilyCount; ++f)
        if (getVoiceIdx(quint8(f), bank, pch) < GmMaxVoices)
            return quint8(f);
    return GmFamilyCount;
}

void initWavetableFamilyNames()
{
    for (int f = 0; f < GmFamilyCount; ++f) {
        char* field = wavetable.family[f].name;
        std::memset(field, 0, GmFamilyNameField);
        std::memcpy(field, FamilyNames[f], qMin(std::strlen(FamilyNames[f]), size_t(GmFamilyNameField)));
    }
}

static bool isContinuationByte(char c)
{
    return (quint8(c) & 0xC0) == 0x80;
}

void setVoiceName(TGmVoice* voice, const QByteArray& utf8Name)
{
    // A NUL ends the name, as it does when the field is read back.
    const int size = int(qstrnlen(utf8Name.constData(), uint(utf8Name.size())));
    int length = qMin(size, GmVoiceNameMax);
    if (size > GmVoiceNameMax) {
        // Cut before a character that would not fit whole: step back over
        // its continuation bytes (three at most). Text that is no UTF-8 there
        // is cut as plain bytes.
        int n = length;
        for (int back = 0; back < 3 && n > 0 && isContinuationByte(utf8Name[n]); ++back)
            --n;
        if (!isContinuationByte(utf8Name[n]))
            length = n;
    }
    std::memset(voice->name, 0, GmVoiceNameField);
    std::memcpy(voice->name, utf8Name.constData(), size_t(length));
}

void addWavetable(const TGmWavetable* source)
{
    if (!source)
        return;
    for (int f = 0; f < GmFamilyCount; ++f) {
        const TGmFamily& from = source->family[f];
        TGmFamily& to = wavetable.family[f];
        const int incoming = usedSlots(from);   // fixed first: source may be wavetable itself
        for (int i = 0; i < incoming; ++i) {
            const int c = to.count;
            if (c >= GmMaxVoices)
                break;
            const TGmVoice& v = from.voice[i];
            TGmVoice& slot = to.voice[c];
            setVoiceName(&slot, QByteArray(v.name, qsizetype(strnlen(v.name, GmVoiceNameField))));
            slot.family = v.family;
            slot.num = quint8(c);
            slot.bank = v.bank;
            slot.pch = v.pch;
            slot.sbk = v.sbk;
            to.count = quint16(c + 1);
        }
    }
}

// Removes every used slot that drop() picks, closing the gap with whole
// records (num bytes travel with them). With renumberAbove >= 0 the soundbank
// numbers above it move down by one in the slots that stay.
template<typename Drop>
static void removeVoices(Drop drop, int renumberAbove)
{
    for (TGmFamily& family : wavetable.family) {
        int count = usedSlots(family);
        bool removed = false;
        int i = 0;
        while (i < count) {
            TGmVoice& v = family.voice[i];
            if (drop(v)) {
                qDebug() << "Rimosso suono - sbk:" << v.sbk << "voice:" << i;
                std::memmove(&family.voice[i], &family.voice[i + 1], size_t(count - i - 1) * sizeof(TGmVoice));
                std::memset(&family.voice[count - 1], 0, sizeof(TGmVoice));
                --count;
                removed = true;
            } else {
                if (renumberAbove >= 0 && v.sbk > renumberAbove)
                    --v.sbk;
                ++i;
            }
        }
        if (removed)
            family.count = quint16(count);
    }
}

void removeSoundbankFromWavetable(unsigned char sbk)
{
    if (sbk >= GmSoundbankCount)
        return;
    qDebug() << "Rimuovo soundbank n:" << sbk;
    bool hasVoices = false;
    for (const TGmFamily& family : wavetable.family)
        for (int i = 0; i < usedSlots(family) && !hasVoices; ++i)
            hasVoices = family.voice[i].sbk == sbk;
    if (hasVoices)
        qDebug() << "ci sono dei suoni nel soundbank da rimuovere";
    // Renumber even when the soundbank brought no voices: the module's
    // directory closes the gap all the same.
    removeVoices([sbk](const TGmVoice& v) { return v.sbk == sbk; }, sbk);
}

void removeAllSoundbanksFromWavetable()
{
    removeVoices([](const TGmVoice& v) { return v.sbk != 0; }, -1);
}

bool validateWavetable(const TGmWavetable* table)
{
    if (!table)
        return false;
    for (const TGmFamily& family : table->family) {
        // 251 is a full family, as the parser and addWavetable leave it.
        if (family.count > GmMaxVoices)
            return false;
        for (const TGmVoice& v : family.voice)
            if (v.bank >= 128 || v.pch >= 128 || v.sbk >= GmSoundbankCount)
                return false;
    }
    return true;
}

void addFamilyNamesFromWavetable(const TGmWavetable* source)
{
    if (!source)
        return;
    for (int f = 0; f < GmFamilyCount; ++f)
        std::memcpy(wavetable.family[f].name, source->family[f].name, 11);
}
