#include "FirmwareImages.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace lyrtest {

namespace {

constexpr int DigestSize = 16;
// The version text sits in bytes 42..93; leading characters before the
// pattern are allowed, so the made image has some.
constexpr int VersionAt = 42;
const QByteArray VersionText = "LYR DSP 5916LYR   SAM1 V2.07 March 2024";

// The MD5 trailer over the image with the trailer zeroed.
void seal(QByteArray& image)
{
    image.replace(image.size() - DigestSize, DigestSize, QByteArray(DigestSize, '\0'));
    image.replace(image.size() - DigestSize, DigestSize, QCryptographicHash::hash(image, QCryptographicHash::Md5));
}

} // namespace

QByteArray makeImage(Image kind, int size, quint32 seed)
{
    QRandomGenerator rng(seed);
    QByteArray image(size, '\0');
    for (char& c : image)
        c = char(rng.bounded(256));

    switch (kind) {
    case Image::Application:
    case Image::Loader: {
        const bool app = kind == Image::Application;
        image.replace(0, 4, QByteArray::fromHex("E0FF0120"));
        image.replace(392, 4, app ? "DOMB" : "!RDL");
        image.replace(size - 32, 4, app ? "BMOD" : "LDR!");
        seal(image);
        break;
    }
    case Image::SamFirmware:
        image.replace(VersionAt, 52, VersionText.leftJustified(52, ' '));
        break;
    case Image::Pcm:
    case Image::Parameters:
        image.replace(0, 4, "Bank");
        break;
    }
    return image;
}

QByteArray flipped(QByteArray image, int at)
{
    at = at < 0 ? int(image.size()) + at : at;
    image[at] = char(image[at] ^ 0x5A);
    return image;
}

} // namespace lyrtest
