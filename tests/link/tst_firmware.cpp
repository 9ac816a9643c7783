// Firmware and data images: what each check accepts and refuses, and what
// the writers put into the simulated module.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "QMidiUtils.h"

using lyrtest::Flaw;
using lyrtest::Image;

Q_DECLARE_METATYPE(Image)
Q_DECLARE_METATYPE(Flaw)

namespace {

bool check(QMidiUtils& link, Image kind, QByteArray& data)
{
    switch (kind) {
    case Image::Application: return link.checkApplicationData(data);
    case Image::Loader: return link.checkLoaderData(data);
    case Image::SamFirmware: return link.checkSamFirmwareData(data);
    case Image::Pcm: return link.checkPcmData(data);
    case Image::Parameters: return link.checkParametersData(data);
    }
    return false;
}

} // namespace

class TestFirmware : public QObject
{
    Q_OBJECT
private slots:
    void checkFindsTheFlaw_data()
    {
        QTest::addColumn<Image>("made");
        QTest::addColumn<int>("size");
        QTest::addColumn<Flaw>("flaw");
        QTest::addColumn<Image>("checkedAs");
        QTest::addColumn<QString>("failure");  // empty: the check passes
        const Image app = Image::Application, ldr = Image::Loader, sam = Image::SamFirmware;
        QTest::newRow("application") << app << 4096 << Flaw::None << app << "";
        QTest::newRow("application of 512 bytes") << app << 512 << Flaw::None << app << "";
        QTest::newRow("application of 511 bytes") << app << 511 << Flaw::None << app << "image too short: 511";
        QTest::newRow("app vector word") << app << 4096 << Flaw::VectorWord << app << "errore vettore reset";
        QTest::newRow("app start signature") << app << 4096 << Flaw::StartSignature << app << "errore firma iniziale";
        QTest::newRow("app end signature") << app << 4096 << Flaw::EndSignature << app << "errore firma finale";
        QTest::newRow("app md5 byte") << app << 4096 << Flaw::Md5Byte << app << "errore md5";
        QTest::newRow("app body byte") << app << 4096 << Flaw::BodyByte << app << "errore md5";
        QTest::newRow("loader") << ldr << 2048 << Flaw::None << ldr << "";
        QTest::newRow("loader vector word") << ldr << 2048 << Flaw::VectorWord << ldr << "errore vettore reset";
        QTest::newRow("loader end signature") << ldr << 2048 << Flaw::EndSignature << ldr << "errore firma finale";
        QTest::newRow("loader md5 byte") << ldr << 2048 << Flaw::Md5Byte << ldr << "errore md5";
        QTest::newRow("loader body byte") << ldr << 2048 << Flaw::BodyByte << ldr << "errore md5";
        QTest::newRow("application as loader") << app << 4096 << Flaw::None << ldr << "errore firma iniziale";
        QTest::newRow("loader as application") << ldr << 2048 << Flaw::None << app << "errore firma iniziale";
        QTest::newRow("dsp firmware") << sam << 4096 << Flaw::None << sam << "Year: 2024";
        QTest::newRow("dsp firmware, body byte") << sam << 4096 << Flaw::BodyByte << sam << "Year: 2024";
        QTest::newRow("dsp firmware, model code") << sam << 4096 << Flaw::VersionText << sam << "-";
        QTest::newRow("dsp firmware cut short") << sam << 4096 << Flaw::Short << sam << "-";
        QTest::newRow("pcm") << Image::Pcm << 600 << Flaw::None << Image::Pcm << "";
        QTest::newRow("pcm, lower-case bank") << Image::Pcm << 600 << Flaw::LowerCaseBank << Image::Pcm << "-";
        QTest::newRow("parameters as pcm") << Image::Parameters << 600 << Flaw::None << Image::Pcm << "";
        QTest::newRow("parameters, lower-case bank")
            << Image::Parameters << 600 << Flaw::LowerCaseBank << Image::Parameters << "-";
        QTest::newRow("application as parameters") << app << 4096 << Flaw::None << Image::Parameters << "-";
    }
    // Each flaw fails its own step of the check, told by the step's log
    // line; "-" fails without one, and a "Year:" line is a pass.
    void checkFindsTheFlaw()
    {
        QFETCH(Image, made);
        QFETCH(int, size);
        QFETCH(Flaw, flaw);
        QFETCH(Image, checkedAs);
        QFETCH(QString, failure);
        QMidiUtils link;
        QByteArray image = lyrtest::withFlaw(lyrtest::makeImage(made, size), flaw);
        const bool passes = failure.isEmpty() || failure.startsWith("Year:");
        if (failure != "-" && !failure.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, qPrintable(failure));
        QCOMPARE(check(link, checkedAs, image), passes);
    }
};

LYR_TEST_MAIN(TestFirmware)
#include "tst_firmware.moc"
