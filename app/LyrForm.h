#pragma once

// The editor's main window. One class with a large surface, spread over
// several files by concern:
//   app/LyrForm.cpp             construction, the action table, small slots
//   app/ConnectionFlow.cpp      connecting, progress dialog, status texts
//   app/ProgramActions.cpp      programs block to and from files and module
//   app/WavetableActions.cpp    wavetable and default-program actions
//   app/HelpActions.cpp         instrument initialisation, help, exit
//   app/FirmwareActions.cpp     firmware and data updates, USB stick
//   app/DfuProgramming.cpp      the external DFU tool
//   app/Soundbanks.cpp          soundbank manager
//   app/DeveloperTools.cpp      the Debug page
//   pages/ControlTables.cpp     control records of every editing widget
//   pages/PageSetup.cpp         ranges, items, program buttons, validators
//   pages/Refresh*.cpp          program -> widgets
//   pages/EditHandlers.cpp      widgets -> program and module
//   pages/Selection.cpp         program, voice and preset selection
//   pages/Notifications.cpp     reports from the module, GM reverb packets
//   pages/EqualiserActions.cpp  the insert-EQ dialog and reset
//   pages/Presets.cpp           insert-effect preset store

#include "PresetType.h"
#include "QMyParametricEq.h"
#include "TControl.h"

#include <QButtonGroup>
#include <QByteArray>
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QMap>
#include <QModelIndex>
#include <QPair>
#include <QRect>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>
#include <memory>

class Prompts;
class QCheckBox;
class QComboBox;
class QFile;
class QIntValidator;
class QLabel;
class QLineEdit;
class QMidiUtils;
class QMyDial;
class QMyRangeSlider;
class QProgressDialog;
class QSlider;
class QTimer;
class Ui_LyrForm;
struct TSoundBankDescriptor;

// Maps x from inMin..inMax onto outMin..outMax, neither clamped nor checked;
// callers pass two distinct input bounds.
double scaleValue(double x, double inMin, double inMax, double outMin, double outMax);

class LyrForm : public QMainWindow
{
    Q_OBJECT
public:
    // Firmware and data operations of the update menu.
    enum LyrFormOperation {
        WriteApplication = 0,
        WriteLoader = 1,
        WriteSamFirmware = 2,
        WritePcm = 3,
        WriteParameters = 4,
        CompareParametersFromUsb = 5,
        ComparePcmFromUsb = 6,
        WriteParametersFromUsb = 7,
        WritePcmFromUsb = 8,
    };
    Q_ENUM(LyrFormOperation)

    // Everything the window asks the user goes through prompts; without one
    // the real message boxes and dialogs are used. The window does not own it.
    explicit LyrForm(QWidget* parent = nullptr, Prompts* prompts = nullptr);
    ~LyrForm() override;

    // The form, for start-up and tests.
    Ui_LyrForm* form() const { return ui; }
    Prompts& ask() const { return *prompts; }

    // Control records of the editing widgets; a widget not in its map gets
    // the default record.
    QHash<QMyDial*, TControl> dialMap;
    QHash<QMyRangeSlider*, TControl> rangeSliderMap;
    QHash<QComboBox*, TControl> comboBoxMap;
    QHash<QCheckBox*, TControl> checkBoxMap;
    QHash<QLineEdit*, TControl> lineEditMap;
    QHash<QSlider*, TControl> sliderMap;

    // Status text of the last module operation, and the progress dialog of
    // the running one (null when none is open).
    QString lastMessage;
    QProgressDialog* progressDialog = nullptr;
    // Connecting skips the link's packet test.
    bool skipConnectionTest = false;
    // The ports last connected to, or the module's own names when none was
    // stored: where start-up and the end of an update connect.
    static QPair<QString, QString> storedMidiPorts();
    // Seconds left of a reconnection countdown.
    int countdown = 0;

    // Insert-effect presets by kind, and the graph's filter type -> the
    // program's EQ type byte.
    QMap<PresetType, QList<TPreset>> presetMap;
    QMap<int, uchar> eqIndexMap;

    // Page set-up, run once by the constructor (initEqPlot by main, once the
    // window is shown).
    void initEqPlot();

    // Time limits of operations that wait on the module or the DFU tool
    // without a reply of their own; tests shorten them.
    int endReportTimeoutMs = 30000;
    int dfuRunTimeoutMs = 5 * 60 * 1000;

public slots:
    // Small slots of the window (LyrForm.cpp).
    void skipTest(bool on);
    void onEditGmChannels();
    void exit();
    void onActionOpenPreferencesDialogTriggered();
    void showContextMenu(const QPoint& pos);

    // Connection flow (ConnectionFlow.cpp).
    void connectToModule();
    void connectToModule(QString inPort, QString outPort, bool verbose);
    QPair<QString, QString> chooseMidiPorts();
    void showProgressDialog();
    void closeProgressDialog();
    void message(QString text);

    // Programs block actions (ProgramActions.cpp).
    QString getLastPath();
    void saveProgramsToDisk();
    void loadProgramsFromDisk();
    void loadFactoryPrograms();
    void saveProgramsToModule();
    void loadProgramsFromModule();
    void initAllPrograms();
    void initCurrentProgram();
    void showCopyProgramDialog();
    void onProgramNameTextChanged(QString text);
    void loadProgramsFromModuleRam();
    void loadProgramsFromModuleFlash();
    void copyProgramsFromFlashToRam();

    // Wavetable and default program (WavetableActions.cpp).
    void loadWavetableFromFile();
    void loadWavetable(QString path);
    void loadWavetableFactory();
    void clearWavetable();
    void saveWavetableToFile();
    void saveCurrentProgramAsDefault();
    void clearDefaultProgram();

    // Instrument initialisation, help and exit (HelpActions.cpp).
    void initInstrument();
    void identify();
    void about();
    void manual();
    void onDeviceAdded(QString vendorId, QString productId);
    void onDeviceRemoved(QString vendorId, QString productId);

    // Firmware and data updates (FirmwareActions.cpp). writeOperation is
    // true when the image was written.
    bool writeOperation(QString const& dialogTitle, QString const& fileFilter, int operation, bool reconnect,
                        bool choosePorts);
    void writeOperationFromUsb(QString const& dialogTitle, QString const& fileFilter, int operation);

    // DFU programming (DfuProgramming.cpp).
    void dfuProgram();

    // Soundbank manager (Soundbanks.cpp). readSoundbankDir is true when the
    // directory was read.
    bool readSoundbankDir();
    void addSoundbank();
    void removeSoundbank(QModelIndex index);
    void removeAllSoundbanks();
    void updateSoundbankModel();

    // Developer tools (DeveloperTools.cpp); the on_ slots are connected by
    // name when the form is set up.
    void samTest();
    void samPanic();
    void systemReset();
    void samReset();
    void test();
    void testFlashReadWrite();
    void sendSamData();
    void on_insertOffRadioBtn_clicked();
    void on_insert1RadioBtn_clicked();
    void on_insert2RadioBtn_clicked();
    void on_hqDist2OnBtn_clicked();
    void on_hqDist2OffBtn_clicked();
    void on_hqDist2DriveDial_sliderMoved(int position);
    void on_secondRevSendDial_sliderMoved(int position);
    void on_secondRevLevelDial_sliderMoved(int position);

    // Edit handlers, one per widget family (EditHandlers.cpp).
    void onDialValueChanged(int value);
    void onComboBoxIndexChanged(int index);
    void onCheckBoxStateChanged(int state);
    void onRangeSliderLowValueChanged(unsigned int value);
    void onRangeSliderHighValueChanged(unsigned int value);
    void onLineEditReturnPressed();
    void onSliderValueChanged(int value);

    // Program, voice and preset selection (Selection.cpp).
    void onProgramButtonClicked(int id);
    void onVoiceButtonClicked(int id);
    void onVoiceChanged(uchar part, uchar family, uchar voice);
    void loadReverbPreset(int n);
    void loadChorusPreset(int n);

    // Reports from the module and GM reverb packets (Notifications.cpp).
    void onCommandReceived(uchar com, ushort size, const QByteArray& data);
    void onProgramChangeNotify(QByteArray data);
    void onControlChangeNotify(QByteArray data);
    void secondReverbControl(uchar param, uchar value);

    // Insert-EQ dialog and reset (EqualiserActions.cpp).
    void onEqEditButtonClicked();
    void onEqDialogChanged(int idx, double freq, double gain, double q, QMyParametricEq::Type type);
    void onEqResetButtonClicked();

    // Insert-effect presets (Presets.cpp).
    void initPresets();
    void loadPreset(PresetType type);
    void savePreset(PresetType type);
    void clearPresets(PresetType type);
    void loadPresetsFromDisk();
    void savePresetsToDisk();

    // Page refresh: program -> widgets, never the other way, never sent
    // (Refresh*.cpp).
    void updateAll();
    void updateProgramButtons();
    void updateProgramLabels();
    void updateProgramLabel(unsigned short n);
    void updateProgramName();
    void updateVoiceValues();
    void updateVoiceNames();
    void updateVoiceName(unsigned char part);
    void updateVoiceEnabled();
    void updateVelocityRange();
    void updateNoteRange();
    void updateAdsrPlot();
    void updateMorphing();
    void updateEffects();
    void updateEffectsSlotConfiguration();
    void updateInsertCompressor();
    void updateInsertDistorsor();
    void updateInsertHqDistorsor();
    void updateInsertDelay();
    void updateInsertEq();
    void updateEqPlot();
    void updateInsertMod();
    void updateInsertTremolo();
    void updateInsertWah();
    void updateReverb();
    void updateChorus();
    void updateOrganPage();
    void updateDrawbars();
    void updateRotaryPage();
    void updateMainPage();
    void updateProgress(int value, int min, int max);
    void updateProgressLabelText(QString text);

signals:
    void voiceChanged(uchar voice, uchar group, uchar num, uchar bnk, uchar pch);
    void voiceVariation(uchar voice, uchar com, uchar value);
    void voiceVariation16(uchar dato, uchar com, ushort value);
    void setupVariation(uchar com, uchar value);
    void organVariation(uchar drawbar, uchar com, uchar value);
    void infoMessage(const QString& msg);

protected:
    // Restores a range edit left without Return (PageSetup.cpp).
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Asks before the window closes (HelpActions.cpp).
    void closeEvent(QCloseEvent* event) override;
    // Keeps the progress dialog readable while the window is disabled
    // (ConnectionFlow.cpp).
    void changeEvent(QEvent* event) override;

private:
    // Page set-up, in the order the constructor runs it (PageSetup.cpp,
    // ControlTables.cpp).
    void initDials();
    void initButtons();
    void initProgramsButtons();
    void initProgramsLabels();
    void initComboBoxes();
    void initCheckBoxes();
    void initRangeSliders();
    void initLineEdits();
    void initSliders();
    // The maps of the families whose set-up does more than map them.
    void mapDials();
    void mapComboBoxes();
    void mapLineEdits();

    // Construction (LyrForm.cpp).
    void connectActions();
    // The directory reload of the menu and the page button, with its box.
    void reloadSoundbankDir();

    // Helpers and state of each concern, by file.
    // ConnectionFlow.cpp
    // Keeps the window disabled while a module operation runs and enables it
    // again on every way out, or earlier by release(). An operation that ends
    // later (a reconnection countdown, the module's end report) hands the
    // window over still disabled, and its ending adopts it.
    class Busy
    {
    public:
        enum Start { Disable, Adopt };
        explicit Busy(LyrForm* window, Start start = Disable);
        ~Busy();
        void release();
        void handOver();
    private:
        LyrForm* window;
    };

    // Running module operations (ConnectionFlow.cpp, DeveloperTools.cpp,
    // WavetableActions.cpp).
    // The link to the module; null when the application runs without one.
    // Every path to the module takes it from here, and without one acts as on
    // a link that is down: nothing is sent, every exchange fails at once.
    QMidiUtils* moduleLink() const;
    // The end of an operation that stops early: the progress dialog closed,
    // the warning shown (none when empty), the window given back.
    void endOperation(Busy& busy, const QString& warning = QString());
    // Programs block and wavetable into the module's flash, the window
    // disabled meanwhile.
    void storeInModule();
    // The data of ComSamSendData, which the module hands to its sound chip
    // as it is; and the packet that sets the chip's non-registered parameter
    // (msb, lsb) to value: F5 01, then B0 63 msb, B0 62 lsb, B0 06 value,
    // control changes on channel 1.
    void sendToSoundChip(QByteArray bytes);
    static QByteArray soundChipParameter(uchar msb, uchar lsb, uchar value);

    // ProgramActions.cpp
    // programs -> programsFlash (copyFirst) -> module flash -> module RAM ->
    // current program reloaded (reload); warns and is false when a step fails.
    bool commitToFlash(bool copyFirst, bool reload);
    // A programs image from a file into programs and the module; fromDisk
    // reports success in a box.
    void installPrograms(const QString& path, bool fromDisk);
    // One Debug-menu transfer, its boxes, then the pages refreshed.
    struct DebugTransfer;
    void runDebugTransfer(const DebugTransfer& transfer);

    // HelpActions.cpp
    // The end of the initialisation's countdown: the module's ports by name,
    // then the factory wavetable and programs.
    void reconnectAfterInit();

    // FirmwareActions.cpp
    // The first port whose name holds mark, case and all, each name logged
    // after log; empty when none does.
    static QString portWith(const QStringList& ports, const QString& mark, const char* log);
    // The reconnection countdown after a firmware write or an instrument
    // initialisation: 1000 ms ticks that show countdown from 15 down to 0,
    // and the ending on the sixteenth.
    void startCountdown(void (LyrForm::*ending)());
    void reconnectAfterUpdate();
    QTimer* countdownTimer = nullptr;
    void (LyrForm::*countdownEnding)() = nullptr;
    // An operation the module runs by itself (samTest, the USB stick's jobs)
    // ends with its end report, which gives the window back. The watch gives
    // up when the link goes down or no frame came for endReportTimeoutMs:
    // the window is enabled again and failure, if any, is shown.
    void watchEndReport(const QString& failure);
    void stopEndReportWatch();
    QTimer* endReportWatch = nullptr;
    QMetaObject::Connection endReportFrames;
    qint64 lastFrameAt = 0;
    QString endReportFailure;
private slots:
    void countdownTick();
    void checkEndReport();
private:
    // Soundbanks.cpp
    // The descriptor of an open soundbank file read from position 0: true
    // with its text, size and position when the header and sizes hold.
    bool extractSoundbankDescriptorFromSbk(QFile* file, TSoundBankDescriptor* descriptor);
    // A removal request (a soundbank's index, or all of them) to the module;
    // when it is taken, dropVoices takes their voices out of the wavetable,
    // which is saved. The directory is read back whatever happened; true
    // when every step worked.
    bool removeFromModule(uint32_t request, const std::function<void()>& dropVoices);

    // DeveloperTools.cpp
    // Checks insert radio button which (off, 1, 2) alone and sends its
    // routing.
    void selectInsertRouting(int which);

    // EditHandlers.cpp: the handlers' single jobs.
    // Widgets known by identity rather than by their record; true when the
    // sender was one of them and has been dealt with.
    bool dialByIdentity(QMyDial* dial, int value);
    bool comboBoxByIdentity(QComboBox* combo, int index);
    // The insert slots' selectors: the slot byte, then the slot's effects
    // switched so that the chosen one alone is on.
    void selectInsertSlot1(quint32 choice);
    void selectInsertSlot2(quint32 choice);
    void chooseInsertEffect(int slot, quint8 choice);
    // An effect's on flag switched and sent only when it changes; true when
    // it was turned off.
    bool switchEffectOff(quint8& flag, quint8 param);
    void switchEffectOn(quint8& flag, quint8 param);
    // The setup volumes, and the organ command's edits by widget family.
    void setupDialChanged(const TControl& record, quint8 value);
    void organDialChanged(const TControl& record, quint8 value);
    void organComboBoxChanged(const TControl& record, quint32 data);
    void organCheckBoxChanged(const TControl& record, quint8 state);
    // Plots that draw what a dial just stored.
    void mirrorDialInPlots(const TControl& record, int value);

    Ui_LyrForm* ui = nullptr;
    Prompts* prompts = nullptr;
    std::unique_ptr<Prompts> ownPrompts;
    bool developerMode = false;

    // The 128 program buttons and the three voice buttons, each by id.
    QButtonGroup* programButtonGroup = nullptr;
    QButtonGroup* voiceButtonGroup = nullptr;
    // Marker labels inside the program buttons, by program.
    QList<QLabel*> programLabels;
    // Where each program button carries its colour marker.
    static constexpr QRect programMarkerGeometry { 4, 4, 8, 15 };
    // The program list's least width as the form gives it; the names widen it.
    int programListLeastWidth = 0;
    // The range edits accept 0..127.
    QIntValidator* rangeValidator = nullptr;
};
