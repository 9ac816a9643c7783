// Page refresh of the Insert and Chorus/Reverb pages: each effect shows its
// values and enables its controls with its on byte; the slot bytes choose
// which effects are shown at all.

#include "LyrForm.h"
#include "RefreshRows.h"

#include "EqScale.h"

#include "TProgram.h"
#include "ui_LyrForm.h"

#include <QComboBox>
#include <QLabel>

using namespace pages;

namespace {

// A 14-bit word as the 0..1 a plot takes.
double unit(quint16 word)
{
    return word / double(WordMax);
}

using W = Ui_LyrForm;

const ShowRow chainRows[] = {
    //  widget                            field of TProgram                            shown as
    { &W::insertConfigurationComboBox,    offsetof(TProgram, insert.config),           Shown::Index },
    { &W::insertGainDial,                 offsetof(TProgram, insert.inputGain),        Shown::Word },
    { &W::insertLevelDial,                offsetof(TProgram, insert.outputLevel),      Shown::Word },
    { &W::insertChorusDial,               offsetof(TProgram, insert.chorusSend),       Shown::Word },
    { &W::insertReverbDial,               offsetof(TProgram, insert.reverbSend),       Shown::Word },
    { &W::feedToRotaryCheckBox,           offsetof(TProgram, insert.organRotary) },
};

const ShowRow compressorRows[] = {
    { &W::compressorOnOffCheckBox,        offsetof(TProgram, insert.compressorOn) },
    { &W::compressorAttackDial,           offsetof(TProgram, insert.compressor[0]),    Shown::Word },
    { &W::compressorReleaseDial,          offsetof(TProgram, insert.compressor[1]),    Shown::Word },
    { &W::compressorRatioDial,            offsetof(TProgram, insert.compressor[2]),    Shown::Word },
    { &W::compressorThresholdDial,        offsetof(TProgram, insert.compressor[3]),    Shown::Word },
    { &W::compressorMakeUpGainDial,       offsetof(TProgram, insert.compressor[4]),    Shown::Word },
};

const ShowRow distorsorRows[] = {
    { &W::distorsorOnOffCheckBox,         offsetof(TProgram, insert.distortionOn) },
    { &W::distorsorTypeComboBox,          offsetof(TProgram, insert.distortionType),   Shown::Index },
    { &W::distorsorDriveDial,             offsetof(TProgram, insert.distortion[0]),    Shown::Word },
    { &W::distorsorBrightInDial,          offsetof(TProgram, insert.distortion[1]),    Shown::Word },
    { &W::distorsorBrightOutDial,         offsetof(TProgram, insert.distortion[2]),    Shown::Word },
    { &W::distorsorLevelDial,             offsetof(TProgram, insert.distortion[3]),    Shown::Word },
};

const ShowRow hqDistorsorRows[] = {
    { &W::hqDistorsorCheckBox,            offsetof(TProgram, insert.hqDistortionOn) },
    { &W::hqDistorsorBiasDial,            offsetof(TProgram, insert.hqDistortionBias) },
    { &W::hqDistorsorBoostCheckBox,       offsetof(TProgram, insert.hqDistortionBoost) },
    { &W::hqDistorsorTypeComboBox,        offsetof(TProgram, insert.hqDistortionType), Shown::Index },
    { &W::hqDistorsorDriveDial,           offsetof(TProgram, insert.hqDistortion[0]) },
    { &W::hqDistorsorBrightnessDial,      offsetof(TProgram, insert.hqDistortion[1]) },
    { &W::hqDistorsorLevelDial,           offsetof(TProgram, insert.hqDistortion[2]) },
};

const ShowRow delayRows[] = {
    { &W::delayOnOffCheckBox,             offsetof(TProgram, insert.delayOn) },
    { &W::delayTypeComboBox,              offsetof(TProgram, insert.delayType),        Shown::Index },
    { &W::delayLevelDial,                 offsetof(TProgram, insert.delay[0]),         Shown::Word },
    { &W::delayCutoffDial,                offsetof(TProgram, insert.delay[1]),         Shown::Word },
    { &W::delayTimeDial,                  offsetof(TProgram, insert.delay[2]),         Shown::Word },
    { &W::delayFeedbackDial,              offsetof(TProgram, insert.delay[3]),         Shown::Word },
    { &W::delayDampingDial,               offsetof(TProgram, insert.delay[4]),         Shown::Word },
};

const ShowRow tremoloRows[] = {
    { &W::tremoloOnOffCheckBox,           offsetof(TProgram, insert.tremoloOn) },
    { &W::tremoloTypeComboBox,            offsetof(TProgram, insert.tremoloType),      Shown::Index },
    { &W::tremoloShapeComboBox,           offsetof(TProgram, insert.tremoloShape),     Shown::Index },
    { &W::tremoloDepthDial,               offsetof(TProgram, insert.tremolo[0]),       Shown::Word },
    { &W::tremoloRateDial,                offsetof(TProgram, insert.tremolo[1]),       Shown::Word },
};

const ShowRow wahRows[] = {
    { &W::wahOnOffCheckBox,               offsetof(TProgram, insert.wahOn) },
    { &W::wahTypeComboBox,                offsetof(TProgram, insert.wahType),          Shown::Index },
    { &W::wahFilterComboBox,              offsetof(TProgram, insert.wahFilter),        Shown::Index },
    { &W::wahFreqDial,                    offsetof(TProgram, insert.wah[0]),           Shown::Word },
    { &W::wahResonanceDial,               offsetof(TProgram, insert.wah[1]),           Shown::Word },
    { &W::wahSensitivityDial,             offsetof(TProgram, insert.wah[2]),           Shown::Word },
    { &W::wahDecayDial,                   offsetof(TProgram, insert.wah[3]),           Shown::Word },
    { &W::wahLfoAmountDial,               offsetof(TProgram, insert.wah[4]),           Shown::Word },
    { &W::wahLfoRateDial,                 offsetof(TProgram, insert.wah[5]),           Shown::Word },
};

const ShowRow modulationRows[] = {
    { &W::modOnOffCheckBox,               offsetof(TProgram, insert.modulationOn) },
    { &W::modTypeComboBox,                offsetof(TProgram, insert.modulationType),   Shown::Index },
    { &W::modWaveComboBox,                offsetof(TProgram, insert.modulationWave),   Shown::Index },
    { &W::modDryWetDial,                  offsetof(TProgram, insert.modulation[0]),    Shown::Word },
    { &W::modDepthDial,                   offsetof(TProgram, insert.modulation[1]),    Shown::Word },
    { &W::modRateDial,                    offsetof(TProgram, insert.modulation[2]),    Shown::Word },
    { &W::modDelayDial,                   offsetof(TProgram, insert.modulation[3]),    Shown::Word },
    { &W::modFeedbackDial,                offsetof(TProgram, insert.modulation[4]),    Shown::Word },
    { &W::modSlowFastCheckBox,            offsetof(TProgram, insert.rotarySpeed) },
    { &W::modFastRateDial,                offsetof(TProgram, insert.rotary[0]),        Shown::Word },
    { &W::modAccelerationTimeDial,        offsetof(TProgram, insert.rotary[1]),        Shown::Word },
    { &W::modBrakeTimeDial,               offsetof(TProgram, insert.rotary[2]),        Shown::Word },
    { &W::modDirectovityDial,             offsetof(TProgram, insert.rotary[3]),        Shown::Word },
    { &W::modMicAngleDial,                offsetof(TProgram, insert.rotaryMicAngle) },
};

const ShowRow chorusRows[] = {
    { &W::chorusWaveComboBox,             offsetof(TProgram, chorus.wave),             Shown::Index },
    { &W::chorusTypeComboBox,             offsetof(TProgram, chorus.type),             Shown::Index },
    { &W::chorusPreLpFilterDial,          offsetof(TProgram, chorus.preLowPass) },
    { &W::chorusFeedbackDial,             offsetof(TProgram, chorus.feedback) },
    { &W::chorusDelayDial,                offsetof(TProgram, chorus.delay) },
    { &W::chorusRateDial,                 offsetof(TProgram, chorus.rate) },
    { &W::chorusDepthDial,                offsetof(TProgram, chorus.depth) },
    { &W::chorusLevelDial,                offsetof(TProgram, chorus.level) },
};

const ShowRow reverbRows[] = {
    { &W::reverbSizeComboBox,             offsetof(TProgram, reverb.size),             Shown::Index },
    { &W::reverbHDampDial,                offsetof(TProgram, reverb.hfDamping) },
    { &W::reverbTypeComboBox,             offsetof(TProgram, reverb.type),             Shown::Index },
    { &W::reverbPreLPFilterDial,          offsetof(TProgram, reverb.preLowPass) },
    { &W::reverbPreHpFilterDial,          offsetof(TProgram, reverb.preHighPass) },
    { &W::reverbHighShelfGainDial,        offsetof(TProgram, reverb.highShelfGain) },
    { &W::reverbHighShelfFreqDial,        offsetof(TProgram, reverb.highShelfFreq) },
    { &W::reverbTimeDial,                 offsetof(TProgram, reverb.time) },
    { &W::reverbFeedbackDial,             offsetof(TProgram, reverb.feedback) },
    { &W::reverbPreDelayTimeDial,         offsetof(TProgram, reverb.preDelay) },
    { &W::reverbLevelDial,                offsetof(TProgram, reverb.level) },
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

const EqBand eqBands[EqBands] = {
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

const ShowRow eqRows[] = {
    { &W::eqOnOffCheckBox,                offsetof(TProgram, insert.eqOn) },
};

// Band b's type combo box and its frequency, Q and gain dials.
void forEachEqBandRow(int b, const RowVisit& visit)
{
    const EqBand& band = eqBands[b];
    const int word = int(sizeof(quint16)) * b;
    visit(ShowRow(band.type, quint16(offsetof(TProgram, insert.eqType) + b), Shown::Data));
    visit(ShowRow(band.freq, quint16(offsetof(TProgram, insert.eqFreq) + word), Shown::Word));
    visit(ShowRow(band.q, quint16(offsetof(TProgram, insert.eqQ) + word), Shown::Word));
    visit(ShowRow(band.gain, quint16(offsetof(TProgram, insert.eqGain) + word), Shown::Word));
}

} // namespace

void pages::forEachEffectsRow(const RowVisit& visit)
{
    auto all = [&visit](const auto& rows) {
        for (const ShowRow& row : rows)
            visit(row);
    };
    all(chainRows);
    all(compressorRows);
    all(distorsorRows);
    all(hqDistorsorRows);
    all(delayRows);
    all(tremoloRows);
    all(wahRows);
    all(modulationRows);
    all(chorusRows);
    all(reverbRows);
    all(eqRows);
    for (int b = 0; b < EqBands; ++b)
        forEachEqBandRow(b, visit);
}

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
    enable(programPtr->insert.compressorOn, { ui->compressorAttackDial, ui->compressorReleaseDial, ui->compressorRatioDial,
                           ui->compressorThresholdDial, ui->compressorMakeUpGainDial, ui->compressorAttackLabel,
                           ui->compressorReleaseLabel, ui->compressorRatioLabel, ui->compressorThresholdLabel,
                           ui->compressorMakeUpGainLabel });
}

void LyrForm::updateInsertDistorsor()
{
    showRows(ui, bytes(), distorsorRows);
    enable(programPtr->insert.distortionOn, { ui->distorsorTypeComboBox, ui->distorsorDriveDial, ui->distorsorBrightInDial,
                           ui->distorsorBrightOutDial, ui->distorsorLevelDial, ui->distorsorTypeLabel,
                           ui->distorsorDriveLabel, ui->distorsorBrighthInLabel, ui->distorsorBrightOutLabel,
                           ui->distorsorLevelLabel });
}

void LyrForm::updateInsertHqDistorsor()
{
    showRows(ui, bytes(), hqDistorsorRows);
    enable(programPtr->insert.hqDistortionOn, { ui->hqDistorsorBoostCheckBox, ui->hqDistorsorTypeComboBox, ui->hqDistorsorBiasDial,
                           ui->hqDistorsorDriveDial, ui->hqDistorsorBrightnessDial, ui->hqDistorsorLevelDial,
                           ui->hqDistorsorTypeLabel, ui->hqDistorsorBiasLabel, ui->hqDistorsorDriveLabel,
                           ui->hqDistorsorBrightnessLabel, ui->hqDistorsorLevelLabel });
}

void LyrForm::updateInsertDelay()
{
    showRows(ui, bytes(), delayRows);
    enable(programPtr->insert.delayOn, { ui->delayTypeComboBox, ui->delayLevelDial, ui->delayCutoffDial, ui->delayTimeDial,
                           ui->delayFeedbackDial, ui->delayDampingDial, ui->delayTypeLabel, ui->delayLavelLabel,
                           ui->delayCutoffLabel, ui->delayTimeLabel, ui->delayFeedbackLabel,
                           ui->delayDampingLabel });
}

void LyrForm::updateInsertTremolo()
{
    showRows(ui, bytes(), tremoloRows);
    enable(programPtr->insert.tremoloOn, { ui->tremoloTypeComboBox, ui->tremoloShapeComboBox, ui->tremoloDepthDial,
                           ui->tremoloRateDial, ui->tremoloTypeLabel, ui->tremoloShapeLabel, ui->tremoloDepthLabel,
                           ui->tremoloRateLabel, ui->tremoloRateLed, ui->tremoloLfoPlot });
    const quint8 shape = programPtr->insert.tremoloShape;
    if (shape <= QMyLfoPlot::LfoSquare)
        ui->tremoloLfoPlot->setShape(shape);
    ui->tremoloLfoPlot->setDepth(unit(programPtr->insert.tremolo[0]));
    ui->tremoloLfoPlot->setRate(unit(programPtr->insert.tremolo[1]));
}

void LyrForm::updateInsertWah()
{
    showRows(ui, bytes(), wahRows);
    const bool on = programPtr->insert.wahOn;
    // The LFO mode sweeps by itself: sensitivity and decay follow the
    // playing in the other modes only.
    const bool lfo = programPtr->insert.wahType == 3;
    enable(on && lfo, { ui->wahLfoAmountDial, ui->wahLfoRateDial, ui->wahLfoAmountLabel, ui->wahLfoRateLabel,
                        ui->wahLfoPlot, ui->wahLfoRateLed });
    enable(on && !lfo, { ui->wahSensitivityDial, ui->wahDecayDial, ui->wahSensitivityLabel, ui->wahDecayLabel });
    enable(on, { ui->wahTypeComboBox, ui->wahFilterComboBox, ui->wahFreqDial, ui->wahResonanceDial, ui->wahTypeLabel,
                 ui->wahFilterLabel, ui->wahFreqLabel, ui->wahResonanceLabel });
    ui->wahLfoPlot->setDepth(unit(programPtr->insert.wah[4]));
    ui->wahLfoPlot->setRate(unit(programPtr->insert.wah[5]));
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
    // The rotor shows only while slot 2 holds the modulation.
    ui->groupBoxRotor->setVisible((programPtr->insert.slotConfig >> 4) == 0 && type == 4);
    enable(on, { ui->modTypeLabel, ui->modTypeComboBox, ui->modDepthLabel, ui->modDepthDial, ui->modRateLabel,
                 ui->modRateDial, ui->modRateLed, ui->modLfoPlot });
    ui->modLfoPlot->setDepth(unit(programPtr->insert.modulation[1]));
    ui->modLfoPlot->setRate(unit(programPtr->insert.modulation[2]));
    ui->modLfoPlot->setDelay(unit(programPtr->insert.modulation[3]));
    const quint8 wave = programPtr->insert.modulationWave;
    if (wave == 0)
        ui->modLfoPlot->setShape(QMyLfoPlot::LfoTriangle);
    else if (wave <= 2)
        ui->modLfoPlot->setShape(QMyLfoPlot::LfoSine);
}

void LyrForm::updateInsertEq()
{
    const TInsert& in = programPtr->insert;
    const bool on = in.eqOn;
    showRows(ui, bytes(), eqRows);
    for (int b = 0; b < EqBands; ++b) {
        const EqBand& band = eqBands[b];
        forEachEqBandRow(b, [this](const ShowRow& row) { showRows(ui, bytes(), &row, 1); });
        const EqUse use = eqUse(in.eqType[b]);
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
    for (int b = 0; b < EqBands; ++b) {
        const auto type = QMyParametricEq::Type(eqIndexMap.key(in.eqType[b], QMyParametricEq::AllPassFilter));
        ui->parametricEqPlot->setFrequency(b, eqValue(EqFrequency, in.eqFreq[b]), false);
        ui->parametricEqPlot->setGain(b, eqValue(EqGain, in.eqGain[b]), false);
        ui->parametricEqPlot->setQ(b, eqValue(EqQ, in.eqQ[b]), false);
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
