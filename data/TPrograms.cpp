#include "TPrograms.h"

#include <QDebug>
#include <cstring>

TPrograms programs;
TPrograms programsFlash;
TProgram program;

static const char Magic[8] = { 'B', 'M', 'O', 'D', 'U', 'L', 'E', 0 };
static const quint8 FixedBytes[4] = { 0x01, 0x01, 0x00, 0x00 };
static const quint8 SetupDefaults[SIZEOFSETUP] = {
    0x00, 0x01, 0x02, 0x01, 0x40, 0x7F, 0x00, 0x00, 0x00, 0x00, 0x10, 0x10, 0x00, 0x00, 0x00, 0x00
};

static void storeChecksum(TPrograms* block, quint32 sum)
{
    block->header.checksum[0] = quint8(sum >> 24);
    block->header.checksum[1] = quint8(sum >> 16);
    block->header.checksum[2] = quint8(sum >> 8);
    block->header.checksum[3] = quint8(sum);
}

static quint32 storedChecksum(const TPrograms* block)
{
    const quint8* c = block->header.checksum;
    return quint32(c[0]) << 24 | quint32(c[1]) << 16 | quint32(c[2]) << 8 | quint32(c[3]);
}

// Magic with its NUL, and the two reserved bytes zero; bytes 8 and 9 are not looked at.
static bool headerValid(const TPrograms* block)
{
    const THeader& h = block->header;
    return std::memcmp(h.magic, Magic, sizeof(Magic)) == 0 && h.fixed[2] == 0 && h.fixed[3] == 0;
}

void initPrograms()
{
    std::memset(&program, 0, sizeof(program));
    std::memset(&programs, 0, sizeof(programs));
    std::memset(&programsFlash, 0, sizeof(programsFlash));

    const QByteArray storedDefault = storedDefaultProgram();
    for (TProgram& p : programs.program)
        initProgram(&p, storedDefault);
    std::memcpy(&programs.setup, SetupDefaults, sizeof(SetupDefaults));
    std::memcpy(programs.header.magic, Magic, sizeof(Magic));
    std::memcpy(programs.header.fixed, FixedBytes, sizeof(FixedBytes));
    storeChecksum(&programs, computeChecksum(&programs));

    programsFlash = programs;
    if (currentProgram < MAX_PROGRAMS)
        programPtr = &programs.program[currentProgram];
}

void writeHeader(TPrograms* block)
{
    if (!block)
        return;
    std::memcpy(block->header.magic, Magic, sizeof(Magic));
    std::memcpy(block->header.fixed, FixedBytes, sizeof(FixedBytes));
    std::memset(block->free, 0, sizeof(block->free));
    storeChecksum(block, computeChecksum(block));
}

quint32 computeChecksum(const TPrograms* block)
{
    if (!block)
        return 0;
    const quint8* bytes = reinterpret_cast<const quint8*>(block);
    const size_t covered = offsetof(TPrograms, header) + offsetof(THeader, checksum);
    quint32 sum = 0;
    for (size_t i = 0; i < covered; ++i)
        sum += bytes[i];
    qDebug() << "cksum:" << sum;
    return sum;
}

bool checkHeader(const TPrograms* block)
{
    printHeader(block);
    return block && headerValid(block);
}

bool controlChecksum(const TPrograms* block, unsigned int expected)
{
    if (!block)
        return false;
    const quint32 stored = storedChecksum(block);
    qDebug() << "Controllo checksum... atteso:" << expected << "/ dentro programs:" << stored;
    if (stored == expected)
        return true;
    qDebug() << "CHECKSUM error!";
    return false;
}

bool copyProgramsFromRawData(const QByteArray& data)
{
    if (data.size() < SIZEOFPROGRAMS)
        return false;
    // Checked in a temporary first: a refused image never touches programs.
    static TPrograms incoming;
    std::memcpy(&incoming, data.constData(), sizeof(incoming));
    printHeader(&incoming);
    if (!headerValid(&incoming)) {
        qDebug() << "Error checkHeader";
        return false;
    }
    programs = incoming;
    return true;
}

void printHeader(const TPrograms* block)
{
    if (!block)
        return;
    const quint8* h = reinterpret_cast<const quint8*>(&block->header);
    QDebug d = qDebug().noquote();
    d << "\n-----------------------------" << "Header";
    for (int n = 0; n < 12; ++n)
        d << QString("[%1]:").arg(n) << QString::number(h[n], 16);
    d << "-----------------------------";
}
