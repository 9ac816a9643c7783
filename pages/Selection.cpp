// Choices that change more than one byte at once: another program, a layer's
// voice from the chooser, a chorus or reverb preset.

#include "LyrForm.h"

#include "QMidiUtils.h"
#include "TGmWavetable.h"
#include "TPrograms.h"
#include "VoiceDialog.h"

#include <QDebug>

namespace {

constexpr int Layers = 3;
// Parameter number of voice variations that address the whole program.
constexpr uchar WholeProgram = 255;

// The preset bytes the module takes, in the order it is sent them; the on/off
// byte and the unused tail are copied but not sent.
template <class Preset>
struct PresetParam
{
    uchar param;
    quint8 Preset::*byte;
};
const PresetParam<TGmReverb> reverbParams[] = {
    //  param  byte
    {   89,    &TGmReverb::size },
    {   90,    &TGmReverb::hfDamping },
    {   94,    &TGmReverb::type },
    {   98,    &TGmReverb::preLowPass },
    {   93,    &TGmReverb::preHighPass },
    {   91,    &TGmReverb::highShelfGain },
    {   92,    &TGmReverb::highShelfFreq },
    {   95,    &TGmReverb::time },
    {   96,    &TGmReverb::feedback },
    {   97,    &TGmReverb::preDelay },
    {   99,    &TGmReverb::level },
};

const PresetParam<TGmChorus> chorusParams[] = {
    //  param  byte
    {   101,   &TGmChorus::wave },
    {   102,   &TGmChorus::type },
    {   103,   &TGmChorus::preLowPass },
    {   104,   &TGmChorus::feedback },
    {   105,   &TGmChorus::delay },
    {   106,   &TGmChorus::rate },
    {   107,   &TGmChorus::depth },
    {   108,   &TGmChorus::level },
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
    midiUtilsPtr->sendLoadProgram(currentProgram);
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
