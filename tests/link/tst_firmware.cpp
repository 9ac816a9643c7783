// Firmware and data images end to end: each writer against the simulated
// module, whose flash must then hold the file byte for byte or, for a file
// it refuses, be untouched (the window's tests try the flawed images). Built
// twice: in process, with the sanitizers and a randomised run of the checks
// (LYR_FUZZ_ITERATIONS, default 4000; LYR_FUZZ_SEED), and over JACK for the
// application, whose writer opens ports by name.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "InProcessModule.h"
#include "QMidiUtils.h"
#include "SimJackPorts.h"
#include "TInfo.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryFile>

#include <memory>

using lyrsim::SimMemory;
using lyrtest::Image;

Q_DECLARE_METATYPE(Image)

class TestFirmware : public QObject
{
    Q_OBJECT
    lyrsim::SimModule module;
    QMidiUtils link;
    std::unique_ptr<InProcessModule> wire;
    std::unique_ptr<lyrsim::SimJackPorts> ports;

    bool write(Image writer, QFile* file)
    {
        switch (writer) {
        case Image::Application:  // in process no port has the names, as after a failed restart
            return link.writeApplication(file, ports ? ports->writePort() : "", ports ? ports->readPort() : "");
        case Image::Loader: return link.writeLoader(file);
        case Image::SamFirmware: return link.writeSamFirmware(file);
        case Image::Pcm: return link.writePcm(file);
        case Image::Parameters: return link.writeParameters(file);
        }
        return false;
    }
    qint64 decodedAt(quint8 com)
    {
        for (const lyrsim::SimLogEntry& e : module.log())
            if (e.frame.com == com)
                return e.atMs;
        return -1;
    }

private slots:
    void initTestCase()
    {
        if (OverJack) {
            ports = std::make_unique<lyrsim::SimJackPorts>(&module);
            QVERIFY(ports->open());
        } else {
            wire = std::make_unique<InProcessModule>(link, module);
        }
    }
    void cleanupTestCase()
    {
        link.closePorts();
        wire.reset();
        ports.reset();
    }
    void init()
    {
        module.memory() = SimMemory();
        module.identity() = lyrsim::SimIdentity();
        // Old content in the firmware sectors and the DSP's data area, so a
        // missing erase spoils a write and a stray one shows.
        module.memory().flash.replace(0, 0xE0000, QByteArray(0xE0000, char(0x11)));
        module.memory().dspFlash.replace(0x80000, 0x80000, QByteArray(0x80000, 'x'));
        if (OverJack)
            QVERIFY(link.connectToModule(ports->writePort(), ports->readPort(), true, false, false));
        else
            wire->connect();
        QVERIFY(link.identify());
        link.samEraseSettleMs = 200;
        module.clearLog();
    }

    // Each writer at its size limits, and one kind of image passed for another.
    void writerPutsTheImageInPlace_data()
    {
        QTest::addColumn<Image>("writer");
        QTest::addColumn<Image>("made");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("loaderArea");  // AppSize the restarted module names; 0 unchanged
        QTest::addColumn<bool>("written");
        const Image app = Image::Application, ldr = Image::Loader, sam = Image::SamFirmware;
        QTest::newRow("application, loader names a smaller area") << app << app << 4096 << 2048 << false;
        QTest::newRow("loader filling its area") << ldr << ldr << 0x8000 << 0 << true;
        QTest::newRow("loader one byte over its area") << ldr << ldr << 0x8001 << 0 << false;
        QTest::newRow("dsp firmware") << sam << sam << 4096 << 0 << true;
        QTest::newRow("dsp firmware of 511 bytes") << sam << sam << 511 << 0 << false;
        QTest::newRow("dsp firmware ending in a part packet") << sam << sam << 4096 + 700 << 0 << true;
        QTest::newRow("pcm across three 128 KB blocks") << Image::Pcm << Image::Pcm << 300000 << 0 << true;
        QTest::newRow("parameters") << Image::Parameters << Image::Parameters << 70000 << 0 << true;
        QTest::newRow("dsp firmware as parameters") << Image::Parameters << sam << 4096 << 0 << false;
    }
    void writerPutsTheImageInPlace()
    {
        QFETCH(Image, writer);
        QFETCH(Image, made);
        QFETCH(int, size);
        QFETCH(int, loaderArea);
        QFETCH(bool, written);
        if (OverJack != (writer == Image::Application))
            QSKIP("runs in the other build");
        const QByteArray image = lyrtest::makeImage(made, size);
        QTemporaryFile file;
        QVERIFY(file.open() && file.write(image) == image.size() && file.seek(0));
        if (loaderArea)
            module.identity().set("AppSize", quint32(loaderArea));
        const SimMemory before = module.memory();
        QSignalSpy progress(&link, &QMidiUtils::updateProgress);

        QCOMPARE(write(writer, &file), written);
        const SimMemory& after = module.memory();
        if (!written) {  // the module was at most asked who it is
            QVERIFY(after.flash == before.flash && after.dspFlash == before.dspFlash);
            for (const lyrsim::SimLogEntry& e : module.log())
                QCOMPARE(e.frame.com, quint8(0x02));
            return;
        }
        const bool dsp = writer == Image::Pcm || writer == Image::Parameters;
        const quint32 address = writer == Image::Application ? info.AppAddr
                              : writer == Image::Loader ? info.LoaderAddr : info.SamAddr;
        QVERIFY(dsp ? after.dspFlash.mid(0x80000, size) == image
                    : after.flash.mid(SimMemory::flashOffset(address, size), size) == image);
        QCOMPARE(progress.last(), QVariantList({ size, 0, size }));
        if (!dsp) {
            // The last chunk carries what is left and no more; the rest of
            // the sectors stays erased.
            const quint16 first = writer == Image::Application ? info.AppSectorIni
                                : writer == Image::Loader ? info.LoaderSectorIni : info.SamSectorIni;
            const quint16 count = writer == Image::Application ? info.AppSectorNum
                                : writer == Image::Loader ? info.LoaderSectorNum : info.SamSectorNum;
            const int end = SimMemory::flashOffset(SimMemory::sectorAddress(first + count) - 1, 1) + 1;
            const int from = SimMemory::flashOffset(address, size) + size;
            QVERIFY(after.flash.mid(from, end - from) == QByteArray(end - from, char(0xFF)));
            QCOMPARE(module.commandData(0x03).last().size(), (size - 1) % info.PacketSize + 1);
        }
        // The PCM area is erased, and the module left to finish, before the
        // first byte arrives; parameters go over what was there.
        if (dsp)
            QCOMPARE(after.dspFlash.at(0x80000 + size), writer == Image::Pcm ? char(0xFF) : 'x');
        if (writer == Image::Pcm)
            QVERIFY(decodedAt(0x09) - decodedAt(0x08) >= 200);
    }

#if !LYR_OVER_JACK
    // Arbitrary bytes never read outside the image; valid images with one
    // byte changed are refused. The version text must lie wholly in 42..93;
    // a changed end signature is caught as itself, before the digest.
    void checksSurviveArbitraryBytes()
    {
        QByteArray cut = lyrtest::makeImage(Image::SamFirmware).left(93);
        QByteArray badEnd = lyrtest::flipped(lyrtest::makeImage(Image::Loader), -32);
        QVERIFY(!link.checkSamFirmwareData(cut));
        QVERIFY(!link.checkLoaderData(badEnd) && link.checkFailure.contains("end signature"));
        const quint32 seed = lyrtest::fuzzSeed();
        QRandomGenerator rng(seed);
        for (int i = 0, n = lyrtest::fuzzIterations(4000); i < n; ++i) {
            const Image kind = Image(rng.bounded(5));
            const int size = int(rng.bounded(512, 3000));
            QByteArray image = lyrtest::makeImage(kind, size, rng.generate());
            image[int(rng.bounded(size))] ^= char(1 + rng.bounded(255));
            const int shape = int(rng.bounded(3));  // one byte changed, cut anywhere, or noise
            if (shape == 1)
                image.truncate(rng.bounded(size));
            for (int n = 0; shape == 2 && n < image.size(); ++n)
                image[n] = char(rng.bounded(256));
            const bool app = link.checkApplicationData(image), loader = link.checkLoaderData(image);
            link.checkSamFirmwareData(image);
            link.checkPcmData(image);
            if (shape == 0 && (kind == Image::Application || kind == Image::Loader))
                QVERIFY2(!app && !loader, qPrintable(QString("seed %1, image %2").arg(seed).arg(i)));
        }
    }
#endif
};

LYR_TEST_MAIN(TestFirmware)
#include "tst_firmware.moc"
