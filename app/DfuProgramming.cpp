#include "LyrForm.h"

#include "Prompts.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// The controller's DFU mode: command, then 0x0413, product 0xDF11, vendor 0x0483.
QStringList deviceArgs(const char* command)
{
    return { command, "1043", "57105", "1155" };
}

const char* const optionBytes =
    "-ob RDP=0xaa BOR_LEV=0x03 WDG_SW=0x01 nRST_STOP=0x01 nRST_STDBY=0x01 WRP0=0x01 WRP1=0x01 WRP2=0x01 "
    "WRP3=0x01 WRP4=0x01 WRP5=0x01 WRP6=0x01 WRP7=0x01 WRP8=0x01 WRP9=0x01 WRP10=0x01 WRP11=0x01";

// The images, in the order they are asked for.
enum Image { Loader, Application, Programs, DspFirmware, NoImage };

struct ImageQuestion
{
    const char* caption;
    const char* filter;
};
const ImageQuestion imageQuestions[] = {
    { "Select Loader file",       "STM32 Loader (*.bin)" },
    { "Select Application file",  "STM32 Application (*.bin)" },
    { "Select Programs file",     "(*.pre)" },
    { "Select SAM Firmware file", "(*.bin)" },
};

// The runs, in order: the option bytes, then each image at its flash address.
struct Run
{
    Image image;
    const char* address;   // decimal
    const char* copyName;  // working copy the tool reads
    int expected;          // exit code of success
    const char* okLog;
    const char* errorLog;
    const char* what;      // for the user
};
const Run runs[] = {
    // image       address      copy           code  log on success     log on failure            what
    { NoImage,     nullptr,     nullptr,       17,   "fuse default ok", "fuse  : Error ...",        "option bytes" },
    { Loader,      "134217728", "lyr_ldr.bin", 18,   "lyr_ldr.ldr ok",  "lyr_ldr.ldr  : Error ...", "loader" },
    { Programs,    "135135232", "lyr_pre.bin", 18,   "lyr_pre.pre ok",  "lyr_pre.pre  : Error ...", "programs" },
    { Application, "134479872", "lyr_app.bin", 18,   "lyr_app.app ok",  "lyr_app.app  : Error ...", "application" },
    { DspFirmware, "134266880", "lyr_sam.bin", 18,   "lyr_sam.fir ok",  "lyr_sam.fir  : Error ...", "DSP firmware" },
};

QStringList runArgs(const Run& run)
{
    if (run.image == NoImage)
        return deviceArgs("1") << optionBytes;
    return deviceArgs("2") << run.address << run.copyName;
}

// A working copy that is not byte for byte the chosen file must not be
// programmed.
bool makeWorkingCopy(const QString& source, const QString& copy)
{
    QFile::remove(copy);
    if (!QFile::copy(source, copy))
        return false;
    QFile a(source), b(copy);
    return a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) && a.readAll() == b.readAll();
}

} // namespace

void LyrForm::dfuProgram()
{
    // The tool comes with the editor, never from wherever it was started.
    const QString tool = QCoreApplication::applicationDirPath() + "/dfu/DFUConsole.exe";
    if (!QFileInfo(tool).isFile()) {
        qDebug() << "DFU NOT FOUND : Error ...";
        prompts->warning(this, "Warning", QString("The DFU tool was not found:\n%1").arg(QDir::toNativeSeparators(tool)));
        return;
    }

    QString files[NoImage];
    for (int i = 0; i < NoImage; ++i) {
        files[i] = prompts->openFileName(this, imageQuestions[i].caption, getLastPath(), imageQuestions[i].filter);
        if (files[i].isEmpty())
            return;
        if (!QFileInfo(files[i]).isFile()) {
            prompts->warning(this, "Warning", QString("File not found:\n%1").arg(QDir::toNativeSeparators(files[i])));
            return;
        }
    }

    // Working copies live in a folder of their own, gone when this returns.
    QTemporaryDir work;
    if (!work.isValid()) {
        prompts->critical(this, "Error", "No temporary folder for the DFU tool's files could be made.");
        return;
    }

    for (const Run& run : runs) {
        const auto fail = [&](const QString& why) {
            qDebug().noquote() << run.errorLog;
            prompts->critical(this, "Error", QString("DFU programming stopped at the %1: %2").arg(run.what, why));
        };
        QString copy;
        if (run.image != NoImage) {
            copy = work.filePath(run.copyName);
            if (!makeWorkingCopy(files[run.image], copy)) {
                fail("the file could not be copied for the tool.");
                return;
            }
        }

        QProcess process;
        process.setWorkingDirectory(work.path());
        process.start(tool, runArgs(run), QIODevice::ReadWrite);
        if (!process.waitForStarted()) {
            qDebug() << "DFU NOT FOUND : Error ...";
            prompts->critical(this, "Error",
                              QString("The DFU tool could not be started:\n%1").arg(QDir::toNativeSeparators(tool)));
            return;
        }
        const bool finished = process.waitForFinished(dfuRunTimeoutMs);
        if (!finished) {
            process.kill();
            process.waitForFinished();
        }
        const int code = process.exitCode();
        const bool crashed = process.exitStatus() == QProcess::CrashExit;
        process.close();
        if (!copy.isEmpty())
            QFile::remove(copy);

        if (!finished) {
            fail(QString("the tool did not finish within %1 s and was stopped.").arg(dfuRunTimeoutMs / 1000.0));
            return;
        }
        if (crashed) {
            fail("the tool crashed.");
            return;
        }
        qDebug() << "status:" << code;
        if (code != run.expected) {
            fail(QString("the tool ended with code %1.").arg(code));
            return;
        }
        qDebug().noquote() << run.okLog;
        QCoreApplication::processEvents();
    }
    qDebug().noquote() << "";
    qDebug() << "DFU update performed successfully ...";
    QCoreApplication::processEvents();
}
