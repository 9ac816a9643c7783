#pragma once

// One program of the module: three voice layers, the insert-effect chain,
// chorus, reverb and the organ section, 511 bytes exactly as the module keeps
// them. Integers are little-endian; the editor only ever runs little-endian.

#include <QString>
#include <QtGlobal>
#include <cstddef>

// Voice layers of a program, and bands of its insert equaliser.
constexpr int Layers = 3;
constexpr int EqBands = 4;

// Shown values that sit in the middle of a byte: octave and organ shifts are
// stored + 48, the fine tune + 64, the pan as 64 - shown.
constexpr int ShiftZero = 48;
constexpr int TuneZero = 64;
constexpr int PanCentre = 64;

// Controller sources of a morphing or rotary control mask; sustain and its
// toggle exclude each other.
namespace ControlSource {
enum Bit : quint8 {
    sustain = 0x01,
    modWheel = 0x02,
    aftertouch = 0x04,
    sustainToggle = 0x08,
};
}

// Bits of the organ's flags byte.
namespace OrganFlag {
enum Bit : quint8 {
    percussionOn = 0x01,
    vibratoOn = 0x02,
    percussionType = 0x04,
    percussionDecay = 0x08,
    percussionLevel = 0x10,
};
}

// The organ's on flag and volume share one byte: bit 0 on, bits 1..7 volume.
constexpr quint8 OrganOn = 0x01;
constexpr quint8 organVolume(quint8 onVolume)
{
    return quint8(onVolume >> 1);
}
constexpr quint8 withOrganVolume(quint8 onVolume, quint8 volume)
{
    return quint8((onVolume & OrganOn) | (volume << 1));
}

// A neutral equaliser band, as new programs start: a flat peak near 1 kHz.
namespace EqNeutral {
constexpr quint8 type = 4;
constexpr quint16 freq = 800;
constexpr quint16 q = 934;
constexpr quint16 gain = 8191;
}

#pragma pack(push, 1)

// Voice chosen for one layer.
struct TVoiceSelect
{
    quint8 family;
    quint8 voice;      // index inside the family
    quint8 bank;
    quint8 pch;        // program change
};

struct TEnvelope
{
    quint8 attack;
    quint8 decay;
    quint8 release;
    quint8 unused;
};

// Largest value of the insert chain's 14-bit words.
constexpr int WordMax = 0x3FFF;

// Insert-effect chain. The 16-bit words are 14-bit values 0..WordMax.
struct TInsert
{
    // Chain
    quint8 config;
    quint16 inputGain;
    quint16 outputLevel;
    quint16 reverbSend;
    quint16 chorusSend;
    // Compressor: attack, release, ratio, threshold, make-up gain
    quint8 compressorOn;
    quint16 compressor[5];
    // Distortion: drive, brightness in, brightness out, level
    quint8 distortionOn;
    quint8 distortionType;
    quint16 distortion[4];
    // Equaliser, bands low, mid-low, mid-high, high
    quint8 eqOn;
    quint8 eqType[EqBands];
    quint16 eqFreq[EqBands];
    quint16 eqQ[EqBands];
    quint16 eqGain[EqBands];
    // Modulation: dry/wet, depth, rate, delay, feedback; type 4 is the rotary
    quint8 modulationOn;
    quint8 modulationType;
    quint8 modulationWave;
    quint16 modulation[5];
    // Rotary: fast rate, acceleration time, brake time, directivity
    quint8 rotarySpeed;
    quint16 rotary[4];
    quint8 rotaryMicAngle;
    // Wah: frequency, resonance, sensitivity, decay, LFO amount, LFO rate
    quint8 wahOn;
    quint8 wahType;
    quint8 wahFilter;
    quint16 wah[6];
    // Tremolo: depth, rate
    quint8 tremoloOn;
    quint8 tremoloType;
    quint8 tremoloShape;
    quint16 tremolo[2];
    // Delay: level, cut-off, time, feedback, damping
    quint8 delayOn;
    quint8 delayType;
    quint16 delay[5];
    // High-quality distortion: drive, brightness, level
    quint8 hqDistortionOn;
    quint8 hqDistortionBias;
    quint8 hqDistortionBoost;
    quint8 hqDistortionType;
    quint8 hqDistortion[3];
    // Slot 1 in the low nibble (compressor/distortion), slot 2 in the high one
    quint8 slotConfig;
    quint8 organRotary;
    quint8 unused[3];
};

struct TGmChorus
{
    quint8 on;
    quint8 wave;
    quint8 type;
    quint8 preLowPass;
    quint8 feedback;
    quint8 delay;
    quint8 rate;
    quint8 depth;
    quint8 level;
    quint8 unused[7];
};

struct TGmReverb
{
    quint8 on;
    quint8 size;
    quint8 hfDamping;
    quint8 type;
    quint8 unused1;
    quint8 preLowPass;
    quint8 preHighPass;
    quint8 highShelfGain;
    quint8 highShelfFreq;
    quint8 time;
    quint8 feedback;
    quint8 preDelay;
    quint8 level;
    quint8 unused2[3];
};

// Organ section: drawbars and rotary speaker.
struct TDrawbar
{
    quint8 onVolume;          // bit 0 on, bits 1..7 volume (organVolume)
    quint8 bar[9];
    quint8 flags;             // OrganFlag bits
    quint8 rotaryControl;     // ControlSource bits
    quint8 vibratoType;
    quint8 rotarySpeed;
    quint8 keyClick;
    quint8 chorusSend;
    quint8 reverbSend;
    quint8 shift;             // shown as stored - ShiftZero
    quint8 unused[14];
    quint8 directLevel;
    quint8 reflectionIntensity;
    quint8 reflectionDelay;
    // volume, high-/low-pass, slow, fast, accel., decel., brake, AM, FM, drive, drive LP
    quint8 highRotor[11];
    quint8 lowRotor[11];
    quint8 driveOn;
};

struct TProgram
{
    char name[16];            // UTF-8, NUL-padded; 16 bytes means no NUL
    quint8 enabled[Layers];
    TVoiceSelect voice[Layers];
    quint8 volume[Layers];
    quint8 reverbSend[Layers];
    quint8 octave[Layers];    // shown as stored - ShiftZero
    quint8 tune[Layers];      // shown as stored - TuneZero
    quint8 pan[Layers];       // shown as PanCentre - stored
    quint8 chorusSend[Layers];
    quint8 insertOn[Layers];  // layer goes through the insert chain
    quint8 keyRange[Layers][2];
    quint8 velocityRange[Layers][2];
    quint8 sustain[Layers];
    quint8 morphControl;      // ControlSource bits
    quint8 morphMode[Layers];
    TEnvelope envelope[Layers];
    quint8 cutOff[Layers];
    quint8 dynFilter[Layers];
    quint8 resonance[Layers];
    quint8 modulation[Layers];
    quint8 unused[197];
    quint8 color;             // a Qt::GlobalColor value
    TInsert insert;
    TGmChorus chorus;
    TGmReverb reverb;
    TDrawbar organ;
};

#pragma pack(pop)

static_assert(sizeof(TVoiceSelect) == 4);
static_assert(sizeof(TEnvelope) == 4);
static_assert(sizeof(TInsert) == 128);
static_assert(sizeof(TGmChorus) == 16);
static_assert(sizeof(TGmReverb) == 16);
static_assert(sizeof(TDrawbar) == 58);
static_assert(sizeof(TProgram) == 511);

static_assert(offsetof(TProgram, enabled) == 16);
static_assert(offsetof(TProgram, voice) == 19);
static_assert(offsetof(TProgram, volume) == 31);
static_assert(offsetof(TProgram, reverbSend) == 34);
static_assert(offsetof(TProgram, octave) == 37);
static_assert(offsetof(TProgram, tune) == 40);
static_assert(offsetof(TProgram, pan) == 43);
static_assert(offsetof(TProgram, chorusSend) == 46);
static_assert(offsetof(TProgram, insertOn) == 49);
static_assert(offsetof(TProgram, keyRange) == 52);
static_assert(offsetof(TProgram, velocityRange) == 58);
static_assert(offsetof(TProgram, sustain) == 64);
static_assert(offsetof(TProgram, morphControl) == 67);
static_assert(offsetof(TProgram, morphMode) == 68);
static_assert(offsetof(TProgram, envelope) == 71);
static_assert(offsetof(TProgram, cutOff) == 83);
static_assert(offsetof(TProgram, dynFilter) == 86);
static_assert(offsetof(TProgram, resonance) == 89);
static_assert(offsetof(TProgram, modulation) == 92);
static_assert(offsetof(TProgram, color) == 292);
static_assert(offsetof(TProgram, insert) == 293);
static_assert(offsetof(TProgram, chorus) == 421);
static_assert(offsetof(TProgram, reverb) == 437);
static_assert(offsetof(TProgram, organ) == 453);

static_assert(offsetof(TProgram, insert) + offsetof(TInsert, inputGain) == 294);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, compressorOn) == 302);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, distortionOn) == 313);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, distortion) == 315);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, eqOn) == 323);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, eqFreq) == 328);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, eqQ) == 336);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, eqGain) == 344);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, modulationOn) == 352);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, modulation) == 355);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, rotarySpeed) == 365);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, rotaryMicAngle) == 374);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, wahOn) == 375);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, wah) == 378);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, tremoloOn) == 390);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, tremolo) == 393);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, delayOn) == 397);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, delay) == 399);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, hqDistortionOn) == 409);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, hqDistortion) == 413);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, slotConfig) == 416);
static_assert(offsetof(TProgram, insert) + offsetof(TInsert, organRotary) == 417);
static_assert(offsetof(TProgram, reverb) + offsetof(TGmReverb, level) == 449);
static_assert(offsetof(TProgram, organ) + offsetof(TDrawbar, bar) == 454);
static_assert(offsetof(TProgram, organ) + offsetof(TDrawbar, flags) == 463);
static_assert(offsetof(TProgram, organ) + offsetof(TDrawbar, shift) == 470);
static_assert(offsetof(TProgram, organ) + offsetof(TDrawbar, directLevel) == 485);
static_assert(offsetof(TProgram, organ) + offsetof(TDrawbar, highRotor) == 488);
static_assert(offsetof(TProgram, organ) + offsetof(TDrawbar, lowRotor) == 499);
static_assert(offsetof(TProgram, organ) + offsetof(TDrawbar, driveOn) == 510);

// Program selection: the program under edit, always reached through programPtr.
extern quint16 currentProgram;
extern TProgram* programPtr;

// Preset rows copied over a program's reverb or chorus, in the order of the
// preset lists.
constexpr int PresetCount = 8;
extern const TGmReverb reverbPresets[PresetCount];
extern const TGmChorus chorusPresets[PresetCount];

// Fills a record with the default program, then the stored default program
// (setting "defaultProgram") when there is a valid one. Null is ignored.
void initProgram(TProgram* record);
// The same for program index of programs; indices of 128 and more are ignored.
void initProgram(unsigned short index);
// Selects the program under edit; indices of 128 and more are ignored.
void loadProgram(unsigned short index);
// Name of program index of programs, empty for indices of 128 and more.
QString getProgramName(unsigned short index);
void saveProgram(unsigned short index);

// The stored default program, or an empty array when there is none of the
// right size; and initProgram with it already read (for many programs at once).
QByteArray storedDefaultProgram();
void initProgram(TProgram* record, const QByteArray& storedDefault);
