// Firmware and data updates from the window, against the simulated module in
// process: images judged before the module is touched, written ones in its
// memory and the module restarted, failures giving the window back, the
// countdown, the menu entries, and the jobs the module runs on its USB stick.

#include "TestSupport.h"
#include "FirmwareImages.h"
#include "TInfo.h"
#include "WindowFixture.h"

#include <QRegularExpression>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

using lyrsim::SimMemory;
using lyrtest::Flaw;
using lyrtest::Image;

Q_DECLARE_METATYPE(Image)
Q_DECLARE_METATYPE(Flaw)

class TestFirmwareActions : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<WindowFixture> f;
    std::unique_ptr<QSignalSpy> texts;
    QTemporaryDir dir;

    QString file(const QByteArray& image)
    {
        QFile out(dir.filePath("image.bin"));
        out.open(QIODevice::WriteOnly);
        out.write(image);
        return out.fileName();
    }
    // The window's status texts.
    QStringList said() const
    {
        QStringList said;
        for (const QList<QVariant>& text : *texts)
            said << text.at(0).toString();
        return said;
    }
    void tick(int times)
    {
        for (int i = 0; i < times; ++i)
            QMetaObject::invokeMethod(f->window.get(), "countdownTick");
    }
    void fault(const QString& rule)
    {
        lyrsim::SimFault fault;
        if (lyrsim::SimFault::parse(rule, &fault))
            f->module.addFault(fault);
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
        texts.reset();
        f = std::make_unique<WindowFixture>();
        f->link.samEraseSettleMs = 50;
        QVERIFY(f->connect());
        texts = std::make_unique<QSignalSpy>(f->window.get(), &LyrForm::infoMessage);
        f->module.clearLog();
    }

    void writeOperation_data()
    {
        QTest::addColumn<int>("operation");  // -1: the initialisation's application write
        QTest::addColumn<Image>("made");
        QTest::addColumn<int>("size");
        QTest::addColumn<Flaw>("flaw");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("outcome");  // empty: written; else part of the one warning
        const auto row = [](const char* name, int op, Image made, int size, Flaw flaw, const char* fault,
                            const char* outcome) {
            QTest::newRow(name) << op << made << size << flaw << QString(fault) << QString(outcome);
        };
        const Image ldr = Image::Loader, sam = Image::SamFirmware, pcm = Image::Pcm, par = Image::Parameters;
        const Flaw none = Flaw::None;
        row("loader", LyrForm::WriteLoader, ldr, 4096, none, "", "");
        row("dsp firmware", LyrForm::WriteSamFirmware, sam, 4096, none, "", "");
        row("pcm over two 128 KB blocks", LyrForm::WritePcm, pcm, 200000, none, "", "");
        row("parameters", LyrForm::WriteParameters, par, 5000, none, "", "");
        row("empty file", LyrForm::WriteLoader, ldr, 0, none, "", "Invalid file\nThe file is empty.");
        row("loader, md5 byte", LyrForm::WriteLoader, ldr, 4096, Flaw::Md5Byte, "", "MD5 digest");
        row("application as loader", LyrForm::WriteLoader, Image::Application, 4096, none, "", "start signature");
        row("loader over its area", LyrForm::WriteLoader, ldr, 0x8001, none, "", "larger than its area");
        row("application, reset vector", LyrForm::WriteApplication, Image::Application, 4096, Flaw::VectorWord, "",
            "reset vector");
        row("dsp firmware, model code", LyrForm::WriteSamFirmware, sam, 4096, Flaw::VersionText, "", "version text");
        row("pcm, lower-case bank", LyrForm::WritePcm, pcm, 600, Flaw::LowerCaseBank, "", "\"Bank\"");
        row("loader, erase refused", LyrForm::WriteLoader, ldr, 4096, none, "nack:0x05", "Operation failed");
        row("pcm, erase refused", LyrForm::WritePcm, pcm, 4096, none, "nack:0x08", "Operation failed");
        row("parameters, refused", LyrForm::WriteParameters, par, 4096, none, "nack:0x09", "Operation failed");
        row("application, port chooser cancelled", LyrForm::WriteApplication, Image::Application, 4096, none, "",
            "Operation failed");
        row("initialisation, no loader port", -1, Image::Application, 4096, none, "", "Operation failed");
    }
    void writeOperation()
    {
        QFETCH(int, operation);
        QFETCH(Image, made);
        QFETCH(int, size);
        QFETCH(Flaw, flaw);
        QFETCH(QString, outcome);
        if (operation < 0 && f->link.midiIn.getPorts().join("").contains("(T-CASE"))
            QSKIP("a loader's ports are present");
        const QByteArray image = size ? lyrtest::withFlaw(lyrtest::makeImage(made, size), flaw) : QByteArray();
        f->prompts.files << file(image);
        QFETCH(QString, fault);
        this->fault(fault);
        const SimMemory before = f->module.memory();

        if (operation < 0)
            f->window->initInstrument();
        else
            QCOMPARE(f->window->writeOperation("Load", "(*.bin)", operation, true, true), outcome.isEmpty());
        QCOMPARE(QSettings().value("searchPath").toString(), dir.path());
        if (!outcome.isEmpty()) {
            const QStringList warnings = f->prompts.shown("warning");
            QVERIFY2(warnings.size() == 1 && warnings[0].startsWith("Warning|") && warnings[0].contains(outcome),
                     qPrintable(warnings.join(';')));
            // A refused image never reaches the module; a failed write never
            // counts down nor reports success.
            if (outcome != "Operation failed")
                QVERIFY(f->module.log().isEmpty() && f->module.memory().flash == before.flash
                        && f->module.memory().dspFlash == before.dspFlash);
            tick(20);
            QCOMPARE(f->window->countdown, 0);
            for (const QString& text : said())
                QVERIFY2(!text.startsWith("Operation Succesful"), qPrintable(text));
            return verifyGivenBack();
        }
        const SimMemory& after = f->module.memory();
        if (operation == LyrForm::WritePcm || operation == LyrForm::WriteParameters)
            QCOMPARE(after.dspFlash.mid(SimMemory::SampleArea, size), image);
        else
            QCOMPARE(after.flash.mid(SimMemory::flashOffset(operation == LyrForm::WriteLoader ? info.LoaderAddr
                                                                                            : info.SamAddr, size),
                                     size), image);
        QTRY_COMPARE(f->received(0x01), QList<QByteArray>({ QByteArray("\xAA") }));  // the module restarts
        QVERIFY(!f->window->isEnabled());
        QCOMPARE(f->window->countdown, 15);
    }

    // On the sixteenth tick the window reconnects by the remembered port
    // names and is given back; without names it tries no port at all.
    void countdownGivesTheWindowBack_data()
    {
        QTest::addColumn<QString>("inPort");
        QTest::newRow("remembered ports") << "MIDIIN2 (Borvan Lyr)";
        QTest::newRow("no port name") << "";
    }
    void countdownGivesTheWindowBack()
    {
        QFETCH(QString, inPort);
        QSettings().setValue("midiInPort", inPort);
        f->prompts.files << file(lyrtest::makeImage(Image::Parameters, 100));
        QVERIFY(f->window->writeOperation("Load", "(*.*)", LyrForm::WriteParameters, true, true));
        QTRY_VERIFY(!f->received(0x01).isEmpty());
        f->module.clearLog();
        tick(15);
        QVERIFY(!f->window->isEnabled());
        tick(1);
        verifyGivenBack();
        if (inPort.isEmpty()) {
            QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|Connection error" });
            QVERIFY(f->module.log().isEmpty());
        }
        QStringList expected { "Operation Succesful\nRestarting ..." };
        for (int n = 15; n >= 0; --n)
            expected << QString("Operation Succesful\nConnecting in %1 ...").arg(n);
        QCOMPARE(said().mid(said().indexOf(expected[0]), expected.size()), expected);
    }

    // Nothing reaches the module before the user has confirmed and chosen a
    // file; each entry asks with its own title and filter.
    void menuEntryAsksFirst_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QStringList>("asked");
        const QString critical = "question|Critical component update";
        const auto row = [](const char* name, const char* action, bool confirm, const QStringList& asked) {
            QTest::newRow(name) << QString(action) << confirm << asked;
        };
        row("loader declined", "actionUpdateLoader", false, { critical });
        row("application declined", "actionUpdateApplication", false, { critical });
        row("loader confirmed", "actionUpdateLoader", true, { critical, "open|Load Loader file|Loader (*.bin)" });
        row("pcm", "actionUpdatePcm", false, { "open|Load Pcm file|PCM (*.PCM *.pcm)" });
        row("parameters", "actionUpdateParameters", false, { "open|Load Parameters file|Parameters (*.PAR *.par)" });
    }
    void menuEntryAsksFirst()
    {
        QFETCH(QString, action);
        QFETCH(bool, confirm);
        if (confirm)
            f->prompts.questions << QMessageBox::Yes;
        f->window->findChild<QAction*>(action)->trigger();
        QStringList asked;
        for (const QString& line : f->prompts.asked) {
            const QStringList parts = line.split('|');  // a file dialog's start folder is left out
            asked << (parts[0] == "open" ? QStringList { parts[0], parts[1], parts.last() } : parts.mid(0, 2)).join('|');
        }
        QTEST(asked, "asked");
        QVERIFY(f->module.log().isEmpty());
        QVERIFY(!QSettings().contains("searchPath"));
        QCOMPARE(f->window->countdown, 0);
        verifyGivenBack();
    }

    // The module is told the file by the very bytes it listed and works on
    // it while the window waits; the window gives up only when the module
    // falls silent or the link goes down.
    void usbJob_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("stick");
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QVariant>("answer");
        QTest::addColumn<int>("com");          // the job's command; -1 none is started
        QTest::addColumn<QString>("trouble");  // "silent", "link down" or none
        QTest::addColumn<QString>("outcome");  // the module's end text, or the warning
        const QStringList files { "BANK1.SBK", "LYR.PCM", "Été.pcm", "LYR.PAR" };
        const auto row = [](const char* name, const char* action, bool stick, const QStringList& on,
                                  const char* answer, int com, const char* trouble, const char* outcome) {
            QTest::newRow(name) << QString(action) << stick << on << (answer ? QVariant(answer) : QVariant()) << com
                                << QString(trouble) << QString(outcome);
        };
        row("install pcm", "actionUpdatePcmFromUsb", true, files, "Été.pcm", 0x15, "", "PCM updated");
        row("compare pcm", "actionComparePcmFromUsb", true, files, "LYR.PCM", 0x11, "", "PCM compare OK");
        row("install parameters", "actionUpdateParametersFromUsb", true, files, "LYR.PAR", 0x16, "", "Parameters updated");
        row("compare parameters", "actionCompareParametersFromUsb", true, files, "LYR.PAR", 0x12, "",
            "Parameters compare OK");
        row("module falls silent", "actionUpdatePcmFromUsb", true, files, "LYR.PCM", 0x15, "silent", "Operation failed");
        row("link goes down", "actionUpdatePcmFromUsb", true, files, "LYR.PCM", 0x15, "link down", "Operation failed");
        row("no stick", "actionUpdatePcmFromUsb", false, files, nullptr, -1, "", "No USB pen plugged in");
        row("no such file", "actionUpdateParametersFromUsb", true, { "README.TXT" }, nullptr, -1, "",
            "No file present in USB pen");
        row("chooser cancelled", "actionComparePcmFromUsb", true, files, nullptr, -1, "", "No file selected");
    }
    void usbJob()
    {
        QFETCH(QString, action);
        QFETCH(bool, stick);
        QFETCH(QStringList, files);
        QFETCH(QVariant, answer);
        QFETCH(int, com);
        QFETCH(QString, trouble);
        QFETCH(QString, outcome);
        f->module.memory().usbStick = stick;
        f->module.memory().usbFiles = files;
        f->module.usbStepMs = 150;
        f->window->endReportTimeoutMs = trouble == "link down" ? 30000 : 400;
        if (trouble == "silent")
            fault(QString("nack:%1").arg(com));  // one NACK, then nothing
        f->prompts.inputs << answer;
        QSignalSpy progress(&f->link, &QMidiUtils::updateProgress);
        QElapsedTimer clock;
        clock.start();

        f->window->findChild<QAction*>(action)->trigger();
        if (com < 0) {
            QCOMPARE(f->prompts.shown("warning"), QStringList { "Warning|" + outcome });
            QCOMPARE(f->frames().size(), 1);  // the listing only
            return verifyGivenBack();
        }
        const QString extension = QRegularExpression::escape(action.contains("Pcm") ? ".pcm" : ".par") + "$";
        QCOMPARE(f->prompts.shown("item").value(0).section('|', 2),
                 files.filter(QRegularExpression(extension, QRegularExpression::CaseInsensitiveOption)).join(','));
        QTRY_COMPARE(f->received(quint8(com)), QList<QByteArray>({ answer.toString().toUtf8() + '\0' }));
        QVERIFY(!f->window->isEnabled());
        if (trouble == "link down")
            f->link.closePorts();
        if (!trouble.isEmpty()) {
            QTRY_COMPARE_WITH_TIMEOUT(f->prompts.shown("warning"), QStringList { "Warning|" + outcome }, 3000);
            QVERIFY(clock.elapsed() >= (trouble == "silent" ? 400 : 0));
            return verifyGivenBack();
        }
        QTRY_COMPARE(progress.size(), 5);
        QTest::qWait(800);  // past the end report and past the give-up time it stopped
        QVERIFY(f->prompts.shown("warning").isEmpty());
        QCOMPARE(progress.last().at(0).toInt(), 100);
        QCOMPARE(f->window->lastMessage, outcome);
    }
};

LYR_TEST_MAIN(TestFirmwareActions)
#include "tst_firmwareactions.moc"
