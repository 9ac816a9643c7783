// Page refresh of the Organ and Rotary pages. The organ's on flag shares
// byte 453 with its volume; the rotary speaker is usable while the organ is
// on or while the insert chain feeds it.

#include "LyrForm.h"
#include "RefreshRows.h"

#include "TProgram.h"
#include "ui_LyrForm.h"

#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>

using namespace pages;

namespace {

using W = Ui_LyrForm;

const ShowRow organRows[] = {
    //  widget                                  offset  shown as          mask
    { &W::organOnOffCheckBox,                   453,                      0x01 },
    { &W::organPercussionOnOffCheckBox,         463,                      0x01 },
    { &W::organVibratoChorusOnOffCheckBox,      463,                      0x02 },
    { &W::organDriveCheckBox,                   510 },
    // The vibrato/chorus items stand for 0, 26, 51, ... 127, as stored.
    { &W::organVibratoChorusTypeComboBox,       465,    Shown::Data },
    { &W::organPercussionTypeComboBox,          463,    Shown::BitIndex,  0x04 },
    { &W::organPercussionDecayComboBox,         463,    Shown::BitIndex,  0x08 },
    { &W::organPercussionLevelComboBox,         463,    Shown::BitIndex,  0x10 },
    { &W::organShiftDial,                       470,    Shown::Less48 },
    { &W::organVolumeDial,                      453,    Shown::Half },
    { &W::organKeyClickDial,                    467 },
    { &W::organReverbDial,                      469 },
    { &W::organChorusDial,                      468 },
};

const ShowRow rotaryRows[] = {
    { &W::organSlowFastComboBox,                466,    Shown::DataOrKeep },
    { &W::organDirectSoundLevelDial,            485 },
    { &W::organReflectionIntensityDial,         486 },
    { &W::organReflectionDelayTimeDial,         487 },
    { &W::organHighRotorVolumeDial,             488 },
    { &W::organHighRotorHPDial,                 489 },
    { &W::organHighRotorSlowSpeedDial,          490 },
    { &W::organHighRotorFastSpeedDial,          491 },
    { &W::organHighRotorAccTimeDial,            492 },
    { &W::organHighRotorDecTimeDial,            493 },
    { &W::organHighRotorBrakeTimeDial,          494 },
    { &W::organHighRotorAMDepthDial,            495 },
    { &W::organHighRotorFMDepthDial,            496 },
    { &W::organHighRotorDriveAmountDial,        497 },
    { &W::organHighRotorDriveLPDial,            498 },
    { &W::organLowRotorVolumeDial,              499 },
    { &W::organLowRotorLPDial,                  500 },
    { &W::organLowRotorSlowSpeedDial,           501 },
    { &W::organLowRotorFastSpeedDial,           502 },
    { &W::organLowRotorAccTimeDial,             503 },
    { &W::organLowRotorDecTimeDial,             504 },
    { &W::organLowRotorBrakeTimeDial,           505 },
    { &W::organLowRotorAMDepthDial,             506 },
    { &W::organLowRotorFMDepthDial,             507 },
    { &W::organLowRotorDriveAmountDial,         508 },
    { &W::organLowRotorDriveLPDial,             509 },
    { &W::organRotarySustainCheckBox,           464,                      0x01 },
    { &W::organRotaryModWheelCheckBox,          464,                      0x02 },
    { &W::organRotaryAftertouchCheckBox,        464,                      0x04 },
    { &W::organRotarySustainToggleCheckBox,     464,                      0x08 },
};

struct Drawbar
{
    QSlider* W::*slider;
    QLabel* W::*label;
};

const Drawbar drawbars[9] = {
    { &W::drawbar1Slider, &W::drawbar1Label }, { &W::drawbar2Slider, &W::drawbar2Label },
    { &W::drawbar3Slider, &W::drawbar3Label }, { &W::drawbar4Slider, &W::drawbar4Label },
    { &W::drawbar5Slider, &W::drawbar5Label }, { &W::drawbar6Slider, &W::drawbar6Label },
    { &W::drawbar7Slider, &W::drawbar7Label }, { &W::drawbar8Slider, &W::drawbar8Label },
    { &W::drawbar9Slider, &W::drawbar9Label },
};

} // namespace

void LyrForm::updateOrganPage()
{
    showRows(ui, bytes(), organRows);
    enable(programPtr->organ.onVolume & 1,
           { ui->organKeyClickLabel, ui->organVolumeLabel, ui->organKeyClickDial, ui->organVolumeDial,
             ui->groupBoxPercussion, ui->groupBoxVibratoChorus, ui->groupBoxOrganEfx, ui->groupBoxDrawbars,
             ui->organShiftDial, ui->organShiftLabel });
    updateDrawbars();
}

void LyrForm::updateDrawbars()
{
    for (int d = 0; d < 9; ++d) {
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
    const bool on = (programPtr->organ.onVolume & 1) || programPtr->insert.organRotary;
    enable(on, { ui->organDriveCheckBox, ui->groupBoxHighRotor, ui->groupBoxLowRotor, ui->groupBoxReflections,
                 ui->groupBoxRotary });
}
