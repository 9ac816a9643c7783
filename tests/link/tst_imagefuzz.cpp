// Image files come from users: arbitrary bytes through the five checks under
// the address and undefined-behaviour sanitizers, and valid images with one
// byte changed, which the application and loader checks must refuse.
//
// LYR_FUZZ_ITERATIONS raises the number of images (default 5000), and
// LYR_FUZZ_SEED repeats a run.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "QMidiUtils.h"

#include <QLoggingCategory>
#include <QRandomGenerator>

using lyrtest::Image;

class TestImageFuzz : public QObject
{
    Q_OBJECT
private slots:
    void arbitraryBytesNeverCrashAndOneChangedByteIsRefused()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
        const int iterations = qEnvironmentVariableIsSet("LYR_FUZZ_ITERATIONS")
            ? qEnvironmentVariableIntValue("LYR_FUZZ_ITERATIONS") : 5000;
        const quint32 seed = qEnvironmentVariableIsSet("LYR_FUZZ_SEED")
            ? quint32(qEnvironmentVariableIntValue("LYR_FUZZ_SEED")) : QRandomGenerator::global()->generate();
        qInfo() << "seed" << seed << "iterations" << iterations;
        QRandomGenerator rng(seed);
        QMidiUtils link;

        for (int i = 0; i < iterations; ++i) {
            const Image kind = Image(rng.bounded(5));
            const bool signedImage = kind == Image::Application || kind == Image::Loader;
            const int size = int(rng.bounded(signedImage ? 512 : 4, 3000));
            QByteArray image = lyrtest::makeImage(kind, size, rng.generate());
            const int changed = int(rng.bounded(size));
            image[changed] = char(image[changed] ^ (1 + rng.bounded(255)));
            // A third keep just that change; the others are cut anywhere or
            // replaced by noise.
            const int shape = int(rng.bounded(3));
            if (shape == 1)
                image.truncate(rng.bounded(size));
            if (shape == 2) {
                image = QByteArray(rng.bounded(700), '\0');
                for (char& c : image)
                    c = char(rng.bounded(256));
            }
            QByteArray copy = image;
            const bool app = link.checkApplicationData(copy), loader = link.checkLoaderData(copy);
            link.checkSamFirmwareData(copy);
            link.checkPcmData(copy);
            link.checkParametersData(copy);
            QVERIFY2(copy == image, "a check changed the image");
            if (shape == 0 && signedImage)
                QVERIFY2(!app && !loader, qPrintable(QString("byte %1 changed, seed %2").arg(changed).arg(seed)));
        }
    }
};

LYR_TEST_MAIN_CORE(TestImageFuzz)
#include "tst_imagefuzz.moc"
