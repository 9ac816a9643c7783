// The programs block between the mirror, .pre files and the module. Every
// change of the module's programs goes the same way: the new block into
// programs, a copy into programsFlash, flash written (programs and wavetable
// together), the module's RAM reloaded from its flash, the current program
// reloaded.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "TPrograms.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QtEndian>

#include <cstring>

namespace {

const char* const FactoryPrograms = ":/programs_factory.pre";

// First line of every refusal of a programs file, then the file and why.
QString refusal(const QString& path, const QString& reason)
{
    return QString("Cannot load Program data\n%1: %2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

// One Debug-menu transfer and the boxes that report it.
struct LyrForm::DebugTransfer
{
    bool (QMidiUtils::*operation)();
    const char* success;
    const char* failure;
};

QString LyrForm::getLastPath()
{
    const QString path = QSettings().value("searchPath").toString();
    if (!path.isEmpty() && QFileInfo(path).isDir())
        return path;
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

bool LyrForm::commitToFlash(bool copyFirst, bool reload)
{
    if (copyFirst)
        programsFlash = programs;
    QMidiUtils* const link = moduleLink();
    if (!link || !link->saveProgramsAndWavetableToFlash()) {
        prompts->warning(this, "Warning", "Cannot Save Programs & Wavetable to Flash");
        return false;
    }
    if (!link->copyProgramsFromFlashToRam()) {
        prompts->warning(this, "Warning", "Cannot copy Programs from Flash to Ram");
        return false;
    }
    if (reload) {
        loadProgram(currentProgram);
        link->sendLoadProgram(currentProgram);
    }
    return true;
}

void LyrForm::installPrograms(const QString& path, bool fromDisk)
{
    // A file that is not a programs image leaves programs and the pages as
    // they were, and the user learns which file and why.
    QFile file(path);
    if (!file.exists()) {
        prompts->warning(this, "Warning", refusal(path, "the file does not exist"));
        return;
    }
    if (file.size() != SIZEOFPROGRAMS) {
        qDebug() << "Error file size:" << file.size();
        qDebug() << "sizeof(TPrograms):" << sizeof(TPrograms);
        prompts->warning(this, "Warning",
                         refusal(path, QString("%1 bytes, a programs file has %2").arg(file.size()).arg(SIZEOFPROGRAMS)));
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        prompts->warning(this, "Warning", refusal(path, "cannot be read (" + file.errorString() + ")"));
        return;
    }
    const QByteArray data = file.readAll();
    if (data.size() != SIZEOFPROGRAMS) {
        qDebug() << "Error data.size():" << data.size();
        prompts->warning(this, "Warning",
                         refusal(path, QString("only %1 bytes could be read").arg(data.size())));
        return;
    }

    Busy busy(this);
    if (!copyProgramsFromRawData(data)) {
        prompts->warning(this, "Warning", refusal(path, "not a programs file (its trailer is wrong)"));
        return;
    }
    if (commitToFlash(true, true) && fromDisk)
        prompts->information(this, "Info", "Success");
    // The block is in programs now, whether or not the module takes it: the
    // pages must show it either way.
    updateAll();
}

void LyrForm::loadProgramsFromDisk()
{
    const QString path = prompts->openFileName(this, "Load Programs", getLastPath(), "(*.pre)");
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path))
        QSettings().setValue("searchPath", QFileInfo(path).path());
    installPrograms(path, true);
}

void LyrForm::loadFactoryPrograms()
{
    installPrograms(FactoryPrograms, false);
}

void LyrForm::saveProgramsToDisk()
{
    QString path = prompts->saveFileName(this, "Save Programs", getLastPath() + "/programs", "(*.pre)");
    if (path.isEmpty())
        return;
    // Not every save dialog adds the filter's extension, and the load dialog
    // shows only .pre files.
    if (!path.endsWith(".pre", Qt::CaseInsensitive))
        path += ".pre";

    // The checksum of programs is whatever was last sealed or loaded, edits
    // since then included; the file gets one that matches its bytes.
    QByteArray image(reinterpret_cast<const char*>(&programs), sizeof(programs));
    const size_t at = offsetof(TPrograms, header) + offsetof(THeader, checksum);
    qToBigEndian(computeChecksum(&programs), image.data() + at);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        prompts->warning(this, "Warning", "Cannot open file\n" + QDir::toNativeSeparators(path));
        return;
    }
    if (file.write(image) != image.size() || !file.commit()) {
        prompts->warning(this, "Warning", "Cannot write file\n" + QDir::toNativeSeparators(path));
        return;
    }
    qDebug() << "file size:" << QFileInfo(path).size();
    qDebug() << "sizeof(TPrograms):" << sizeof(TPrograms);
}

void LyrForm::saveProgramsToModule()
{
    Busy busy(this);
    saveProgram(currentProgram);
    updateProgramButtons();
    if (!commitToFlash(true, false))
        return;
    busy.release();
    prompts->information(this, "Info", "Programs saved");
}

void LyrForm::loadProgramsFromModule()
{
    QMidiUtils* const link = moduleLink();
    Busy busy(this);
    if (!link || !link->loadProgramsAndWavetableFromFlash()) {
        prompts->warning(this, "Warning", "Cannot load programs from Flash memory");
        return;
    }
    if (!link->loadProgramsFromRam()) {
        prompts->warning(this, "Warning", "Cannot load programs from Ram memory");
        return;
    }
    updateAll();
    busy.release();
    prompts->information(this, "Info", "Programs loaded");
}

void LyrForm::initAllPrograms()
{
    if (prompts->question(this, "Initialize Programs", "All programs will be deleted.\nAre you sure?")
        != QMessageBox::Yes)
        return;
    Busy busy(this);
    initPrograms();
    if (commitToFlash(false, true))
        prompts->information(this, "Info", "Programs initialized");
    updateAll();
}

void LyrForm::initCurrentProgram()
{
    if (prompts->question(this, "Initialize Current Program", "Current Program will be deleted.\nAre you sure?")
        != QMessageBox::Yes)
        return;
    Busy busy(this);
    initProgram(currentProgram);
    if (commitToFlash(true, true))
        prompts->information(this, "Info", "Program initialized");
    updateAll();
}

void LyrForm::showCopyProgramDialog()
{
    bool ok = false;
    const int target =
        prompts->getInt(this, "Copy Program", "Copy Current Program In", currentProgram, 0, MAX_PROGRAMS - 1, 1, &ok);
    if (!ok || target < 0 || target >= MAX_PROGRAMS)
        return;
    // Only the mirror changes; the module gets it with the next save.
    std::memmove(&programs.program[target], programPtr, sizeof(TProgram));
    updateAll();
}

void LyrForm::onProgramNameTextChanged(QString text)
{
    if (currentProgram < MAX_PROGRAMS) {
        // Whole characters only, as many as fit the 16-byte field: a name
        // cut inside a character would not decode again. The edit takes 15
        // characters, so a plain ASCII name keeps its terminating zero.
        QByteArray name;
        const QList<uint> characters = text.toUcs4();
        for (qsizetype i = 0; i < characters.size() && i < qsizetype(sizeof(programPtr->name)); ++i) {
            const char32_t c = char32_t(characters[i]);
            const QByteArray bytes = QString::fromUcs4(&c, 1).toUtf8();
            if (name.size() + bytes.size() > qsizetype(sizeof(programPtr->name)))
                break;
            name += bytes;
        }
        std::memset(programPtr->name, 0, sizeof(programPtr->name));
        std::memcpy(programPtr->name, name.constData(), size_t(name.size()));
    }
    updateProgramButtons();
}

void LyrForm::runDebugTransfer(const DebugTransfer& transfer)
{
    QMidiUtils* const link = moduleLink();
    Busy busy(this);
    if (link && (link->*transfer.operation)())
        prompts->information(this, "Info", transfer.success);
    else
        prompts->warning(this, "Warning", transfer.failure);
    updateAll();
}

void LyrForm::loadProgramsFromModuleRam()
{
    runDebugTransfer({ &QMidiUtils::loadProgramsFromRam, "Programs loaded", "Cannot load programs from RAM memory" });
}

void LyrForm::loadProgramsFromModuleFlash()
{
    runDebugTransfer(
        { &QMidiUtils::loadProgramsAndWavetableFromFlash, "Programs loaded", "Cannot load programs from Flash memory" });
}

void LyrForm::copyProgramsFromFlashToRam()
{
    runDebugTransfer({ &QMidiUtils::copyProgramsFromFlashToRam, "Success", "Failed" });
}
