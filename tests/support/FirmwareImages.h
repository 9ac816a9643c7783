#pragma once

// Images of the five kinds the editor writes to the module, made here so no
// test depends on a file from elsewhere: valid ones, and the single flaws
// each check must catch.

#include <QByteArray>

namespace lyrtest {

enum class Image { Application, Loader, SamFirmware, Pcm, Parameters };

// A valid image of size bytes whose body is drawn from seed. Application and
// loader images need at least 512 bytes, DSP firmware 94, data images 4.
QByteArray makeImage(Image kind, int size = 4096, quint32 seed = 1);

// One flaw each; the rest of the image stays as it was, and the MD5 trailer
// is not recomputed.
enum class Flaw {
    None,
    VectorWord,      // byte 0 changed
    StartSignature,  // byte 392 changed
    EndSignature,    // byte size-32 changed
    Md5Byte,         // the last byte changed
    BodyByte,        // byte 396, just after the start signature, changed
    VersionText,     // the DSP version's model code changed
    LowerCaseBank,   // "bank" for "Bank"
};
QByteArray withFlaw(QByteArray image, Flaw flaw);

} // namespace lyrtest
