// Set-up of the editing pages before the window is first shown: knob ranges
// and displays, combo items and the values they stand for, the program and
// voice buttons, the range edits, the page buttons and the insert-EQ graph.

#include "LyrForm.h"

#include "ColorMap.h"
#include "EqScale.h"
#include "Parameters.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QEvent>
#include <QIntValidator>
#include <QLabel>
#include <QLayout>
#include <QPushButton>

namespace {

using U = Ui_LyrForm;

constexpr int Word = WordMax;  // the 14-bit parameters
constexpr int WordStep = 127;  // keys and wheel move a 14-bit knob by 1/128

// What the EQ knobs show, as the graph does.
constexpr pages::EqRange Hz = pages::EqFrequency, Db = pages::EqGain, Q = pages::EqQ;

// What a knob shows differently from the defaults (0..127 shown as 0..127).
struct Look
{
    QMyDial::Mode mode;
    int min, max, step;
    double shownMin, shownMax;
    quint8 decimals;
    const char* suffix;   // a line break puts the unit under the number
};

struct DialLook
{
    QMyDial* Ui_LyrForm::*dial;
    Look look;
};

constexpr QMyDial::Mode Normal = QMyDial::Normal;
constexpr QMyDial::Mode Centered = QMyDial::Centered;

const DialLook dialLooks[] = {
    //  dial                                 mode      min   max    step      shown           decimals  suffix
    { &U::panDial1,                        { Centered, -63,  64,    1,        0.0,    127.0,  0,        "" } },
    { &U::panDial2,                        { Centered, -63,  64,    1,        0.0,    127.0,  0,        "" } },
    { &U::panDial3,                        { Centered, -63,  64,    1,        0.0,    127.0,  0,        "" } },
    { &U::tuneDial1,                       { Centered, -64,  63,    1,        -64.0,  63.0,   0,        "" } },
    { &U::tuneDial2,                       { Centered, -64,  63,    1,        -64.0,  63.0,   0,        "" } },
    { &U::tuneDial3,                       { Centered, -64,  63,    1,        -64.0,  63.0,   0,        "" } },
    { &U::shiftDial1,                      { Centered, -48,  48,    1,        -48.0,  48.0,   0,        "" } },
    { &U::shiftDial2,                      { Centered, -48,  48,    1,        -48.0,  48.0,   0,        "" } },
    { &U::shiftDial3,                      { Centered, -48,  48,    1,        -48.0,  48.0,   0,        "" } },
    { &U::organShiftDial,                  { Centered, -48,  48,    1,        -48.0,  48.0,   0,        "" } },
    { &U::insertGainDial,                  { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::insertLevelDial,                 { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::insertReverbDial,                { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::insertChorusDial,                { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::compressorRatioDial,             { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::compressorThresholdDial,         { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::distorsorBrightInDial,           { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::distorsorBrightOutDial,          { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::distorsorDriveDial,              { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::distorsorLevelDial,              { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::modDepthDial,                    { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::modRateDial,                     { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::modDelayDial,                    { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::modFeedbackDial,                 { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::modFastRateDial,                 { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::modDirectovityDial,              { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::wahFreqDial,                     { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::wahResonanceDial,                { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::wahSensitivityDial,              { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::wahLfoAmountDial,                { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::wahLfoRateDial,                  { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::tremoloDepthDial,                { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::tremoloRateDial,                 { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::delayCutoffDial,                 { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::delayTimeDial,                   { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::delayFeedbackDial,               { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::delayDampingDial,                { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::delayLevelDial,                  { Normal,   0,    Word,  WordStep, 0.0,    127.0,  0,        "" } },
    { &U::compressorAttackDial,            { Normal,   0,    Word,  WordStep, 0.96,   120.0,  1,        "\nms" } },
    { &U::compressorReleaseDial,           { Normal,   0,    Word,  WordStep, 0.015,  6.0,    1,        "\ns" } },
    { &U::compressorMakeUpGainDial,        { Normal,   0,    Word,  WordStep, 0.0,    18.0,   1,        "\ndB" } },
    { &U::modDryWetDial,                   { Normal,   0,    Word,  WordStep, 0.0,    100.0,  0,        "\n%" } },
    { &U::modAccelerationTimeDial,         { Normal,   0,    Word,  WordStep, 5.8,    0.2,    1,        "\ns" } },
    { &U::modBrakeTimeDial,                { Normal,   0,    Word,  WordStep, 5.8,    0.2,    1,        "\ns" } },
    { &U::wahDecayDial,                    { Normal,   0,    Word,  WordStep, 0.01,   5.0,    1,        "\ns" } },
    { &U::modMicAngleDial,                 { Normal,   0,    4,     1,        0.0,    180.0,  0,        "°" } },
    { &U::reverbPreLPFilterDial,           { Normal,   0,    7,     1,        0.0,    127.0,  0,        "" } },
    { &U::reverbHighShelfFreqDial,         { Normal,   0,    127,   1,        0.8,    3.0,    1,        "\nkHz" } },
    { &U::reverbPreHpFilterDial,           { Normal,   0,    127,   1,        0.0,    1.0,    1,        "\nkHz" } },
};

// Each EQ band's knobs show what the graph shows, their lit arc in the
// band's colour in the graph.
const Look eqFreqLook = { Normal,   0, Word, WordStep, Hz.min, Hz.max, 0, "\nHz" };
const Look eqQLook    = { Normal,   0, Word, WordStep, Q.min,  Q.max,  1, "" };
const Look eqGainLook = { Centered, 0, Word, WordStep, Db.min, Db.max, 1, "\ndB" };
const struct
{
    QMyDial* Ui_LyrForm::*freq;
    QMyDial* Ui_LyrForm::*q;
    QMyDial* Ui_LyrForm::*gain;
    Qt::GlobalColor color;
} eqBands[] = {
    { &U::eqLowBandFreqDial,     &U::eqLowBandQDial,     &U::eqLowBandGainDial,     Qt::yellow },
    { &U::eqMidLowBandFreqDial,  &U::eqMidLowBandQDial,  &U::eqMidLowBandGainDial,  Qt::cyan },
    { &U::eqMidHighBandFreqDial, &U::eqMidHighBandQDial, &U::eqMidHighBandGainDial, Qt::green },
    { &U::eqHighBandFreqDial,    &U::eqHighBandQDial,    &U::eqHighBandGainDial,    Qt::magenta },
};

// The GM reverb knobs are never refreshed from a program; they start here.
const struct
{
    QMyDial* Ui_LyrForm::*dial;
    int value;
} gmReverbStarts[] = {
    { &U::reverbGmTimeDial,          64 },
    { &U::reverbGmHDampDial,         64 },
    { &U::reverbGmPreHpFilterDial,   0 },
    { &U::reverbGmPreLPFilterDial,   127 },
    { &U::reverbGmHighShelfFreqDial, 127 },
    { &U::reverbGmHighShelfGainDial, 64 },
    { &U::reverbGmPreDelayTimeDial,  0 },
    { &U::reverbGmErDial,            64 },
    { &U::reverbGmLevelDial,         64 },
};

// Combo items; each item's data is the value the handler stores and sends,
// its position unless values are given.
struct ComboItems
{
    QList<QComboBox* Ui_LyrForm::*> boxes;
    QStringList texts;
    QList<int> values;
};

void showAs(QMyDial* dial, const Look& look)
{
    dial->setMode(look.mode);
    dial->setRange(look.min, look.max, false);
    dial->setSingleStep(look.step);
    dial->setDisplayedRange(look.shownMin, look.shownMax, false);
    dial->setDisplayedDecimals(look.decimals, false);
    dial->setSuffix(QString::fromUtf8(look.suffix), false);
}

} // namespace

void LyrForm::initDials()
{
    for (const DialLook& row : dialLooks)
        showAs(ui->*row.dial, row.look);
    for (const auto& band : eqBands) {
        showAs(ui->*band.freq, eqFreqLook);
        showAs(ui->*band.q, eqQLook);
        showAs(ui->*band.gain, eqGainLook);
        (ui->*band.freq)->setOnColor(band.color, false);
        (ui->*band.q)->setOnColor(band.color, false);
        (ui->*band.gain)->setOnColor(band.color, false);
    }
    for (const auto& start : gmReverbStarts)
        (ui->*start.dial)->setValue(start.value, true, false);
    mapDials();
}

void LyrForm::initButtons()
{
    initProgramsButtons();

    voiceButtonGroup->addButton(ui->voice1Button, 0);
    voiceButtonGroup->addButton(ui->voice2Button, 1);
    voiceButtonGroup->addButton(ui->voice3Button, 2);
    connect(voiceButtonGroup, &QButtonGroup::idClicked, this, &LyrForm::onVoiceButtonClicked);

    // Buttons that lead to another page.
    const struct
    {
        QPushButton* Ui_LyrForm::*button;
        QWidget* Ui_LyrForm::*page;
    } pageButtons[] = {
        { &U::editRotaryPushButton,   &U::rotaryTab },
        { &U::editEfxPushButton,      &U::effectsTab },
        { &U::reverbChorusEditButton, &U::chorusReverbTab },
    };
    for (const auto& p : pageButtons) {
        QWidget* page = ui->*p.page;
        connect(ui->*p.button, &QPushButton::clicked, this, [this, page] { ui->centralTabWidget->setCurrentWidget(page); });
    }

    const struct
    {
        QPushButton* Ui_LyrForm::*button;
        void (LyrForm::*handler)();
    } actionButtons[] = {
        { &U::eqEditButton,          &LyrForm::onEqEditButtonClicked },
        { &U::eqResetButton,         &LyrForm::onEqResetButtonClicked },
        { &U::getDirectoryButton,    &LyrForm::reloadSoundbankDir },
        { &U::eraseDirectoryButton,  &LyrForm::removeAllSoundbanks },
        { &U::addSoundbankButton,    &LyrForm::addSoundbank },
        { &U::testButton,            &LyrForm::test },
        { &U::identifyButton,        &LyrForm::identify },
        { &U::appResetButton,        &LyrForm::systemReset },
        { &U::samResetButton,        &LyrForm::samReset },
        { &U::samFlashGoPushButton,  &LyrForm::testFlashReadWrite },
        { &U::sendSamDataPushButton, &LyrForm::sendSamData },
    };
    for (const auto& a : actionButtons)
        connect(ui->*a.button, &QPushButton::clicked, this, a.handler);
    connect(ui->removeSoundbankButton, &QPushButton::clicked, this,
            [this] { removeSoundbank(ui->soundbankTreeView->currentIndex()); });
}

void LyrForm::initProgramsButtons()
{
    programButtonGroup->setExclusive(true);
    QWidget* list = ui->programsScrollAreaWidgetContents;
    programListLeastWidth = ui->programsScrollArea->minimumWidth();
    for (int i = 0; i < MAX_PROGRAMS; ++i) {
        auto* button = new QPushButton(QString("Program %1").arg(i), list);
        button->setCheckable(true);
        programButtonGroup->addButton(button, i);
        list->layout()->addWidget(button);
    }
    programButtonGroup->button(0)->setChecked(true);
    connect(programButtonGroup, &QButtonGroup::idClicked, this, &LyrForm::onProgramButtonClicked);
    initProgramsLabels();
}

void LyrForm::initProgramsLabels()
{
    // The refresh recolours each marker with its program's colour.
    programLabels.clear();
    for (int i = 0; i < MAX_PROGRAMS; ++i) {
        auto* label = new QLabel(programButtonGroup->button(i));
        label->setGeometry(programMarkerGeometry);
        label->setStyleSheet("background-color:rgb(255,0,0);");
        programLabels.append(label);
    }
}

void LyrForm::initComboBoxes()
{
    const ComboItems lists[] = {
        { { &U::reverbTypeComboBox },
          { "Room 1", "Room 2", "Room 3", "Hall 1", "Hall 2", "Plate", "Delay", "Pan Delay" }, {} },
        { { &U::chorusTypeComboBox },
          { "Chorus 1", "Chorus 2", "Chorus 3", "Chorus 4", "Feedback", "Flanger", "Short Delay", "Feedback Delay" }, {} },
        { { &U::distorsorTypeComboBox },
          { "Overdrive", "Distorsion", "Fuzz1", "Fuzz2", "Tube", "Asymmetrical" }, {} },
        { { &U::eqLowBandComboBox, &U::eqMidLowBandComboBox, &U::eqMidHighBandComboBox, &U::eqHighBandComboBox },
          { "Off", "LP 6 dB", "LP 12 dB", "Low Shelf", "Peak", "High Shelf", "HP 6 dB", "HP 12 dB" }, {} },
        { { &U::modTypeComboBox },        { "Chorus", "Vibrato", "Flanger", "Phaser", "Rotary" }, {} },
        { { &U::modWaveComboBox },        { "Triangle", "Sine" }, {} },
        { { &U::wahFilterComboBox },      { "Low Pass", "Band Pass" }, {} },
        { { &U::wahTypeComboBox },        { "Dyn up", "Dyn down", "Dyn up sharp", "LFO" }, {} },
        { { &U::tremoloTypeComboBox },    { "Mono", "Stereo" }, {} },
        { { &U::tremoloShapeComboBox },   { "Triangle", "Square" }, {} },
        { { &U::delayTypeComboBox },      { "Mono", "Stereo" }, {} },
        { { &U::hqDistorsorTypeComboBox },
          { "Linear", "Gentle", "Overdrive", "Light Distortion", "Medium Distortion", "Heavy Distortion", "Fuzz 1",
            "Fuzz 2", "Smooth Tube", "Tube", "Rectifier", "Asymmetrical" }, {} },
        { { &U::chorusWaveComboBox },     { "Triangle", "Sine", "Async Sine" }, {} },
        { { &U::reverbSizeComboBox },     { "Small", "Medium", "Large" }, {} },
        { { &U::insertSlot1ComboBox },    { "Compressor", "Distorsor" }, {} },
        { { &U::insertSlot2ComboBox },    { "Modulation", "Wah wah", "Tremolo" }, {} },
        { { &U::organVibratoChorusTypeComboBox },
          { "V1", "C1", "V2", "C2", "V3", "C3" }, { 0, 26, 51, 77, 102, 127 } },
        { { &U::organPercussionTypeComboBox },  { "Second", "Third" }, {} },
        { { &U::organPercussionDecayComboBox }, { "Slow", "Fast" }, {} },
        { { &U::organPercussionLevelComboBox }, { "Soft", "Normal" }, {} },
        { { &U::organSlowFastComboBox },  { "Slow", "Brake", "Fast" }, { 0, 64, 127 } },
        { { &U::insertConfigurationComboBox },
          { "Off", "Dy->Eq->M/W->T/De", "Dy->Eq->M/T/W->De", "Eq->Dy->M/W->T/De", "Eq->Dy->M/T/W->De" }, {} },
        { { &U::voice1MorphingComboBox, &U::voice2MorphingComboBox, &U::voice3MorphingComboBox },
          { "Off", "First", "Second" }, {} },
        { { &U::modulationComboBox1, &U::modulationComboBox2, &U::modulationComboBox3 }, { "Off", "ModWheel" }, {} },
        { { &U::reverbGmTypeComboBox },   { "Off", "Room", "Hall", "Plate 1", "Plate 2" }, {} },
        { { &U::reverbGmSizeComboBox },   { "Small", "Medium", "Large" }, {} },
    };
    for (const ComboItems& list : lists) {
        for (QComboBox* Ui_LyrForm::*box : list.boxes) {
            for (int i = 0; i < list.texts.size(); ++i)
                (ui->*box)->addItem(list.texts[i], list.values.isEmpty() ? i : list.values[i]);
        }
    }
    // The colour's name is what the handler looks up; the items carry no data.
    initColorMap();
    for (const QString& name : std::as_const(colorMap))
        ui->colorComboBox->addItem(name);

    // The GM reverb is not part of a program: it starts as a large hall.
    for (QComboBox* box : { ui->reverbGmTypeComboBox, ui->reverbGmSizeComboBox }) {
        const QSignalBlocker blocker(box);
        box->setCurrentIndex(2);
    }
    // The chain order follows the slot choices; it is shown, not chosen.
    ui->insertConfigurationComboBox->setEnabled(false);

    mapComboBoxes();
}

void LyrForm::initLineEdits()
{
    mapLineEdits();
    rangeValidator = new QIntValidator(0, 127, this);
    for (auto it = lineEditMap.keyBegin(); it != lineEditMap.keyEnd(); ++it) {
        (*it)->setValidator(rangeValidator);
        (*it)->installEventFilter(this);
    }
}

bool LyrForm::eventFilter(QObject* watched, QEvent* event)
{
    // A range edit left without Return shows the stored value again.
    if (event->type() == QEvent::FocusOut) {
        const auto found = lineEditMap.constFind(qobject_cast<QLineEdit*>(watched));
        if (found != lineEditMap.constEnd()) {
            const quint8 param = found->param;
            if (param == VoiceParam::velocityLow || param == VoiceParam::velocityHigh)
                updateVelocityRange();
            else if (param == VoiceParam::keyLow || param == VoiceParam::keyHigh)
                updateNoteRange();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void LyrForm::initEqPlot()
{
    // Pens as the band knobs' colours; the brushes are the graph's own.
    const QColor brushes[] = { { 255, 255, 0, 20 }, { 0, 255, 255, 20 }, { 0, 255, 255, 20 }, { 255, 0, 255, 20 } };
    QMyParametricEqPlot* plot = ui->parametricEqPlot;
    plot->init(EqBands, false);
    for (int band = 0; band < EqBands; ++band) {
        const QColor pen(eqBands[band].color);
        plot->setGraphPen(band, QPen(pen, 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin), false);
        plot->setGraphBrush(band, QBrush(brushes[band]), false);
    }
    plot->drawAll();
}
