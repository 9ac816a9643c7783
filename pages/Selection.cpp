// Choices that change more than one byte at once: another program, a layer's
// voice from the chooser, a chorus or reverb preset.

#include "LyrForm.h"

#include "Parameters.h"
#include "QMidiUtils.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"

#include <QDebug>

namespace {

namespace V = VoiceParam;

// The preset bytes the module takes, in the order it is sent them; the on/off
// byte and the unused tail are copied but not sent.
template <class Preset>
struct PresetParam
{
    uchar param;
    quint8 Preset::*byte;
};
const PresetParam<TGmReverb> reverbParams[] = {
    //  param                   byte
    {   V::reverbSize,          &TGmReverb::size },
    {   V::reverbHfDamping,     &TGmReverb::hfDamping },
    {   V::reverbType,          &TGmReverb::type },
    {   V::reverbPreLowPass,    &TGmReverb::preLowPass },
    {   V::reverbPreHighPass,   &TGmReverb::preHighPass },
    {   V::reverbHighShelfGain, &TGmReverb::highShelfGain },
    {   V::reverbHighShelfFreq, &TGmReverb::highShelfFreq },
    {   V::reverbTime,          &TGmReverb::time },
    {   V::reverbFeedback,      &TGmReverb::feedback },
    {   V::reverbPreDelay,      &TGmReverb::preDelay },
    {   V::reverbLevel,         &TGmReverb::level },
};

const PresetParam<TGmChorus> chorusParams[] = {
    //  param                   byte
    {   V::chorusWave,          &TGmChorus::wave },
    {   V::chorusType,          &TGmChorus::type },
    {   V::chorusPreLowPass,    &TGmChorus::preLowPass },
    {   V::chorusFeedback,      &TGmChorus::feedback },
    {   V::chorusDelay,         &TGmChorus::delay },
    {   V::chorusRate,          &TGmChorus::rate },
    {   V::chorusDepth,         &TGmChorus::depth },
    {   V::chorusLevel,         &TGmChorus::level },
};

} // namespace

void LyrForm::onProgramButtonClicked(int id)
{
    if (id < 0 || id >= MAX_PROGRAMS)
        return;
    loadProgram(ushort(id));
    // The program list and the Main page show nothing of one program.
    updateProgramName();
    updateVoiceNames();
    updateVoiceValues();
    updateVoiceEnabled();
    updateEffects();
    updateOrganPage();
    updateRotaryPage();
    // The module plays its own copy, assumed equal to ours.
    if (QMidiUtils* const link = moduleLink())
        link->sendLoadProgram(currentProgram);
}

void LyrForm::onVoiceButtonClicked(int id)
{
    if (id < 0 || id >= Layers)
        return;
    const TVoiceSelect& v = programPtr->voice[id];
    // Modeless: each choice arrives while it stays open. A new chooser per
    // click, gone once closed.
    auto* dialog = new VoiceDialog(this, uchar(id), v.family, v.voice, true);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &VoiceDialog::voiceChanged, this, &LyrForm::onVoiceChanged);
    dialog->show();
}

void LyrForm::onVoiceChanged(uchar part, uchar family, uchar voice)
{
    if (part >= Layers)
        return;
    const uchar bank = getVoiceBank(family, voice);
    const uchar pch = getVoicePch(family, voice);
    programPtr->voice[part] = TVoiceSelect { family, voice, bank, pch };
    qDebug() << "family:" << family << "num:" << voice << "bank:" << bank << "pch:" << pch;
    updateVoiceName(part);
    emit voiceChanged(part, family, voice, bank, pch);
}

void LyrForm::loadReverbPreset(int n)
{
    if (n < 0 || n >= PresetCount)
        return;
    programPtr->reverb = reverbPresets[n];
    updateEffects();
    for (const auto& r : reverbParams)
        emit voiceVariation(WholeProgram, r.param, programPtr->reverb.*r.byte);
}

void LyrForm::loadChorusPreset(int n)
{
    if (n < 0 || n >= PresetCount)
        return;
    programPtr->chorus = chorusPresets[n];
    updateEffects();
    for (const auto& c : chorusParams)
        emit voiceVariation(WholeProgram, c.param, programPtr->chorus.*c.byte);
}
