// The image checks and writers of QMidiUtils: the controller's application
// and loader, the DSP firmware, and the DSP's PCM and parameter data.

#include "QMidiUtils.h"
#include "TInfo.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QFile>
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

// PCM and parameter data start here in the DSP's serial flash.
constexpr uint32_t SamDataAddress = 0x80000;
constexpr unsigned int FlashChunkTimeoutMs = 60000;
constexpr unsigned int SamEraseTimeoutMs = 15000;
constexpr unsigned int SamWriteTimeoutMs = 10000;

bool fitsArea(const QByteArray& image, quint32 areaSize)
{
    if (quint32(image.size()) <= areaSize)
        return true;
    qDebug() << "size error:" << image.size() << "/" << areaSize;
    return false;
}

// The whole file, when it is long enough to be a firmware image at all and
// fits its area; nothing has been sent when this fails.
bool readFirmware(QFile* file, quint32 areaSize, QByteArray& image)
{
    if (!file)
        return false;
    image = file->readAll();
    if (image.isEmpty() || !fitsArea(image, areaSize))
        return false;
    if (image.size() < MinImageSize) {
        qDebug() << "image too short:" << image.size();
        return false;
    }
    return true;
}

// Erases the sectors and writes the image from their start.
bool writeFirmware(QMidiUtils& link, QByteArray& image, quint16 sectorIni, quint16 sectorNum)
{
    if (!link.writeToStm32Flash(reinterpret_cast<uint8_t*>(image.data()), uint32_t(image.size()), sectorIni,
                                sectorNum, 0, FlashChunkTimeoutMs)) {
        qDebug() << "error writeSector";
        return false;
    }
    emit link.infoMessage("Done");
    return true;
}

// The loader and the DSP firmware: over the open link, the whole file when it
// fits its area and passes its check, into its sectors.
bool writeCheckedFirmware(QMidiUtils& link, QFile* file, quint32 areaSize, bool (QMidiUtils::*check)(QByteArray&),
                          const char* refused, quint16 sectorIni, quint16 sectorNum)
{
    QByteArray image;
    if (!link.isConnected() || !readFirmware(file, areaSize, image))
        return false;
    if (!(link.*check)(image)) {
        qDebug() << refused;
        return false;
    }
    return writeFirmware(link, image, sectorIni, sectorNum);
}

// PCM and parameter files: an open link and a "Bank" file.
bool bankFileReady(QMidiUtils& link, QFile* file, const char* failure)
{
    if (!file || !link.isConnected())
        return false;
    QByteArray head = file->read(4);
    if (head.isEmpty())
        return false;
    if (!link.checkParametersData(head)) {
        qDebug() << failure;
        return false;
    }
    return true;
}

// The whole file, from its first byte, into the DSP flash's data area.
bool writeBankFile(QMidiUtils& link, QFile* file)
{
    file->seek(0);
    const qint64 size = file->size();
    // Sizes travel as 32 bits; a file that does not fit would arrive cut.
    if (size > qint64(UINT32_MAX - SamDataAddress))
        return false;
    emit link.infoMessage("Writing SAM Flash ...");
    return link.writeToSamFlash(SamDataAddress, uint32_t(size), file, SamWriteTimeoutMs);
}

// Application and loader images share a shape: vector word, a start and an
// end signature, and an MD5 trailer over the image with the trailer zeroed.
// why receives the failed check for the user.
bool checkSignedImage(const QByteArray& data, const char* start, const char* end, bool logDigests, QString& why)
{
    why.clear();
    if (data.size() < MinImageSize) {
        qDebug() << "image too short:" << data.size();
        why = QStringLiteral("The image is shorter than %1 bytes.").arg(MinImageSize);
        return false;
    }
    if (!data.startsWith(VectorWord)) {
        qDebug() << "errore vettore reset";
        why = QStringLiteral("The image does not start with the reset vector.");
        return false;
    }
    if (data.mid(StartSignatureAt, 4) != QByteArray(start, 4)) {
        qDebug() << "errore firma iniziale";
        why = QStringLiteral("The start signature is missing.");
        return false;
    }
    if (data.mid(data.size() - EndSignatureFromEnd, 4) != QByteArray(end, 4)) {
        qDebug() << "errore firma finale";
        why = QStringLiteral("The end signature is missing.");
        return false;
    }
    QCryptographicHash md5(QCryptographicHash::Md5);
    md5.addData(QByteArrayView(data).first(data.size() - DigestSize));
    md5.addData(QByteArray(DigestSize, '\0'));
    const QByteArray computed = md5.result();
    const QByteArray stored = data.right(DigestSize);
    if (logDigests) {
        qDebug() << "md5 stored:" << stored.toHex();
        qDebug() << "md5 computed:" << computed.toHex();
    }
    if (stored != computed) {
        qDebug() << "errore md5";
        why = QStringLiteral("The MD5 digest does not match the image.");
        return false;
    }
    return true;
}

} // namespace

bool QMidiUtils::checkApplicationData(QByteArray& data)
{
    return checkSignedImage(data, "DOMB", "BMOD", true, checkFailure);
}

bool QMidiUtils::checkLoaderData(QByteArray& data)
{
    return checkSignedImage(data, "!RDL", "LDR!", false, checkFailure);
}

bool QMidiUtils::checkSamFirmwareData(QByteArray& data)
{
    // A file that ends before the version window cannot carry the version.
    checkFailure = QStringLiteral("The DSP firmware version text is missing.");
    if (data.size() < SamVersionAt + SamVersionLength)
        return false;
    static const QRegularExpression version(QStringLiteral("5916LYR   SAM(\\d) V(\\d+)\\.(\\d+) (\\w+) (\\d{4})"));
    const QRegularExpressionMatch m = version.match(QString::fromUtf8(data.mid(SamVersionAt, SamVersionLength)));
    if (!m.hasMatch())
        return false;
    checkFailure.clear();
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
    const bool bank = data.startsWith("Bank");
    checkFailure = bank ? QString() : QStringLiteral("The file does not start with \"Bank\".");
    return bank;
}

bool QMidiUtils::writeApplication(QFile* pFile, QString in, QString out)
{
    qDebug() << "writeApplication";
    QByteArray image;
    if (!readFirmware(pFile, info.AppSize, image))
        return false;
    if (!checkApplicationData(image)) {
        qDebug() << "error application file";
        return false;
    }
    // The module has restarted into its loader: connect to it and take its
    // identity, which may name a smaller application area than before.
    if (!connectToModule(in, out, true, false, false)) {
        qDebug() << "error connecting to module";
        return false;
    }
    if (!fitsArea(image, info.AppSize))
        return false;
    return writeFirmware(*this, image, info.AppSectorIni, info.AppSectorNum);
}

bool QMidiUtils::writeLoader(QFile* pFile)
{
    qDebug() << "writeLoader";
    return writeCheckedFirmware(*this, pFile, info.LoaderSize, &QMidiUtils::checkLoaderData, "error loader file",
                                info.LoaderSectorIni, info.LoaderSectorNum);
}

bool QMidiUtils::writeSamFirmware(QFile* pFile)
{
    qDebug() << "writeSamFirmware";
    return writeCheckedFirmware(*this, pFile, info.SamSize, &QMidiUtils::checkSamFirmwareData, "error firmware file",
                                info.SamSectorIni, info.SamSectorNum);
}

bool QMidiUtils::writePcm(QFile* pFile)
{
    if (!bankFileReady(*this, pFile, "error pcm file"))
        return false;
    emit infoMessage("Erasing SAM Flash ...");
    if (!command(ComSamErase, {}, SamEraseTimeoutMs, "ACKNOLEDGE error!"))
        return false;
    // The module acknowledges at once and goes on erasing.
    wait(samEraseSettleMs);
    return writeBankFile(*this, pFile);
}

bool QMidiUtils::writeParameters(QFile* pFile)
{
    return bankFileReady(*this, pFile, "error parameters file") && writeBankFile(*this, pFile);
}
