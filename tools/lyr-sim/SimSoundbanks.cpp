// The simulated module's soundbank store: the directory at 0x40000 and the
// sample data of each soundbank in the DSP flash above 0x80000, kept packed
// in directory order so the free room is always one piece at the top.

#include "SimMemory.h"

namespace lyrsim {

namespace {

// Field offsets of a directory entry.
constexpr int IdAt = 0, SizeAt = 2, RamPageAt = 4, FlashPageAt = 6, PcmInAt = 8, PcmOutAt = 10, NameAt = 12;
constexpr int NameSize = 16;

void putLe(QByteArray& d, int at, quint32 value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        d[at + i] = char(value >> (8 * i));
}

int alignUp(qint64 at)
{
    return int((at + SimMemory::SoundBankAlign - 1) / SimMemory::SoundBankAlign * SimMemory::SoundBankAlign);
}

// One directory entry, read from and written back to the DSP flash.
class Entry
{
public:
    Entry(QByteArray& flash, int index)
        : flash(flash), at(int(SimMemory::SoundBankDir) + index * SimMemory::SoundBankEntrySize)
    {
    }
    bool used() const { return flash[at + IdAt] != 0 && flash[at + IdAt + 1] != 0; }
    quint32 field(int offset) const { return le(flash, at + offset, 2); }
    void set(int offset, quint32 value) { putLe(flash, at + offset, value, 2); }
    void put(int offset, const QByteArray& bytes) { flash.replace(at + offset, int(bytes.size()), bytes); }
    int start() const { return int(field(FlashPageAt)) * SimMemory::SoundBankAlign; }
    int bytes() const { return int(field(SizeAt)) * SimMemory::SoundBankSizeUnit; }
    int end() const { return start() + bytes(); }
    // The data now lies at start; the pages follow it.
    void moveTo(int start)
    {
        set(FlashPageAt, quint32(start / SimMemory::SoundBankAlign));
        set(RamPageAt, quint32((start - int(SimMemory::SampleArea)) / SimMemory::SoundBankAlign));
    }
    QByteArray raw() const { return flash.mid(at, SimMemory::SoundBankEntrySize); }
    void setRaw(const QByteArray& bytes) { flash.replace(at, SimMemory::SoundBankEntrySize, bytes); }

private:
    QByteArray& flash;
    int at;
};

// The first byte above every soundbank's data, block-aligned.
int freeStart(QByteArray& flash)
{
    int top = int(SimMemory::SampleArea);
    for (int i = 0; i < SimMemory::SoundBankEntries; ++i) {
        const Entry e(flash, i);
        if (e.used())
            top = qMax(top, alignUp(e.end()));
    }
    return top;
}

void eraseFrom(QByteArray& flash, int from)
{
    if (from < SimMemory::DspFlashSize)
        flash.replace(from, SimMemory::DspFlashSize - from, QByteArray(SimMemory::DspFlashSize - from, char(0xFF)));
}

} // namespace

bool SimMemory::installSoundBank(const QByteArray& image)
{
    if (image.size() < SoundBankNameAt + NameSize || !image.startsWith("Bank"))
        return false;
    int index = -1;
    quint32 pcm = 0;
    for (int i = SoundBankEntries - 1; i >= 0; --i) {
        const Entry e(dspFlash, i);
        if (!e.used())
            index = i;
        else
            pcm = qMax(pcm, e.field(PcmOutAt));
    }
    const int start = freeStart(dspFlash);
    const qint64 pages = (qint64(image.size()) + SoundBankSizeUnit - 1) / SoundBankSizeUnit;
    if (index < 0 || qint64(start) + image.size() > DspFlashSize || pages > 0xFFFF)
        return false;

    dspFlash.replace(start, int(image.size()), image);
    Entry e(dspFlash, index);
    e.setRaw(QByteArray(SoundBankEntrySize, '\0'));
    e.put(IdAt, QStringLiteral("U%1").arg(index, 1, 16).toUpper().toLatin1());
    e.set(SizeAt, quint32(pages));
    e.moveTo(start);
    e.set(PcmInAt, pcm);
    e.set(PcmOutAt, qMin<quint32>(0xFFFF, pcm + le(image, 4, 4)));
    e.put(NameAt, image.mid(SoundBankNameAt, NameSize));
    return true;
}

bool SimMemory::removeSoundBank(int index)
{
    if (index < 1 || index >= SoundBankEntries || !Entry(dspFlash, index).used())
        return false;
    const Entry gone(dspFlash, index);
    const quint32 pcmGone = gone.field(PcmOutAt) - gone.field(PcmInAt);
    int cursor = gone.start();
    for (int i = index + 1; i < SoundBankEntries; ++i) {
        Entry e(dspFlash, i);
        if (e.used()) {
            const QByteArray data = dspFlash.mid(e.start(), e.bytes());
            dspFlash.replace(cursor, int(data.size()), data);
            e.moveTo(cursor);
            e.set(PcmInAt, e.field(PcmInAt) - pcmGone);
            e.set(PcmOutAt, e.field(PcmOutAt) - pcmGone);
            cursor = alignUp(cursor + data.size());
        }
        Entry(dspFlash, i - 1).setRaw(e.raw());
    }
    Entry(dspFlash, SoundBankEntries - 1).setRaw(QByteArray(SoundBankEntrySize, '\0'));
    eraseFrom(dspFlash, freeStart(dspFlash));
    return true;
}

void SimMemory::removeAllSoundBanks()
{
    for (int i = 1; i < SoundBankEntries; ++i)
        Entry(dspFlash, i).setRaw(QByteArray(SoundBankEntrySize, '\0'));
    eraseFrom(dspFlash, freeStart(dspFlash));
}

} // namespace lyrsim
