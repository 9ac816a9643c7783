// Connecting to the module: the port chooser, the fixed sequence that fills
// the whole mirror, the progress dialog and the status-text path every
// module operation of the window uses.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "TPrograms.h"

#include <QDebug>
#include <QEvent>
#include <QProgressDialog>
#include <QSettings>

#include <functional>

LyrForm::Busy::Busy(LyrForm* window, Start start)
    : window(window)
{
    // Adopting leaves the window as it is: disabling one in use would take
    // its keyboard focus.
    if (start == Disable)
        window->setEnabled(false);
}

LyrForm::Busy::~Busy()
{
    release();
}

void LyrForm::Busy::release()
{
    if (window)
        window->setEnabled(true);
    window = nullptr;
}

void LyrForm::Busy::handOver()
{
    window = nullptr;
}

QMidiUtils* LyrForm::moduleLink() const
{
    return midiUtilsPtr;
}

void LyrForm::endOperation(Busy& busy, const QString& warning)
{
    closeProgressDialog();
    if (!warning.isEmpty())
        prompts->warning(this, "Warning", warning);
    busy.release();
}

void LyrForm::connectToModule()
{
    const QPair<QString, QString> ports = chooseMidiPorts();
    if (ports.first.isEmpty() || ports.second.isEmpty())
        return;
    showProgressDialog();
    connectToModule(ports.first, ports.second, true);
    closeProgressDialog();
}

QPair<QString, QString> LyrForm::chooseMidiPorts()
{
    QMidiUtils* const link = moduleLink();
    const QStringList ins = link ? link->midiIn.getPorts() : QStringList();
    const QStringList outs = link ? link->midiOut.getPorts() : QStringList();
    QSettings settings;
    const QVariant storedIn = settings.value("midiInPort");
    const QVariant storedOut = settings.value("midiOutPort");
    const int inIndex = storedIn.isValid() ? int(ins.indexOf(storedIn.toString())) : -1;
    const int outIndex = storedOut.isValid() ? int(outs.indexOf(storedOut.toString())) : -1;

    QString in, out;
    if (!prompts->chooseTwo(this, "Choose Midi Device", "Input Port:", ins, inIndex, "Output Port:", outs, outIndex,
                            &in, &out))
        return {};
    return { in, out };
}

QPair<QString, QString> LyrForm::storedMidiPorts()
{
    QSettings settings;
    return { settings.value("midiInPort", "MIDIIN2 (Borvan Lyr)").toString(),
             settings.value("midiOutPort", "MIDIOUT2 (Borvan Lyr)").toString() };
}

void LyrForm::connectToModule(QString inPort, QString outPort, bool verbose)
{
    QMidiUtils* const link = moduleLink();
    Busy busy(this);

    // Each step that can fail, in order; a failure ends the sequence and
    // leaves what the earlier steps loaded in the mirror.
    struct Step
    {
        const char* status;
        std::function<bool()> run;
        const char* failure;
    };
    const Step steps[] = {
        // Without a link the first step fails and ends the sequence.
        { "Connecting to module ...",
          [&] { return link && link->connectToModule(inPort, outPort, skipConnectionTest, true, false); },
          "Cannot connect to Module" },
        { "Loading programs & Wavetable from Flash ...",
          [&] { return link->loadProgramsAndWavetableFromFlash(); },
          "Cannot load programs from FLASH memory" },
        { "Loading programs from Ram ...",
          [&] { return link->loadProgramsFromRam(); },
          "Cannot load programs from RAM memory" },
        { "Reading Soundbanks Dir ...",
          [&] { return link->readSoundbankDir(); },
          "Cannot read Soundbank Dir" },
    };
    constexpr int StepCount = 6;
    int k = 0;
    for (const Step& step : steps) {
        message(step.status);
        updateProgress(++k, 0, StepCount);
        if (!step.run()) {
            if (verbose)
                prompts->warning(this, "Warning", step.failure);
            return;
        }
    }

    message("Getting current program ...");
    updateProgress(++k, 0, StepCount);
    const quint8 index = link->getCurrentProgramIdx();
    if (index < MAX_PROGRAMS) {
        currentProgram = index;
        qDebug() << "curr program" << index;
    }
    loadProgram(currentProgram);

    updateAll();
    message("Connection succesful");
    updateProgress(StepCount, 0, StepCount);
    if (verbose)
        prompts->information(this, "Info", "Connection succesful");
}

void LyrForm::showProgressDialog()
{
    if (progressDialog)
        return;
    progressDialog = new QProgressDialog("Progress", "Cancel", 0, 100, this,
                                         Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    // No way to interrupt a module operation half way.
    progressDialog->setCancelButton(nullptr);
    progressDialog->setWindowTitle("Info");
    progressDialog->setAutoClose(false);
    progressDialog->setAutoReset(false);
    progressDialog->setWindowModality(Qt::WindowModal);
    progressDialog->setValue(0);
    // Shown over a window that module operations disable: it only shows,
    // and greyed with its parent it would be hard to read.
    progressDialog->setEnabled(true);
    progressDialog->show();
}

void LyrForm::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::EnabledChange && progressDialog)
        progressDialog->setEnabled(true);
}

void LyrForm::closeProgressDialog()
{
    if (!progressDialog)
        return;
    // Hidden at once: the deletion waits for the event loop.
    progressDialog->hide();
    progressDialog->deleteLater();
    progressDialog = nullptr;
}

void LyrForm::message(QString text)
{
    lastMessage = text;
    if (progressDialog)
        progressDialog->setLabelText(text);
    emit infoMessage(text);
}
