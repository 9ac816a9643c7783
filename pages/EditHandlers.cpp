// Edit handlers: one slot per widget family turns a change into a store in
// the program being edited (or the setup bytes), a refresh of what shows it,
// and one edit signal that the link sends as one command. Nothing waits for
// the module. A record whose layer, band or item is out of range stores
// nothing and sends nothing.

#include "LyrForm.h"

#include "ColorMap.h"
#include "SysExFrame.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QLineEdit>
#include <QSlider>

#include <cstddef>
#include <iterator>

namespace {

constexpr quint8 WholeProgram = 0xFF;

quint8* bytes()
{
    return reinterpret_cast<quint8*>(programPtr);
}

void storeWord(int offset, quint16 value)
{
    bytes()[offset] = quint8(value & 0xFF);
    bytes()[offset + 1] = quint8(value >> 8);
}

// Where a command-0x21 dial parameter is stored.
enum class Store : quint8 {
    Layer,      // byte offset + layer = the encoded value; layers 0..2 only
    Envelope,   // byte offset + 4 x layer = the encoded value; layers 0..2 only
    Byte,       // byte offset = the encoded value
    Word,       // 16-bit word at offset = the dial's raw value
    BandWord,   // 16-bit word at offset + 2 x band = the raw value; bands 0..3 only
    LowByte,    // byte offset = the raw value modulo 256
};

struct DialStore
{
    quint8 param;
    Store store;
    quint16 offset;
};

const DialStore dialStores[] = {
    //  param  store             offset
    { 1,       Store::Layer,     31 },    // volume
    { 2,       Store::Layer,     34 },    // reverb send
    { 3,       Store::Layer,     37 },    // octave shift
    { 4,       Store::Layer,     40 },    // tune
    { 5,       Store::Layer,     43 },    // pan
    { 6,       Store::Layer,     46 },    // chorus send
    { 11,      Store::Envelope,  71 },    // attack
    { 12,      Store::Envelope,  72 },    // decay
    { 13,      Store::Layer,     89 },    // resonance
    { 14,      Store::Envelope,  73 },    // release
    { 15,      Store::Layer,     83 },    // cut-off
    { 16,      Store::Layer,     86 },    // dynamic filter
    { 23,      Store::Word,      303 },   // compressor
    { 24,      Store::Word,      305 },
    { 25,      Store::Word,      307 },
    { 26,      Store::Word,      309 },
    { 27,      Store::Word,      311 },
    { 30,      Store::Word,      317 },   // distorsor
    { 31,      Store::Word,      315 },
    { 32,      Store::Word,      319 },
    { 33,      Store::Word,      321 },
    { 37,      Store::BandWord,  328 },   // equaliser frequency, Q, gain
    { 38,      Store::BandWord,  336 },
    { 39,      Store::BandWord,  344 },
    { 43,      Store::Word,      355 },   // modulation
    { 44,      Store::Word,      357 },
    { 45,      Store::Word,      359 },
    { 46,      Store::Word,      361 },
    { 47,      Store::Word,      363 },
    { 49,      Store::Word,      366 },   // rotor
    { 50,      Store::Word,      368 },
    { 51,      Store::Word,      370 },
    { 52,      Store::Word,      372 },
    { 53,      Store::LowByte,   374 },
    { 57,      Store::Word,      378 },   // wah
    { 58,      Store::Word,      380 },
    { 59,      Store::Word,      382 },
    { 60,      Store::Word,      384 },
    { 61,      Store::Word,      386 },
    { 62,      Store::Word,      388 },
    { 66,      Store::Word,      393 },   // tremolo
    { 67,      Store::Word,      395 },
    { 70,      Store::Word,      399 },   // delay
    { 71,      Store::Word,      401 },
    { 72,      Store::Word,      403 },
    { 73,      Store::Word,      405 },
    { 74,      Store::Word,      407 },
    { 75,      Store::Word,      296 },   // insert level, sends, gain
    { 77,      Store::Word,      298 },
    { 78,      Store::Word,      300 },
    { 80,      Store::Word,      294 },
    { 82,      Store::Byte,      410 },   // high-quality distorsor
    { 85,      Store::Byte,      413 },
    { 86,      Store::Byte,      414 },
    { 87,      Store::Byte,      415 },
    { 90,      Store::Byte,      439 },   // reverb
    { 91,      Store::Byte,      444 },
    { 92,      Store::Byte,      445 },
    { 93,      Store::Byte,      443 },
    { 95,      Store::Byte,      446 },
    { 96,      Store::Byte,      447 },
    { 97,      Store::Byte,      448 },
    { 98,      Store::Byte,      442 },
    { 99,      Store::Byte,      449 },
    { 103,     Store::Byte,      424 },   // chorus
    { 104,     Store::Byte,      425 },
    { 105,     Store::Byte,      426 },
    { 106,     Store::Byte,      427 },
    { 107,     Store::Byte,      428 },
    { 108,     Store::Byte,      429 },
};

// Organ dials (command 0x29) other than the volume, which shares its byte.
struct OrganStore
{
    quint8 param;
    quint16 offset;
    const char* label;
};

const OrganStore organStores[] = {
    //  param  offset  log label
    { 10,      467,    "Organ click:" },
    { 11,      469,    "Organ reverb:" },
    { 12,      468,    "Organ chorus:" },
    { 13,      485,    "Organ direct sound level:" },
    { 14,      486,    "Organ reflection intensity:" },
    { 15,      487,    "Organ reflection delay time:" },
    { 16,      488,    "High rotor volume:" },
    { 17,      489,    "High rotor HP:" },
    { 18,      490,    "High rotor slow speed:" },
    { 19,      491,    "High rotor fast speed:" },
    { 20,      492,    "High rotor acc:" },
    { 21,      493,    "High rotor dec:" },
    { 22,      494,    "High rotor brake:" },
    { 23,      495,    "High rotor AM:" },
    { 24,      496,    "High rotor FM:" },
    { 25,      497,    "High rotor drive:" },
    { 26,      498,    "High rotor drive LP:" },
    { 27,      499,    "Low rotor volume:" },
    { 28,      500,    "Low rotor LP:" },
    { 29,      501,    "Low rotor slow speed:" },
    { 30,      502,    "Low rotor fast speed:" },
    { 31,      503,    "Low rotor acc:" },
    { 32,      504,    "Low rotor dec:" },
    { 33,      505,    "Low rotor brake:" },
    { 34,      506,    "Low rotor AM:" },
    { 35,      507,    "Low rotor FM:" },
    { 36,      508,    "Low rotor drive:" },
    { 37,      509,    "Low rotor drive LP:" },
    { 40,      470,    "Organ shift:" },
};

// Combo boxes of command 0x21 that store one program-wide byte, with the
// section that shows it.
struct ComboStore
{
    quint8 param;
    quint16 offset;
    void (LyrForm::*refresh)();
};

const ComboStore comboStores[] = {
    //  param  offset  refresh
    { 29,      314,    &LyrForm::updateInsertDistorsor },
    { 41,      353,    &LyrForm::updateInsertMod },
    { 42,      354,    &LyrForm::updateInsertMod },
    { 55,      376,    &LyrForm::updateInsertWah },
    { 56,      377,    &LyrForm::updateInsertWah },
    { 64,      391,    &LyrForm::updateInsertTremolo },
    { 65,      392,    &LyrForm::updateInsertTremolo },
    { 69,      398,    &LyrForm::updateInsertDelay },
    { 79,      293,    &LyrForm::updateEffects },
    { 84,      412,    &LyrForm::updateInsertHqDistorsor },
    { 89,      438,    &LyrForm::updateReverb },
    { 94,      440,    &LyrForm::updateReverb },
    { 101,     422,    &LyrForm::updateChorus },
    { 102,     423,    &LyrForm::updateChorus },
};

// Check boxes of command 0x21 that switch one program-wide byte. Switching
// an effect of a shared slot turns the others of that slot off first.
struct CheckStore
{
    quint8 param;
    quint16 offset;
    void (LyrForm::*refresh)();
    quint8 others[2];   // params of the effects sharing the slot; 0 none
};

const CheckStore checkStores[] = {
    //  param  offset  refresh                                others
    { 22,      302,    &LyrForm::updateInsertCompressor,      { 28, 0 } },
    { 28,      313,    &LyrForm::updateInsertDistorsor,       { 22, 0 } },
    { 34,      417,    &LyrForm::updateRotaryPage,            { 0, 0 } },
    { 35,      323,    &LyrForm::updateInsertEq,              { 0, 0 } },
    { 40,      352,    &LyrForm::updateInsertMod,             { 54, 63 } },
    { 48,      365,    nullptr,                               { 0, 0 } },
    { 54,      375,    &LyrForm::updateInsertWah,             { 40, 63 } },
    { 63,      390,    &LyrForm::updateInsertTremolo,         { 40, 54 } },
    { 68,      397,    &LyrForm::updateInsertDelay,           { 0, 0 } },
    { 81,      409,    &LyrForm::updateInsertHqDistorsor,     { 0, 0 } },
    { 83,      411,    &LyrForm::updateInsertHqDistorsor,     { 0, 0 } },
};

// The row of a store table for param; null when the table has none.
template <class Row, std::size_t N>
const Row* rowOf(const Row (&rows)[N], quint8 param)
{
    for (const Row& row : rows) {
        if (row.param == param)
            return &row;
    }
    return nullptr;
}

// A control-source mask (sustain 1, mod wheel 2, aftertouch 4, sustain
// toggle 8) with bit m switched; sustain and its toggle exclude each other.
quint8 switchMask(quint8 byte, quint8 m, bool on)
{
    if (!on)
        return byte & ~m;
    if (m & 0x01)
        byte &= ~0x08;
    if (m & 0x08)
        byte &= ~0x01;
    return byte | m;
}

// Organ flag bits of byte 463 by param: percussion on, vibrato/chorus on,
// then the percussion type, decay and level choices.
quint8 organFlagBit(quint8 param)
{
    switch (param) {
    case 3: return 0x01;
    case 7: return 0x02;
    case 4: return 0x04;
    case 5: return 0x08;
    case 6: return 0x10;
    default: return 0;
    }
}

void setBit(quint8& byte, quint8 bit, bool on)
{
    byte = on ? quint8(byte | bit) : quint8(byte & ~bit);
}

} // namespace

void LyrForm::onDialValueChanged(int value)
{
    QMyDial* dial = qobject_cast<QMyDial*>(sender());
    const auto found = dialMap.constFind(dial);
    if (found == dialMap.cend())
        return;
    const TControl rec = *found;

    // The GM reverb dials set the sound processor's reverb directly.
    QMyDial* const gmReverb[] = {
        nullptr, nullptr, ui->reverbGmPreHpFilterDial, ui->reverbGmPreLPFilterDial, ui->reverbGmHighShelfGainDial,
        ui->reverbGmHighShelfFreqDial, ui->reverbGmPreDelayTimeDial, ui->reverbGmLevelDial, ui->reverbGmTimeDial,
        ui->reverbGmHDampDial, ui->reverbGmErDial,
    };
    for (uchar n = 2; n < std::size(gmReverb); ++n) {
        if (dial == gmReverb[n]) {
            secondReverbControl(n, uchar(value));
            return;
        }
    }

    const quint8 b = rec.encode(value);
    const quint8 p = rec.part;
    const quint8 i = rec.index;

    if (rec.command == ComOrganVariation) {
        if (rec.param == 1) {
            // Bit 0 is the organ's on flag.
            programPtr->organ.onVolume = quint8((programPtr->organ.onVolume & 1) | (b << 1));
            qDebug() << "Organ volume:" << b;
        }
        if (const OrganStore* row = rowOf(organStores, rec.param)) {
            bytes()[row->offset] = b;
            qDebug() << row->label << b;
        }
        emit organVariation(p, rec.param, b);
        return;
    }
    if (rec.command != ComVoiceVariation)
        return;

    if (rec.param == 21) {
        if (i == 4) {
            programs.setup.masterVolume = b;
            qDebug() << "Master volume:" << b;
        } else if (i == 5) {
            programs.setup.gmVolume = b;
            qDebug() << "GM volume:" << b;
        } else {
            return;
        }
        emit setupVariation(i, b);
        return;
    }

    const DialStore* row = rowOf(dialStores, rec.param);
    if (!row)
        return;

    const quint16 word = quint16(value & 0xFFFF);
    switch (row->store) {
    case Store::Layer:
    case Store::Envelope:
        if (p > 2)
            return;
        bytes()[row->offset + (row->store == Store::Envelope ? 4 : 1) * p] = b;
        emit voiceVariation(p, rec.param, b);
        break;
    case Store::Byte:
        bytes()[row->offset] = b;
        emit voiceVariation(p, rec.param, b);
        break;
    case Store::Word:
        storeWord(row->offset, word);
        emit voiceVariation16(i, rec.param, word);
        break;
    case Store::BandWord:
        if (i > 3)
            return;
        storeWord(row->offset + 2 * i, word);
        emit voiceVariation16(i, rec.param, word);
        break;
    case Store::LowByte:
        bytes()[row->offset] = quint8(value & 0xFF);
        emit voiceVariation16(i, rec.param, word);
        break;
    }

    // Plots that show the stored value.
    QMyAdsrPlot* const envelopes[3] = { ui->adrWidget1, ui->adrWidget2, ui->adrWidget3 };
    const double share = value / 16383.0;
    switch (rec.param) {
    case 11: envelopes[p]->setAttack(b, 127); break;
    case 12: envelopes[p]->setDecay(b, 64); break;
    case 14: envelopes[p]->setRelease(b, 0); break;
    case 37: ui->parametricEqPlot->setFrequency(i, 20.0 + share * (20000.0 - 20.0)); break;
    case 38: ui->parametricEqPlot->setQ(i, 0.1 + share * 15.9); break;
    case 39: ui->parametricEqPlot->setGain(i, -24.0 + share * 48.0); break;
    case 44: ui->modLfoPlot->setDepth(share); break;
    case 45: ui->modLfoPlot->setRate(share); break;
    case 46: ui->modLfoPlot->setDelay(share); break;
    case 61: ui->wahLfoPlot->setDepth(share); break;
    case 62: ui->wahLfoPlot->setRate(share); break;
    case 66: ui->tremoloLfoPlot->setDepth(share); break;
    case 67: ui->tremoloLfoPlot->setRate(share); break;
    default: break;
    }
}

void LyrForm::onComboBoxIndexChanged(int index)
{
    QComboBox* combo = qobject_cast<QComboBox*>(sender());
    const auto found = comboBoxMap.constFind(combo);
    // Only a refresh or a cleared list selects nothing; neither is an edit.
    if (found == comboBoxMap.cend() || index < 0)
        return;
    const TControl rec = *found;
    const quint32 d = combo->itemData(index).toUInt();
    const quint8 c = quint8(d & 0x7F);

    if (combo == ui->reverbPresetComboBox) {
        loadReverbPreset(index);
        return;
    }
    if (combo == ui->chorusPresetComboBox) {
        loadChorusPreset(index);
        return;
    }
    if (combo == ui->colorComboBox) {
        programPtr->color = quint8(colorMap.key(combo->itemText(index), Qt::GlobalColor(0)));
        updateProgramLabel(currentProgram);
        return;
    }
    if (combo == ui->reverbGmTypeComboBox || combo == ui->reverbGmSizeComboBox) {
        secondReverbControl(combo == ui->reverbGmTypeComboBox ? 0 : 1, c);
        return;
    }
    TInsert& in = programPtr->insert;
    // The slot byte itself is never sent: the module learns the chain from
    // the effects switched on and off.
    auto turnOff = [this](quint8& flag, quint8 param) {
        if (flag == 1) {
            flag = 0;
            emit voiceVariation(WholeProgram, param, 0);
        }
    };
    auto turnOn = [this](quint8& flag, quint8 param) {
        if (!(flag & 1)) {
            flag = 1;
            emit voiceVariation(WholeProgram, param, 1);
        }
    };
    if (combo == ui->insertSlot1ComboBox) {
        in.slotConfig = quint8((in.slotConfig & 0xF0) | (d & 0x0F));
        if (c == 1) {
            turnOff(in.compressorOn, 22);
            turnOn(in.distortionOn, 28);
        } else if (c == 0) {
            turnOff(in.distortionOn, 28);
            turnOn(in.compressorOn, 22);
        }
        updateEffectsSlotConfiguration();
        updateInsertCompressor();
        updateInsertDistorsor();
        return;
    }
    if (combo == ui->insertSlot2ComboBox) {
        in.slotConfig = quint8((d << 4) | (in.slotConfig & 0x0F));
        if (c <= 2) {
            struct Slot
            {
                quint8* flag;
                quint8 param;
            };
            const Slot effects[3] = { { &in.modulationOn, 40 }, { &in.wahOn, 54 }, { &in.tremoloOn, 63 } };
            for (quint8 e = 0; e < 3; ++e) {
                if (e != c)
                    turnOff(*effects[e].flag, effects[e].param);
            }
            turnOn(*effects[c].flag, effects[c].param);
        }
        updateEffectsSlotConfiguration();
        updateInsertMod();
        updateInsertWah();
        updateInsertTremolo();
        return;
    }

    if (rec.command == ComOrganVariation) {
        quint8& flags = programPtr->organ.flags;
        switch (rec.param) {
        case 4: setBit(flags, organFlagBit(4), d & 1); qDebug() << "Percussion Type:" << (d & 1); break;
        case 5: setBit(flags, organFlagBit(5), d & 1); qDebug() << "Decay Time:" << (d & 1); break;
        case 6: setBit(flags, organFlagBit(6), d & 1); qDebug() << "Percussion Level:" << (d & 1); break;
        case 8: programPtr->organ.vibratoType = c; qDebug() << "Vibrato Chorus:" << c; break;
        case 9: programPtr->organ.rotarySpeed = c; qDebug() << "Rotary Type:" << c; break;
        default: break;
        }
        emit organVariation(WholeProgram, rec.param, c);
        return;
    }
    if (rec.command != ComVoiceVariation)
        return;

    if (rec.param == 36) {
        if (rec.index > 3)
            return;
        in.eqType[rec.index] = c;
        emit voiceVariation(rec.index, 36, c);
        updateInsertEq();
        return;
    }
    if (rec.param == 110) {
        if (rec.part > 2)
            return;
        programPtr->modulation[rec.part] = c;
        qDebug() << "VarModulationControl:" << rec.part << c;
        emit voiceVariation(rec.part, 110, c);
        return;
    }
    if (const ComboStore* row = rowOf(comboStores, rec.param)) {
        bytes()[row->offset] = c;
        emit voiceVariation(WholeProgram, rec.param, c);
        (this->*row->refresh)();
    }
}

void LyrForm::onCheckBoxStateChanged(int state)
{
    const auto found = checkBoxMap.constFind(qobject_cast<QCheckBox*>(sender()));
    if (found == checkBoxMap.cend())
        return;
    const TControl rec = *found;
    const quint8 s = state != 0 ? 1 : 0;
    const quint8 p = rec.part;

    if (rec.command == ComOrganVariation) {
        TDrawbar& organ = programPtr->organ;
        if (rec.param == 39) {
            organ.rotaryControl = switchMask(organ.rotaryControl, rec.index, s);
            qDebug() << "OrganRotary Control:" << s << rec.index << "->" << organ.rotaryControl;
            emit organVariation(WholeProgram, 39, organ.rotaryControl);
            updateRotaryPage();
            return;
        }
        switch (rec.param) {
        case 0:
            setBit(organ.onVolume, 0x01, s);
            qDebug() << "Organ on/off:" << s;
            updateOrganPage();
            updateRotaryPage();
            break;
        case 3:
            setBit(organ.flags, organFlagBit(3), s);
            qDebug() << "Organ percussion on/off:" << s;
            break;
        case 7:
            setBit(organ.flags, organFlagBit(7), s);
            qDebug() << "Organ vibrato/chorus on/off:" << s;
            break;
        case 38:
            organ.driveOn = s;
            qDebug() << "Organ drive on/off:" << s;
            break;
        default:
            break;
        }
        emit organVariation(WholeProgram, rec.param, s);
        return;
    }
    if (rec.command != ComVoiceVariation)
        return;

    switch (rec.param) {
    case 0:
    case 18:
    case 19: {
        if (p > 2)
            return;
        const int base = rec.param == 0 ? 16 : rec.param == 18 ? 49 : 64;
        bytes()[base + p] = s;
        emit voiceVariation(p, rec.param, s);
        if (rec.param != 19)
            updateVoiceEnabled();
        return;
    }
    case 17: {
        // Morphing runs the first layer into the second.
        quint8* morph = programPtr->morphMode;
        morph[0] = s;
        morph[1] = s ? 2 : 0;
        morph[2] = 0;
        for (quint8 l = 0; l < 3; ++l)
            emit voiceVariation(l, 17, morph[l]);
        updateMorphing();
        return;
    }
    case 109:
        programPtr->morphControl = switchMask(programPtr->morphControl, rec.index, s);
        qDebug() << "Morphing Control:" << s << rec.index << "->" << programPtr->morphControl;
        emit voiceVariation(WholeProgram, 109, programPtr->morphControl);
        updateMorphing();
        return;
    default:
        break;
    }

    const CheckStore* row = rowOf(checkStores, rec.param);
    if (!row)
        return;
    // Effects sharing a slot: the others go off, checked or not.
    for (quint8 other : row->others) {
        if (const CheckStore* o = rowOf(checkStores, other); o && bytes()[o->offset] == 1) {
            bytes()[o->offset] = 0;
            emit voiceVariation(WholeProgram, other, 0);
            if (o->refresh)
                (this->*o->refresh)();
        }
    }
    bytes()[row->offset] = s;
    if (row->refresh)
        (this->*row->refresh)();
    emit voiceVariation(p, rec.param, s);
}

void LyrForm::onRangeSliderLowValueChanged(unsigned int value)
{
    const TControl rec = rangeSliderMap.value(qobject_cast<QMyRangeSlider*>(sender()));
    if (rec.command == ComVoiceVariation && rec.part <= 2 && (rec.param == 7 || rec.param == 9)) {
        const quint8 v = quint8(value & 0x7F);
        bytes()[(rec.param == 7 ? 52 : 58) + 2 * rec.part] = v;
        emit voiceVariation(rec.part, rec.param, v);
    }
    updateVoiceValues();
}

void LyrForm::onRangeSliderHighValueChanged(unsigned int value)
{
    const TControl rec = rangeSliderMap.value(qobject_cast<QMyRangeSlider*>(sender()));
    if (rec.command == ComVoiceVariation && rec.part <= 2 && (rec.index == 8 || rec.index == 10)) {
        const quint8 v = quint8(value & 0x7F);
        bytes()[(rec.index == 8 ? 53 : 59) + 2 * rec.part] = v;
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
    if (rec.command != ComVoiceVariation || rec.part > 2 || rec.param < 7 || rec.param > 10)
        return;

    // Params 7, 8 are the note range, 9, 10 the velocity range; low, high.
    const bool notes = rec.param <= 8;
    const bool high = rec.param == 8 || rec.param == 10;
    quint8* range = bytes() + (notes ? 52 : 58) + 2 * rec.part;
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
    if (rec.command != ComOrganVariation || rec.part >= 9)
        return;
    const quint8 v = quint8(value & 0x7F);
    if (rec.param == 2) {
        qDebug() << "Organ drawbar amplitude - part:" << rec.part << "- value:" << v;
        programPtr->organ.bar[rec.part] = v;
        updateDrawbars();
    }
    emit organVariation(rec.part, rec.param, v);
}
