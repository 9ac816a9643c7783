#include "WavetableDescriptor.h"

#include "TGmWavetable.h"

#include <QBuffer>
#include <QDebug>
#include <QRegularExpression>
#include <cstring>

namespace {

constexpr int VoiceNumbers = 20;
constexpr int DrumNumbers = 4;

// "^\$\s*,\s*(\d+)" ... twenty numbers ... "\s*,\s*(.+)$", compiled at once.
// Default options: \d and \s are ASCII only.
QRegularExpression linePattern(const char* lead, int numbers)
{
    QString pattern = QString("^\\%1").arg(QLatin1String(lead));
    for (int i = 0; i < numbers; ++i)
        pattern += "\\s*,\\s*(\\d+)";
    QRegularExpression compiled(pattern + "\\s*,\\s*(.+)$");
    compiled.optimize();
    return compiled;
}

// Built once, on first use, and reused for every line of every descriptor.
const QRegularExpression& voicePattern()
{
    static const QRegularExpression pattern = linePattern("$", VoiceNumbers);
    return pattern;
}

const QRegularExpression& drumPattern()
{
    static const QRegularExpression pattern = linePattern("!", DrumNumbers);
    return pattern;
}

// Decimal digits of any length, kept modulo 256 as the module's byte fields
// hold them; never overflows, however many digits a file carries.
quint8 lowByte(QStringView digits)
{
    unsigned value = 0;
    for (QChar c : digits)
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            value = (value * 10 + unsigned(c.unicode() - '0')) & 0xFF;
    return quint8(value);
}

// Fills the next free slot of family f; false when the family is full.
bool appendVoice(TGmFamily& family, const QString& name, quint8 familyByte, quint8 bank, quint8 pch,
                 quint8 sbk, int* slotIndex)
{
    const int c = family.count;
    if (c >= GmMaxVoices)
        return false;
    TGmVoice& v = family.voice[c];
    setVoiceName(&v, name.toUtf8());
    v.family = familyByte;
    v.num = quint8(c);
    v.bank = bank;
    v.pch = pch;
    v.sbk = sbk;
    family.count = quint16(c + 1);
    *slotIndex = c;
    return true;
}

void parseDrumLine(const QString& line, TGmWavetable* table, quint8 sbk)
{
    qDebug() << "str:" << line;
    const QRegularExpressionMatch m = drumPattern().match(line);
    if (!m.hasMatch())
        return;
    const QString name = m.captured(5).simplified();
    const quint8 pch = lowByte(m.capturedView(2));
    int slot = 0;
    // Drum sets have no family byte of their own: it stays 0.
    appendVoice(table->family[GmDrumFamily], name, 0, 0, pch, sbk, &slot);
    qDebug() << "Drumset" << name << "idx:" << m.capturedView(1) << "pch" << pch;
}

void parseVoiceLine(const QString& line, TGmWavetable* table, quint8 sbk)
{
    const QRegularExpressionMatch m = voicePattern().match(line);
    if (!m.hasMatch()) {
        qDebug() << "Parsing error (gm voice)!";
        return;
    }
    const QString name = m.captured(VoiceNumbers + 1).simplified();
    const quint8 family = lowByte(m.capturedView(3));
    const quint8 bank = lowByte(m.capturedView(1));
    const quint8 pch = lowByte(m.capturedView(2));
    // Drum sets come only from "!" lines.
    if (family >= GmVoiceFamilyCount)
        return;
    int c = 0;
    if (!appendVoice(table->family[family], name, family, bank, pch, sbk, &c))
        return;
    qDebug() << "Voice" << name << "[" << c << "]";
    qDebug() << "group" << family;
    qDebug() << "num" << c;
    qDebug() << "bank" << bank;
    qDebug() << "pch" << pch;
    qDebug() << "sbk" << sbk;
}

} // namespace

void extractWavetable(QIODevice* device, TGmWavetable* table, unsigned char sbk)
{
    if (!device || !table)
        return;
    std::memset(table, 0, sizeof(TGmWavetable));

    for (;;) {
        QByteArray bytes = device->readLine();
        if (bytes.isEmpty())
            break;
        if (bytes.endsWith('\n'))
            bytes.chop(1);
        if (bytes.endsWith('\r'))
            bytes.chop(1);
        // Classified by the very first byte: "$ ..." after a blank is no record.
        if (bytes.startsWith('!'))
            parseDrumLine(QString::fromUtf8(bytes), table, sbk);
        else if (bytes.startsWith('$'))
            parseVoiceLine(QString::fromUtf8(bytes), table, sbk);
    }

    qDebug() << "Totale suoni per famiglia:";
    for (const TGmFamily& family : table->family)
        qDebug() << QString::fromUtf8(family.name, qsizetype(strnlen(family.name, GmFamilyNameField)))
                 << "[" << family.count << "]";
}

void extractWavetable(const unsigned char* data, int size, TGmWavetable* table, unsigned char sbk)
{
    if (!table)
        return;
    QByteArray text;
    if (data && size > 0)
        text = QByteArray::fromRawData(reinterpret_cast<const char*>(data), size);
    QBuffer buffer(&text);
    buffer.open(QIODevice::ReadOnly);
    extractWavetable(&buffer, table, sbk);
}
