// The main window form as the rest of the editor relies on it: the object
// names and classes the pages, the refresh and the developer tools reach
// widgets by, the group boxes that are hidden or disabled as a whole, the
// menus with their actions, and the few behaviours the form carries itself.

#include "Startup.h"
#include "TestSupport.h"
#include "ui_LyrForm.h"

#include <QDir>
#include <QLineEdit>
#include <QSet>
#include <QTranslator>

namespace {

// Every object a later part of the editor addresses by name. A row names one
// object, or several when the pattern holds %1 and "each" lists what goes in
// its place. "inside" is the group box (or page) that must hold it, because
// the editor hides and disables these boxes as a whole.
struct Named
{
    const char* pattern;
    const char* each;
    const char* className;
    const char* inside;
};

const Named formObjects[] = {
    //  object name                          each                          class                   inside
    // Edit page
    { "enableCheckBox%1",                    "1 2 3",                      "QCheckBox",            "groupBox_12" },
    { "voice%1Button",                       "1 2 3",                      "QPushButton",          "groupBox_12" },
    { "sustainCheckBox%1",                   "1 2 3",                      "QCheckBox",            "groupBox_12" },
    { "range%1LineEdit1",                    "Low High",                   "QLineEdit",            "groupBox_13" },
    { "range%1LineEdit2",                    "Low High",                   "QLineEdit",            "groupBox_13" },
    { "range%1LineEdit3",                    "Low High",                   "QLineEdit",            "groupBox_13" },
    { "velo%1LineEdit1",                     "Low High",                   "QLineEdit",            "groupBox_13" },
    { "velo%1LineEdit2",                     "Low High",                   "QLineEdit",            "groupBox_13" },
    { "velo%1LineEdit3",                     "Low High",                   "QLineEdit",            "groupBox_13" },
    { "rangeKeyboard%1",                     "1 2 3",                      "QMyKeyboard",          "groupBox_13" },
    { "rangeSlider%1",                       "1 2 3",                      "QMyRangeSlider",       "groupBox_13" },
    { "veloRangeSlider%1",                   "1 2 3",                      "QMyRangeSlider",       "groupBox_13" },
    { "morphingOnOffCheckBox",               "",                           "QCheckBox",            "groupBox_11" },
    { "voice%1MorphingComboBox",             "1 2 3",                      "QComboBox",            "groupBox_11" },
    { "morphing%1CheckBox",                  "ModWheel SustainToggle Sustain Aftertouch", "QCheckBox", "groupBox_11" },
    { "volDial%1",                           "1 2 3",                      "QMyDial",              "groupBoxParameters" },
    { "shiftDial%1",                         "1 2 3",                      "QMyDial",              "groupBoxParameters" },
    { "tuneDial%1",                          "1 2 3",                      "QMyDial",              "groupBoxParameters" },
    { "panDial%1",                           "1 2 3",                      "QMyDial",              "groupBoxParameters" },
    { "modulationComboBox%1",                "1 2 3",                      "QComboBox",            "groupBox_16" },
    { "attackDial%1",                        "1 2 3",                      "QMyDial",              "groupBoxAdsr" },
    { "decayDial%1",                         "1 2 3",                      "QMyDial",              "groupBoxAdsr" },
    { "releaseDial%1",                       "1 2 3",                      "QMyDial",              "groupBoxAdsr" },
    { "adrWidget%1",                         "1 2 3",                      "QMyAdsrPlot",          "groupBoxAdsr" },
    { "cutOffDial%1",                        "1 2 3",                      "QMyDial",              "groupBoxFilter" },
    { "resoDial%1",                          "1 2 3",                      "QMyDial",              "groupBoxFilter" },
    { "dynFiltDial%1",                       "1 2 3",                      "QMyDial",              "groupBoxFilter" },
    { "chorusSendDial%1",                    "1 2 3",                      "QMyDial",              "groupBox_15" },
    { "reverbSendDial%1",                    "1 2 3",                      "QMyDial",              "groupBox_15" },
    { "reverbChorusEditButton",              "",                           "QPushButton",          "groupBox_15" },
    { "insertCheckBox%1",                    "1 2 3",                      "QCheckBox",            "groupBoxEffectSends" },
    { "insert%1Dial",                        "Chorus Reverb",              "QMyDial",              "groupBoxEffectSends" },
    { "editEfxPushButton",                   "",                           "QPushButton",          "groupBoxEffectSends" },
    { "colorComboBox",                       "",                           "QComboBox",            "groupBox_5" },
    // Insert page
    { "insertConfigurationComboBox",         "",                           "QComboBox",            "groupBox_10" },
    { "insert%1Dial",                        "Gain Level",                 "QMyDial",              "groupBox_10" },
    { "hqDistorsorCheckBox",                 "",                           "QCheckBox",            "groupBox_14" },
    { "hqDistorsorBoostCheckBox",            "",                           "QCheckBox",            "groupBox_14" },
    { "hqDistorsorTypeComboBox",             "",                           "QComboBox",            "groupBox_14" },
    { "hqDistorsor%1Dial",                   "Drive Bias Brightness Level", "QMyDial",             "groupBox_14" },
    { "hqDistorsor%1Label",                  "Type Drive Bias Brightness Level", "QLabel",         "groupBox_14" },
    { "insertSlot1ComboBox",                 "",                           "QComboBox",            "groupBox_3" },
    { "distorsorOnOffCheckBox",              "",                           "QCheckBox",            "groupBoxDistorsor" },
    { "distorsorTypeComboBox",               "",                           "QComboBox",            "groupBoxDistorsor" },
    { "distorsor%1Dial",                     "Drive BrightIn BrightOut Level", "QMyDial",          "groupBoxDistorsor" },
    { "distorsor%1Label",                    "Type Drive BrighthIn BrightOut Level", "QLabel",     "groupBoxDistorsor" },
    { "compressorOnOffCheckBox",             "",                           "QCheckBox",            "groupBoxCompressor" },
    { "compressor%1Dial",                    "Attack Release Ratio Threshold MakeUpGain", "QMyDial", "groupBoxCompressor" },
    { "compressor%1Label",                   "Attack Release Ratio Threshold MakeUpGain", "QLabel",  "groupBoxCompressor" },
    { "eqOnOffCheckBox",                     "",                           "QCheckBox",            "groupBoxEq" },
    { "eq%1Button",                          "Edit Reset",                 "QPushButton",          "groupBoxEq" },
    { "parametricEqPlot",                    "",                           "QMyParametricEqPlot",  "groupBoxEq" },
    { "eq%1BandComboBox",                    "Low MidLow MidHigh High",    "QComboBox",            "groupBoxEq" },
    { "eq%1BandGainDial",                    "Low MidLow MidHigh High",    "QMyDial",              "groupBoxEq" },
    { "eq%1BandFreqDial",                    "Low MidLow MidHigh High",    "QMyDial",              "groupBoxEq" },
    { "eq%1BandQDial",                       "Low MidLow MidHigh High",    "QMyDial",              "groupBoxEq" },
    { "eq%1BandTypeLabel",                   "Low MidLow MidHigh High",    "QLabel",               "groupBoxEq" },
    { "eq%1BandGainLabel",                   "Low MidLow MidHigh High",    "QLabel",               "groupBoxEq" },
    { "eq%1BandFreqLabel",                   "Low MidLow MidHigh High",    "QLabel",               "groupBoxEq" },
    { "eq%1BandQLabel",                      "Low MidLow MidHigh High",    "QLabel",               "groupBoxEq" },
    { "insertSlot2ComboBox",                 "",                           "QComboBox",            "groupBox_4" },
    { "wahOnOffCheckBox",                    "",                           "QCheckBox",            "groupBoxWah" },
    { "wah%1ComboBox",                       "Type Filter",                "QComboBox",            "groupBoxWah" },
    { "wah%1Dial",                           "Freq Resonance Sensitivity Decay LfoAmount LfoRate", "QMyDial", "groupBoxWah" },
    { "wah%1Label",                          "Type Filter Freq Resonance Sensitivity Decay LfoAmount LfoRate", "QLabel", "groupBoxWah" },
    { "wahLfoPlot",                          "",                           "QMyLfoPlot",           "groupBoxWah" },
    { "wahLfoRateLed",                       "",                           "QMyLed",               "groupBoxWah" },
    { "tremoloOnOffCheckBox",                "",                           "QCheckBox",            "groupBoxTremolo" },
    { "tremolo%1ComboBox",                   "Type Shape",                 "QComboBox",            "groupBoxTremolo" },
    { "tremolo%1Dial",                       "Depth Rate",                 "QMyDial",              "groupBoxTremolo" },
    { "tremolo%1Label",                      "Type Shape Depth Rate",      "QLabel",               "groupBoxTremolo" },
    { "tremoloLfoPlot",                      "",                           "QMyLfoPlot",           "groupBoxTremolo" },
    { "tremoloRateLed",                      "",                           "QMyLed",               "groupBoxTremolo" },
    { "modOnOffCheckBox",                    "",                           "QCheckBox",            "groupBoxModulation" },
    { "mod%1ComboBox",                       "Type Wave",                  "QComboBox",            "groupBoxModulation" },
    { "mod%1Dial",                           "DryWet Depth Rate Delay Feedback", "QMyDial",        "groupBoxModulation" },
    { "mod%1Label",                          "Type Wave DryWet Depth Rate Delay Feedback", "QLabel", "groupBoxModulation" },
    { "modLfoPlot",                          "",                           "QMyLfoPlot",           "groupBoxModulation" },
    { "modRateLed",                          "",                           "QMyLed",               "groupBoxModulation" },
    { "mod%1Dial",                           "FastRate AccelerationTime BrakeTime Directovity MicAngle", "QMyDial", "groupBoxRotor" },
    { "mod%1Label",                          "FastRate AccelerationTime BrakeTime Directivity MicAngle", "QLabel",  "groupBoxRotor" },
    { "modSlowFastCheckBox",                 "",                           "QCheckBox",            "groupBoxRotor" },
    { "modFastRateLed",                      "",                           "QMyLed",               "groupBoxRotor" },
    { "delayOnOffCheckBox",                  "",                           "QCheckBox",            "groupBox_9" },
    { "delayTypeComboBox",                   "",                           "QComboBox",            "groupBox_9" },
    { "delay%1Dial",                         "Cutoff Time Feedback Damping Level", "QMyDial",      "groupBox_9" },
    { "delay%1Label",                        "Type Time Feedback Cutoff Damping Lavel", "QLabel",  "groupBox_9" },
    { "feedToRotaryCheckBox",                "",                           "QCheckBox",            "groupBox_8" },
    { "editRotaryPushButton",                "",                           "QPushButton",          "groupBox_8" },
    // Organ page
    { "organOnOffCheckBox",                  "",                           "QCheckBox",            "groupBox_7" },
    { "organ%1Dial",                         "Shift KeyClick Volume",      "QMyDial",              "groupBox_7" },
    { "organ%1Label",                        "Shift KeyClick Volume",      "QLabel",               "groupBox_7" },
    { "drawbar%1Slider",                     "1 2 3 4 5 6 7 8 9",          "QSlider",              "groupBoxDrawbars" },
    { "drawbar%1Label",                      "1 2 3 4 5 6 7 8 9",          "QLabel",               "groupBoxDrawbars" },
    { "organVibratoChorusOnOffCheckBox",     "",                           "QCheckBox",            "groupBoxVibratoChorus" },
    { "organVibratoChorusTypeComboBox",      "",                           "QComboBox",            "groupBoxVibratoChorus" },
    { "organPercussionOnOffCheckBox",        "",                           "QCheckBox",            "groupBoxPercussion" },
    { "organPercussion%1ComboBox",           "Type Decay Level",           "QComboBox",            "groupBoxPercussion" },
    { "organ%1Dial",                         "Chorus Reverb",              "QMyDial",              "groupBoxOrganEfx" },
    // Rotary page
    { "organSlowFastComboBox",               "",                           "QComboBox",            "groupBoxRotary" },
    { "organDriveCheckBox",                  "",                           "QCheckBox",            "groupBoxRotary" },
    { "organRotary%1CheckBox",               "Sustain SustainToggle ModWheel Aftertouch", "QCheckBox", "groupBoxRotary" },
    { "organ%1Dial",                         "ReflectionIntensity ReflectionDelayTime DirectSoundLevel", "QMyDial", "groupBoxReflections" },
    { "organHighRotor%1Dial",                "Volume HP SlowSpeed FastSpeed AccTime DecTime BrakeTime AMDepth FMDepth DriveAmount DriveLP", "QMyDial", "groupBoxHighRotor" },
    { "organLowRotor%1Dial",                 "Volume LP SlowSpeed FastSpeed AccTime DecTime BrakeTime AMDepth FMDepth DriveAmount DriveLP", "QMyDial", "groupBoxLowRotor" },
    // Chorus/Reverb page
    { "chorus%1ComboBox",                    "Preset Type Wave",           "QComboBox",            "effectsGroupBox" },
    { "chorus%1Dial",                        "Rate Depth Delay Feedback PreLpFilter Level", "QMyDial", "effectsGroupBox" },
    { "chorus%1Label",                       "Type Wave Rate Depth Delay Feedback PreLpFilter Level", "QLabel", "effectsGroupBox" },
    { "reverb%1ComboBox",                    "Preset Type Size",           "QComboBox",            "groupBox" },
    { "reverb%1Dial",                        "Time HDamp PreHpFilter PreLPFilter HighShelfFreq HighShelfGain PreDelayTime Feedback Level", "QMyDial", "groupBox" },
    { "reverb%1Label",                       "Type Size Time HDamp PreHpFilter PreLPFilter HighShelfFreq HighShelfGain PreDelayTime Feedback Level", "QLabel", "groupBox" },
    // Main page
    { "%1VolDial",                           "main gm",                    "QMyDial",              "groupBox_17" },
    { "reverbGm%1ComboBox",                  "Type Size",                  "QComboBox",            "gmReverbGroupBox" },
    { "reverbGm%1Dial",                      "Time HDamp PreHpFilter PreLPFilter HighShelfFreq HighShelfGain PreDelayTime Er Level", "QMyDial", "gmReverbGroupBox" },
    // Soundbanks page
    { "soundbankTreeView",                   "",                           "QTreeView",            "soundbankTab" },
    { "%1Button",                            "addSoundbank removeSoundbank eraseDirectory getDirectory", "QPushButton", "groupBoxSoundbank" },
    // Debug page
    { "plainTextEdit",                       "",                           "QPlainTextEdit",       "groupBox_2" },
    { "progressBar",                         "",                           "QProgressBar",         "groupBox_2" },
    { "byte%1LineEdit",                      "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15", "QLineEdit", "groupBox_18" },
    { "%1PushButton",                        "clear sendSamData",          "QPushButton",          "groupBox_18" },
    { "%1Button",                            "identify appReset samReset test", "QPushButton",     "groupBoxUpdate" },
    { "secondRev%1Dial",                     "Send Level",                 "QDial",                "groupBox_20" },
    { "insert%1RadioBtn",                    "Off 1 2",                    "QRadioButton",         "groupBox_19" },
    { "hqDist2%1Btn",                        "On Off",                     "QPushButton",          "groupBox_19" },
    { "hqDist2DriveDial",                    "",                           "QDial",                "groupBox_19" },
    { "%1RadioButton",                       "read write compare",         "QRadioButton",         "groupBox_6" },
    { "addressLineEdit",                     "",                           "QLineEdit",            "groupBox_6" },
    { "sizeComboBox",                        "",                           "QComboBox",            "groupBox_6" },
    { "samFlashGoPushButton",                "",                           "QPushButton",          "groupBox_6" },
    // Around the pages
    { "programLineEdit",                     "",                           "QLineEdit",            "scrollAreaWidgetContents" },
    { "programsScrollAreaWidgetContents",    "",                           "QWidget",              "programsScrollArea" },
    { "centralTabWidget",                    "",                           "QTabWidget",           "scrollAreaWidgetContents" },
};

// The pages of centralTabWidget in tab order, and the group boxes on each.
struct Page
{
    const char* name;
    const char* title;
    const char* groups;
};

const Page formPages[] = {
    { "editTab",         "Edit",          "groupBox_12 groupBox_13 groupBox_11 groupBoxParameters groupBox_16 groupBoxAdsr "
                                          "groupBoxFilter groupBox_15 groupBoxEffectSends groupBox_5" },
    { "effectsTab",      "Insert",        "groupBox_10 groupBox_14 groupBox_3 groupBoxDistorsor groupBoxCompressor groupBoxEq "
                                          "groupBox_4 groupBoxWah groupBoxTremolo groupBoxModulation groupBoxRotor groupBox_9 groupBox_8" },
    { "organTab",        "Organ",         "groupBox_7 groupBoxDrawbars groupBoxVibratoChorus groupBoxPercussion groupBoxOrganEfx" },
    { "rotaryTab",       "Rotary",        "groupBoxRotary groupBoxReflections groupBoxHighRotor groupBoxLowRotor" },
    { "chorusReverbTab", "Chorus/Reverb", "effectsGroupBox groupBox" },
    { "mainTab",         "Main",          "groupBox_17 gmReverbGroupBox" },
    { "soundbankTab",    "Soundbanks",    "groupBoxSoundbank" },
    { "setupTab",        "Debug",         "groupBox_2 groupBox_18 groupBoxUpdate groupBox_20 groupBox_19 groupBox_6" },
};

// The menu bar, menu by menu; "|" is a separator line.
struct Menu
{
    const char* name;
    const char* title;
    const char* entries;
};

const Menu formMenus[] = {
    { "menuFile",       "File",       "actionConnect actionIdentify | actionInitInstrument | actionPreferences | actionExit" },
    { "menuPrograms",   "Programs",   "actionInitCurrentProgram actionInitPrograms actionLoadFactoryPrograms | "
                                      "actionSaveProgramsToModule actionLoadProgramsFromModule | "
                                      "actionSaveProgramsToDisk actionLoadProgramsFromDisk | "
                                      "actionCopyProgram actionSaveCurrentProgramAsDefault actionClearDefaultProgram" },
    { "menuWavetable",  "Wavetable",  "actionClearWavetable actionLoadWavetableFromDisk actionSaveWavetable actionLoadWavetableFactory" },
    { "menuSetup",      "Setup",      "| actionUpdateLoader actionUpdateApplication actionUpdateFirmware actionUpdatePcm actionUpdateParameters | "
                                      "actionUpdatePcmFromUsb actionUpdateParametersFromUsb | "
                                      "actionComparePcmFromUsb actionCompareParametersFromUsb | actionSkipTest" },
    { "menuSoundbanks", "Soundbanks", "actionAddSoundbank actionRemoveSoundbank actionEraseDirectory | actionGetDirectory" },
    { "menuTools",      "Tools",      "actionSamTest" },
    { "menuGM",         "GM",         "actionEditGMChannels" },
    { "menuHelp",       "Help",       "actionPanic actionAbout actionOpenManual" },
    { "menuDebug",      "Debug",      "actionCopyProgramsFromFlashToRam actionLoadProgramsFromModuleRam actionLoadProgramsFromModuleFlash | "
                                      "actionEnableChecksumControl actionShowNotConnectedWarning" },
};

// Every action with what the user reads and presses. A null tool tip is the
// one Qt derives from the text; check: 0 plain, 1 checkable, 2 checked.
struct Action
{
    const char* name;
    const char* text;
    const char* toolTip;
    const char* shortcut;
    int check;
};

const Action formActions[] = {
    //  action                                text                                  tool tip                     shortcut        check
    { "actionConnect",                      "Connect",                            nullptr,                     "",             0 },
    { "actionIdentify",                     "Identify",                           nullptr,                     "",             0 },
    { "actionInitInstrument",               "Init Instrument",                    nullptr,                     "",             0 },
    { "actionPreferences",                  "Preferences",                        nullptr,                     "",             0 },
    { "actionExit",                         "Exit",                               nullptr,                     "Ctrl+Q",       0 },
    { "actionInitCurrentProgram",           "Init Current Program",               "Init Current Program",      "Ctrl+Shift+I", 0 },
    { "actionInitPrograms",                 "Init Programs",                      nullptr,                     "Ctrl+I",       0 },
    { "actionLoadFactoryPrograms",          "Load Factory Programs",              nullptr,                     "",             0 },
    { "actionSaveProgramsToModule",         "Save Programs",                      "Save Programs To Module",   "Ctrl+S",       0 },
    { "actionLoadProgramsFromModule",       "Load Programs",                      "Load Programs",             "Ctrl+L",       0 },
    { "actionSaveProgramsToDisk",           "Save Programs To File ...",          "Save Programs To File",     "Ctrl+Shift+S", 0 },
    { "actionLoadProgramsFromDisk",         "Load Programs From File ...",        "Load Programs From File",   "Ctrl+Shift+L", 0 },
    { "actionCopyProgram",                  "Copy Program ...",                   "Copy Program ...",          "Ctrl+C",       0 },
    { "actionSaveCurrentProgramAsDefault",  "Save Program As Default",            nullptr,                     "",             0 },
    { "actionClearDefaultProgram",          "Clear Default Program",              nullptr,                     "",             0 },
    { "actionClearWavetable",               "Clear Wavetable",                    "Clear Wavetable",           "",             0 },
    { "actionLoadWavetableFromDisk",        "Load Wavetable ...",                 "Load Wavetable ...",        "Ctrl+W",       0 },
    { "actionSaveWavetable",                "Save Wavetable ...",                 nullptr,                     "",             0 },
    { "actionLoadWavetableFactory",         "Load Factory Wavetable",             "Load Factory Wavetable",    "Ctrl+Shift+W", 0 },
    { "actionUpdateLoader",                 "Update Loader",                      nullptr,                     "",             0 },
    { "actionUpdateApplication",            "Update Application",                 nullptr,                     "",             0 },
    { "actionUpdateFirmware",               "Update DSP Firmware",                "Update DSP Firmware",       "",             0 },
    { "actionUpdatePcm",                    "Update Pcm",                         nullptr,                     "",             0 },
    { "actionUpdateParameters",             "Update Parameters",                  "Update Parameters",         "",             0 },
    { "actionUpdatePcmFromUsb",             "Update Pcm (USB)",                   nullptr,                     "",             0 },
    { "actionUpdateParametersFromUsb",      "Update Parameters (USB)",            nullptr,                     "",             0 },
    { "actionComparePcmFromUsb",            "Compare Pcm (USB)",                  nullptr,                     "",             0 },
    { "actionCompareParametersFromUsb",     "Compare Parameters (USB)",           nullptr,                     "",             0 },
    { "actionSkipTest",                     "Recovery Mode",                      nullptr,                     "",             1 },
    { "actionAddSoundbank",                 "Add ...",                            "Add Soundbank",             "",             0 },
    { "actionRemoveSoundbank",              "Remove",                             nullptr,                     "",             0 },
    { "actionEraseDirectory",               "Clear",                              nullptr,                     "",             0 },
    { "actionGetDirectory",                 "Reload",                             nullptr,                     "",             0 },
    { "actionSamTest",                      "Test",                               nullptr,                     "",             0 },
    { "actionEditGMChannels",               "Edit GM Channels",                   nullptr,                     "",             0 },
    { "actionPanic",                        "Panic!",                             nullptr,                     "",             0 },
    { "actionAbout",                        "About",                              nullptr,                     "",             0 },
    { "actionOpenManual",                   "Open Manual",                        nullptr,                     "F1",           0 },
    { "actionCopyProgramsFromFlashToRam",   "Copy Programs From FLAHS to RAM",    nullptr,                     "",             0 },
    { "actionLoadProgramsFromModuleRam",    "Load Programs From Module (RAM)",    nullptr,                     "",             0 },
    { "actionLoadProgramsFromModuleFlash",  "Load Programs From Module (FLASH)",  nullptr,                     "",             0 },
    { "actionEnableChecksumControl",        "Checksum Control",                   nullptr,                     "",             2 },
    { "actionShowNotConnectedWarning",      "Show Not Connected Warning",         nullptr,                     "",             2 },
    { "actionSaveProgram",                  "Save Program",                       nullptr,                     "",             0 },
    { "actionTest",                         "Test",                               "Test",                      "",             0 },
    { "actionDfuProgramming",               "DFU Programming",                    nullptr,                     "",             0 },
};

QStringList words(const char* list)
{
    return QString(list).split(' ', Qt::SkipEmptyParts);
}

// The object names a row stands for.
QStringList namesOf(const Named& row)
{
    const QString pattern(row.pattern);
    if (!pattern.contains("%1"))
        return { pattern };
    QStringList names;
    for (const QString& w : words(row.each))
        names << pattern.arg(w);
    return names;
}

// Records which texts the form asks to be translated, and marks every
// translation so a text that bypassed translate() stands out.
class MarkingTranslator : public QTranslator
{
public:
    static constexpr QChar Mark = u'\u00bb';
    mutable QSet<QString> asked;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (qstrcmp(context, "LyrForm") != 0)
            return {};
        asked.insert(QString::fromUtf8(source));
        return Mark + QString::fromUtf8(source);
    }
};

// A window with the developer page's slots that the form connects by name.
class ToolWindow : public QMainWindow
{
    Q_OBJECT
public:
    QStringList calls;
public slots:
    void on_insertOffRadioBtn_clicked() { calls << "no insert"; }
    void on_insert1RadioBtn_clicked() { calls << "insert 1"; }
    void on_insert2RadioBtn_clicked() { calls << "insert 2"; }
    void on_hqDist2OnBtn_clicked() { calls << "hq on"; }
    void on_hqDist2OffBtn_clicked() { calls << "hq off"; }
    void on_hqDist2DriveDial_sliderMoved(int position) { calls << QString("drive %1").arg(position); }
    void on_secondRevSendDial_sliderMoved(int position) { calls << QString("send %1").arg(position); }
    void on_secondRevLevelDial_sliderMoved(int position) { calls << QString("level %1").arg(position); }
};

} // namespace

class TestForm : public QObject
{
    Q_OBJECT
    QMainWindow* window = nullptr;
    Ui_LyrForm* ui = nullptr;

    template <typename T = QWidget>
    T* find(const QString& name) const { return window->findChild<T*>(name); }

private slots:
    void initTestCase()
    {
        configurePalette();
    }

    void init()
    {
        // A by-name slot that finds no signal only warns: make it fail.
        QTest::failOnWarning(QRegularExpression("connectSlotsByName"));
        window = new QMainWindow;
        ui = new Ui_LyrForm;
        ui->setupUi(window);
    }

    void cleanup()
    {
        delete ui;
        ui = nullptr;
        delete window;
        window = nullptr;
    }

    void namedObjectsExistWithTheirClass_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("inside");
        for (const Named& row : formObjects)
            for (const QString& name : namesOf(row))
                QTest::newRow(qPrintable(name)) << QString(row.className) << QString(row.inside);
    }
    void namedObjectsExistWithTheirClass()
    {
        const QString name = QTest::currentDataTag();
        QFETCH(QString, className);
        QFETCH(QString, inside);
        const QList<QWidget*> found = window->findChildren<QWidget*>(name);
        QCOMPARE(found.size(), 1);
        QCOMPARE(found[0]->metaObject()->className(), className);
        QWidget* box = find(inside);
        QVERIFY2(box && box->isAncestorOf(found[0]), qPrintable(name + " is not inside " + inside));
    }

    void pagesInTabOrderWithTheirGroups_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("groups");
        int index = 0;
        for (const Page& page : formPages)
            QTest::newRow(page.name) << index++ << QString(page.title) << words(page.groups);
    }
    void pagesInTabOrderWithTheirGroups()
    {
        QFETCH(int, index);
        QFETCH(QString, title);
        QFETCH(QStringList, groups);
        QCOMPARE(ui->centralTabWidget->count(), int(std::size(formPages)));
        QWidget* page = ui->centralTabWidget->widget(index);
        QCOMPARE(page->objectName(), QString(QTest::currentDataTag()));
        QCOMPARE(ui->centralTabWidget->tabText(index), title);
        for (const QString& name : groups) {
            auto* box = find<QGroupBox>(name);
            QVERIFY2(box && page->isAncestorOf(box), qPrintable(name));
        }
    }

    // The control records and the refresh cover every knob, list, box and
    // fader of the pages by name: an unnamed extra one would be dead.
    void everyEditingWidgetIsANamedOne_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<int>("count");
        QTest::newRow("dials") << "QMyDial" << 144;
        QTest::newRow("combo boxes") << "QComboBox" << 37;
        QTest::newRow("check boxes") << "QCheckBox" << 33;
        QTest::newRow("drawbars") << "QSlider" << 9;
        QTest::newRow("range sliders") << "QMyRangeSlider" << 6;
        QTest::newRow("plain dials") << "QDial" << 3;
        QTest::newRow("keyboards") << "QMyKeyboard" << 3;
        QTest::newRow("envelopes") << "QMyAdsrPlot" << 3;
        QTest::newRow("lfo plots") << "QMyLfoPlot" << 3;
        QTest::newRow("leds") << "QMyLed" << 4;
        QTest::newRow("eq plot") << "QMyParametricEqPlot" << 1;
    }
    void everyEditingWidgetIsANamedOne()
    {
        QFETCH(QString, className);
        QFETCH(int, count);
        QSet<QString> named;
        for (const Named& row : formObjects)
            for (const QString& name : namesOf(row))
                if (row.className == className)
                    named.insert(name);
        QSet<QString> inForm;
        for (QWidget* w : window->findChildren<QWidget*>())
            if (w->metaObject()->className() == className)
                inForm.insert(w->objectName());
        QCOMPARE(inForm, named);
        QCOMPARE(inForm.size(), count);
    }

    void menusInOrderWithTheirEntries()
    {
        const QList<QAction*> bar = ui->menubar->actions();
        QCOMPARE(bar.size(), int(std::size(formMenus)));
        for (int m = 0; m < bar.size(); ++m) {
            const Menu& expected = formMenus[m];
            QMenu* menu = bar[m]->menu();
            QVERIFY(menu);
            QCOMPARE(menu->objectName(), QString(expected.name));
            QCOMPARE(menu->title(), QString(expected.title));
            QStringList entries;
            for (QAction* a : menu->actions())
                entries << (a->isSeparator() ? QString("|") : a->objectName());
            QCOMPARE(entries, words(expected.entries));
        }
    }

    void actionsWithTheirTextsAndKeys_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<QKeySequence>("shortcut");
        QTest::addColumn<int>("check");
        for (const Action& a : formActions) {
            // Without a tool tip of its own an action shows its text, less "...".
            const QString tip = a.toolTip ? a.toolTip : QString(a.text).remove("...").trimmed();
            QTest::newRow(a.name) << QString(a.text) << tip << QKeySequence(a.shortcut) << a.check;
        }
    }
    void actionsWithTheirTextsAndKeys()
    {
        QFETCH(QString, text);
        QFETCH(QString, toolTip);
        QFETCH(QKeySequence, shortcut);
        QFETCH(int, check);
        auto* action = window->findChild<QAction*>(QTest::currentDataTag());
        QVERIFY(action);
        QCOMPARE(action->parent(), window);
        QCOMPARE(action->text(), text);
        QCOMPARE(action->toolTip(), toolTip);
        QCOMPARE(action->shortcut(), shortcut);
        QCOMPARE(action->isCheckable(), check > 0);
        QCOMPARE(action->isChecked(), check == 2);
    }

    void actionsOutsideTheMenus()
    {
        QSet<QAction*> inMenus;
        for (QMenu* menu : ui->menubar->findChildren<QMenu*>())
            for (QAction* a : menu->actions())
                inMenus.insert(a);
        QStringList outside;
        for (const Action& a : formActions) {
            auto* action = window->findChild<QAction*>(a.name);
            if (!inMenus.contains(action))
                outside << a.name;
        }
        QCOMPARE(outside, QStringList({ "actionSaveProgram", "actionTest", "actionDfuProgramming" }));
        // Kept out of an application menu a platform might move it to.
        QCOMPARE(ui->actionTest->menuRole(), QAction::NoRole);
    }

    void everyTextGoesThroughTheFormContext()
    {
        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        ui->retranslateUi(window);
        QCoreApplication::removeTranslator(&translator);

        const QChar mark = MarkingTranslator::Mark;
        QStringList bypassed;
        auto check = [&](const QObject* o, const QString& what, const QString& text) {
            if (!text.isEmpty() && !text.startsWith(mark))
                bypassed << o->objectName() + " " + what + ": " + text;
        };
        check(window, "title", window->windowTitle());
        for (QLabel* l : window->findChildren<QLabel*>())
            check(l, "text", l->text());
        for (QAbstractButton* b : window->findChildren<QAbstractButton*>())
            check(b, "text", b->text());
        for (QGroupBox* g : window->findChildren<QGroupBox*>())
            check(g, "title", g->title());
        for (QComboBox* c : window->findChildren<QComboBox*>())
            for (int i = 0; i < c->count(); ++i)
                check(c, "item", c->itemText(i));
        for (QLineEdit* e : window->findChildren<QLineEdit*>()) {
            check(e, "placeholder", e->placeholderText());
            check(e, "text", e->text());
        }
        for (int i = 0; i < ui->centralTabWidget->count(); ++i)
            check(ui->centralTabWidget, "tab", ui->centralTabWidget->tabText(i));
        for (QMenu* m : window->findChildren<QMenu*>())
            check(m, "title", m->title());
        for (const Action& a : formActions) {
            auto* action = window->findChild<QAction*>(a.name);
            check(action, "text", action->text());
            if (a.toolTip)
                check(action, "tool tip", action->toolTip());
            if (a.shortcut[0])
                QVERIFY2(translator.asked.contains(a.shortcut), a.shortcut);
        }
        QVERIFY2(bypassed.isEmpty(), qPrintable(bypassed.join('\n')));
        QVERIFY(translator.asked.contains("HH"));
    }

    void builtOnTheLastPageWithTheFirstSize()
    {
        QCOMPARE(ui->centralTabWidget->currentIndex(), 7);
        QCOMPARE(ui->centralTabWidget->currentWidget(), ui->setupTab);
        QCOMPARE(ui->sizeComboBox->currentIndex(), 0);
    }

    // The developer tool maps the index to bytes and the preset lists map
    // the index to a preset row, so the order of these items is what counts.
    void itemListsInTheirOrder_data()
    {
        QTest::addColumn<QString>("items");
        QTest::newRow("sizeComboBox") << "16K|32K|48K|64K|128K|256K|320K|336K|512K|720K";
        QTest::newRow("chorusPresetComboBox") << "Chorus 1|Chorus 2|Chorus 3|Chorus 4|Chorus 5|Chorus 6|Chorus 7|Chorus 8";
        QTest::newRow("reverbPresetComboBox") << "Room 1|Room 2|Theatre|Plate|Hall 1|Hall 2|Arena|Cathedral";
    }
    void itemListsInTheirOrder()
    {
        QFETCH(QString, items);
        auto* combo = find<QComboBox>(QTest::currentDataTag());
        QStringList shown;
        for (int i = 0; i < combo->count(); ++i)
            shown << combo->itemText(i);
        QCOMPARE(shown, items.split('|'));
        QCOMPARE(combo->currentIndex(), 0);
    }

    // The pages fill the other lists at start-up; the form leaves them empty.
    void otherListsAreLeftEmpty()
    {
        const QStringList own = { "sizeComboBox", "chorusPresetComboBox", "reverbPresetComboBox" };
        for (QComboBox* combo : window->findChildren<QComboBox*>())
            if (!own.contains(combo->objectName()))
                QVERIFY2(combo->count() == 0, qPrintable(combo->objectName()));
    }

    void morphingOrderIsShownNotEdited()
    {
        for (QComboBox* c : { ui->voice1MorphingComboBox, ui->voice2MorphingComboBox, ui->voice3MorphingComboBox })
            QVERIFY(!c->isEnabled());
        QVERIFY(ui->morphingOnOffCheckBox->isEnabled());
    }

    void lineEditsTakeWhatTheirValuesNeed_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("veloLowLineEdit1") << "1275" << "127";
        QTest::newRow("veloHighLineEdit3") << "100" << "100";
        QTest::newRow("rangeLowLineEdit2") << "0123456789" << "0123456789";
        QTest::newRow("byte0LineEdit") << "g7Az" << "7A";
        QTest::newRow("byte15LineEdit") << "fF0" << "fF";
        QTest::newRow("byte3LineEdit") << "A" << "A";
    }
    void lineEditsTakeWhatTheirValuesNeed()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        auto* edit = find<QLineEdit>(QTest::currentDataTag());
        QTest::keyClicks(edit, typed);
        QCOMPARE(edit->text(), kept);
    }

    void clearEmptiesTheSixteenBytesOnly()
    {
        QList<QLineEdit*> bytes;
        for (int i = 0; i < 16; ++i) {
            bytes << find<QLineEdit>(QString("byte%1LineEdit").arg(i));
            bytes.last()->setText(QString::number(i, 16));
        }
        ui->addressLineEdit->setText("0x6000");
        ui->programLineEdit->setText("Grand");
        ui->clearPushButton->click();
        for (QLineEdit* e : bytes)
            QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
        QCOMPARE(ui->addressLineEdit->text(), QString("0x6000"));
        QCOMPARE(ui->programLineEdit->text(), QString("Grand"));
    }

    // Two separate groups: the SAM flash mode and the insert routing test.
    void radioButtonsAreExclusiveWithinTheirBox()
    {
        QVERIFY(ui->compareRadioButton->isChecked());
        QVERIFY(!ui->readRadioButton->isChecked());
        QVERIFY(!ui->writeRadioButton->isChecked());
        ui->writeRadioButton->click();
        QVERIFY(ui->writeRadioButton->isChecked());
        QVERIFY(!ui->compareRadioButton->isChecked());

        ui->insert1RadioBtn->click();
        ui->insert2RadioBtn->click();
        QVERIFY(ui->insert2RadioBtn->isChecked());
        QVERIFY(!ui->insert1RadioBtn->isChecked());
        QVERIFY(ui->writeRadioButton->isChecked());
    }

    // An organ drawbar is pulled out downwards: the bottom is 127.
    void drawbarsReadFromTheTop()
    {
        for (int n = 1; n <= 9; ++n) {
            auto* bar = find<QSlider>(QString("drawbar%1Slider").arg(n));
            QCOMPARE(bar->orientation(), Qt::Vertical);
            QCOMPARE(bar->minimum(), 0);
            QCOMPARE(bar->maximum(), 127);
            QCOMPARE(bar->value(), 64);
            QCOMPARE(find<QLabel>(QString("drawbar%1Label").arg(n))->text(), QString("127"));
        }
        QSlider* bar = ui->drawbar1Slider;
        bar->setGeometry(0, 0, 30, 250);
        const auto absolute = Qt::MouseButton(bar->style()->styleHint(QStyle::SH_Slider_AbsoluteSetButtons));
        const Qt::MouseButton button = absolute != Qt::NoButton ? absolute : Qt::LeftButton;
        QTest::mouseClick(bar, button, {}, QPoint(15, 248));
        QVERIFY(bar->value() > 64);
        if (absolute != Qt::NoButton)
            QCOMPARE(bar->value(), 127);
        QTest::mouseClick(bar, button, {}, QPoint(15, 2));
        QVERIFY(bar->value() < 127);
        if (absolute != Qt::NoButton)
            QCOMPARE(bar->value(), 0);

        // The arrow keys follow the picture: down pulls the bar out.
        bar->setValue(64);
        QTest::keyClick(bar, Qt::Key_Down);
        QCOMPARE(bar->value(), 65);
    }

    void debugToolsHaveTheirRanges()
    {
        for (QDial* dial : { ui->secondRevSendDial, ui->secondRevLevelDial, ui->hqDist2DriveDial }) {
            QCOMPARE(dial->minimum(), 0);
            QCOMPARE(dial->maximum(), 127);
        }
        QVERIFY(ui->plainTextEdit->isReadOnly());
        QCOMPARE(ui->progressBar->value(), 24);
        QCOMPARE(ui->soundbankTreeView->editTriggers(), QAbstractItemView::NoEditTriggers);
    }

    // The wheel moves a knob of the effect pages as soon as the pointer is
    // over it; the organ's knobs, the master volumes and the two insert sends
    // of the Edit page keep the knob's own focus behaviour.
    void wheelFocusOnTheEffectPages()
    {
        const Qt::FocusPolicy plain = QMyDial().focusPolicy();
        const QStringList wheelPages = { "editTab", "effectsTab", "chorusReverbTab" };
        for (int i = 0; i < ui->centralTabWidget->count(); ++i) {
            QWidget* page = ui->centralTabWidget->widget(i);
            for (QMyDial* dial : page->findChildren<QMyDial*>()) {
                const QString name = dial->objectName();
                const bool wheel = (wheelPages.contains(page->objectName()) || ui->gmReverbGroupBox->isAncestorOf(dial))
                    && name != "insertChorusDial" && name != "insertReverbDial";
                QVERIFY2(dial->focusPolicy() == (wheel ? Qt::WheelFocus : plain), qPrintable(name));
            }
        }
    }

    // The developer page's slots are found by name; a misspelt object name
    // would leave a tool silently dead (and warn, which fails this test).
    void toolSlotsConnectByName()
    {
        ToolWindow tools;
        Ui_LyrForm form;
        form.setupUi(&tools);

        form.insertOffRadioBtn->click();
        form.insert1RadioBtn->click();
        form.insert2RadioBtn->click();
        form.hqDist2OnBtn->click();
        form.hqDist2OffBtn->click();
        for (QDial* dial : { form.hqDist2DriveDial, form.secondRevSendDial, form.secondRevLevelDial }) {
            dial->setValue(10); // not a drag: no call
            dial->setSliderDown(true);
            dial->setSliderPosition(100);
            dial->setSliderDown(false);
        }
        QCOMPARE(tools.calls, QStringList({ "no insert", "insert 1", "insert 2", "hq on", "hq off",
                                            "drive 100", "send 100", "level 100" }));
    }

    // The program buttons are added to this layout at start-up.
    void programListTakesButtons()
    {
        QCOMPARE(ui->programsScrollArea->widget(), ui->programsScrollAreaWidgetContents);
        QVERIFY(qobject_cast<QVBoxLayout*>(ui->programsScrollAreaWidgetContents->layout()));
        QCOMPARE(ui->programsScrollAreaWidgetContents->layout()->count(), 0);
        QCOMPARE(ui->programLineEdit->placeholderText(), QString("Program [-]"));
        QCOMPARE(ui->programLineEdit->font().pointSize(), 16);
    }

    // With LYR_FORM_SNAPSHOTS=<folder>, every page is written there as a PNG
    // at the window's designed size, to look at.
    void snapshots()
    {
        const QString folder = qEnvironmentVariable("LYR_FORM_SNAPSHOTS");
        if (folder.isEmpty())
            QSKIP("LYR_FORM_SNAPSHOTS not set");
        QVERIFY(QDir().mkpath(folder));
        window->resize(1286, 772);
        window->show();
        for (int i = 0; i < ui->centralTabWidget->count(); ++i) {
            ui->centralTabWidget->setCurrentIndex(i);
            // Nested layouts settle over a few rounds of posted events.
            for (int round = 0; round < 3; ++round)
                QCoreApplication::processEvents();
            const QString file = QString("%1/%2-%3.png").arg(folder).arg(i).arg(ui->centralTabWidget->widget(i)->objectName());
            QVERIFY(window->grab().save(file));
        }
    }
};

LYR_TEST_MAIN(TestForm)
#include "tst_form.moc"
