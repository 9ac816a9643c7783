#include "TProgram.h"
#include "TPrograms.h"

#include <QSettings>
#include <cstring>

quint16 currentProgram = 0;
TProgram* programPtr = &programs.program[0];

#define R(...) { __VA_ARGS__, {} }
const TGmReverb reverbPresets[PresetCount] = {
    //  on  size damp type  -    lpf  hpf  hsG  hsF  time fb   pre  level
    R(1,  2,   0x40, 0x00, 0x00, 0x00, 0x40, 0x40, 0x40, 0x46, 0x00, 0x40, 0x7F),  // Room 1
    R(1,  2,   0x40, 0x01, 0x00, 0x00, 0x40, 0x40, 0x40, 0x50, 0x00, 0x40, 0x7F),  // Room 2
    R(1,  2,   0x40, 0x04, 0x00, 0x00, 0x40, 0x40, 0x40, 0x5A, 0x00, 0x5A, 0x72),  // Room 3
    R(1,  2,   0x00, 0x05, 0x00, 0x00, 0x40, 0x40, 0x40, 0x50, 0x00, 0x40, 0x6E),  // Hall 1
    R(1,  2,   0x1E, 0x03, 0x00, 0x00, 0x40, 0x40, 0x40, 0x64, 0x00, 0x64, 0x64),  // Hall 2
    R(1,  2,   0x00, 0x04, 0x00, 0x00, 0x40, 0x40, 0x40, 0x5A, 0x00, 0x7F, 0x5A),  // Plate
    R(1,  2,   0x00, 0x04, 0x00, 0x00, 0x40, 0x40, 0x40, 0x64, 0x00, 0x7F, 0x72),  // Delay
    R(1,  2,   0x40, 0x04, 0x00, 0x00, 0x40, 0x40, 0x40, 0x78, 0x00, 0x40, 0x64),  // Pan Delay
};

const TGmChorus chorusPresets[PresetCount] = {
    //  on  wave type lpf   fb    delay rate  depth level
    R(1,  1,   0,   0x40, 0x14, 0x40, 0x20, 0x20, 0x40),  // Chorus 1
    R(1,  0,   1,   0x40, 0x14, 0x40, 0x28, 0x14, 0x40),  // Chorus 2
    R(1,  0,   2,   0x40, 0x1E, 0x40, 0x28, 0x28, 0x40),  // Chorus 3
    R(1,  0,   3,   0x40, 0x0A, 0x00, 0x7F, 0x14, 0x40),  // Chorus 4
    R(1,  1,   4,   0x40, 0x20, 0x20, 0x0A, 0x7F, 0x40),  // Feedback
    R(1,  1,   5,   0x40, 0x40, 0x20, 0x0A, 0x7F, 0x40),  // Flanger
    R(1,  1,   6,   0x40, 0x50, 0x20, 0x05, 0x7F, 0x40),  // Short Delay
    R(1,  2,   7,   0x40, 0x14, 0x00, 0x32, 0x20, 0x40),  // Feedback Delay
};
#undef R

// The built-in default program, field by field; everything not named is 0.
static void fillDefaults(TProgram* p)
{
    std::memset(p, 0, sizeof(TProgram));
    const QByteArray name = QStringLiteral("Program").left(16).toUtf8();
    std::memcpy(p->name, name.constData(), qMin<qsizetype>(name.size(), sizeof(p->name)));

    p->enabled[0] = 1;
    for (int l = 0; l < Layers; ++l) {
        p->volume[l] = 127;
        p->reverbSend[l] = 20;
        p->octave[l] = ShiftZero;
        p->tune[l] = TuneZero;
        p->pan[l] = PanCentre;
        p->keyRange[l][1] = 127;
        p->velocityRange[l][1] = 127;
        p->sustain[l] = 1;
        p->envelope[l] = { 64, 64, 64, 64 };
        p->cutOff[l] = 127;
        p->modulation[l] = 1;
    }
    p->color = 19;  // Qt::transparent: no colour

    TInsert& in = p->insert;
    in.config = 2;
    in.inputGain = 6144;
    in.outputLevel = 16383;
    in.reverbSend = 2540;
    const quint16 compressor[5] = { 2626, 2626, 3840, 12922, 2626 };
    std::memcpy(in.compressor, compressor, sizeof(compressor));
    const quint16 distortion[4] = { 0, 16383, 16383, 16383 };
    std::memcpy(in.distortion, distortion, sizeof(distortion));
    for (int b = 0; b < EqBands; ++b) {
        in.eqType[b] = EqNeutral::type;
        in.eqFreq[b] = EqNeutral::freq;
        in.eqQ[b] = EqNeutral::q;
        in.eqGain[b] = EqNeutral::gain;
    }
    in.modulationWave = 1;
    const quint16 modulation[5] = { 8191, 8191, 1689, 8191, 8191 };
    std::memcpy(in.modulation, modulation, sizeof(modulation));
    in.wahType = 3;
    const quint16 wah[6] = { 8191, 8191, 0, 0, 8191, 5618 };
    std::memcpy(in.wah, wah, sizeof(wah));
    in.tremolo[0] = 8191;
    in.tremolo[1] = 8191;
    const quint16 delay[5] = { 16383, 8191, 1900, 8191, 8191 };
    std::memcpy(in.delay, delay, sizeof(delay));
    in.hqDistortionBias = 64;
    in.hqDistortion[1] = 127;
    in.hqDistortion[2] = 127;

    p->chorus.on = 1;
    p->chorus.delay = 127;
    p->chorus.rate = 5;
    p->chorus.depth = 10;
    p->chorus.level = 64;

    TGmReverb& r = p->reverb;
    r.on = 1;
    r.size = 2;
    r.hfDamping = 127;
    r.unused1 = 4;
    r.highShelfFreq = 64;
    r.time = 64;
    r.feedback = 64;
    r.preDelay = 64;
    r.level = 64;

    TDrawbar& o = p->organ;
    o.onVolume = 0xC8;  // off, volume 100
    o.bar[0] = o.bar[1] = o.bar[2] = 127;
    o.rotaryControl = 1;
    o.keyClick = 64;
    o.shift = ShiftZero;
    o.directLevel = 127;
    o.reflectionIntensity = 64;
    o.reflectionDelay = 64;
    const quint8 highRotor[11] = { 127, 64, 19, 120, 110, 102, 90, 64, 48, 0, 127 };
    const quint8 lowRotor[11] = { 127, 64, 12, 120, 110, 116, 90, 66, 45, 0, 127 };
    std::memcpy(o.highRotor, highRotor, sizeof(highRotor));
    std::memcpy(o.lowRotor, lowRotor, sizeof(lowRotor));
}

QByteArray storedDefaultProgram()
{
    const QString text = QSettings().value("defaultProgram").toString();
    // Lenient decoding: characters outside the alphabet are skipped.
    const QByteArray data = QByteArray::fromBase64(text.toLatin1());
    return data.size() == int(sizeof(TProgram)) ? data : QByteArray();
}

void initProgram(TProgram* record, const QByteArray& storedDefault)
{
    if (!record)
        return;
    fillDefaults(record);
    if (storedDefault.size() == int(sizeof(TProgram)))
        std::memcpy(record, storedDefault.constData(), sizeof(TProgram));
}

void initProgram(TProgram* record)
{
    if (record)
        initProgram(record, storedDefaultProgram());
}

void initProgram(unsigned short index)
{
    if (index < MAX_PROGRAMS)
        initProgram(&programs.program[index]);
}

void loadProgram(unsigned short index)
{
    if (index >= MAX_PROGRAMS)
        return;
    currentProgram = index;
    programPtr = &programs.program[index];
}

QString getProgramName(unsigned short index)
{
    if (index >= MAX_PROGRAMS)
        return QString();
    const char* name = programs.program[index].name;
    const size_t length = strnlen(name, sizeof(programs.program[index].name));
    return QString::fromUtf8(name, qsizetype(length));
}

void saveProgram(unsigned short)
{
}
