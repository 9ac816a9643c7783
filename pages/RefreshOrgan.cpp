// Page refresh of the Organ and Rotary pages. The organ's on flag shares
// its byte with its volume; the rotary speaker is usable while the organ is
// on or while the insert chain feeds it.

#include "LyrForm.h"
#include "RefreshRows.h"

#include "TProgram.h"
#include "ui_LyrForm.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

#include <cstddef>
#include <iterator>

using namespace pages;

namespace {

using W = Ui_LyrForm;

const ShowRow organRows[] = {
    //  widget                                 field of TProgram                           shown as            mask
    { &W::organOnOffCheckBox,                  offsetof(TProgram, organ.onVolume),                             OrganOn },
    { &W::organPercussionOnOffCheckBox,        offsetof(TProgram, organ.flags),                                OrganFlag::percussionOn },
    { &W::organVibratoChorusOnOffCheckBox,     offsetof(TProgram, organ.flags),                                OrganFlag::vibratoOn },
    { &W::organDriveCheckBox,                  offsetof(TProgram, organ.driveOn) },
    // The vibrato/chorus items stand for 0, 26, 51, ... 127, as stored.
    { &W::organVibratoChorusTypeComboBox,      offsetof(TProgram, organ.vibratoType),      Shown::Data },
    { &W::organPercussionTypeComboBox,         offsetof(TProgram, organ.flags),            Shown::BitIndex,    OrganFlag::percussionType },
    { &W::organPercussionDecayComboBox,        offsetof(TProgram, organ.flags),            Shown::BitIndex,    OrganFlag::percussionDecay },
    { &W::organPercussionLevelComboBox,        offsetof(TProgram, organ.flags),            Shown::BitIndex,    OrganFlag::percussionLevel },
    { &W::organShiftDial,                      offsetof(TProgram, organ.shift),            Shown::Shift },
    { &W::organVolumeDial,                     offsetof(TProgram, organ.onVolume),         Shown::OrganVolume },
    { &W::organKeyClickDial,                   offsetof(TProgram, organ.keyClick) },
    { &W::organReverbDial,                     offsetof(TProgram, organ.reverbSend) },
    { &W::organChorusDial,                     offsetof(TProgram, organ.chorusSend) },
};

const ShowRow rotaryRows[] = {
    { &W::organSlowFastComboBox,               offsetof(TProgram, organ.rotarySpeed),      Shown::DataOrKeep },
    { &W::organDirectSoundLevelDial,           offsetof(TProgram, organ.directLevel) },
    { &W::organReflectionIntensityDial,        offsetof(TProgram, organ.reflectionIntensity) },
    { &W::organReflectionDelayTimeDial,        offsetof(TProgram, organ.reflectionDelay) },
    { &W::organHighRotorVolumeDial,            offsetof(TProgram, organ.highRotor[0]) },
    { &W::organHighRotorHPDial,                offsetof(TProgram, organ.highRotor[1]) },
    { &W::organHighRotorSlowSpeedDial,         offsetof(TProgram, organ.highRotor[2]) },
    { &W::organHighRotorFastSpeedDial,         offsetof(TProgram, organ.highRotor[3]) },
    { &W::organHighRotorAccTimeDial,           offsetof(TProgram, organ.highRotor[4]) },
    { &W::organHighRotorDecTimeDial,           offsetof(TProgram, organ.highRotor[5]) },
    { &W::organHighRotorBrakeTimeDial,         offsetof(TProgram, organ.highRotor[6]) },
    { &W::organHighRotorAMDepthDial,           offsetof(TProgram, organ.highRotor[7]) },
    { &W::organHighRotorFMDepthDial,           offsetof(TProgram, organ.highRotor[8]) },
    { &W::organHighRotorDriveAmountDial,       offsetof(TProgram, organ.highRotor[9]) },
    { &W::organHighRotorDriveLPDial,           offsetof(TProgram, organ.highRotor[10]) },
    { &W::organLowRotorVolumeDial,             offsetof(TProgram, organ.lowRotor[0]) },
    { &W::organLowRotorLPDial,                 offsetof(TProgram, organ.lowRotor[1]) },
    { &W::organLowRotorSlowSpeedDial,          offsetof(TProgram, organ.lowRotor[2]) },
    { &W::organLowRotorFastSpeedDial,          offsetof(TProgram, organ.lowRotor[3]) },
    { &W::organLowRotorAccTimeDial,            offsetof(TProgram, organ.lowRotor[4]) },
    { &W::organLowRotorDecTimeDial,            offsetof(TProgram, organ.lowRotor[5]) },
    { &W::organLowRotorBrakeTimeDial,          offsetof(TProgram, organ.lowRotor[6]) },
    { &W::organLowRotorAMDepthDial,            offsetof(TProgram, organ.lowRotor[7]) },
    { &W::organLowRotorFMDepthDial,            offsetof(TProgram, organ.lowRotor[8]) },
    { &W::organLowRotorDriveAmountDial,        offsetof(TProgram, organ.lowRotor[9]) },
    { &W::organLowRotorDriveLPDial,            offsetof(TProgram, organ.lowRotor[10]) },
    { &W::organRotarySustainCheckBox,          offsetof(TProgram, organ.rotaryControl),                        ControlSource::sustain },
    { &W::organRotaryModWheelCheckBox,         offsetof(TProgram, organ.rotaryControl),                        ControlSource::modWheel },
    { &W::organRotaryAftertouchCheckBox,       offsetof(TProgram, organ.rotaryControl),                        ControlSource::aftertouch },
    { &W::organRotarySustainToggleCheckBox,    offsetof(TProgram, organ.rotaryControl),                        ControlSource::sustainToggle },
};

struct Drawbar
{
    QSlider* W::*slider;
    QLabel* W::*label;
};

const Drawbar drawbars[sizeof(TDrawbar::bar)] = {
    { &W::drawbar1Slider, &W::drawbar1Label }, { &W::drawbar2Slider, &W::drawbar2Label },
    { &W::drawbar3Slider, &W::drawbar3Label }, { &W::drawbar4Slider, &W::drawbar4Label },
    { &W::drawbar5Slider, &W::drawbar5Label }, { &W::drawbar6Slider, &W::drawbar6Label },
    { &W::drawbar7Slider, &W::drawbar7Label }, { &W::drawbar8Slider, &W::drawbar8Label },
    { &W::drawbar9Slider, &W::drawbar9Label },
};

} // namespace

void pages::forEachOrganRow(const RowVisit& visit)
{
    for (const ShowRow& row : organRows)
        visit(row);
    for (const ShowRow& row : rotaryRows)
        visit(row);
}

void LyrForm::updateOrganPage()
{
    showRows(ui, bytes(), organRows);
    enable(programPtr->organ.onVolume & OrganOn,
           { ui->organKeyClickLabel, ui->organVolumeLabel, ui->organKeyClickDial, ui->organVolumeDial,
             ui->groupBoxPercussion, ui->groupBoxVibratoChorus, ui->groupBoxOrganEfx, ui->groupBoxDrawbars,
             ui->organShiftDial, ui->organShiftLabel });
    updateDrawbars();
}

void LyrForm::updateDrawbars()
{
    for (std::size_t d = 0; d < std::size(drawbars); ++d) {
        const int value = programPtr->organ.bar[d];
        QSlider* slider = ui->*drawbars[d].slider;
        {
            const QSignalBlocker blocker(slider);
            slider->setValue(value);
        }
        (ui->*drawbars[d].label)->setText(QString::number(value));
    }
}

void LyrForm::updateRotaryPage()
{
    showRows(ui, bytes(), rotaryRows);
    const bool on = (programPtr->organ.onVolume & OrganOn) || programPtr->insert.organRotary;
    enable(on, { ui->organDriveCheckBox, ui->groupBoxHighRotor, ui->groupBoxLowRotor, ui->groupBoxReflections,
                 ui->groupBoxRotary });
}
