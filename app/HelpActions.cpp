// The rest of the File and Help menus: initialising a fresh instrument, the
// identity and about boxes, the user manual, the module's USB device going
// away, and the question before the window closes.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "Startup.h"
#include "TInfo.h"

#include <QCloseEvent>
#include <QDebug>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>

namespace {

const QString ModulePortMark = QStringLiteral("(Borvan Lyr");
const QString InitDescriptor = QStringLiteral(":/LYR_PXW418_WaveTableVoicesDescriptor5916.txt");
const QString UserManual = QStringLiteral(":/User Manual Borvan LYR - EN.pdf");
// The module's USB identity, as hot-plug notifications give it.
const QString ModuleVendorId = QStringLiteral("5499");
const QString ModuleProductId = QStringLiteral("0082");

QString version(quint16 word)
{
    return QString("%1.%2").arg(word >> 8).arg(word & 0xFF);
}

// The manual in the user's own data folder, rewritten when it differs from
// the embedded one; empty when it cannot be put there.
QString placedManual()
{
    QFile embedded(UserManual);
    if (!embedded.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray content = embedded.readAll();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return QString();
    const QString path = folder + "/user_manual.pdf";
    QFile placed(path);
    if (placed.open(QIODevice::ReadOnly) && placed.readAll() == content)
        return path;
    placed.close();
    QSaveFile copy(path);
    if (!copy.open(QIODevice::WriteOnly) || copy.write(content) != content.size() || !copy.commit())
        return QString();
    return path;
}

} // namespace

void LyrForm::initInstrument()
{
    // The reconnection is only worth waiting for once the new application
    // is in.
    if (writeOperation("Load Application file", "Application (*.bin)", WriteApplication, false, false))
        startCountdown(&LyrForm::reconnectAfterInit);
}

void LyrForm::reconnectAfterInit()
{
    // The window the application's write handed over.
    Busy busy(this, Busy::Adopt);
    QMidiUtils* const link = moduleLink();
    const QString in = portWith(link ? link->midiIn.getPorts() : QStringList(), ModulePortMark, "midiInPorts.at(i)");
    const QString out = portWith(link ? link->midiOut.getPorts() : QStringList(), ModulePortMark, "midiOutPorts.at(i)");
    const bool found = !in.isEmpty() && !out.isEmpty();
    if (found) {
        showProgressDialog();
        connectToModule(in, out, false);
    } else if (link) {
        // The loader's ports the write used are gone with the restart.
        link->closePorts();
    }
    closeProgressDialog();
    if (found && link->isConnected()) {
        loadWavetable(InitDescriptor);
        loadFactoryPrograms();
        return;
    }
    // Whatever became of the module, the window is the user's again.
    busy.release();
    prompts->warning(this, "Warning", "Connection error");
}

void LyrForm::identify()
{
    QMidiUtils* const link = moduleLink();
    Busy busy(this);
    if (link && link->identify())
        about();
    else
        prompts->critical(this, "Info", "Identify failed.");
}

void LyrForm::about()
{
    const QString text = QString("Editor Version: %1\n\nCompiled on\n%2\n\n").arg(EditorVersion, EditorBuildStamp)
                       + QString("Loader Version: %1\n\n").arg(version(info.LoaderVersion))
                       + QString("Firmware APP Version: %1\n\n").arg(version(info.AppVersion))
                       + QString("Firmware DSP Version: %1\n\n").arg(version(info.SamVersion))
                       + QString("Programs Version: %1\n\n").arg(version(info.ProgramVersion));
    prompts->about(this, "LYR Editor", text);
}

void LyrForm::manual()
{
    // A private copy: a shared temporary folder would let anyone put another
    // file under the name the desktop then opens.
    const QString path = placedManual();
    if (!path.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void LyrForm::onDeviceAdded(QString vendorId, QString productId)
{
    qDebug() << "Device added - vendorId:" << vendorId << "productId:" << productId;
}

void LyrForm::onDeviceRemoved(QString vendorId, QString productId)
{
    qDebug() << "Device removed - vendorId:" << vendorId << "productId:" << productId;
    QMidiUtils* const link = moduleLink();
    if (link && vendorId == ModuleVendorId && productId == ModuleProductId)
        link->closePorts();
}

void LyrForm::closeEvent(QCloseEvent* event)
{
    if (prompts->question(this, "Exit Confirmation", "Are you sure you want to exit?") == QMessageBox::Yes)
        event->accept();
    else
        event->ignore();
}
