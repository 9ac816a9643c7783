// Edit handlers: one slot per widget family turns a change into a store in
// the program being edited (or the setup bytes), a refresh of what shows it,
// and one edit signal that the link sends as one command. Nothing waits for
// the module. A record whose layer, band or item is out of range stores
// nothing and sends nothing. Where each parameter lands is EditStores.cpp.

#include "LyrForm.h"

#include "ColorMap.h"
#include "EditStores.h"
#include "EqScale.h"
#include "Parameters.h"
#include "RefreshRows.h"
#include "SysExFrame.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QLineEdit>
#include <QSlider>

#include <iterator>

using namespace pages;

namespace {

namespace V = VoiceParam;
namespace O = OrganParam;
namespace Item = SetupItem;

// The program being edited as the bytes the store tables' offsets count.
quint8* editedBytes()
{
    return reinterpret_cast<quint8*>(programPtr);
}

void storeWord(int offset, quint16 value)
{
    editedBytes()[offset] = quint8(value & 0xFF);
    editedBytes()[offset + 1] = quint8(value >> 8);
}

// A control-source mask with bit m switched; sustain and its toggle exclude
// each other.
quint8 switchMask(quint8 byte, quint8 m, bool on)
{
    if (!on)
        return byte & ~m;
    if (m & ControlSource::sustain)
        byte &= ~ControlSource::sustainToggle;
    if (m & ControlSource::sustainToggle)
        byte &= ~ControlSource::sustain;
    return byte | m;
}

void setBit(quint8& byte, quint8 bit, bool on)
{
    byte = on ? quint8(byte | bit) : quint8(byte & ~bit);
}

// The on/off byte of an effect by its parameter.
quint8& effectFlag(quint8 param)
{
    return editedBytes()[checkStoreOf(param)->offset];
}

// A byte edit stored, sent and shown again, in the row's order.
void storeAndSend(LyrForm& form, const ByteStore& row, int offset, quint8 voice, quint8 param, quint8 value)
{
    editedBytes()[offset] = value;
    if (row.refresh && row.order == Order::RefreshFirst)
        (form.*row.refresh)();
    emit form.voiceVariation(voice, param, value);
    if (row.refresh && row.order == Order::SendFirst)
        (form.*row.refresh)();
}

// A layer's note range (keyLow, keyHigh) or velocity range, low end first.
quint8* rangeOf(quint8 param, quint8 layer)
{
    return param <= V::keyHigh ? programPtr->keyRange[layer] : programPtr->velocityRange[layer];
}

} // namespace

void LyrForm::onDialValueChanged(int value)
{
    QMyDial* dial = qobject_cast<QMyDial*>(sender());
    const auto found = dialMap.constFind(dial);
    if (found == dialMap.cend() || dialByIdentity(dial, value))
        return;
    const TControl rec = *found;
    const quint8 b = rec.encode(value);

    if (rec.command == ComOrganVariation) {
        organDialChanged(rec, b);
        return;
    }
    if (rec.command != ComVoiceVariation)
        return;
    if (rec.param == V::setupVolume) {
        setupDialChanged(rec, b);
        return;
    }

    const DialStore* row = dialStoreOf(rec.param);
    const int offset = row ? storeOffset(*row, rec.part, rec.index) : -1;
    if (offset < 0)
        return;
    const quint16 word = quint16(value & 0xFFFF);
    switch (row->store) {
    case Store::Layer:
    case Store::Envelope:
    case Store::Byte:
        editedBytes()[offset] = b;
        emit voiceVariation(rec.part, rec.param, b);
        break;
    case Store::Word:
    case Store::BandWord:
        storeWord(offset, word);
        emit voiceVariation16(rec.index, rec.param, word);
        break;
    case Store::LowByte:
        editedBytes()[offset] = quint8(value & 0xFF);
        emit voiceVariation16(rec.index, rec.param, word);
        break;
    }
    mirrorDialInPlots(rec, value);
}

bool LyrForm::dialByIdentity(QMyDial* dial, int value)
{
    // The GM reverb dials set the sound processor's reverb directly, by
    // their reverb parameter n (the position here).
    QMyDial* const gmReverb[] = {
        nullptr, nullptr, ui->reverbGmPreHpFilterDial, ui->reverbGmPreLPFilterDial, ui->reverbGmHighShelfGainDial,
        ui->reverbGmHighShelfFreqDial, ui->reverbGmPreDelayTimeDial, ui->reverbGmLevelDial, ui->reverbGmTimeDial,
        ui->reverbGmHDampDial, ui->reverbGmErDial,
    };
    for (uchar n = 2; n < std::size(gmReverb); ++n) {
        if (dial == gmReverb[n]) {
            secondReverbControl(n, uchar(value));
            return true;
        }
    }
    return false;
}

void LyrForm::setupDialChanged(const TControl& rec, quint8 value)
{
    if (rec.index == Item::masterVolume) {
        programs.setup.masterVolume = value;
        qDebug() << "Master volume:" << value;
    } else if (rec.index == Item::gmVolume) {
        programs.setup.gmVolume = value;
        qDebug() << "GM volume:" << value;
    } else {
        return;
    }
    emit setupVariation(rec.index, value);
}

void LyrForm::organDialChanged(const TControl& rec, quint8 value)
{
    TDrawbar& organ = programPtr->organ;
    if (rec.param == O::volume) {
        organ.onVolume = withOrganVolume(organ.onVolume, value);
        qDebug() << "Organ volume:" << value;
    }
    if (const OrganStore* row = organDialOf(rec.param)) {
        editedBytes()[row->offset] = value;
        qDebug() << row->label << value;
    }
    emit organVariation(rec.part, rec.param, value);
}

void LyrForm::mirrorDialInPlots(const TControl& rec, int value)
{
    QMyAdsrPlot* const envelopes[Layers] = { ui->adrWidget1, ui->adrWidget2, ui->adrWidget3 };
    const quint8 b = rec.encode(value);
    const quint8 p = rec.part, i = rec.index;
    const double share = value / double(WordMax);
    switch (rec.param) {
    case V::attack: envelopes[p]->setAttack(b, EnvelopePeak); break;
    case V::decay: envelopes[p]->setDecay(b, EnvelopeSustain); break;
    case V::release: envelopes[p]->setRelease(b, 0); break;
    case V::eqFreq: ui->parametricEqPlot->setFrequency(i, eqValue(EqFrequency, value)); break;
    case V::eqQ: ui->parametricEqPlot->setQ(i, eqValue(EqQ, value)); break;
    case V::eqGain: ui->parametricEqPlot->setGain(i, eqValue(EqGain, value)); break;
    case V::modulationDepth: ui->modLfoPlot->setDepth(share); break;
    case V::modulationRate: ui->modLfoPlot->setRate(share); break;
    case V::modulationDelay: ui->modLfoPlot->setDelay(share); break;
    case V::wahLfoAmount: ui->wahLfoPlot->setDepth(share); break;
    case V::wahLfoRate: ui->wahLfoPlot->setRate(share); break;
    case V::tremoloDepth: ui->tremoloLfoPlot->setDepth(share); break;
    case V::tremoloRate: ui->tremoloLfoPlot->setRate(share); break;
    default: break;
    }
}

void LyrForm::onComboBoxIndexChanged(int index)
{
    QComboBox* combo = qobject_cast<QComboBox*>(sender());
    const auto found = comboBoxMap.constFind(combo);
    // Only a refresh or a cleared list selects nothing; neither is an edit.
    if (found == comboBoxMap.cend() || index < 0 || comboBoxByIdentity(combo, index))
        return;
    const TControl rec = *found;
    const quint32 d = combo->itemData(index).toUInt();
    if (rec.command == ComOrganVariation) {
        organComboBoxChanged(rec, d);
        return;
    }

    const ByteStore* row = rec.command == ComVoiceVariation ? comboStoreOf(rec.param) : nullptr;
    const int offset = row ? storeOffset(row->offset, row->per, rec.part, rec.index) : -1;
    if (offset < 0)
        return;
    const quint8 c = quint8(d & 0x7F);
    if (rec.param == V::modulationControl)
        qDebug() << "VarModulationControl:" << rec.part << c;
    const quint8 voice = row->per == Per::Layer ? rec.part : row->per == Per::Band ? rec.index : WholeProgram;
    storeAndSend(*this, *row, offset, voice, rec.param, c);
}

bool LyrForm::comboBoxByIdentity(QComboBox* combo, int index)
{
    const quint32 d = combo->itemData(index).toUInt();
    const quint8 c = quint8(d & 0x7F);
    if (combo == ui->reverbPresetComboBox) {
        loadReverbPreset(index);
        return true;
    }
    if (combo == ui->chorusPresetComboBox) {
        loadChorusPreset(index);
        return true;
    }
    if (combo == ui->colorComboBox) {
        programPtr->color = quint8(colorMap.key(combo->itemText(index), Qt::GlobalColor(0)));
        updateProgramLabel(currentProgram);
        return true;
    }
    if (combo == ui->reverbGmTypeComboBox || combo == ui->reverbGmSizeComboBox) {
        secondReverbControl(combo == ui->reverbGmTypeComboBox ? 0 : 1, c);
        return true;
    }
    if (combo == ui->insertSlot1ComboBox) {
        selectInsertSlot1(d);
        return true;
    }
    if (combo == ui->insertSlot2ComboBox) {
        selectInsertSlot2(d);
        return true;
    }
    return false;
}

// The slot byte itself is never sent: the module learns the chain from the
// effects switched on and off. A flag is turned off only when it holds
// exactly 1 and on only when its bit 0 is clear, so a flag already as wanted
// is not sent again.
bool LyrForm::switchEffectOff(quint8& flag, quint8 param)
{
    if (flag != 1)
        return false;
    flag = 0;
    emit voiceVariation(WholeProgram, param, 0);
    return true;
}

void LyrForm::switchEffectOn(quint8& flag, quint8 param)
{
    if (!(flag & 1)) {
        flag = 1;
        emit voiceVariation(WholeProgram, param, 1);
    }
}

void LyrForm::chooseInsertEffect(int slot, quint8 choice)
{
    const auto& effects = insertSlot(slot).effects;
    if (choice >= std::size(effects) || effects[choice] == NoEffect)
        return;
    for (quint8 e = 0; e < std::size(effects); ++e) {
        if (e != choice && effects[e] != NoEffect)
            switchEffectOff(effectFlag(effects[e]), effects[e]);
    }
    switchEffectOn(effectFlag(effects[choice]), effects[choice]);
}

void LyrForm::selectInsertSlot1(quint32 choice)
{
    // Slot 1 is the low nibble.
    TInsert& in = programPtr->insert;
    in.slotConfig = quint8((in.slotConfig & 0xF0) | (choice & 0x0F));
    chooseInsertEffect(InsertSlot1, quint8(choice & 0x7F));
    updateEffectsSlotConfiguration();
    updateInsertCompressor();
    updateInsertDistorsor();
}

void LyrForm::selectInsertSlot2(quint32 choice)
{
    // Slot 2 is the high nibble.
    TInsert& in = programPtr->insert;
    in.slotConfig = quint8((choice << 4) | (in.slotConfig & 0x0F));
    chooseInsertEffect(InsertSlot2, quint8(choice & 0x7F));
    updateEffectsSlotConfiguration();
    updateInsertMod();
    updateInsertWah();
    updateInsertTremolo();
}

void LyrForm::organComboBoxChanged(const TControl& rec, quint32 data)
{
    const quint8 c = quint8(data & 0x7F);
    if (const OrganBit* row = organChoiceOf(rec.param)) {
        quint8& byte = editedBytes()[row->offset];
        if (row->bit == WholeByte) {
            byte = c;
            qDebug() << row->label << c;
        } else {
            setBit(byte, row->bit, data & 1);
            qDebug() << row->label << (data & 1);
        }
    }
    emit organVariation(WholeProgram, rec.param, c);
}

void LyrForm::onCheckBoxStateChanged(int state)
{
    const auto found = checkBoxMap.constFind(qobject_cast<QCheckBox*>(sender()));
    if (found == checkBoxMap.cend())
        return;
    const TControl rec = *found;
    const quint8 s = state != 0 ? 1 : 0;
    if (rec.command == ComOrganVariation) {
        organCheckBoxChanged(rec, s);
        return;
    }
    if (rec.command != ComVoiceVariation)
        return;

    if (rec.param == V::morphing) {
        // Morphing runs the first layer into the second.
        quint8* morph = programPtr->morphMode;
        morph[0] = s;
        morph[1] = s ? 2 : 0;
        morph[2] = 0;
        for (quint8 l = 0; l < Layers; ++l)
            emit voiceVariation(l, V::morphing, morph[l]);
        updateMorphing();
        return;
    }
    if (rec.param == V::morphControl) {
        programPtr->morphControl = switchMask(programPtr->morphControl, rec.index, s);
        qDebug() << "Morphing Control:" << s << rec.index << "->" << programPtr->morphControl;
        emit voiceVariation(WholeProgram, V::morphControl, programPtr->morphControl);
        updateMorphing();
        return;
    }

    const ByteStore* row = checkStoreOf(rec.param);
    const int offset = row ? storeOffset(row->offset, row->per, rec.part, rec.index) : -1;
    if (offset < 0)
        return;
    // Effects sharing a slot: the others go off, checked or not.
    if (const InsertSlot* slot = slotOf(rec.param)) {
        for (quint8 other : slot->effects) {
            const ByteStore* o = other == rec.param ? nullptr : checkStoreOf(other);
            if (o && switchEffectOff(editedBytes()[o->offset], other) && o->refresh)
                (this->*o->refresh)();
        }
    }
    storeAndSend(*this, *row, offset, rec.part, rec.param, s);
}

void LyrForm::organCheckBoxChanged(const TControl& rec, quint8 state)
{
    TDrawbar& organ = programPtr->organ;
    if (rec.param == O::rotaryControl) {
        organ.rotaryControl = switchMask(organ.rotaryControl, rec.index, state);
        qDebug() << "OrganRotary Control:" << state << rec.index << "->" << organ.rotaryControl;
        emit organVariation(WholeProgram, O::rotaryControl, organ.rotaryControl);
        updateRotaryPage();
        return;
    }
    if (const OrganBit* row = organSwitchOf(rec.param)) {
        quint8& byte = editedBytes()[row->offset];
        if (row->bit == WholeByte)
            byte = state;
        else
            setBit(byte, row->bit, state);
        qDebug() << row->label << state;
        if (rec.param == O::on) {
            updateOrganPage();
            updateRotaryPage();
        }
    }
    emit organVariation(WholeProgram, rec.param, state);
}

void LyrForm::onRangeSliderLowValueChanged(unsigned int value)
{
    const TControl rec = rangeSliderMap.value(qobject_cast<QMyRangeSlider*>(sender()));
    if (rec.command == ComVoiceVariation && rec.part < Layers
        && (rec.param == V::keyLow || rec.param == V::velocityLow)) {
        const quint8 v = quint8(value & 0x7F);
        rangeOf(rec.param, rec.part)[0] = v;
        emit voiceVariation(rec.part, rec.param, v);
    }
    updateVoiceValues();
}

void LyrForm::onRangeSliderHighValueChanged(unsigned int value)
{
    const TControl rec = rangeSliderMap.value(qobject_cast<QMyRangeSlider*>(sender()));
    if (rec.command == ComVoiceVariation && rec.part < Layers
        && (rec.index == V::keyHigh || rec.index == V::velocityHigh)) {
        const quint8 v = quint8(value & 0x7F);
        rangeOf(rec.index, rec.part)[1] = v;
        emit voiceVariation(rec.part, rec.index, v);
    }
    updateVoiceValues();
}

void LyrForm::onLineEditReturnPressed()
{
    QLineEdit* edit = qobject_cast<QLineEdit*>(sender());
    const auto found = lineEditMap.constFind(edit);
    if (found == lineEditMap.cend())
        return;
    const TControl rec = *found;
    if (rec.command != ComVoiceVariation || rec.part >= Layers || rec.param < V::keyLow
        || rec.param > V::velocityHigh)
        return;

    const bool notes = rec.param <= V::keyHigh;
    const bool high = rec.param == V::keyHigh || rec.param == V::velocityHigh;
    quint8* range = rangeOf(rec.param, rec.part);
    auto restore = [this, notes] { notes ? updateNoteRange() : updateVelocityRange(); };

    bool ok = false;
    const uint x = edit->text().toUInt(&ok);
    // An entry past the other end of the range is refused, not swapped.
    if (!ok || x > 127 || (high ? x < range[0] : x > range[1])) {
        restore();
        return;
    }
    range[high ? 1 : 0] = quint8(x);
    if (notes)
        qDebug() << (high ? "set range max:" : "set range min:") << x << "for part:" << rec.part;
    restore();
    emit voiceVariation(rec.part, rec.param, quint8(x));
}

void LyrForm::onSliderValueChanged(int value)
{
    const auto found = sliderMap.constFind(qobject_cast<QSlider*>(sender()));
    if (found == sliderMap.cend())
        return;
    const TControl rec = *found;
    if (rec.command != ComOrganVariation || rec.part >= std::size(programPtr->organ.bar))
        return;
    const quint8 v = quint8(value & 0x7F);
    if (rec.param == O::drawbar) {
        qDebug() << "Organ drawbar amplitude - part:" << rec.part << "- value:" << v;
        programPtr->organ.bar[rec.part] = v;
        updateDrawbars();
    }
    emit organVariation(rec.part, rec.param, v);
}
