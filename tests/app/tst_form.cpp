// The main window form as the rest of the editor relies on it: the object
// names and classes the pages, the refresh and the developer tools reach
// widgets by, the group boxes that are hidden or disabled as a whole, the
// menus with their actions, and the few behaviours the form carries itself.

#include "TestSupport.h"
#include "ui_LyrForm.h"

#include <QLineEdit>
#include <QSet>

namespace {

// Every object a later part of the editor reaches by name: by page in tab
// order ("[name Title]"), then by the container that must hold it (the
// editor hides and disables group boxes as a whole), then a class followed by
// the objects of that class. "a{1,2}b" stands for a1b and a2b.
const char* const formObjects = R"(
[editTab Edit]
groupBox_12: QCheckBox enableCheckBox{1,2,3} sustainCheckBox{1,2,3} QPushButton voice{1,2,3}Button
groupBox_13: QLineEdit range{Low,High}LineEdit{1,2,3} velo{Low,High}LineEdit{1,2,3} QMyKeyboard rangeKeyboard{1,2,3}
    QMyRangeSlider rangeSlider{1,2,3} veloRangeSlider{1,2,3}
groupBox_11: QCheckBox morphingOnOffCheckBox morphing{ModWheel,SustainToggle,Sustain,Aftertouch}CheckBox
    QComboBox voice{1,2,3}MorphingComboBox
groupBoxParameters: QMyDial volDial{1,2,3} shiftDial{1,2,3} tuneDial{1,2,3} panDial{1,2,3}
groupBox_16: QComboBox modulationComboBox{1,2,3}
groupBoxAdsr: QMyDial attackDial{1,2,3} decayDial{1,2,3} releaseDial{1,2,3} QMyAdsrPlot adrWidget{1,2,3}
groupBoxFilter: QMyDial cutOffDial{1,2,3} resoDial{1,2,3} dynFiltDial{1,2,3}
groupBox_15: QMyDial chorusSendDial{1,2,3} reverbSendDial{1,2,3} QPushButton reverbChorusEditButton
groupBoxEffectSends: QCheckBox insertCheckBox{1,2,3} QMyDial insert{Chorus,Reverb}Dial QPushButton editEfxPushButton
groupBox_5: QComboBox colorComboBox
[effectsTab Insert]
groupBox_10: QComboBox insertConfigurationComboBox QMyDial insert{Gain,Level}Dial
groupBox_14: QCheckBox hqDistorsorCheckBox hqDistorsorBoostCheckBox QComboBox hqDistorsorTypeComboBox
    QMyDial hqDistorsor{Drive,Bias,Brightness,Level}Dial QLabel hqDistorsor{Type,Drive,Bias,Brightness,Level}Label
groupBox_3: QComboBox insertSlot1ComboBox
groupBoxDistorsor: QCheckBox distorsorOnOffCheckBox QComboBox distorsorTypeComboBox
    QMyDial distorsor{Drive,BrightIn,BrightOut,Level}Dial QLabel distorsor{Type,Drive,BrighthIn,BrightOut,Level}Label
groupBoxCompressor: QCheckBox compressorOnOffCheckBox QMyDial compressor{Attack,Release,Ratio,Threshold,MakeUpGain}Dial
    QLabel compressor{Attack,Release,Ratio,Threshold,MakeUpGain}Label
groupBoxEq: QCheckBox eqOnOffCheckBox QPushButton eq{Edit,Reset}Button QMyParametricEqPlot parametricEqPlot
    QComboBox eq{Low,MidLow,MidHigh,High}BandComboBox QMyDial eq{Low,MidLow,MidHigh,High}Band{Gain,Freq,Q}Dial
    QLabel eq{Low,MidLow,MidHigh,High}Band{Type,Gain,Freq,Q}Label
groupBox_4: QComboBox insertSlot2ComboBox
groupBoxWah: QCheckBox wahOnOffCheckBox QComboBox wah{Type,Filter}ComboBox QMyDial wah{Freq,Resonance,Sensitivity,Decay,LfoAmount,LfoRate}Dial
    QLabel wah{Type,Filter,Freq,Resonance,Sensitivity,Decay,LfoAmount,LfoRate}Label QMyLfoPlot wahLfoPlot QMyLed wahLfoRateLed
groupBoxTremolo: QCheckBox tremoloOnOffCheckBox QComboBox tremolo{Type,Shape}ComboBox QMyDial tremolo{Depth,Rate}Dial
    QLabel tremolo{Type,Shape,Depth,Rate}Label QMyLfoPlot tremoloLfoPlot QMyLed tremoloRateLed
groupBoxModulation: QCheckBox modOnOffCheckBox QComboBox mod{Type,Wave}ComboBox QMyDial mod{DryWet,Depth,Rate,Delay,Feedback}Dial
    QLabel mod{Type,Wave,DryWet,Depth,Rate,Delay,Feedback}Label QMyLfoPlot modLfoPlot QMyLed modRateLed
groupBoxRotor: QMyDial mod{FastRate,AccelerationTime,BrakeTime,Directovity,MicAngle}Dial
    QLabel mod{FastRate,AccelerationTime,BrakeTime,Directivity,MicAngle}Label QCheckBox modSlowFastCheckBox QMyLed modFastRateLed
groupBox_9: QCheckBox delayOnOffCheckBox QComboBox delayTypeComboBox QMyDial delay{Cutoff,Time,Feedback,Damping,Level}Dial
    QLabel delay{Type,Time,Feedback,Cutoff,Damping,Lavel}Label
groupBox_8: QCheckBox feedToRotaryCheckBox QPushButton editRotaryPushButton
[organTab Organ]
groupBox_7: QCheckBox organOnOffCheckBox QMyDial organ{Shift,KeyClick,Volume}Dial QLabel organ{Shift,KeyClick,Volume}Label
groupBoxDrawbars: QSlider drawbar{1,2,3,4,5,6,7,8,9}Slider QLabel drawbar{1,2,3,4,5,6,7,8,9}Label
groupBoxVibratoChorus: QCheckBox organVibratoChorusOnOffCheckBox QComboBox organVibratoChorusTypeComboBox
groupBoxPercussion: QCheckBox organPercussionOnOffCheckBox QComboBox organPercussion{Type,Decay,Level}ComboBox
groupBoxOrganEfx: QMyDial organ{Chorus,Reverb}Dial
[rotaryTab Rotary]
groupBoxRotary: QComboBox organSlowFastComboBox QCheckBox organDriveCheckBox organRotary{Sustain,SustainToggle,ModWheel,Aftertouch}CheckBox
groupBoxReflections: QMyDial organ{ReflectionIntensity,ReflectionDelayTime,DirectSoundLevel}Dial
groupBoxHighRotor: QMyDial organHighRotor{Volume,HP,SlowSpeed,FastSpeed,AccTime,DecTime,BrakeTime,AMDepth,FMDepth,DriveAmount,DriveLP}Dial
groupBoxLowRotor: QMyDial organLowRotor{Volume,LP,SlowSpeed,FastSpeed,AccTime,DecTime,BrakeTime,AMDepth,FMDepth,DriveAmount,DriveLP}Dial
[chorusReverbTab Chorus/Reverb]
effectsGroupBox: QComboBox chorus{Preset,Type,Wave}ComboBox QMyDial chorus{Rate,Depth,Delay,Feedback,PreLpFilter,Level}Dial
    QLabel chorus{Type,Wave,Rate,Depth,Delay,Feedback,PreLpFilter,Level}Label
groupBox: QComboBox reverb{Preset,Type,Size}ComboBox
    QMyDial reverb{Time,HDamp,PreHpFilter,PreLPFilter,HighShelfFreq,HighShelfGain,PreDelayTime,Feedback,Level}Dial
    QLabel reverb{Type,Size,Time,HDamp,PreHpFilter,PreLPFilter,HighShelfFreq,HighShelfGain,PreDelayTime,Feedback,Level}Label
[mainTab Main]
groupBox_17: QMyDial {main,gm}VolDial
gmReverbGroupBox: QComboBox reverbGm{Type,Size}ComboBox
    QMyDial reverbGm{Time,HDamp,PreHpFilter,PreLPFilter,HighShelfFreq,HighShelfGain,PreDelayTime,Er,Level}Dial
[soundbankTab Soundbanks]
soundbankTab: QTreeView soundbankTreeView
groupBoxSoundbank: QPushButton {addSoundbank,removeSoundbank,eraseDirectory,getDirectory}Button
[setupTab Debug]
groupBox_2: QPlainTextEdit plainTextEdit QProgressBar progressBar
groupBox_18: QLineEdit byte{0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15}LineEdit QPushButton {clear,sendSamData}PushButton
groupBoxUpdate: QPushButton {identify,appReset,samReset,test}Button
groupBox_20: QDial secondRev{Send,Level}Dial
groupBox_19: QRadioButton insert{Off,1,2}RadioBtn QPushButton hqDist2{On,Off}Btn QDial hqDist2DriveDial
groupBox_6: QRadioButton {read,write,compare}RadioButton QLineEdit addressLineEdit QComboBox sizeComboBox
    QPushButton samFlashGoPushButton
[]
scrollAreaWidgetContents: QLineEdit programLineEdit QTabWidget centralTabWidget
programsScrollArea: QWidget programsScrollAreaWidgetContents
)";

// The menu bar in order: each menu's actions with their text, then a
// shortcut, a tool tip where it is not the text less "...", and whether the
// action can be or is checked; "|" is a separator. The last line holds the
// actions outside the menus.
const char* const formMenus = R"menus(
menuFile File: actionConnect "Connect" actionIdentify "Identify" | actionInitInstrument "Init Instrument" |
    actionPreferences "Preferences" | actionExit "Exit" Ctrl+Q
menuPrograms Programs: actionInitCurrentProgram "Init Current Program" Ctrl+Shift+I actionInitPrograms "Init Programs" Ctrl+I
    actionLoadFactoryPrograms "Load Factory Programs" | actionSaveProgramsToModule "Save Programs" Ctrl+S tip "Save Programs To Module"
    actionLoadProgramsFromModule "Load Programs" Ctrl+L | actionSaveProgramsToDisk "Save Programs To File ..." Ctrl+Shift+S
    actionLoadProgramsFromDisk "Load Programs From File ..." Ctrl+Shift+L | actionCopyProgram "Copy Program ..." Ctrl+C tip "Copy Program ..."
    actionSaveCurrentProgramAsDefault "Save Program As Default" actionClearDefaultProgram "Clear Default Program"
menuWavetable Wavetable: actionClearWavetable "Clear Wavetable" actionLoadWavetableFromDisk "Load Wavetable ..." Ctrl+W tip "Load Wavetable ..."
    actionSaveWavetable "Save Wavetable ..." actionLoadWavetableFactory "Load Factory Wavetable" Ctrl+Shift+W
menuSetup Setup: | actionUpdateLoader "Update Loader" actionUpdateApplication "Update Application" actionUpdateFirmware "Update DSP Firmware"
    actionUpdatePcm "Update Pcm" actionUpdateParameters "Update Parameters" | actionUpdatePcmFromUsb "Update Pcm (USB)"
    actionUpdateParametersFromUsb "Update Parameters (USB)" | actionComparePcmFromUsb "Compare Pcm (USB)"
    actionCompareParametersFromUsb "Compare Parameters (USB)" | actionSkipTest "Recovery Mode" checkable
menuSoundbanks Soundbanks: actionAddSoundbank "Add ..." tip "Add Soundbank" actionRemoveSoundbank "Remove" actionEraseDirectory "Clear" |
    actionGetDirectory "Reload"
menuTools Tools: actionSamTest "Test"
menuGM GM: actionEditGMChannels "Edit GM Channels"
menuHelp Help: actionPanic "Panic!" actionAbout "About" actionOpenManual "Open Manual" F1
menuDebug Debug: actionCopyProgramsFromFlashToRam "Copy Programs From FLAHS to RAM" actionLoadProgramsFromModuleRam "Load Programs From Module (RAM)"
    actionLoadProgramsFromModuleFlash "Load Programs From Module (FLASH)" | actionEnableChecksumControl "Checksum Control" checked
    actionShowNotConnectedWarning "Show Not Connected Warning" checked
outside: actionDfuProgramming "DFU Programming" actionSaveProgram "Save Program" actionTest "Test"
)menus";

struct Entry
{
    QString name, className, container, page; // an object of formObjects
};

// "a{1,2}b" as a1b and a2b.
QStringList expand(const QString& word)
{
    const int open = int(word.indexOf('{')), close = int(word.indexOf('}'));
    QStringList out { word };
    if (open >= 0) {
        out.clear();
        for (const QString& part : word.mid(open + 1, close - open - 1).split(','))
            out << expand(word.left(open) + part + word.mid(close + 1));
    }
    return out;
}

// formObjects as entries, and the pages as "name Title" in tab order.
QList<Entry> entries(QStringList* pages = nullptr)
{
    QList<Entry> out;
    QString page, container, className;
    for (const QString& line : QString(formObjects).split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('[')) {
            page = line.mid(1).chopped(1).section(' ', 0, 0);
            if (pages && !page.isEmpty())
                *pages << line.mid(1).chopped(1);
            continue;
        }
        for (const QString& word : line.split(' ', Qt::SkipEmptyParts)) {
            if (word.endsWith(':'))
                container = word.chopped(1);
            else if (word.startsWith('Q'))
                className = word;
            else
                for (const QString& name : expand(word))
                    out << Entry { name, className, container, page };
        }
    }
    return out;
}

// An action as formMenus writes it.
QString describe(const QAction* a)
{
    QString d = a->objectName() + " \"" + a->text() + "\"";
    if (!a->shortcut().isEmpty())
        d += " " + a->shortcut().toString();
    if (a->toolTip() != QString(a->text()).remove("...").trimmed())
        d += " tip \"" + a->toolTip() + "\"";
    if (a->isCheckable())
        d += a->isChecked() ? " checked" : " checkable";
    return d;
}

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
    QMainWindow window;
    Ui_LyrForm ui;

private slots:
    void initTestCase()
    {
        ui.setupUi(&window);
    }

    void namedObjectsExistWithTheirClass_data()
    {
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("container");
        QTest::addColumn<QString>("page");
        for (const Entry& e : entries())
            QTest::newRow(qPrintable(e.name)) << e.className << e.container << e.page;
    }

    void namedObjectsExistWithTheirClass()
    {
        QFETCH(QString, container);
        QFETCH(QString, page);
        const QList<QWidget*> found = window.findChildren<QWidget*>(QTest::currentDataTag());
        QCOMPARE(found.size(), 1);
        QTEST(QString(found[0]->metaObject()->className()), "className");
        QWidget* box = window.findChild<QWidget*>(container);
        QVERIFY2(box && box->isAncestorOf(found[0]), qPrintable("not inside " + container));
        QVERIFY2(page.isEmpty() || box->objectName() == page || window.findChild<QWidget*>(page)->isAncestorOf(box), qPrintable(container + " not on " + page));
    }

    // The control records and the refresh cover every knob, list, box and
    // fader of the pages by name: an unnamed extra one would be dead.
    void everyEditingWidgetIsANamedOne()
    {
        QMap<QString, QSet<QString>> named, inForm;
        for (const Entry& e : entries())
            named[e.className] << e.name;
        for (QWidget* w : window.findChildren<QWidget*>())
            inForm[w->metaObject()->className()] << w->objectName();
        for (const char* c : { "QMyDial", "QComboBox", "QCheckBox", "QSlider", "QMyRangeSlider", "QDial", "QMyKeyboard", "QMyAdsrPlot",
                                  "QMyLfoPlot", "QMyLed", "QMyParametricEqPlot" })
            QCOMPARE(inForm[c], named[c]);
    }

    void pagesInTabOrder()
    {
        QStringList pages, shown;
        entries(&pages);
        for (int i = 0; i < ui.centralTabWidget->count(); ++i)
            shown << ui.centralTabWidget->widget(i)->objectName() + " " + ui.centralTabWidget->tabText(i);
        QCOMPARE(shown, pages);
        // Built on the developer page, with the first size chosen.
        QCOMPARE(ui.centralTabWidget->currentIndex(), 7);
        QCOMPARE(ui.sizeComboBox->currentIndex(), 0);
    }

    void menusAndActionsWithTheirTextsAndKeys()
    {
        QStringList shown, outside;
        QSet<QAction*> inMenus;
        for (QAction* bar : ui.menubar->actions()) {
            shown << bar->menu()->objectName() + " " + bar->menu()->title() + ":";
            for (QAction* a : bar->menu()->actions()) {
                shown.last() += " " + (a->isSeparator() ? QString("|") : describe(a));
                inMenus << a;
            }
        }
        for (QAction* a : window.findChildren<QAction*>(QRegularExpression("^action")))
            if (!inMenus.contains(a))
                outside << describe(a);
        outside.sort();
        shown << "outside: " + outside.join(' ');
        QCOMPARE(shown, QString(formMenus).simplified().replace(QRegularExpression(" (?=menu\\w+ \\w+:|outside:)"), "\n").split('\n'));
        QCOMPARE(ui.actionTest->menuRole(), QAction::NoRole); // kept out of a platform's application menu
    }

    // A typed value keeps what the field can hold: three digits of a
    // velocity, any digits of a key, two hexadecimal digits of a byte; and
    // Clear empties the sixteen bytes only.
    void lineEditsTakeWhatTheirValuesNeed()
    {
        for (QLineEdit* e : window.findChildren<QLineEdit*>())
            e->setText("1");
        ui.clearPushButton->click();
        for (QLineEdit* e : window.findChildren<QLineEdit*>())
            QVERIFY2(e->text().isEmpty() == e->objectName().startsWith("byte"), qPrintable(e->objectName()));
        for (const char* typing : { "veloLowLineEdit1 1275 127", "rangeLowLineEdit2 0123456789 0123456789", "byte0LineEdit g7Az 7A", "byte15LineEdit fF0 fF" }) {
            const QStringList t = QString(typing).split(' ');
            QLineEdit* edit = window.findChild<QLineEdit*>(t[0]);
            edit->clear();
            QTest::keyClicks(edit, t[1]);
            QCOMPARE(edit->text(), t[2]);
        }
    }

    // The developer page's slots are found by name; a misspelt object name
    // would leave a tool silently dead (and warn, which fails this test).
    void toolSlotsConnectByName()
    {
        QTest::failOnWarning(QRegularExpression("connectSlotsByName"));
        ToolWindow tools;
        Ui_LyrForm form;
        form.setupUi(&tools);
        for (QAbstractButton* b : tools.findChildren<QAbstractButton*>(QRegularExpression("^(insert|hqDist2).*Btn$")))
            b->click();
        for (QDial* dial : tools.findChildren<QDial*>()) {
            dial->setSliderDown(true);
            dial->setSliderPosition(100);
            dial->setSliderDown(false);
        }
        tools.calls.sort();
        QCOMPARE(tools.calls, QStringList({ "drive 100", "hq off", "hq on", "insert 1", "insert 2", "level 100", "no insert", "send 100" }));
    }
};

LYR_TEST_MAIN(TestForm)
#include "tst_form.moc"
