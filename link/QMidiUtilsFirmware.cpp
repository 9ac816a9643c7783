// The image checks and writers of QMidiUtils: the controller's application
// and loader, the DSP firmware, and the DSP's PCM and parameter data.

#include "QMidiUtils.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QRegularExpression>

namespace {

// The first word of the controller's vector table: the initial stack pointer.
const QByteArray VectorWord = QByteArray::fromHex("E0FF0120");
constexpr int MinImageSize = 512;
constexpr int StartSignatureAt = 392;
constexpr int EndSignatureFromEnd = 32;
constexpr int DigestSize = 16;

// DSP firmware carries its version as text in this window.
constexpr int SamVersionAt = 42;
constexpr int SamVersionLength = 52;

// Application and loader images share a shape: vector word, a start and an
// end signature, and an MD5 trailer over the image with the trailer zeroed.
bool checkSignedImage(const QByteArray& data, const char* start, const char* end, bool logDigests)
{
    if (data.size() < MinImageSize) {
        qDebug() << "image too short:" << data.size();
        return false;
    }
    if (!data.startsWith(VectorWord)) {
        qDebug() << "errore vettore reset";
        return false;
    }
    if (data.mid(StartSignatureAt, 4) != QByteArray(start, 4)) {
        qDebug() << "errore firma iniziale";
        return false;
    }
    if (data.mid(data.size() - EndSignatureFromEnd, 4) != QByteArray(end, 4)) {
        qDebug() << "errore firma finale";
        return false;
    }
    QByteArray copy = data;
    copy.replace(copy.size() - DigestSize, DigestSize, QByteArray(DigestSize, '\0'));
    const QByteArray computed = QCryptographicHash::hash(copy, QCryptographicHash::Md5);
    const QByteArray stored = data.right(DigestSize);
    if (logDigests) {
        qDebug() << "md5 stored:" << stored.toHex();
        qDebug() << "md5 computed:" << computed.toHex();
    }
    if (stored != computed) {
        qDebug() << "errore md5";
        return false;
    }
    return true;
}

} // namespace

bool QMidiUtils::checkApplicationData(QByteArray& data)
{
    return checkSignedImage(data, "DOMB", "BMOD", true);
}

bool QMidiUtils::checkLoaderData(QByteArray& data)
{
    return checkSignedImage(data, "!RDL", "LDR!", false);
}

bool QMidiUtils::checkSamFirmwareData(QByteArray& data)
{
    // A file that ends before the version window cannot carry the version.
    if (data.size() < SamVersionAt + SamVersionLength)
        return false;
    static const QRegularExpression version(QStringLiteral("5916LYR   SAM(\\d) V(\\d+)\\.(\\d+) (\\w+) (\\d{4})"));
    const QRegularExpressionMatch m = version.match(QString::fromUtf8(data.mid(SamVersionAt, SamVersionLength)));
    if (!m.hasMatch())
        return false;
    qDebug() << "Sam:" << m.captured(1).toInt();
    qDebug() << "Major Version:" << m.captured(2).toInt();
    qDebug() << "Minor Version:" << m.captured(3).toInt();
    qDebug() << "Month:" << m.captured(4);
    qDebug() << "Year:" << m.captured(5).toInt();
    return true;
}

bool QMidiUtils::checkPcmData(QByteArray& data)
{
    return checkParametersData(data);
}

bool QMidiUtils::checkParametersData(QByteArray& data)
{
    return data.startsWith("Bank");
}
