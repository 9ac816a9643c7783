// Firmware and data updates from the window, against the simulated module in
// process: images judged before the module is touched, written ones in its
// memory and the module restarted, failures giving the window back, the
// countdown, the menu entries, and the jobs the module runs on its USB stick.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "TInfo.h"
#include "WindowFixture.h"

#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

using lyrsim::SimMemory;
using lyrtest::Flaw;
using lyrtest::Image;
using lyrtest::makeImage;
using lyrtest::withFlaw;

class TestFirmwareActions : public QObject
{
    Q_OBJECT
    std::unique_ptr<WindowFixture> f;
    QTemporaryDir dir;

    void tick(int times)
    {
        while (times-- > 0)
            QMetaObject::invokeMethod(f->window.get(), "countdownTick");
    }
    void verifyGivenBack()
    {
        QVERIFY(f->window->isEnabled());
        QVERIFY(!f->window->progressDialog);
    }

private slots:
    void init()
    {
        QSettings().clear();
        QSettings().setValue("midiInPort", "");  // no module remembered to reconnect to
        f = std::make_unique<WindowFixture>();
        f->link.samEraseSettleMs = 50;
        QVERIFY(f->connect());
        f->module.clearLog();
    }

    // Through the menu: a critical update asks first; each entry opens its
    // own file filter. A written image is in the module's memory and the
    // module restarts; the countdown shows every second, then gives the
    // window back, and with no port name remembered tries no port and says
    // so. A refused image never reaches the module; a failed write gives the
    // window back, and neither counts down nor reports success.
    void update_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("outcome");  // empty: written; "declined"; else part of the one warning
        const auto row = [](const char* name, const char* action, const char* filter, const QByteArray& image,
                            const char* fault, const char* outcome) {
            QTest::newRow(name) << QString(action) << QString(filter) << image << QString(fault) << QString(outcome);
        };
        const QByteArray ldr = makeImage(Image::Loader), app = makeImage(Image::Application);
        const char *loader = "actionUpdateLoader", *ldrFilter = "Loader (*.bin)", *appFilter = "Application (*.bin)";
        row("loader", loader, ldrFilter, ldr, "", "");
        row("loader declined", loader, "", ldr, "", "declined");
        row("dsp firmware", "actionUpdateFirmware", "DSP firmware (*.bin)", makeImage(Image::SamFirmware), "", "");
        row("pcm over two 128 KB blocks", "actionUpdatePcm", "PCM (*.PCM *.pcm)", makeImage(Image::Pcm, 200000), "",
            "");
        row("parameters", "actionUpdateParameters", "Parameters (*.PAR *.par)", makeImage(Image::Parameters), "", "");
        row("empty file", loader, ldrFilter, "", "", "Invalid file\nThe file is empty.");
        row("loader over its area", loader, ldrFilter, makeImage(Image::Loader, 0x8001), "", "larger than its area");
        row("loader, md5 byte", loader, ldrFilter, withFlaw(ldr, Flaw::Md5Byte), "", "MD5 digest");
        row("application, reset vector", "actionUpdateApplication", appFilter, withFlaw(app, Flaw::VectorWord), "",
            "reset vector");
        row("parameters, refused", "actionUpdateParameters", "Parameters (*.PAR *.par)", makeImage(Image::Parameters),
            "nack:0x09", "Operation failed");
        row("initialisation, no loader port", "actionInitInstrument", appFilter, app, "", "Operation failed");
    }
    void update()
    {
        QFETCH(QString, action);
        QFETCH(QByteArray, image);
        QFETCH(QString, fault);
        QFETCH(QString, outcome);
        if (action == "actionInitInstrument" && f->link.midiIn.getPorts().join("").contains("(T-CASE"))
            QSKIP("a loader's ports are present");
        QFile file(dir.filePath("image.bin"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(image) == image.size());
        file.close();
        f->prompts.files << file.fileName();
        f->prompts.questions << (outcome == "declined" ? QMessageBox::No : QMessageBox::Yes);
        lyrsim::SimFault rule;
        if (lyrsim::SimFault::parse(fault, &rule))
            f->module.addFault(rule);

        f->window->findChild<QAction*>(action)->trigger();
        QTEST(f->prompts.shown("open").value(0).section('|', -1), "filter");
        if (!outcome.isEmpty()) {
            const QStringList warnings = f->prompts.shown("warning");
            QVERIFY2(outcome == "declined" ? warnings.isEmpty()
                                           : warnings.size() == 1 && warnings[0].startsWith("Warning|")
                                                 && warnings[0].contains(outcome),
                     qPrintable(warnings.join(';')));
            if (outcome != "Operation failed")  // refused: the module never heard of it
                QVERIFY(f->module.log().isEmpty());
            tick(20);
            QCOMPARE(f->window->countdown, 0);
            QVERIFY2(!f->window->lastMessage.startsWith("Operation Succesful"), qPrintable(f->window->lastMessage));
            return verifyGivenBack();
        }
        const SimMemory& m = f->module.memory();
        const quint32 at = SimMemory::flashOffset(action == "actionUpdateLoader" ? info.LoaderAddr : info.SamAddr,
                                                  image.size());
        const bool data = action.contains("Pcm") || action.contains("Parameters");
        QCOMPARE(data ? m.dspFlash.mid(SimMemory::SampleArea, image.size()) : m.flash.mid(at, image.size()), image);
        QTRY_COMPARE(f->received(0x01), QList<QByteArray>({ QByteArray("\xAA") }));  // the module restarts
        f->module.clearLog();
        for (int n = 15; n > 0; --n) {
            QVERIFY(!f->window->isEnabled());
            tick(1);
            QCOMPARE(f->window->lastMessage, QString("Operation Succesful\nConnecting in %1 ...").arg(n));
        }
        tick(1);
        verifyGivenBack();
        QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|Connection error" });
        QVERIFY(f->module.log().isEmpty());
    }

    // The module is told the file by the very bytes it listed and works on
    // it while the window waits; the window gives up only when the module
    // falls silent or the link goes down.
    void usbJob_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("files");  // on the stick; none: no stick
        QTest::addColumn<QString>("answer");     // the file chosen; empty: the chooser cancelled
        QTest::addColumn<int>("com");            // the job's command; -1 none is started
        QTest::addColumn<QString>("trouble");    // "silent", "link down" or none
        QTest::addColumn<QString>("outcome");    // the module's end text, or the warning
        const QStringList files { "BANK1.SBK", "LYR.PCM", "Été.pcm", "LYR.PAR" };
        const auto row = [](const char* name, const char* action, const QStringList& on, const char* answer, int com,
                            const char* trouble, const char* outcome) {
            QTest::newRow(name) << QString(action) << on << QString(answer) << com << QString(trouble)
                                << QString(outcome);
        };
        row("install pcm", "actionUpdatePcmFromUsb", files, "Été.pcm", 0x15, "", "PCM updated");
        row("compare parameters", "actionCompareParametersFromUsb", files, "LYR.PAR", 0x12, "",
            "Parameters compare OK");
        row("module falls silent", "actionUpdatePcmFromUsb", files, "LYR.PCM", 0x15, "silent", "Operation failed");
        row("link goes down", "actionUpdatePcmFromUsb", files, "LYR.PCM", 0x15, "link down", "Operation failed");
        row("no stick", "actionUpdatePcmFromUsb", {}, "", -1, "", "No USB pen plugged in");
        row("no such file", "actionUpdateParametersFromUsb", { "README.TXT" }, "", -1, "",
            "No file present in USB pen");
        row("chooser cancelled", "actionComparePcmFromUsb", files, "", -1, "", "No file selected");
    }
    void usbJob()
    {
        QFETCH(QString, action);
        QFETCH(QString, answer);
        QFETCH(int, com);
        QFETCH(QString, trouble);
        QFETCH(QString, outcome);
        QFETCH(QStringList, files);
        f->module.memory().usbStick = !files.isEmpty();
        f->module.memory().usbFiles = files;
        f->module.usbStepMs = 50;
        f->window->endReportTimeoutMs = trouble == "link down" ? 30000 : 250;
        lyrsim::SimFault nack;  // a NACK, then nothing
        if (trouble == "silent" && lyrsim::SimFault::parse(QString("nack:%1").arg(com), &nack))
            f->module.addFault(nack);
        f->prompts.inputs << (answer.isEmpty() ? QVariant() : QVariant(answer));
        QSignalSpy progress(&f->link, &QMidiUtils::updateProgress);
        QElapsedTimer clock;
        clock.start();

        f->window->findChild<QAction*>(action)->trigger();
        if (com < 0) {
            QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|" + outcome });
            QCOMPARE(f->frames().size(), 1);  // the listing only
            return verifyGivenBack();
        }
        QCOMPARE(f->prompts.shown("item").value(0).section('|', 2),
                 QString(action.contains("Pcm") ? "LYR.PCM,Été.pcm" : "LYR.PAR"));
        QTRY_COMPARE(f->received(quint8(com)), QList<QByteArray>({ answer.toUtf8() + '\0' }));
        QVERIFY(!f->window->isEnabled());
        if (trouble == "link down")
            f->link.closePorts();
        if (!trouble.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(f->prompts.shown("warning"), QStringList { "Warning|" + outcome }, 3000);
            QVERIFY(clock.elapsed() >= (trouble == "silent" ? 250 : 0));
            return verifyGivenBack();
        }
        QTRY_COMPARE(progress.size(), 5);
        QTest::qWait(500);  // past the end report and past the give-up time it stopped
        QVERIFY(f->prompts.shown("warning").isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 100);
        QCOMPARE(f->window->lastMessage, outcome);
        verifyGivenBack();
    }
};

LYR_TEST_MAIN(TestFirmwareActions)
#include "tst_firmwareactions.moc"
