// The Wavetable menu: voices from descriptor files, the factory set, clearing
// and saving the table; every change goes to the module's flash at once,
// with the programs block as last stored there. And the default program
// the initialisation of a program starts from.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "TGmWavetable.h"
#include "TProgram.h"
#include "WavetableDescriptor.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>

#include <cstring>
#include <memory>

namespace {

const QString FactoryDescriptor = QStringLiteral(":/WaveTableVoicesDescriptor5916.txt");

int voiceCount(const TGmWavetable& table)
{
    int count = 0;
    for (const TGmFamily& family : table.family)
        count += qMin<int>(family.count, GmMaxVoices);
    return count;
}

// The voices of a descriptor file; null, after saying why, when the file
// cannot be read or names no voice, so the table stays as it is.
std::unique_ptr<TGmWavetable> readDescriptor(LyrForm& window, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        window.ask().warning(&window, "Warning", "Cannot open file");
        return nullptr;
    }
    auto parsed = std::make_unique<TGmWavetable>();
    extractWavetable(&file, parsed.get(), 0);
    if (voiceCount(*parsed) == 0) {
        window.ask().warning(&window, "Warning", "Invalid file\nThe descriptor names no voice.");
        return nullptr;
    }
    return parsed;
}

// Adds the descriptor's voices to the table, emptied first when replace is
// set; false, with the table as it was, when the file gives none.
bool installDescriptor(LyrForm& window, const QString& path, bool replace)
{
    const std::unique_ptr<TGmWavetable> parsed = readDescriptor(window, path);
    if (!parsed)
        return false;
    if (replace)
        std::memset(&wavetable, 0, sizeof(wavetable));
    addWavetable(parsed.get());
    initWavetableFamilyNames();
    return true;
}

} // namespace

void LyrForm::storeInModule()
{
    QMidiUtils* const link = moduleLink();
    Busy busy(this);
    showProgressDialog();
    if (!link || !link->saveProgramsAndWavetableToFlash())
        prompts->warning(this, "Warning", "Cannot save wavetable");
    closeProgressDialog();
}

void LyrForm::loadWavetableFromFile()
{
    const QString path = prompts->openFileName(this, "Load Wavetable Descriptor", getLastPath(), "(*.txt)");
    if (path.isEmpty() || !QFile::exists(path))
        return;
    QSettings().setValue("searchPath", QFileInfo(path).path());
    loadWavetable(path);
}

void LyrForm::loadWavetable(QString path)
{
    if (installDescriptor(*this, path, false))
        storeInModule();
    updateVoiceNames();
}

void LyrForm::loadWavetableFactory()
{
    if (prompts->question(this, "Reset Wavetable", "Clear current Wavetable and load Factory Wavetable?")
        != QMessageBox::Yes)
        return;
    if (installDescriptor(*this, FactoryDescriptor, true))
        storeInModule();
    updateVoiceNames();
}

void LyrForm::clearWavetable()
{
    if (prompts->question(this, "Clear Wavetable", "Clear current Wavetable?") != QMessageBox::Yes)
        return;
    std::memset(&wavetable, 0, sizeof(wavetable));
    initWavetableFamilyNames();
    storeInModule();
    updateVoiceNames();
}

void LyrForm::saveWavetableToFile()
{
    const QString path = prompts->saveFileName(this, "Save Wavetable", getLastPath(), "(*.bin)");
    if (path.isEmpty())
        return;
    // Written aside and put in place whole, so a failed save leaves the old
    // file as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        prompts->warning(this, "Warning", "Cannot open file");
        return;
    }
    const qint64 written = file.write(reinterpret_cast<const char*>(&wavetable), sizeof(wavetable));
    if (written != qint64(sizeof(wavetable)) || !file.commit()) {
        prompts->warning(this, "Warning", "Cannot write file");
        return;
    }
    prompts->information(this, "Info", "Wavetable saved");
}

void LyrForm::saveCurrentProgramAsDefault()
{
    const QByteArray bytes(reinterpret_cast<const char*>(programPtr), sizeof(TProgram));
    QSettings().setValue("defaultProgram", QString::fromLatin1(bytes.toBase64()));
    prompts->information(this, "Info", "Current Program saved as Default");
}

void LyrForm::clearDefaultProgram()
{
    QSettings().remove("defaultProgram");
    prompts->information(this, "Info", "Default Program cleared");
}
