// Page refresh of the Insert and Chorus/Reverb pages: each effect shows its
// values and enables its controls with its on byte; the slot bytes choose
// which effects are shown at all.

#include "LyrForm.h"
#include "RefreshRows.h"

#include "TProgram.h"
#include "ui_LyrForm.h"

#include <QComboBox>
#include <QLabel>

using namespace pages;

namespace {

// A 14-bit word as the 0..1 a plot takes.
double unit(int offset)
{
    return wordAt(bytes(), offset) / 16383.0;
}

using W = Ui_LyrForm;

const ShowRow chainRows[] = {
    //  widget                              offset  shown as
    { &W::insertConfigurationComboBox,      293,    Shown::Index },
    { &W::insertGainDial,                   294,    Shown::Word },
    { &W::insertLevelDial,                  296,    Shown::Word },
    { &W::insertChorusDial,                 300,    Shown::Word },
    { &W::insertReverbDial,                 298,    Shown::Word },
    { &W::feedToRotaryCheckBox,             417 },
};

const ShowRow compressorRows[] = {
    { &W::compressorOnOffCheckBox,          302 },
    { &W::compressorAttackDial,             303,    Shown::Word },
    { &W::compressorReleaseDial,            305,    Shown::Word },
    { &W::compressorRatioDial,              307,    Shown::Word },
    { &W::compressorThresholdDial,          309,    Shown::Word },
    { &W::compressorMakeUpGainDial,         311,    Shown::Word },
};

const ShowRow distorsorRows[] = {
    { &W::distorsorOnOffCheckBox,           313 },
    { &W::distorsorTypeComboBox,            314,    Shown::Index },
    { &W::distorsorDriveDial,               315,    Shown::Word },
    { &W::distorsorBrightInDial,            317,    Shown::Word },
    { &W::distorsorBrightOutDial,           319,    Shown::Word },
    { &W::distorsorLevelDial,               321,    Shown::Word },
};

const ShowRow hqDistorsorRows[] = {
    { &W::hqDistorsorCheckBox,              409 },
    { &W::hqDistorsorBiasDial,              410 },
    { &W::hqDistorsorBoostCheckBox,         411 },
    { &W::hqDistorsorTypeComboBox,          412,    Shown::Index },
    { &W::hqDistorsorDriveDial,             413 },
    { &W::hqDistorsorBrightnessDial,        414 },
    { &W::hqDistorsorLevelDial,             415 },
};

const ShowRow delayRows[] = {
    { &W::delayOnOffCheckBox,               397 },
    { &W::delayTypeComboBox,                398,    Shown::Index },
    { &W::delayLevelDial,                   399,    Shown::Word },
    { &W::delayCutoffDial,                  401,    Shown::Word },
    { &W::delayTimeDial,                    403,    Shown::Word },
    { &W::delayFeedbackDial,                405,    Shown::Word },
    { &W::delayDampingDial,                 407,    Shown::Word },
};

const ShowRow tremoloRows[] = {
    { &W::tremoloOnOffCheckBox,             390 },
    { &W::tremoloTypeComboBox,              391,    Shown::Index },
    { &W::tremoloShapeComboBox,             392,    Shown::Index },
    { &W::tremoloDepthDial,                 393,    Shown::Word },
    { &W::tremoloRateDial,                  395,    Shown::Word },
};

const ShowRow wahRows[] = {
    { &W::wahOnOffCheckBox,                 375 },
    { &W::wahTypeComboBox,                  376,    Shown::Index },
    { &W::wahFilterComboBox,                377,    Shown::Index },
    { &W::wahFreqDial,                      378,    Shown::Word },
    { &W::wahResonanceDial,                 380,    Shown::Word },
    { &W::wahSensitivityDial,               382,    Shown::Word },
    { &W::wahDecayDial,                     384,    Shown::Word },
    { &W::wahLfoAmountDial,                 386,    Shown::Word },
    { &W::wahLfoRateDial,                   388,    Shown::Word },
};

const ShowRow modulationRows[] = {
    { &W::modOnOffCheckBox,                 352 },
    { &W::modTypeComboBox,                  353,    Shown::Index },
    { &W::modWaveComboBox,                  354,    Shown::Index },
    { &W::modDryWetDial,                    355,    Shown::Word },
    { &W::modDepthDial,                     357,    Shown::Word },
    { &W::modRateDial,                      359,    Shown::Word },
    { &W::modDelayDial,                     361,    Shown::Word },
    { &W::modFeedbackDial,                  363,    Shown::Word },
    { &W::modSlowFastCheckBox,              365 },
    { &W::modFastRateDial,                  366,    Shown::Word },
    { &W::modAccelerationTimeDial,          368,    Shown::Word },
    { &W::modBrakeTimeDial,                 370,    Shown::Word },
    { &W::modDirectovityDial,               372,    Shown::Word },
    { &W::modMicAngleDial,                  374 },
};

const ShowRow chorusRows[] = {
    { &W::chorusWaveComboBox,               422,    Shown::Index },
    { &W::chorusTypeComboBox,               423,    Shown::Index },
    { &W::chorusPreLpFilterDial,            424 },
    { &W::chorusFeedbackDial,               425 },
    { &W::chorusDelayDial,                  426 },
    { &W::chorusRateDial,                   427 },
    { &W::chorusDepthDial,                  428 },
    { &W::chorusLevelDial,                  429 },
};

const ShowRow reverbRows[] = {
    { &W::reverbSizeComboBox,               438,    Shown::Index },
    { &W::reverbHDampDial,                  439 },
    { &W::reverbTypeComboBox,               440,    Shown::Index },
    { &W::reverbPreLPFilterDial,            442 },
    { &W::reverbPreHpFilterDial,            443 },
    { &W::reverbHighShelfGainDial,          444 },
    { &W::reverbHighShelfFreqDial,          445 },
    { &W::reverbTimeDial,                   446 },
    { &W::reverbFeedbackDial,               447 },
    { &W::reverbPreDelayTimeDial,           448 },
    { &W::reverbLevelDial,                  449 },
};

// One band of the insert equaliser: its type combo box, then each dial
// with its label.
struct EqBand
{
    QComboBox* W::*type;
    QLabel* W::*typeLabel;
    QMyDial* W::*freq;
    QLabel* W::*freqLabel;
    QMyDial* W::*q;
    QLabel* W::*qLabel;
    QMyDial* W::*gain;
    QLabel* W::*gainLabel;
};

const EqBand eqBands[4] = {
    { &W::eqLowBandComboBox,     &W::eqLowBandTypeLabel,     &W::eqLowBandFreqDial,     &W::eqLowBandFreqLabel,
      &W::eqLowBandQDial,        &W::eqLowBandQLabel,        &W::eqLowBandGainDial,     &W::eqLowBandGainLabel },
    { &W::eqMidLowBandComboBox,  &W::eqMidLowBandTypeLabel,  &W::eqMidLowBandFreqDial,  &W::eqMidLowBandFreqLabel,
      &W::eqMidLowBandQDial,     &W::eqMidLowBandQLabel,     &W::eqMidLowBandGainDial,  &W::eqMidLowBandGainLabel },
    { &W::eqMidHighBandComboBox, &W::eqMidHighBandTypeLabel, &W::eqMidHighBandFreqDial, &W::eqMidHighBandFreqLabel,
      &W::eqMidHighBandQDial,    &W::eqMidHighBandQLabel,    &W::eqMidHighBandGainDial, &W::eqMidHighBandGainLabel },
    { &W::eqHighBandComboBox,    &W::eqHighBandTypeLabel,    &W::eqHighBandFreqDial,    &W::eqHighBandFreqLabel,
      &W::eqHighBandQDial,       &W::eqHighBandQLabel,       &W::eqHighBandGainDial,    &W::eqHighBandGainLabel },
};

// Which of a band's dials its filter type uses: frequency, Q, gain.
struct EqUse
{
    bool freq, q, gain;
};

EqUse eqUse(int type)
{
    switch (type) {
    case 0:         return { false, false, false };  // off
    case 1: case 6: return { true, false, false };   // 6 dB low and high pass
    case 2: case 7: return { true, true, false };    // 12 dB low and high pass
    case 3: case 5: return { true, false, true };    // shelves
    default:        return { true, true, true };     // peak, and anything unknown
    }
}

// Modulation controls that the modulation type uses, by type 0..4.
struct ModUse
{
    bool wave, dryWet, delay, feedback, rotor;
};

const ModUse modUse[5] = {
    //  wave   dry/wet  delay  feedback  rotor
    { true,  true,   true,  false, false },  // chorus
    { true,  false,  false, false, false },  // vibrato
    { true,  true,   true,  true,  false },  // flanger
    { true,  true,   false, true,  false },  // phaser
    { false, false,  false, false, true },   // rotary
};

} // namespace

void LyrForm::updateEffects()
{
    showRows(ui, bytes(), chainRows);
    updateEffectsSlotConfiguration();
    updateReverb();
    updateChorus();
    updateInsertCompressor();
    updateInsertDistorsor();
    updateInsertHqDistorsor();
    updateInsertDelay();
    updateInsertEq();
    updateInsertMod();
    updateInsertTremolo();
    updateInsertWah();
}

void LyrForm::updateEffectsSlotConfiguration()
{
    const quint8 slotByte = programPtr->insert.slotConfig;
    const int slot1 = slotByte & 0x0F;
    const int slot2 = slotByte >> 4;
    showIndex(ui->insertSlot1ComboBox, slot1 < ui->insertSlot1ComboBox->count() ? slot1 : -1);
    showIndex(ui->insertSlot2ComboBox, slot2 < ui->insertSlot2ComboBox->count() ? slot2 : -1);

    ui->groupBoxDistorsor->setVisible(slot1 == 1);
    ui->groupBoxCompressor->setVisible(slot1 != 1);
    ui->verticalLayout_6->activate();

    ui->groupBoxModulation->setVisible(slot2 != 1 && slot2 != 2);
    ui->groupBoxRotor->setVisible(slot2 != 1 && slot2 != 2 && programPtr->insert.modulationType == 4);
    ui->groupBoxWah->setVisible(slot2 == 1);
    ui->groupBoxTremolo->setVisible(slot2 == 2);
    ui->verticalLayout_8->activate();
}

void LyrForm::updateInsertCompressor()
{
    showRows(ui, bytes(), compressorRows);
    enable(bytes()[302], { ui->compressorAttackDial, ui->compressorReleaseDial, ui->compressorRatioDial,
                           ui->compressorThresholdDial, ui->compressorMakeUpGainDial, ui->compressorAttackLabel,
                           ui->compressorReleaseLabel, ui->compressorRatioLabel, ui->compressorThresholdLabel,
                           ui->compressorMakeUpGainLabel });
}

void LyrForm::updateInsertDistorsor()
{
    showRows(ui, bytes(), distorsorRows);
    enable(bytes()[313], { ui->distorsorTypeComboBox, ui->distorsorDriveDial, ui->distorsorBrightInDial,
                           ui->distorsorBrightOutDial, ui->distorsorLevelDial, ui->distorsorTypeLabel,
                           ui->distorsorDriveLabel, ui->distorsorBrighthInLabel, ui->distorsorBrightOutLabel,
                           ui->distorsorLevelLabel });
}

void LyrForm::updateInsertHqDistorsor()
{
    showRows(ui, bytes(), hqDistorsorRows);
    enable(bytes()[409], { ui->hqDistorsorBoostCheckBox, ui->hqDistorsorTypeComboBox, ui->hqDistorsorBiasDial,
                           ui->hqDistorsorDriveDial, ui->hqDistorsorBrightnessDial, ui->hqDistorsorLevelDial,
                           ui->hqDistorsorTypeLabel, ui->hqDistorsorBiasLabel, ui->hqDistorsorDriveLabel,
                           ui->hqDistorsorBrightnessLabel, ui->hqDistorsorLevelLabel });
}

void LyrForm::updateInsertDelay()
{
    showRows(ui, bytes(), delayRows);
    enable(bytes()[397], { ui->delayTypeComboBox, ui->delayLevelDial, ui->delayCutoffDial, ui->delayTimeDial,
                           ui->delayFeedbackDial, ui->delayDampingDial, ui->delayTypeLabel, ui->delayLavelLabel,
                           ui->delayCutoffLabel, ui->delayTimeLabel, ui->delayFeedbackLabel,
                           ui->delayDampingLabel });
}

void LyrForm::updateInsertTremolo()
{
    showRows(ui, bytes(), tremoloRows);
    enable(bytes()[390], { ui->tremoloTypeComboBox, ui->tremoloShapeComboBox, ui->tremoloDepthDial,
                           ui->tremoloRateDial, ui->tremoloTypeLabel, ui->tremoloShapeLabel, ui->tremoloDepthLabel,
                           ui->tremoloRateLabel, ui->tremoloRateLed, ui->tremoloLfoPlot });
    const quint8 shape = programPtr->insert.tremoloShape;
    if (shape <= QMyLfoPlot::LfoSquare)
        ui->tremoloLfoPlot->setShape(shape);
    ui->tremoloLfoPlot->setDepth(unit(393));
    ui->tremoloLfoPlot->setRate(unit(395));
}

void LyrForm::updateInsertWah()
{
    showRows(ui, bytes(), wahRows);
    const bool on = bytes()[375];
    // The LFO mode sweeps by itself: sensitivity and decay follow the
    // playing in the other modes only.
    const bool lfo = programPtr->insert.wahType == 3;
    enable(on && lfo, { ui->wahLfoAmountDial, ui->wahLfoRateDial, ui->wahLfoAmountLabel, ui->wahLfoRateLabel,
                        ui->wahLfoPlot, ui->wahLfoRateLed });
    enable(on && !lfo, { ui->wahSensitivityDial, ui->wahDecayDial, ui->wahSensitivityLabel, ui->wahDecayLabel });
    enable(on, { ui->wahTypeComboBox, ui->wahFilterComboBox, ui->wahFreqDial, ui->wahResonanceDial, ui->wahTypeLabel,
                 ui->wahFilterLabel, ui->wahFreqLabel, ui->wahResonanceLabel });
    ui->wahLfoPlot->setDepth(unit(386));
    ui->wahLfoPlot->setRate(unit(388));
}

void LyrForm::updateInsertMod()
{
    showRows(ui, bytes(), modulationRows);
    const bool on = programPtr->insert.modulationOn;
    const quint8 type = programPtr->insert.modulationType;
    if (type < 5) {
        const ModUse& use = modUse[type];
        enable(use.wave && on, { ui->modWaveLabel, ui->modWaveComboBox });
        enable(use.dryWet && on, { ui->modDryWetLabel, ui->modDryWetDial });
        enable(use.delay && on, { ui->modDelayLabel, ui->modDelayDial });
        enable(use.feedback && on, { ui->modFeedbackLabel, ui->modFeedbackDial });
        enable(use.rotor && on, { ui->modFastRateDial, ui->modAccelerationTimeDial, ui->modBrakeTimeDial,
                                  ui->modDirectovityDial, ui->modMicAngleDial, ui->modFastRateLabel,
                                  ui->modAccelerationTimeLabel, ui->modBrakeTimeLabel, ui->modDirectivityLabel,
                                  ui->modMicAngleLabel, ui->modSlowFastCheckBox, ui->modFastRateLed });
    }
    ui->groupBoxRotor->setVisible(programPtr->insert.slotConfig <= 15 && type == 4);
    enable(on, { ui->modTypeLabel, ui->modTypeComboBox, ui->modDepthLabel, ui->modDepthDial, ui->modRateLabel,
                 ui->modRateDial, ui->modRateLed, ui->modLfoPlot });
    ui->modLfoPlot->setDepth(unit(357));
    ui->modLfoPlot->setRate(unit(359));
    ui->modLfoPlot->setDelay(unit(361));
    const quint8 wave = programPtr->insert.modulationWave;
    if (wave == 0)
        ui->modLfoPlot->setShape(QMyLfoPlot::LfoTriangle);
    else if (wave <= 2)
        ui->modLfoPlot->setShape(QMyLfoPlot::LfoSine);
}

void LyrForm::updateInsertEq()
{
    const quint8* p = bytes();
    const bool on = p[323];
    showChecked(ui->eqOnOffCheckBox, on);
    for (int b = 0; b < 4; ++b) {
        const EqBand& band = eqBands[b];
        const ShowRow rows[] = {
            { band.type, quint16(324 + b),     Shown::Data },
            { band.freq, quint16(328 + 2 * b), Shown::Word },
            { band.q,    quint16(336 + 2 * b), Shown::Word },
            { band.gain, quint16(344 + 2 * b), Shown::Word },
        };
        showRows(ui, p, rows);
        const EqUse use = eqUse(p[324 + b]);
        enable(on, { ui->*band.type, ui->*band.typeLabel });
        enable(on && use.freq, { ui->*band.freq, ui->*band.freqLabel });
        enable(on && use.q, { ui->*band.q, ui->*band.qLabel });
        enable(on && use.gain, { ui->*band.gain, ui->*band.gainLabel });
    }
    enable(on, { ui->eqResetButton, ui->eqEditButton, ui->parametricEqPlot });
    updateEqPlot();
}

void LyrForm::updateEqPlot()
{
    const TInsert& in = programPtr->insert;
    for (int b = 0; b < 4; ++b) {
        const auto type = QMyParametricEq::Type(eqIndexMap.key(in.eqType[b], QMyParametricEq::AllPassFilter));
        ui->parametricEqPlot->setFrequency(b, 20.0 + (20000.0 - 20.0) * in.eqFreq[b] / 16383.0, false);
        ui->parametricEqPlot->setGain(b, -24.0 + 48.0 * in.eqGain[b] / 16383.0, false);
        ui->parametricEqPlot->setQ(b, 0.1 + (16.0 - 0.1) * in.eqQ[b] / 16383.0, false);
        ui->parametricEqPlot->setType(b, type, false);
    }
    ui->parametricEqPlot->drawAll();
}

void LyrForm::updateReverb()
{
    showRows(ui, bytes(), reverbRows);
    const bool on = programPtr->reverb.on;
    // The delay types have feedback where the others have a pre-delay.
    const bool delayType = (programPtr->reverb.type & 0xFE) == 6;
    enable(on, { ui->reverbTypeComboBox, ui->reverbSizeComboBox, ui->reverbHDampDial, ui->reverbPreLPFilterDial,
                 ui->reverbPreHpFilterDial, ui->reverbHighShelfGainDial, ui->reverbHighShelfFreqDial,
                 ui->reverbTimeDial, ui->reverbLevelDial, ui->reverbTypeLabel, ui->reverbSizeLabel,
                 ui->reverbHDampLabel, ui->reverbPreLPFilterLabel, ui->reverbPreHpFilterLabel,
                 ui->reverbHighShelfGainLabel, ui->reverbHighShelfFreqLabel, ui->reverbTimeLabel,
                 ui->reverbLevelLabel });
    enable(on && delayType, { ui->reverbFeedbackDial, ui->reverbFeedbackLabel });
    enable(on && !delayType, { ui->reverbPreDelayTimeDial, ui->reverbPreDelayTimeLabel });
}

void LyrForm::updateChorus()
{
    showRows(ui, bytes(), chorusRows);
    enable(programPtr->chorus.on, { ui->chorusWaveComboBox, ui->chorusTypeComboBox, ui->chorusPreLpFilterDial,
                                    ui->chorusFeedbackDial, ui->chorusDelayDial, ui->chorusRateDial,
                                    ui->chorusDepthDial, ui->chorusLevelDial, ui->chorusWaveLabel,
                                    ui->chorusTypeLabel, ui->chorusPreLpFilterLabel, ui->chorusFeedbackLabel,
                                    ui->chorusDelayLabel, ui->chorusRateLabel, ui->chorusDepthLabel,
                                    ui->chorusLevelLabel });
}
