// The store tables of the edit handlers: each parameter by its name, each
// byte by its field of TProgram.

#include "EditStores.h"

#include "LyrForm.h"
#include "Parameters.h"
#include "SysExFrame.h"
#include "TProgram.h"

#include <cstddef>

namespace pages {

namespace {

namespace V = VoiceParam;
namespace O = OrganParam;

const DialStore dialStores[] = {
    //  param                       store             field of TProgram
    { V::volume,                    Store::Layer,     offsetof(TProgram, volume) },
    { V::reverbSend,                Store::Layer,     offsetof(TProgram, reverbSend) },
    { V::octave,                    Store::Layer,     offsetof(TProgram, octave) },
    { V::tune,                      Store::Layer,     offsetof(TProgram, tune) },
    { V::pan,                       Store::Layer,     offsetof(TProgram, pan) },
    { V::chorusSend,                Store::Layer,     offsetof(TProgram, chorusSend) },
    { V::attack,                    Store::Envelope,  offsetof(TProgram, envelope[0].attack) },
    { V::decay,                     Store::Envelope,  offsetof(TProgram, envelope[0].decay) },
    { V::resonance,                 Store::Layer,     offsetof(TProgram, resonance) },
    { V::release,                   Store::Envelope,  offsetof(TProgram, envelope[0].release) },
    { V::cutOff,                    Store::Layer,     offsetof(TProgram, cutOff) },
    { V::dynFilter,                 Store::Layer,     offsetof(TProgram, dynFilter) },
    { V::compressorAttack,          Store::Word,      offsetof(TProgram, insert.compressor[0]) },
    { V::compressorRelease,         Store::Word,      offsetof(TProgram, insert.compressor[1]) },
    { V::compressorRatio,           Store::Word,      offsetof(TProgram, insert.compressor[2]) },
    { V::compressorThreshold,       Store::Word,      offsetof(TProgram, insert.compressor[3]) },
    { V::compressorMakeUpGain,      Store::Word,      offsetof(TProgram, insert.compressor[4]) },
    { V::distortionBrightIn,        Store::Word,      offsetof(TProgram, insert.distortion[1]) },
    { V::distortionDrive,           Store::Word,      offsetof(TProgram, insert.distortion[0]) },
    { V::distortionBrightOut,       Store::Word,      offsetof(TProgram, insert.distortion[2]) },
    { V::distortionLevel,           Store::Word,      offsetof(TProgram, insert.distortion[3]) },
    { V::eqFreq,                    Store::BandWord,  offsetof(TProgram, insert.eqFreq) },
    { V::eqQ,                       Store::BandWord,  offsetof(TProgram, insert.eqQ) },
    { V::eqGain,                    Store::BandWord,  offsetof(TProgram, insert.eqGain) },
    { V::modulationDryWet,          Store::Word,      offsetof(TProgram, insert.modulation[0]) },
    { V::modulationDepth,           Store::Word,      offsetof(TProgram, insert.modulation[1]) },
    { V::modulationRate,            Store::Word,      offsetof(TProgram, insert.modulation[2]) },
    { V::modulationDelay,           Store::Word,      offsetof(TProgram, insert.modulation[3]) },
    { V::modulationFeedback,        Store::Word,      offsetof(TProgram, insert.modulation[4]) },
    { V::rotaryFastRate,            Store::Word,      offsetof(TProgram, insert.rotary[0]) },
    { V::rotaryAcceleration,        Store::Word,      offsetof(TProgram, insert.rotary[1]) },
    { V::rotaryBrake,               Store::Word,      offsetof(TProgram, insert.rotary[2]) },
    { V::rotaryDirectivity,         Store::Word,      offsetof(TProgram, insert.rotary[3]) },
    { V::rotaryMicAngle,            Store::LowByte,   offsetof(TProgram, insert.rotaryMicAngle) },
    { V::wahFreq,                   Store::Word,      offsetof(TProgram, insert.wah[0]) },
    { V::wahResonance,              Store::Word,      offsetof(TProgram, insert.wah[1]) },
    { V::wahSensitivity,            Store::Word,      offsetof(TProgram, insert.wah[2]) },
    { V::wahDecay,                  Store::Word,      offsetof(TProgram, insert.wah[3]) },
    { V::wahLfoAmount,              Store::Word,      offsetof(TProgram, insert.wah[4]) },
    { V::wahLfoRate,                Store::Word,      offsetof(TProgram, insert.wah[5]) },
    { V::tremoloDepth,              Store::Word,      offsetof(TProgram, insert.tremolo[0]) },
    { V::tremoloRate,               Store::Word,      offsetof(TProgram, insert.tremolo[1]) },
    { V::delayLevel,                Store::Word,      offsetof(TProgram, insert.delay[0]) },
    { V::delayCutOff,               Store::Word,      offsetof(TProgram, insert.delay[1]) },
    { V::delayTime,                 Store::Word,      offsetof(TProgram, insert.delay[2]) },
    { V::delayFeedback,             Store::Word,      offsetof(TProgram, insert.delay[3]) },
    { V::delayDamping,              Store::Word,      offsetof(TProgram, insert.delay[4]) },
    { V::insertLevel,               Store::Word,      offsetof(TProgram, insert.outputLevel) },
    { V::insertReverbSend,          Store::Word,      offsetof(TProgram, insert.reverbSend) },
    { V::insertChorusSend,          Store::Word,      offsetof(TProgram, insert.chorusSend) },
    { V::insertGain,                Store::Word,      offsetof(TProgram, insert.inputGain) },
    { V::hqDistortionBias,          Store::Byte,      offsetof(TProgram, insert.hqDistortionBias) },
    { V::hqDistortionDrive,         Store::Byte,      offsetof(TProgram, insert.hqDistortion[0]) },
    { V::hqDistortionBrightness,    Store::Byte,      offsetof(TProgram, insert.hqDistortion[1]) },
    { V::hqDistortionLevel,         Store::Byte,      offsetof(TProgram, insert.hqDistortion[2]) },
    { V::reverbHfDamping,           Store::Byte,      offsetof(TProgram, reverb.hfDamping) },
    { V::reverbHighShelfGain,       Store::Byte,      offsetof(TProgram, reverb.highShelfGain) },
    { V::reverbHighShelfFreq,       Store::Byte,      offsetof(TProgram, reverb.highShelfFreq) },
    { V::reverbPreHighPass,         Store::Byte,      offsetof(TProgram, reverb.preHighPass) },
    { V::reverbTime,                Store::Byte,      offsetof(TProgram, reverb.time) },
    { V::reverbFeedback,            Store::Byte,      offsetof(TProgram, reverb.feedback) },
    { V::reverbPreDelay,            Store::Byte,      offsetof(TProgram, reverb.preDelay) },
    { V::reverbPreLowPass,          Store::Byte,      offsetof(TProgram, reverb.preLowPass) },
    { V::reverbLevel,               Store::Byte,      offsetof(TProgram, reverb.level) },
    { V::chorusPreLowPass,          Store::Byte,      offsetof(TProgram, chorus.preLowPass) },
    { V::chorusFeedback,            Store::Byte,      offsetof(TProgram, chorus.feedback) },
    { V::chorusDelay,               Store::Byte,      offsetof(TProgram, chorus.delay) },
    { V::chorusRate,                Store::Byte,      offsetof(TProgram, chorus.rate) },
    { V::chorusDepth,               Store::Byte,      offsetof(TProgram, chorus.depth) },
    { V::chorusLevel,               Store::Byte,      offsetof(TProgram, chorus.level) },
};

const OrganStore organStores[] = {
    //  param                       field of TProgram                              log label
    { O::keyClick,                  offsetof(TProgram, organ.keyClick),             "Organ click:" },
    { O::reverbSend,                offsetof(TProgram, organ.reverbSend),           "Organ reverb:" },
    { O::chorusSend,                offsetof(TProgram, organ.chorusSend),           "Organ chorus:" },
    { O::directLevel,               offsetof(TProgram, organ.directLevel),          "Organ direct sound level:" },
    { O::reflectionIntensity,       offsetof(TProgram, organ.reflectionIntensity),  "Organ reflection intensity:" },
    { O::reflectionDelay,           offsetof(TProgram, organ.reflectionDelay),      "Organ reflection delay time:" },
    { O::highRotorVolume,           offsetof(TProgram, organ.highRotor[0]),         "High rotor volume:" },
    { O::highRotorHighPass,         offsetof(TProgram, organ.highRotor[1]),         "High rotor HP:" },
    { O::highRotorSlowSpeed,        offsetof(TProgram, organ.highRotor[2]),         "High rotor slow speed:" },
    { O::highRotorFastSpeed,        offsetof(TProgram, organ.highRotor[3]),         "High rotor fast speed:" },
    { O::highRotorAcceleration,     offsetof(TProgram, organ.highRotor[4]),         "High rotor acc:" },
    { O::highRotorDeceleration,     offsetof(TProgram, organ.highRotor[5]),         "High rotor dec:" },
    { O::highRotorBrake,            offsetof(TProgram, organ.highRotor[6]),         "High rotor brake:" },
    { O::highRotorAmDepth,          offsetof(TProgram, organ.highRotor[7]),         "High rotor AM:" },
    { O::highRotorFmDepth,          offsetof(TProgram, organ.highRotor[8]),         "High rotor FM:" },
    { O::highRotorDrive,            offsetof(TProgram, organ.highRotor[9]),         "High rotor drive:" },
    { O::highRotorDriveLowPass,     offsetof(TProgram, organ.highRotor[10]),        "High rotor drive LP:" },
    { O::lowRotorVolume,            offsetof(TProgram, organ.lowRotor[0]),          "Low rotor volume:" },
    { O::lowRotorLowPass,           offsetof(TProgram, organ.lowRotor[1]),          "Low rotor LP:" },
    { O::lowRotorSlowSpeed,         offsetof(TProgram, organ.lowRotor[2]),          "Low rotor slow speed:" },
    { O::lowRotorFastSpeed,         offsetof(TProgram, organ.lowRotor[3]),          "Low rotor fast speed:" },
    { O::lowRotorAcceleration,      offsetof(TProgram, organ.lowRotor[4]),          "Low rotor acc:" },
    { O::lowRotorDeceleration,      offsetof(TProgram, organ.lowRotor[5]),          "Low rotor dec:" },
    { O::lowRotorBrake,             offsetof(TProgram, organ.lowRotor[6]),          "Low rotor brake:" },
    { O::lowRotorAmDepth,           offsetof(TProgram, organ.lowRotor[7]),          "Low rotor AM:" },
    { O::lowRotorFmDepth,           offsetof(TProgram, organ.lowRotor[8]),          "Low rotor FM:" },
    { O::lowRotorDrive,             offsetof(TProgram, organ.lowRotor[9]),          "Low rotor drive:" },
    { O::lowRotorDriveLowPass,      offsetof(TProgram, organ.lowRotor[10]),         "Low rotor drive LP:" },
    { O::shift,                     offsetof(TProgram, organ.shift),                "Organ shift:" },
};

const ByteStore comboStores[] = {
    //  param               field of TProgram                              per           refresh
    { V::distortionType,    offsetof(TProgram, insert.distortionType),     Per::Program, &LyrForm::updateInsertDistorsor },
    { V::eqType,            offsetof(TProgram, insert.eqType),             Per::Band,    &LyrForm::updateInsertEq },
    { V::modulationType,    offsetof(TProgram, insert.modulationType),     Per::Program, &LyrForm::updateInsertMod },
    { V::modulationWave,    offsetof(TProgram, insert.modulationWave),     Per::Program, &LyrForm::updateInsertMod },
    { V::wahType,           offsetof(TProgram, insert.wahType),            Per::Program, &LyrForm::updateInsertWah },
    { V::wahFilter,         offsetof(TProgram, insert.wahFilter),          Per::Program, &LyrForm::updateInsertWah },
    { V::tremoloType,       offsetof(TProgram, insert.tremoloType),        Per::Program, &LyrForm::updateInsertTremolo },
    { V::tremoloShape,      offsetof(TProgram, insert.tremoloShape),       Per::Program, &LyrForm::updateInsertTremolo },
    { V::delayType,         offsetof(TProgram, insert.delayType),          Per::Program, &LyrForm::updateInsertDelay },
    { V::insertConfig,      offsetof(TProgram, insert.config),             Per::Program, &LyrForm::updateEffects },
    { V::hqDistortionType,  offsetof(TProgram, insert.hqDistortionType),   Per::Program, &LyrForm::updateInsertHqDistorsor },
    { V::reverbSize,        offsetof(TProgram, reverb.size),               Per::Program, &LyrForm::updateReverb },
    { V::reverbType,        offsetof(TProgram, reverb.type),               Per::Program, &LyrForm::updateReverb },
    { V::chorusWave,        offsetof(TProgram, chorus.wave),               Per::Program, &LyrForm::updateChorus },
    { V::chorusType,        offsetof(TProgram, chorus.type),               Per::Program, &LyrForm::updateChorus },
    { V::modulationControl, offsetof(TProgram, modulation),                Per::Layer,   nullptr },
};

const ByteStore checkStores[] = {
    //  param               field of TProgram                              per           refresh                                   order
    { V::enable,            offsetof(TProgram, enabled),                   Per::Layer,   &LyrForm::updateVoiceEnabled,             Order::SendFirst },
    { V::insertOn,          offsetof(TProgram, insertOn),                  Per::Layer,   &LyrForm::updateVoiceEnabled,             Order::RefreshFirst },
    { V::sustain,           offsetof(TProgram, sustain),                   Per::Layer,   nullptr,                                  Order::RefreshFirst },
    { V::compressorOn,      offsetof(TProgram, insert.compressorOn),       Per::Program, &LyrForm::updateInsertCompressor,         Order::RefreshFirst },
    { V::distortionOn,      offsetof(TProgram, insert.distortionOn),       Per::Program, &LyrForm::updateInsertDistorsor,          Order::RefreshFirst },
    { V::feedToRotary,      offsetof(TProgram, insert.organRotary),        Per::Program, &LyrForm::updateRotaryPage,               Order::SendFirst },
    { V::eqOn,              offsetof(TProgram, insert.eqOn),               Per::Program, &LyrForm::updateInsertEq,                 Order::RefreshFirst },
    { V::modulationOn,      offsetof(TProgram, insert.modulationOn),       Per::Program, &LyrForm::updateInsertMod,                Order::RefreshFirst },
    { V::rotarySpeed,       offsetof(TProgram, insert.rotarySpeed),        Per::Program, nullptr,                                  Order::RefreshFirst },
    { V::wahOn,             offsetof(TProgram, insert.wahOn),              Per::Program, &LyrForm::updateInsertWah,                Order::RefreshFirst },
    { V::tremoloOn,         offsetof(TProgram, insert.tremoloOn),          Per::Program, &LyrForm::updateInsertTremolo,            Order::RefreshFirst },
    { V::delayOn,           offsetof(TProgram, insert.delayOn),            Per::Program, &LyrForm::updateInsertDelay,              Order::RefreshFirst },
    { V::hqDistortionOn,    offsetof(TProgram, insert.hqDistortionOn),     Per::Program, &LyrForm::updateInsertHqDistorsor,        Order::RefreshFirst },
    { V::hqDistortionBoost, offsetof(TProgram, insert.hqDistortionBoost),  Per::Program, &LyrForm::updateInsertHqDistorsor,        Order::RefreshFirst },
};

const OrganBit organChoices[] = {
    //  param               field of TProgram                       bit                         log label
    { O::percussionType,    offsetof(TProgram, organ.flags),        OrganFlag::percussionType,  "Percussion Type:" },
    { O::percussionDecay,   offsetof(TProgram, organ.flags),        OrganFlag::percussionDecay, "Decay Time:" },
    { O::percussionLevel,   offsetof(TProgram, organ.flags),        OrganFlag::percussionLevel, "Percussion Level:" },
    { O::vibratoType,       offsetof(TProgram, organ.vibratoType),  WholeByte,                  "Vibrato Chorus:" },
    { O::rotarySpeed,       offsetof(TProgram, organ.rotarySpeed),  WholeByte,                  "Rotary Type:" },
};

const OrganBit organSwitches[] = {
    { O::on,                offsetof(TProgram, organ.onVolume),     OrganOn,                    "Organ on/off:" },
    { O::percussionOn,      offsetof(TProgram, organ.flags),        OrganFlag::percussionOn,    "Organ percussion on/off:" },
    { O::vibratoOn,         offsetof(TProgram, organ.flags),        OrganFlag::vibratoOn,       "Organ vibrato/chorus on/off:" },
    { O::driveOn,           offsetof(TProgram, organ.driveOn),      WholeByte,                  "Organ drive on/off:" },
};

// Slot 1 chooses compressor or distortion, slot 2 modulation, wah or tremolo.
const InsertSlot insertSlots[] = {
    { { V::compressorOn, V::distortionOn, NoEffect } },
    { { V::modulationOn, V::wahOn, V::tremoloOn } },
};

template <class Row, std::size_t N>
const Row* rowOf(const Row (&rows)[N], quint8 param)
{
    for (const Row& row : rows) {
        if (row.param == param)
            return &row;
    }
    return nullptr;
}

StoredField byteAt(int offset, quint8 mask = 0xFF)
{
    return offset < 0 ? StoredField {} : StoredField { offset, 1, mask };
}

} // namespace

const DialStore* dialStoreOf(quint8 param) { return rowOf(dialStores, param); }
const OrganStore* organDialOf(quint8 param) { return rowOf(organStores, param); }
const ByteStore* comboStoreOf(quint8 param) { return rowOf(comboStores, param); }
const ByteStore* checkStoreOf(quint8 param) { return rowOf(checkStores, param); }
const OrganBit* organChoiceOf(quint8 param) { return rowOf(organChoices, param); }
const OrganBit* organSwitchOf(quint8 param) { return rowOf(organSwitches, param); }

const InsertSlot& insertSlot(int slot)
{
    return insertSlots[slot];
}

const InsertSlot* slotOf(quint8 param)
{
    for (const InsertSlot& slot : insertSlots) {
        for (quint8 effect : slot.effects) {
            if (effect != NoEffect && effect == param)
                return &slot;
        }
    }
    return nullptr;
}

int storeOffset(quint16 offset, Per per, quint8 part, quint8 index)
{
    switch (per) {
    case Per::Layer: return part < Layers ? offset + part : -1;
    case Per::Band:  return index < EqBands ? offset + index : -1;
    default:         return offset;
    }
}

int storeOffset(const DialStore& row, quint8 part, quint8 index)
{
    switch (row.store) {
    case Store::Layer:    return storeOffset(row.offset, Per::Layer, part, index);
    case Store::Envelope: return part < Layers ? row.offset + int(sizeof(TEnvelope)) * part : -1;
    case Store::BandWord: return index < EqBands ? row.offset + int(sizeof(quint16)) * index : -1;
    default:              return row.offset;
    }
}

StoredField storedField(ControlFamily family, const TControl& r)
{
    const bool voice = r.command == ComVoiceVariation, organ = r.command == ComOrganVariation;
    switch (family) {
    case ControlFamily::Dial:
        if (organ && r.param == OrganParam::volume)
            return byteAt(offsetof(TProgram, organ.onVolume), quint8(~OrganOn));
        if (const OrganStore* row = organ ? organDialOf(r.param) : nullptr)
            return byteAt(row->offset);
        if (const DialStore* row = voice ? dialStoreOf(r.param) : nullptr) {
            const bool word = row->store == Store::Word || row->store == Store::BandWord;
            const int offset = storeOffset(*row, r.part, r.index);
            return offset < 0 ? StoredField {} : StoredField { offset, word ? 2 : 1, 0xFF };
        }
        return {};
    case ControlFamily::ComboBox:
        if (const OrganBit* row = organ ? organChoiceOf(r.param) : nullptr)
            return byteAt(row->offset, row->bit);
        if (const ByteStore* row = voice ? comboStoreOf(r.param) : nullptr)
            return byteAt(storeOffset(row->offset, row->per, r.part, r.index));
        return {};
    case ControlFamily::CheckBox:
        if (organ && r.param == OrganParam::rotaryControl)
            return byteAt(offsetof(TProgram, organ.rotaryControl), r.index);
        if (const OrganBit* row = organ ? organSwitchOf(r.param) : nullptr)
            return byteAt(row->offset, row->bit);
        if (voice && r.param == VoiceParam::morphControl)
            return byteAt(offsetof(TProgram, morphControl), r.index);
        if (voice && r.param == VoiceParam::morphing)
            return { offsetof(TProgram, morphMode), Layers, 0xFF };
        if (const ByteStore* row = voice ? checkStoreOf(r.param) : nullptr)
            return byteAt(storeOffset(row->offset, row->per, r.part, r.index));
        return {};
    default:
        return {};
    }
}

} // namespace pages
