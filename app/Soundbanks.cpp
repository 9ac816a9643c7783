// The soundbank manager: the module's soundbank directory in the soundbank
// page, and adding, removing and erasing soundbanks in the module's DSP
// flash while the wavetable and the module's program flash follow.
//
// Every file check runs before anything is sent, and after a DSP flash write
// that failed nothing else is changed: the wavetable and the program flash
// only follow soundbanks the module acknowledged. Whether a soundbank fits
// its DSP flash is the module's to judge, as only it knows the flash's size
// and layout. The directory is read back after every operation, so the page
// always shows what the module holds.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "TSoundBankDescriptor.h"
#include "TSoundBankDirEntry.h"
#include "WavetableDescriptor.h"
#include "ui_LyrForm.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QModelIndex>
#include <QSettings>
#include <QStandardItemModel>
#include <QtEndian>

#include <cstring>
#include <functional>
#include <memory>

namespace {

// A soundbank file starts with a 16-byte header: the magic, then at 8 the
// descriptor's position counted in 16-bit words. The soundbank's name lies
// at 444, inside the sound data the module stores.
constexpr qint64 HeaderSize = 16;
constexpr int PositionAt = 8;
constexpr qint64 NameAt = 444;
constexpr int NameSize = 16;

// Request addresses of a DSP flash write that install or remove soundbanks.
constexpr uint32_t InstallSoundbank = 0;
constexpr uint32_t RemoveAllSoundbanks = 65535;
constexpr uint32_t WriteTimeoutMs = 60000;
constexpr uint32_t RemoveTimeoutMs = 10000;

// Columns of the soundbank view after "Idx", "Name" and "Id".
struct NumberColumn
{
    const char* title;
    quint16 TSoundBankDirEntry::*field;
    int base;
};
//  title          field                             base
const NumberColumn NumberColumns[] = {
    { "Size",       &TSoundBankDirEntry::size,        10 },
    { "PCM In",     &TSoundBankDirEntry::pcmIn,       16 },
    { "PCM Out",    &TSoundBankDirEntry::pcmOut,      16 },
    { "RAM Page",   &TSoundBankDirEntry::ramPage,     16 },
    { "Flash Page", &TSoundBankDirEntry::flashPage,   16 },
};

QStandardItem* cell(const QString& text)
{
    auto* item = new QStandardItem(text);
    item->setEditable(false);
    return item;
}

} // namespace

bool LyrForm::extractSoundbankDescriptorFromSbk(QFile* file, TSoundBankDescriptor* descriptor)
{
    if (!file || !descriptor)
        return false;
    if (file->size() > qint64(0xFFFFFFFF)) {
        qDebug() << "sizeSoundBank error";
        return false;
    }
    const quint32 fileSize = quint32(file->size());
    uchar header[HeaderSize];
    const qint64 read = file->read(reinterpret_cast<char*>(header), HeaderSize);
    if (read != HeaderSize) {
        qDebug() << "SOUND BANK ERROR 2 byteread" << read << HeaderSize;
        return false;
    }
    if (std::memcmp(header, "Bank", 4) != 0) {
        qDebug() << "File error";
        return false;
    }
    const quint32 position = 2 * qFromLittleEndian<quint32>(header + PositionAt);
    const quint32 length = fileSize - position;
    if (length >= SoundBankDescriptorLimit) {
        qDebug() << "sizeDescriptor error";
        return false;
    }
    // The sound data holds the header and the name the module files the
    // soundbank under; anything shorter is not a soundbank.
    if (fileSize <= position || position < NameAt + NameSize) {
        qDebug() << "sizeSoundBank error";
        return false;
    }
    if (!file->seek(position)) {
        qDebug() << "seek error";
        return false;
    }
    std::memset(descriptor->text, 0, sizeof(descriptor->text));
    if (file->read(descriptor->text, length) != qint64(length)) {
        qDebug() << "byteread error";
        return false;
    }
    qDebug() << "descriptor" << QByteArray(descriptor->text, 4);
    descriptor->size = length;
    descriptor->position = position;
    return true;
}

void LyrForm::addSoundbank()
{
    // The module holds 16 soundbanks at most, the factory set among them.
    if (getSoundbanksCount() >= SoundBankDirEntries) {
        prompts->warning(this, "Warning", "Soundbank Dir is full: remove a Soundbank first");
        return;
    }
    const QString path = prompts->openFileName(this, "Load Soundbank", getLastPath(), "(*.sbk)");
    if (path.isEmpty() || !QFileInfo::exists(path))
        return;
    QSettings().setValue("searchPath", QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompts->warning(this, "Warning", "Cannot read Soundbank file");
        return;
    }
    char header[HeaderSize];
    if (file.read(header, HeaderSize) != HeaderSize || std::memcmp(header, "Bank", 4) != 0) {
        prompts->warning(this, "Warning", "Cannot read Soundbank header");
        return;
    }
    // A file too short for a whole name compares zeros, never an earlier read.
    char name[NameSize] = {};
    if (file.seek(NameAt))
        file.read(name, NameSize);
    for (const TSoundBankDirEntry& e : soundBankDir) {
        if (std::memcmp(e.name, name, NameSize) == 0) {
            prompts->warning(this, "Warning", "Soundbank already installed");
            return;
        }
    }
    auto descriptor = std::make_unique<TSoundBankDescriptor>();
    if (!file.seek(0) || !extractSoundbankDescriptorFromSbk(&file, descriptor.get())) {
        prompts->warning(this, "Warning", "Cannot read Soundbank Descriptor");
        return;
    }
    // The new voices take the index the module gives the soundbank: the
    // next after those installed.
    auto scratch = std::make_unique<TGmWavetable>();
    extractWavetable(reinterpret_cast<const unsigned char*>(descriptor->text), int(descriptor->size), scratch.get(),
                     getSoundbanksCount());

    QMidiUtils* const link = moduleLink();
    Busy busy(this);
    showProgressDialog();
    file.seek(0);
    message("Writing Soundbank");
    const bool written = link && link->writeToSamFlash(InstallSoundbank, descriptor->position, &file, WriteTimeoutMs);
    file.close();
    if (!written) {
        prompts->warning(this, "Warning", "Cannot write to Flash");
    } else {
        addWavetable(scratch.get());
        if (!link->saveProgramsAndWavetableToFlash())
            prompts->warning(this, "Warning", "Cannot save programs");
    }
    closeProgressDialog();
    readSoundbankDir();
    updateAll();
}

bool LyrForm::readSoundbankDir()
{
    QMidiUtils* const link = moduleLink();
    const bool read = link && link->readSoundbankDir();
    if (!read)
        prompts->warning(this, "Warning", "Cannot read Soundbank Dir");
    updateSoundbankModel();
    return read;
}

void LyrForm::removeSoundbank(QModelIndex index)
{
    qDebug() << "Remove Soundbank" << index;
    const QAbstractItemModel* model = ui->soundbankTreeView->model();
    if (!model)
        return;
    if (!index.isValid() || index.parent().isValid() || index.model() != model) {
        prompts->warning(this, "Warning", "Select a valid Soundbank");
        return;
    }
    // The directory index is the row's "Idx", whatever rows an unused entry
    // left out above it.
    bool isIndex = false;
    const int n = model->index(index.row(), 0).data().toString().toInt(&isIndex);
    if (!isIndex || n < 0 || n >= SoundBankDirEntries)
        return;
    if (n == 0) {
        prompts->warning(this, "Warning", "Cannot remove Factory Soundbank");
        return;
    }
    if (prompts->question(this, "Remove Soundbank",
                          QString("Remove Soundbank %1\nAre you sure?").arg(getSoundbankName(uchar(n))))
        != QMessageBox::Yes)
        return;

    const int row = index.row();
    Busy busy(this);
    showProgressDialog();
    const bool ok = removeFromModule(uint32_t(n), [&] {
        ui->soundbankTreeView->model()->removeRow(row);
        removeSoundbankFromWavetable(uchar(n));
    });
    updateAll();
    closeProgressDialog();
    if (QMidiUtils* const link = moduleLink())
        link->sendLoadProgram(currentProgram);
    busy.release();
    if (ok)
        prompts->information(this, "Info", "Operation succesful");
}

bool LyrForm::removeFromModule(uint32_t request, const std::function<void()>& dropVoices)
{
    // After a refused request the wavetable and the module's flash keep
    // what matches the soundbanks the module still holds.
    QMidiUtils* const link = moduleLink();
    bool ok = link && link->writeToSamFlash(request, 0, static_cast<uint8_t*>(nullptr), RemoveTimeoutMs);
    if (!ok) {
        prompts->warning(this, "Warning", "Cannot write to Flash");
    } else {
        dropVoices();
        if (!link->saveProgramsAndWavetableToFlash()) {
            prompts->warning(this, "Warning", "Cannot save programs");
            ok = false;
        }
    }
    return readSoundbankDir() && ok;
}

void LyrForm::removeAllSoundbanks()
{
    if (prompts->question(this, "Clear All Soundbanks", "All soundbanks will be deleted.\nAre you sure?")
        != QMessageBox::Yes)
        return;
    Busy busy(this);
    showProgressDialog();
    const bool ok = removeFromModule(RemoveAllSoundbanks, [] { removeAllSoundbanksFromWavetable(); });
    updateAll();
    closeProgressDialog();
    busy.release();
    if (ok)
        prompts->information(this, "Info", "Operation succesful");
}

void LyrForm::updateSoundbankModel()
{
    auto* model = new QStandardItemModel(this);
    QStringList titles = { "Idx", "Name", "Id" };
    for (const NumberColumn& c : NumberColumns)
        titles << c.title;
    model->setHorizontalHeaderLabels(titles);
    for (int i = 0; i < SoundBankDirEntries; ++i) {
        const TSoundBankDirEntry& e = soundBankDir[i];
        const QString name = getSoundbankName(uchar(i));
        if (name.isEmpty())
            continue;
        QList<QStandardItem*> row = { cell(QString::number(i)), cell(name),
                                      cell(QString::fromLatin1(e.id, qsizetype(strnlen(e.id, sizeof(e.id))))) };
        for (const NumberColumn& c : NumberColumns)
            row << cell(QString::number(e.*c.field, c.base));
        model->appendRow(row);
    }

    // The view keeps neither the model nor the selection model it replaces.
    QAbstractItemModel* oldModel = ui->soundbankTreeView->model();
    QItemSelectionModel* oldSelection = ui->soundbankTreeView->selectionModel();
    ui->soundbankTreeView->setModel(model);
    delete oldSelection;
    delete oldModel;
}
