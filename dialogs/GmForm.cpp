// The GM mixer window: the strips' dial records as one table, and the
// handlers that keep gmData, setup item 5 and the widgets in step.

#include "GmForm.h"

#include "Parameters.h"
#include "QMyDial.h"
#include "SysExFrame.h"
#include "TGmChannel.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"
#include "ui_GmForm.h"

#include <QDebug>

namespace {

constexpr uchar Gm = ComGmVoiceVariation;
constexpr uchar Voice = ComVoiceVariation;
constexpr uchar No = 0xFF;     // field not used

// The channel parameters in refresh order, the record byte that holds each,
// and the dial range of those that are not 0..127. A centred dial sends its
// value in 7 bits, so a negative setting comes back as a byte of 64 or more.
struct ChannelParam
{
    uchar param;
    quint8 TGmChannel::*field;
    int min;
    int max;
};
const ChannelParam channelParams[] = {
    // param              field                 min   max
    { GmParam::volume,  &TGmChannel::volume,  0,    127 },
    { GmParam::reverb,  &TGmChannel::reverb,  0,    127 },
    { GmParam::chorus,  &TGmChannel::chorus,  0,    127 },
    { GmParam::pan,     &TGmChannel::pan,     -64,  63 },
    { GmParam::tune,    &TGmChannel::tune,    -64,  63 },
    { GmParam::shift,   &TGmChannel::shift,   -48,  48 },
    { GmParam::pitch,   &TGmChannel::pitch,   -64,  63 },
    { GmParam::cutoff,  &TGmChannel::cutoff,  0,    127 },
};

const ChannelParam* findParam(uchar param)
{
    for (const ChannelParam& p : channelParams) {
        if (p.param == param)
            return &p;
    }
    return nullptr;
}

// The dial that shows a stored byte: centred dials read it back as the
// signed 7-bit value it was sent as.
int dialValue(const ChannelParam& p, quint8 stored)
{
    if (p.min < 0 && stored >= 64)
        return int(stored) - 128;
    return stored;
}

struct DialRow
{
    QMyDial* Ui_GmForm::*dial;
    TControl control;
};
const DialRow dialRows[] = {
    //  dial                                 part  command  param            index  offset  scale
    { &Ui_GmForm::volDial1,                { 0,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial2,                { 1,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial3,                { 2,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial4,                { 3,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial5,                { 4,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial6,                { 5,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial7,                { 6,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial8,                { 7,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial9,                { 8,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial10,               { 9,    Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial11,               { 10,   Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial12,               { 11,   Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial13,               { 12,   Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial14,               { 13,   Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial15,               { 14,   Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::volDial16,               { 15,   Gm,      GmParam::volume, No,    0,      1 } },
    { &Ui_GmForm::revDial1,                { 0,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial2,                { 1,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial3,                { 2,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial4,                { 3,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial5,                { 4,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial6,                { 5,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial7,                { 6,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial8,                { 7,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial9,                { 8,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial10,               { 9,    Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial11,               { 10,   Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial12,               { 11,   Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial13,               { 12,   Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial14,               { 13,   Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial15,               { 14,   Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::revDial16,               { 15,   Gm,      GmParam::reverb, No,    0,      1 } },
    { &Ui_GmForm::shiftDial1,              { 0,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial2,              { 1,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial3,              { 2,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial4,              { 3,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial5,              { 4,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial6,              { 5,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial7,              { 6,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial8,              { 7,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial9,              { 8,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial10,             { 9,    Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial11,             { 10,   Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial12,             { 11,   Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial13,             { 12,   Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial14,             { 13,   Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial15,             { 14,   Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::shiftDial16,             { 15,   Gm,      GmParam::shift,  No,    0,      1 } },
    { &Ui_GmForm::tuneDial1,               { 0,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial2,               { 1,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial3,               { 2,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial4,               { 3,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial5,               { 4,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial6,               { 5,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial7,               { 6,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial8,               { 7,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial9,               { 8,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial10,              { 9,    Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial11,              { 10,   Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial12,              { 11,   Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial13,              { 12,   Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial14,              { 13,   Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial15,              { 14,   Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::tuneDial16,              { 15,   Gm,      GmParam::tune,   No,    0,      1 } },
    { &Ui_GmForm::panDial1,                { 0,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial2,                { 1,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial3,                { 2,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial4,                { 3,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial5,                { 4,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial6,                { 5,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial7,                { 6,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial8,                { 7,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial9,                { 8,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial10,               { 9,    Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial11,               { 10,   Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial12,               { 11,   Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial13,               { 12,   Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial14,               { 13,   Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial15,               { 14,   Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::panDial16,               { 15,   Gm,      GmParam::pan,    No,    0,      1 } },
    { &Ui_GmForm::choDial1,                { 0,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial2,                { 1,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial3,                { 2,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial4,                { 3,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial5,                { 4,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial6,                { 5,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial7,                { 6,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial8,                { 7,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial9,                { 8,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial10,               { 9,    Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial11,               { 10,   Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial12,               { 11,   Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial13,               { 12,   Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial14,               { 13,   Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial15,               { 14,   Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::choDial16,               { 15,   Gm,      GmParam::chorus, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial1,             { 0,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial2,             { 1,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial3,             { 2,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial4,             { 3,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial5,             { 4,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial6,             { 5,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial7,             { 6,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial8,             { 7,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial9,             { 8,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial10,            { 9,    Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial11,            { 10,   Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial12,            { 11,   Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial13,            { 12,   Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial14,            { 13,   Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial15,            { 14,   Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::cutoffDial16,            { 15,   Gm,      GmParam::cutoff, No,    0,      1 } },
    { &Ui_GmForm::pitchDial1,              { 0,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial2,              { 1,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial3,              { 2,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial4,              { 3,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial5,              { 4,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial6,              { 5,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial7,              { 6,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial8,              { 7,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial9,              { 8,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial10,             { 9,    Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial11,             { 10,   Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial12,             { 11,   Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial13,             { 12,   Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial14,             { 13,   Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial15,             { 14,   Gm,      GmParam::pitch,  No,    0,      1 } },
    { &Ui_GmForm::pitchDial16,             { 15,   Gm,      GmParam::pitch,  No,    0,      1 } },
    // The master dial is the setup block's GM volume.
    { &Ui_GmForm::masterVolDial,           { No,   Voice,   VoiceParam::setupVolume, SetupItem::gmVolume, 0, 1 } },
};

// The strips' buttons, by channel.
QPushButton* Ui_GmForm::*const voiceButtons[GmChannelCount] = {
    &Ui_GmForm::voiceButton1,  &Ui_GmForm::voiceButton2,  &Ui_GmForm::voiceButton3,  &Ui_GmForm::voiceButton4,
    &Ui_GmForm::voiceButton5,  &Ui_GmForm::voiceButton6,  &Ui_GmForm::voiceButton7,  &Ui_GmForm::voiceButton8,
    &Ui_GmForm::voiceButton9,  &Ui_GmForm::voiceButton10, &Ui_GmForm::voiceButton11, &Ui_GmForm::voiceButton12,
    &Ui_GmForm::voiceButton13, &Ui_GmForm::voiceButton14, &Ui_GmForm::voiceButton15, &Ui_GmForm::voiceButton16,
};
QPushButton* Ui_GmForm::*const muteButtons[GmChannelCount] = {
    &Ui_GmForm::muteButton1,  &Ui_GmForm::muteButton2,  &Ui_GmForm::muteButton3,  &Ui_GmForm::muteButton4,
    &Ui_GmForm::muteButton5,  &Ui_GmForm::muteButton6,  &Ui_GmForm::muteButton7,  &Ui_GmForm::muteButton8,
    &Ui_GmForm::muteButton9,  &Ui_GmForm::muteButton10, &Ui_GmForm::muteButton11, &Ui_GmForm::muteButton12,
    &Ui_GmForm::muteButton13, &Ui_GmForm::muteButton14, &Ui_GmForm::muteButton15, &Ui_GmForm::muteButton16,
};
QPushButton* Ui_GmForm::*const soloButtons[GmChannelCount] = {
    &Ui_GmForm::soloButton1,  &Ui_GmForm::soloButton2,  &Ui_GmForm::soloButton3,  &Ui_GmForm::soloButton4,
    &Ui_GmForm::soloButton5,  &Ui_GmForm::soloButton6,  &Ui_GmForm::soloButton7,  &Ui_GmForm::soloButton8,
    &Ui_GmForm::soloButton9,  &Ui_GmForm::soloButton10, &Ui_GmForm::soloButton11, &Ui_GmForm::soloButton12,
    &Ui_GmForm::soloButton13, &Ui_GmForm::soloButton14, &Ui_GmForm::soloButton15, &Ui_GmForm::soloButton16,
};

bool isChannel(int id)
{
    return id >= 0 && id < GmChannelCount;
}

} // namespace

GmForm::GmForm(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui_GmForm)
{
    ui->setupUi(this);
    setWindowTitle("Lyr GM Editor");
    initButtons();
    initDials();
    updateAll();
}

GmForm::~GmForm()
{
    delete ui;
}

void GmForm::initButtons()
{
    for (int id = 0; id < GmChannelCount; ++id) {
        QPushButton* voice = ui->*voiceButtons[id];
        QPushButton* mute = ui->*muteButtons[id];
        QPushButton* solo = ui->*soloButtons[id];
        solo->setStyleSheet("QPushButton:checked {background-color: red;}");
        mute->setStyleSheet("QPushButton:checked {background-color: yellow; color: black;}");
        voiceButtonGroup.addButton(voice, id);
        voice->setCheckable(false);
        muteButtonGroup.addButton(mute, id);
        mute->setCheckable(true);
        soloButtonGroup.addButton(solo, id);
        solo->setCheckable(true);
    }
    voiceButtonGroup.setExclusive(false);
    muteButtonGroup.setExclusive(false);
    soloButtonGroup.setExclusive(true);

    connect(&voiceButtonGroup, &QButtonGroup::idClicked, this, &GmForm::onVoiceButtonClicked);
    connect(&muteButtonGroup, &QButtonGroup::idToggled, this, &GmForm::onMuteButtonToggled);
    connect(&soloButtonGroup, &QButtonGroup::idToggled, this, &GmForm::onSoloButtonToggled);
}

void GmForm::initDials()
{
    dialMap.clear();
    for (const DialRow& row : dialRows)
        dialMap.insert(ui->*row.dial, row.control);
    for (auto it = dialMap.cbegin(); it != dialMap.cend(); ++it) {
        QMyDial* dial = it.key();
        const ChannelParam* p = it->command == ComGmVoiceVariation ? findParam(it->param) : nullptr;
        if (p && p->min < 0) {
            dial->setDisplayedRange(p->min, p->max);
            dial->setMin(p->min);
            dial->setMax(p->max);
            dial->setMode(QMyDial::Centered);
        }
        connect(dial, &QMyDial::valueChanged, this, &GmForm::onDialValueChanged, Qt::UniqueConnection);
    }
}

void GmForm::onDialValueChanged(int value)
{
    const auto it = dialMap.constFind(qobject_cast<QMyDial*>(sender()));
    if (it == dialMap.cend())
        return;
    const TControl& control = *it;
    const quint8 v = control.encode(value);
    if (control.command == ComGmVoiceVariation) {
        if (!isChannel(control.part))
            return;
        if (const ChannelParam* p = findParam(control.param))
            pGmData[control.part].*(p->field) = v;
        emit gmVoiceVariation(control.part, control.param, v);
    } else if (control.command == ComVoiceVariation && control.param == VoiceParam::setupVolume
               && control.index == SetupItem::gmVolume) {
        programs.setup.gmVolume = v;
        emit setupVariation(SetupItem::gmVolume, v);
    }
}

void GmForm::onVoiceButtonClicked(int id)
{
    if (!isChannel(id))
        return;
    // Modeless and kept as a child, so the user can try voice after voice.
    auto* dialog = new VoiceDialog(this, uchar(id), pGmData[id].family, pGmData[id].voice, true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &VoiceDialog::voiceChanged, this, &GmForm::onVoiceChanged);
    dialog->show();
}

void GmForm::onVoiceChanged(uint8_t part, uint8_t family, uint8_t voice)
{
    if (!isChannel(part))
        return;
    const quint8 bank = getVoiceBank(family, voice);
    const quint8 pch = getVoicePch(family, voice);
    qDebug() << "family:" << family;
    qDebug() << "num:" << voice;
    qDebug() << "bank:" << bank;
    qDebug() << "pch:" << pch;

    TGmChannel& channel = pGmData[part];
    if (family == GmDrumFamily)
        channel.flags |= GmChannelDrum;
    else
        channel.flags &= quint8(~GmChannelDrum);
    channel.bank = bank;
    channel.family = family;
    channel.pch = pch;
    channel.voice = voice;
    updateVoiceName(part);
    emit gmVoiceChanged(part, family, voice, bank, pch);
}

void GmForm::onMuteButtonToggled(int id, bool onOff)
{
    if (!isChannel(id))
        return;
    TGmChannel& channel = pGmData[id];
    channel.flags = onOff ? quint8(channel.flags | GmChannelMute) : quint8(channel.flags & ~GmChannelMute);
    emit gmVoiceVariation(uint8_t(id), GmParam::mute, onOff);
}

void GmForm::onSoloButtonToggled(int id, bool onOff)
{
    if (!isChannel(id))
        return;
    // At most the toggled channel keeps its solo.
    for (int k = 0; k < GmChannelCount; ++k) {
        TGmChannel& channel = pGmData[k];
        channel.flags = (k == id && onOff) ? quint8(channel.flags | GmChannelSolo)
                                           : quint8(channel.flags & ~GmChannelSolo);
    }
    emit gmVoiceVariation(uint8_t(id), GmParam::solo, onOff);
}

QMyDial* GmForm::findDialByControl(uchar part, uchar command, uchar param)
{
    for (auto it = dialMap.cbegin(); it != dialMap.cend(); ++it) {
        if (it->part == part && it->command == command && it->param == param)
            return it.key();
    }
    return nullptr;
}

void GmForm::updateVoiceName(uchar channel)
{
    if (!isChannel(channel))
        return;
    QPushButton* button = ui->*voiceButtons[channel];
    const TGmChannel& record = pGmData[channel];
    QString text = getVoiceName(record.family, getVoiceIdx(record.family, record.bank, record.pch));
    if (record.flags & GmChannelDrum)
        text += " [D]";
    button->setText(text.replace('&', QLatin1String("&&")));
}

void GmForm::updateVoiceValues(uchar channel)
{
    if (!isChannel(channel))
        return;
    for (const ChannelParam& p : channelParams) {
        if (QMyDial* dial = findDialByControl(channel, ComGmVoiceVariation, p.param))
            dial->setValue(dialValue(p, pGmData[channel].*(p.field)), true, false);
    }
}

void GmForm::updateVoiceNames()
{
    for (uchar channel = 0; channel < GmChannelCount; ++channel)
        updateVoiceName(channel);
}

void GmForm::updateVoicesValues()
{
    for (uchar channel = 0; channel < GmChannelCount; ++channel)
        updateVoiceValues(channel);
}

void GmForm::updateMuteButtons()
{
    // The group reports a toggle even when the button's own signals are
    // blocked; a refresh must reach neither the flags nor the module.
    const QSignalBlocker blockGroup(muteButtonGroup);
    for (int id = 0; id < GmChannelCount; ++id) {
        if (QAbstractButton* button = muteButtonGroup.button(id)) {
            const QSignalBlocker block(button);
            button->setChecked(pGmData[id].flags & GmChannelMute);
        }
    }
}

void GmForm::updateSoloButtons()
{
    // As for mute, and an exclusive group refuses to uncheck its checked
    // button: set the states with exclusivity off so that the buttons show
    // exactly the flags.
    const QSignalBlocker blockGroup(soloButtonGroup);
    soloButtonGroup.setExclusive(false);
    for (int id = 0; id < GmChannelCount; ++id) {
        if (QAbstractButton* button = soloButtonGroup.button(id)) {
            const QSignalBlocker block(button);
            button->setChecked(pGmData[id].flags & GmChannelSolo);
        }
    }
    soloButtonGroup.setExclusive(true);
}

void GmForm::updateGlobalValues()
{
    ui->masterVolDial->setValue(programs.setup.gmVolume, true, false);
}

void GmForm::updateAll()
{
    updateVoiceNames();
    updateVoicesValues();
    updateMuteButtons();
    updateSoloButtons();
    updateGlobalValues();
}
