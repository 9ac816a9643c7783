// The main window's construction: the form, developer mode, what is always
// hidden, the action table, and the small slots no other concern owns.

#include "LyrForm.h"

#include "PreferencesDialog.h"
#include "Prompts.h"
#include "QMidiUtils.h"
#include "Startup.h"
#include "ui_LyrForm.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QIntValidator>
#include <QMenu>
#include <QProgressDialog>
#include <QSettings>

#include <cmath>

double scaleValue(double x, double inMin, double inMax, double outMin, double outMax)
{
    return std::fma((x - inMin) / (inMax - inMin), outMax - outMin, outMin);
}

LyrForm::LyrForm(QWidget* parent, Prompts* prompts)
    : QMainWindow(parent)
    , ui(new Ui_LyrForm)
    , prompts(prompts)
    , programButtonGroup(new QButtonGroup(this))
    , voiceButtonGroup(new QButtonGroup)
{
    if (!this->prompts) {
        ownPrompts = std::make_unique<QtPrompts>();
        this->prompts = ownPrompts.get();
    }
    ui->setupUi(this);

    // A folder or file "development-team" beside the program keeps the
    // developer menus, the Debug page and the GM reverb controls.
    developerMode = QDir(QCoreApplication::applicationDirPath()).exists("development-team");
    qDebug() << "development-team" << developerMode;
    if (!developerMode) {
        menuBar()->removeAction(ui->menuDebug->menuAction());
        menuBar()->removeAction(ui->menuTools->menuAction());
        ui->centralTabWidget->removeTab(ui->centralTabWidget->indexOf(ui->setupTab));
        ui->gmReverbGroupBox->hide();
        ui->reverbPresetComboBox->hide();
        ui->chorusPresetComboBox->hide();
    }

    ui->groupBox_19->hide();
    ui->groupBox_20->hide();
    menuBar()->removeAction(ui->menuGM->menuAction());
    ui->tremoloRateLed->hide();
    ui->modRateLed->hide();
    ui->modFastRateLed->hide();
    ui->wahLfoRateLed->hide();
    ui->programLineEdit->setMaxLength(15);
    ui->centralTabWidget->setCurrentWidget(ui->editTab);
    ui->progressBar->setValue(0);
    setWindowTitle(QString("Lyr Editor %1 Compiled %2").arg(EditorVersion, EditorBuildStamp));

    connectActions();

    ui->actionShowNotConnectedWarning->setChecked(QSettings().value("showNotConnectedWarning", true).toBool());
    connect(ui->actionShowNotConnectedWarning, &QAction::toggled, this,
            [](bool on) { QSettings().setValue("showNotConnectedWarning", on); });

    // Graph filter type -> the program's EQ type byte.
    eqIndexMap.insert(QMyParametricEq::NoFilter, 0);
    for (int type = 1; type <= 7; ++type)
        eqIndexMap.insert(type, uchar(type));

    initDials();
    initButtons();
    initComboBoxes();
    initCheckBoxes();
    initRangeSliders();
    updateSoundbankModel();
    initLineEdits();
    initSliders();
    initPresets();

    ui->modRateLed->startBlinking();
    ui->modFastRateLed->startBlinking();
    ui->wahLfoRateLed->startBlinking();
    ui->tremoloRateLed->startBlinking();

    updateEffectsSlotConfiguration();

    ui->reverbSizeComboBox->hide();
    ui->reverbSizeLabel->hide();
}

LyrForm::~LyrForm()
{
    qDebug() << "Distruggendo LyrForm";
    delete ui;
    delete voiceButtonGroup;
}

void LyrForm::connectActions()
{
    // Actions whose handler takes nothing, in menu-table order.
    struct Row
    {
        QAction* Ui_LyrForm::*action;
        void (LyrForm::*handler)();
    };
    static const Row rows[] = {
        { &Ui_LyrForm::actionConnect,                     &LyrForm::connectToModule },
        { &Ui_LyrForm::actionInitInstrument,              &LyrForm::initInstrument },
        { &Ui_LyrForm::actionSamTest,                     &LyrForm::samTest },
        { &Ui_LyrForm::actionPanic,                       &LyrForm::samPanic },
        { &Ui_LyrForm::actionIdentify,                    &LyrForm::identify },
        { &Ui_LyrForm::actionOpenManual,                  &LyrForm::manual },
        { &Ui_LyrForm::actionSaveProgramsToDisk,          &LyrForm::saveProgramsToDisk },
        { &Ui_LyrForm::actionLoadProgramsFromDisk,        &LyrForm::loadProgramsFromDisk },
        { &Ui_LyrForm::actionSaveProgramsToModule,        &LyrForm::saveProgramsToModule },
        { &Ui_LyrForm::actionLoadProgramsFromModule,      &LyrForm::loadProgramsFromModule },
        { &Ui_LyrForm::actionLoadFactoryPrograms,         &LyrForm::loadFactoryPrograms },
        { &Ui_LyrForm::actionLoadWavetableFactory,        &LyrForm::loadWavetableFactory },
        { &Ui_LyrForm::actionClearWavetable,              &LyrForm::clearWavetable },
        { &Ui_LyrForm::actionLoadWavetableFromDisk,       &LyrForm::loadWavetableFromFile },
        { &Ui_LyrForm::actionSaveWavetable,               &LyrForm::saveWavetableToFile },
        { &Ui_LyrForm::actionExit,                        &LyrForm::exit },
        { &Ui_LyrForm::actionPreferences,                 &LyrForm::onActionOpenPreferencesDialogTriggered },
        { &Ui_LyrForm::actionEditGMChannels,              &LyrForm::onEditGmChannels },
        { &Ui_LyrForm::actionDfuProgramming,              &LyrForm::dfuProgram },
        { &Ui_LyrForm::actionInitPrograms,                &LyrForm::initAllPrograms },
        { &Ui_LyrForm::actionInitCurrentProgram,          &LyrForm::initCurrentProgram },
        { &Ui_LyrForm::actionSaveCurrentProgramAsDefault, &LyrForm::saveCurrentProgramAsDefault },
        { &Ui_LyrForm::actionClearDefaultProgram,         &LyrForm::clearDefaultProgram },
        { &Ui_LyrForm::actionAbout,                       &LyrForm::about },
        { &Ui_LyrForm::actionAddSoundbank,                &LyrForm::addSoundbank },
        { &Ui_LyrForm::actionGetDirectory,                &LyrForm::reloadSoundbankDir },
        { &Ui_LyrForm::actionEraseDirectory,              &LyrForm::removeAllSoundbanks },
        { &Ui_LyrForm::actionCopyProgram,                 &LyrForm::showCopyProgramDialog },
        { &Ui_LyrForm::actionLoadProgramsFromModuleRam,   &LyrForm::loadProgramsFromModuleRam },
        { &Ui_LyrForm::actionLoadProgramsFromModuleFlash, &LyrForm::loadProgramsFromModuleFlash },
        { &Ui_LyrForm::actionCopyProgramsFromFlashToRam,  &LyrForm::copyProgramsFromFlashToRam },
    };
    for (const Row& row : rows)
        connect(ui->*row.action, &QAction::triggered, this, row.handler);

    // Updates: the loader and the application ask first, as an interrupted
    // write can leave the module unable to start.
    struct Update
    {
        QAction* Ui_LyrForm::*action;
        const char* title;
        const char* filter;
        LyrFormOperation operation;
        bool critical;
    };
    static const Update updates[] = {
        { &Ui_LyrForm::actionUpdateLoader,      "Load Loader file",      "Loader (*.bin)",            WriteLoader,      true },
        { &Ui_LyrForm::actionUpdateApplication, "Load Application file", "Application (*.bin)",       WriteApplication, true },
        { &Ui_LyrForm::actionUpdateFirmware,    "Load Firmware file",    "DSP firmware (*.bin)",      WriteSamFirmware, false },
        { &Ui_LyrForm::actionUpdatePcm,         "Load Pcm file",         "PCM (*.PCM *.pcm)",         WritePcm,         false },
        { &Ui_LyrForm::actionUpdateParameters,  "Load Parameters file",  "Parameters (*.PAR *.par)",  WriteParameters,  false },
    };
    for (const Update& u : updates) {
        connect(ui->*u.action, &QAction::triggered, this, [this, u] {
            if (u.critical
                && prompts->question(this, "Critical component update",
                                     "You are about to update a critical system component.\n"
                                     "Interrupting this process (power loss, shutdown, restart, or disconnection) "
                                     "may permanently damage the machine and render it inoperable.\n\nContinue?")
                       != QMessageBox::Yes)
                return;
            writeOperation(u.title, u.filter, u.operation, true, true);
        });
    }

    struct UsbUpdate
    {
        QAction* Ui_LyrForm::*action;
        const char* title;
        const char* extension;
        LyrFormOperation operation;
    };
    static const UsbUpdate usbUpdates[] = {
        { &Ui_LyrForm::actionUpdatePcmFromUsb,         "Load PCM",           ".PCM", WritePcmFromUsb },
        { &Ui_LyrForm::actionUpdateParametersFromUsb,  "Load Parameters",    ".PAR", WriteParametersFromUsb },
        { &Ui_LyrForm::actionComparePcmFromUsb,        "Compare PCM",        ".PCM", ComparePcmFromUsb },
        { &Ui_LyrForm::actionCompareParametersFromUsb, "Compare Parameters", ".PAR", CompareParametersFromUsb },
    };
    for (const UsbUpdate& u : usbUpdates)
        connect(ui->*u.action, &QAction::triggered, this,
                [this, u] { writeOperationFromUsb(u.title, u.extension, u.operation); });

    connect(ui->actionSkipTest, &QAction::toggled, this, &LyrForm::skipTest);
    connect(ui->programLineEdit, &QLineEdit::textChanged, this, &LyrForm::onProgramNameTextChanged);
    connect(ui->actionRemoveSoundbank, &QAction::triggered, this,
            [this] { removeSoundbank(ui->soundbankTreeView->currentIndex()); });
    if (QMidiUtils* const link = moduleLink())
        connect(ui->actionEnableChecksumControl, &QAction::toggled, link, &QMidiUtils::enableChecksumControl);
    ui->soundbankTreeView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->soundbankTreeView, &QWidget::customContextMenuRequested, this, &LyrForm::showContextMenu);
}

void LyrForm::skipTest(bool on)
{
    skipConnectionTest = on;
}

void LyrForm::onEditGmChannels()
{
}

void LyrForm::exit()
{
    close();
}

void LyrForm::onActionOpenPreferencesDialogTriggered()
{
    // A new dialog each time, gone once closed.
    PreferencesDialog dialog(this);
    if (QMidiUtils* const link = moduleLink())
        connect(&dialog, &PreferencesDialog::setupVariation, link, &QMidiUtils::sendSetupVariation);
    prompts->exec(&dialog);
}

void LyrForm::reloadSoundbankDir()
{
    // Only a directory that was really read is reported as reloaded.
    if (readSoundbankDir())
        prompts->information(this, "Info", "Soundbank Dir reloaded succesfully");
}

void LyrForm::showContextMenu(const QPoint& pos)
{
    if (sender() != ui->soundbankTreeView)
        return;
    QMenu menu(tr("Soundbank"), this);
    const QModelIndex index = ui->soundbankTreeView->indexAt(pos);
    if (index.isValid() && !index.parent().isValid()) {
        menu.addAction(ui->actionRemoveSoundbank);
    } else {
        menu.addAction(ui->actionAddSoundbank);
        menu.addAction(ui->actionEraseDirectory);
    }
    prompts->popup(&menu, ui->soundbankTreeView->viewport()->mapToGlobal(pos));
}
