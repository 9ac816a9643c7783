#pragma once

// Images of the five kinds the editor writes to the module, made here so no
// test depends on a file from elsewhere.

#include <QByteArray>

namespace lyrtest {

enum class Image { Application, Loader, SamFirmware, Pcm, Parameters };

// A valid image of size bytes whose body is drawn from seed. Application and
// loader images need at least 512 bytes, DSP firmware 94, data images 4.
QByteArray makeImage(Image kind, int size = 4096, quint32 seed = 1);

// The image with byte at changed (counted from the end when negative); the
// MD5 trailer is not recomputed.
QByteArray flipped(QByteArray image, int at);

} // namespace lyrtest
