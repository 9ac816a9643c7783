// Writes the editor's factory programs block: 128 programs made here, every
// layer on a voice of the factory voice descriptor, the factory setup bytes
// and a sealed trailer.
//
//   make-factory-programs <voice descriptor .txt> <output .pre> [<output wavetable .bin>]
//
// The output is committed as resources/programs_factory.pre; run the
// factory-programs target after changing the table below.

#include "TGmWavetable.h"
#include "TPrograms.h"
#include "WavetableDescriptor.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstring>
#include <iterator>
#include <optional>

namespace {

// How a kind of sound is voiced: envelope, filter, sends, the reverb and
// chorus rows it takes, its insert effect and its colour.
enum Sound { Piano, EPiano, Keys, Mallet, Organ, Drawbar, Strings, Pad, Choir, Brass, Reed, Lead, Bass, Guitar,
             Ethnic, Fx };
enum Insert { NoInsert, Tremolo, Chorus, Phaser, Rotary, Delay, Overdrive, Compressor, Wah };

struct Voicing
{
    quint8 attack, decay, release;
    quint8 cutOff, resonance;
    quint8 reverbSend, chorusSend;
    int reverbPreset, chorusPreset;   // rows of reverbPresets, chorusPresets
    Insert insert;
    Qt::GlobalColor color;
};

//  sound         att  dec  rel  cut  res  rev  cho  reverb chorus  insert      colour
const Voicing Voicings[] = {
    /* Piano   */ { 64,  64,  70, 127,   0,  40,   0,  3,     0,  NoInsert,   Qt::darkBlue },
    /* EPiano  */ { 62,  70,  64, 120,   0,  35,  30,  0,     1,  Tremolo,    Qt::blue },
    /* Keys    */ { 60,  60,  56, 115,  10,  25,   0,  0,     0,  Wah,        Qt::cyan },
    /* Mallet  */ { 60,  72,  76, 127,   0,  45,  10,  5,     2,  NoInsert,   Qt::yellow },
    /* Organ   */ { 56,  64,  54, 127,   0,  35,  20,  4,     0,  Rotary,     Qt::darkRed },
    /* Drawbar */ { 56,  64,  54, 127,   0,  35,   0,  1,     0,  Rotary,     Qt::red },
    /* Strings */ { 84,  64,  84, 110,   0,  60,  25,  4,     1,  NoInsert,   Qt::darkGreen },
    /* Pad     */ { 98,  64, 100, 100,  20,  70,  50,  4,     2,  Chorus,     Qt::darkMagenta },
    /* Choir   */ { 88,  64,  90, 115,   0,  70,  30,  4,     1,  NoInsert,   Qt::magenta },
    /* Brass   */ { 66,  64,  62, 115,  10,  40,  10,  3,     0,  Compressor, Qt::darkYellow },
    /* Reed    */ { 66,  64,  64, 120,   0,  45,  10,  2,     0,  NoInsert,   Qt::green },
    /* Lead    */ { 60,  64,  60, 100,  40,  30,  20,  6,     5,  Delay,      Qt::white },
    /* Bass    */ { 60,  64,  52, 100,  20,  10,   0,  0,     0,  Compressor, Qt::darkGray },
    /* Guitar  */ { 62,  64,  60, 120,   0,  35,  15,  1,     0,  Overdrive,  Qt::gray },
    /* Ethnic  */ { 62,  66,  64, 127,   0,  40,   0,  2,     0,  NoInsert,   Qt::lightGray },
    /* Fx      */ { 80,  64,  96, 110,  30,  80,  40,  7,     6,  Phaser,     Qt::black },
};
static_assert(std::size(Voicings) == Fx + 1);

// One layer: a voice of the descriptor by name, its key and velocity
// ranges, a shift in semitones, a volume and a pan (negative is left).
struct Layer
{
    const char* voice = nullptr;
    quint8 keyLow = 0, keyHigh = 127;
    quint8 velocityLow = 0, velocityHigh = 127;
    qint8 shift = 0;
    quint8 volume = 110;
    qint8 pan = 0;
};

// Organ section flags (byte 463).
enum OrganFlag : quint8 { PercOn = 1, VibratoOn = 2, PercThird = 4, PercFast = 8, PercNormal = 16 };

// A program: name (at most 15 characters, so it keeps its terminating zero
// as the name edit does), its sound, up to three layers, and for the organ
// programs a drawbar registration ("888000000", 0..8 per bar) with flags.
struct Patch
{
    const char* name;
    Sound sound;
    Layer layers[3];
    const char* drawbars = nullptr;
    quint8 organFlags = 0;
};

// Split points: 47 (B2), 54 (F#3), 59 (B3), 71 (B4).
const Patch Patches[] = {
    // Pianos and keys
    { "Concert Grand",   Piano,   { { "Grand Piano" } } },
    { "Bright Stage",    Piano,   { { "Bright Piano" } } },
    { "Grand & Strings", Piano,   { { "Grand Piano" }, { "Strings 1", 0, 127, 0, 127, 0, 80 } } },
    { "Piano Pad",       Piano,   { { "Grand Piano" }, { "Warm Pad", 0, 127, 0, 127, 0, 70 } } },
    { "Saloon Upright",  Piano,   { { "Honky-tonk" } } },
    { "Electric Grand",  Piano,   { { "El Grand Piano" } } },
    { "Velvet Tines",    EPiano,  { { "El Piano1" } } },
    { "Glass EP",        EPiano,  { { "El Piano2" } } },
    { "Dyno Stack",      EPiano,  { { "El Piano1", 0, 127, 0, 95 }, { "El Piano2", 0, 127, 96, 127 } } },
    { "EP & Vibes",      EPiano,  { { "El Piano1" }, { "Vibraphone", 0, 127, 0, 127, 0, 70 } } },
    { "Bass / Piano",    Piano,   { { "Finger Bass", 0, 54 }, { "Grand Piano", 55, 127 } } },
    { "Octave Grand",    Piano,   { { "Grand Piano" }, { "Grand Piano", 0, 127, 0, 127, 12, 60 } } },
    { "Baroque Harpsi",  Keys,    { { "Harpsichord" } } },
    { "Funky Clav",      Keys,    { { "Clavi" } } },
    { "Clav & Bass",     Keys,    { { "Synth Bass 1", 0, 47 }, { "Clavi", 48, 127 } } },
    { "Ballad Keys",     EPiano,  { { "El Grand Piano" }, { "Halo Pad", 0, 127, 0, 127, 0, 60 } } },

    // Organs
    { "Full Drawbars",   Drawbar, {}, "888888888" },
    { "Jazz Organ",      Drawbar, {}, "888000000", PercOn | PercThird | PercFast },
    { "Gospel Organ",    Drawbar, {}, "888800000", VibratoOn },
    { "Rock Drawbars",   Drawbar, {}, "888808008", PercOn | PercNormal },
    { "Soft Flutes",     Drawbar, {}, "008000000", VibratoOn },
    { "Ballad Organ",    Drawbar, {}, "808000000", VibratoOn },
    { "Click Organ",     Organ,   { { "Perc Organ" } } },
    { "Rock Organ",      Organ,   { { "Rock Organ" } } },
    { "Cathedral Pipes", Organ,   { { "Church Organ" } } },
    { "Parlour Reeds",   Organ,   { { "Reed Organ" } } },
    { "Organ & Bass",    Drawbar, { { "Acoustic Bass", 0, 47 } }, "888000000", PercOn | PercThird },
    { "Theatre Organ",   Drawbar, {}, "868868446", VibratoOn },
    { "Musette",         Reed,    { { "Accordion" } } },
    { "Tango Night",     Reed,    { { "Tango Accord." } } },
    { "Blues Harp",      Reed,    { { "Harmonica" } } },
    { "Organ Choir",     Organ,   { { "Church Organ" }, { "Choir Aahs", 0, 127, 0, 127, 0, 80 } } },

    // Strings and orchestra
    { "Silk Strings",    Strings, { { "Strings 1" } } },
    { "Warm Ensemble",   Strings, { { "Strings 1", 0, 127, 0, 127, 0, 100, -20 }, { "Strings 2", 0, 127, 0, 127, 0, 100, 20 } } },
    { "Solo Violin",     Strings, { { "Violin" } } },
    { "Cello Solo",      Strings, { { "Cello" } } },
    { "Chamber Trio",    Strings, { { "Cello", 0, 52 }, { "Viola", 53, 71 }, { "Violin", 72, 127 } } },
    { "Tremolando",      Strings, { { "Tremolo Str" } } },
    { "Pizzicato",       Strings, { { "Pizzicato Str" } } },
    { "Concert Harp",    Strings, { { "Harp" } } },
    { "Harp & Flute",    Strings, { { "Harp" }, { "Flute", 0, 127, 0, 127, 0, 70 } } },
    { "Analog Strings",  Strings, { { "Syn Strings 1" } } },
    { "Strings & Brass", Strings, { { "Strings 1" }, { "Brass Section", 0, 127, 90, 127, 0, 90 } } },
    { "Orchestra Tutti", Strings, { { "Contrabass", 0, 47 }, { "Strings 1", 48, 127 }, { "French Horn", 48, 127, 0, 127, 0, 70 } } },
    { "Timpani Roll",    Strings, { { "Timpani" } } },
    { "Hit Stab",        Strings, { { "Orchestra Hit" } } },
    { "Deep Section",    Strings, { { "Contrabass" }, { "Cello", 0, 127, 0, 127, 0, 90 } } },
    { "Glass Strings",   Strings, { { "Syn Strings 2" }, { "Crystal FX", 0, 127, 0, 127, 0, 60 } } },

    // Pads and atmospheres
    { "New Horizon",     Pad,     { { "New Age Pad" } } },
    { "Warm Blanket",    Pad,     { { "Warm Pad" } } },
    { "Poly Dreams",     Pad,     { { "Polysynth Pad" } } },
    { "Angel Pad",       Pad,     { { "Choir Pad" } } },
    { "Bowed Glass",     Pad,     { { "Bowed Pad" } } },
    { "Metal Shimmer",   Pad,     { { "Metallic Pad" } } },
    { "Halo",            Pad,     { { "Halo Pad" } } },
    { "Slow Sweep",      Pad,     { { "Sweep Pad" } } },
    { "Dual Pad",        Pad,     { { "Warm Pad", 0, 127, 0, 127, 0, 100, -30 }, { "Halo Pad", 0, 127, 0, 127, 0, 100, 30 } } },
    { "Pad & Bells",     Pad,     { { "Warm Pad" }, { "Tinkle Bell", 0, 127, 0, 127, 12, 60 } } },
    { "Atmosphere",      Fx,      { { "Atmosphere FX" } } },
    { "Soundtrack",      Fx,      { { "Soundtrack FX" } } },
    { "Crystal Rain",    Fx,      { { "Crystal FX" }, { "Rain FX", 0, 127, 0, 127, 0, 70 } } },
    { "Space Voices",    Pad,     { { "Synth Voice" }, { "Choir Pad", 0, 127, 0, 127, 0, 80 } } },
    { "Dark Matter",     Pad,     { { "Sweep Pad", 0, 127, 0, 127, -12 }, { "Metallic Pad", 0, 127, 0, 127, 0, 70 } } },
    { "Brightness",      Fx,      { { "Brightness FX" } } },

    // Voices
    { "Cathedral Choir", Choir,   { { "Choir Aahs" } } },
    { "Soft Oohs",       Choir,   { { "Voice Oohs" } } },
    { "Synth Voices",    Choir,   { { "Synth Voice" } } },
    { "Choir & Strings", Choir,   { { "Choir Aahs" }, { "Strings 1", 0, 127, 0, 127, 0, 80 } } },

    // Brass
    { "Solo Trumpet",    Brass,   { { "Trumpet" } } },
    { "Big Band Brass",  Brass,   { { "Brass Section" } } },
    { "Slide Trombone",  Brass,   { { "Trombone" } } },
    { "Horn Section",    Brass,   { { "French Horn" } } },
    { "Muted Jazz Tpt",  Brass,   { { "Muted Trumpet" } } },
    { "Synth Brass",     Brass,   { { "Synth Brass 1" } } },
    { "Poly Brass",      Brass,   { { "Synth Brass 1" }, { "Synth Brass 2", 0, 127, 0, 127, 0, 90 } } },
    { "Tuba & Trumpet",  Brass,   { { "Tuba", 0, 52 }, { "Trumpet", 53, 127 } } },

    // Reeds and winds
    { "Smoky Alto",      Reed,    { { "Alto Sax" } } },
    { "Tenor Ballad",    Reed,    { { "Tenor Sax" } } },
    { "Soprano Sax",     Reed,    { { "Soprano Sax" } } },
    { "Bari Sax",        Reed,    { { "Baritone Sax" } } },
    { "Sax Section",     Reed,    { { "Alto Sax" }, { "Tenor Sax", 0, 127, 0, 127, 0, 90 } } },
    { "Pastoral Oboe",   Reed,    { { "Oboe" } } },
    { "Wood Clarinet",   Reed,    { { "Clarinet" } } },
    { "Silver Flute",    Reed,    { { "Flute" } } },
    { "Pan Pipes",       Reed,    { { "Pan Flute" } } },
    { "Bamboo Flute",    Reed,    { { "Shakuhachi" } } },
    { "Woodwinds",       Reed,    { { "Bassoon", 0, 54 }, { "Clarinet", 55, 71 }, { "Flute", 72, 127 } } },
    { "Clay Ocarina",    Reed,    { { "Ocarina" } } },

    // Synth leads
    { "Square Lead",     Lead,    { { "Square Lead" } } },
    { "Fat Saw",         Lead,    { { "Saw Lead" } } },
    { "Calliope",        Lead,    { { "Calliope Lead" } } },
    { "Chiff Lead",      Lead,    { { "Chiff Lead" } } },
    { "Charang",         Lead,    { { "Charang Lead" } } },
    { "Voice Lead",      Lead,    { { "Voice Lead" } } },
    { "Fifths Lead",     Lead,    { { "Fifths Lead" } } },
    { "Bass & Lead",     Lead,    { { "Bass+Lead" } } },
    { "Octave Saw",      Lead,    { { "Saw Lead" }, { "Saw Lead", 0, 127, 0, 127, 12, 80 } } },
    { "Sync Stack",      Lead,    { { "Square Lead" }, { "Saw Lead", 0, 127, 0, 127, 0, 90 } } },
    { "Whistler",        Lead,    { { "Whistle" } } },
    { "Lead / Bass",     Lead,    { { "Synth Bass 2", 0, 47 }, { "Saw Lead", 48, 127 } } },

    // Basses
    { "Upright Bass",    Bass,    { { "Acoustic Bass" } } },
    { "Finger Bass",     Bass,    { { "Finger Bass" } } },
    { "Pick Bass",       Bass,    { { "Pick Bass" } } },
    { "Fretless",        Bass,    { { "Fretless Bass" } } },
    { "Slap Bass",       Bass,    { { "Slap Bass 1" } } },
    { "Funk Slap",       Bass,    { { "Slap Bass 2" } } },
    { "Synth Bass",      Bass,    { { "Synth Bass 1" } } },
    { "Acid Bass",       Bass,    { { "Synth Bass 2" } } },
    { "Sub Bass",        Bass,    { { "Synth Bass 1", 0, 127, 0, 127, -12 } } },
    { "Fretless Pad",    Bass,    { { "Fretless Bass", 0, 52 }, { "Warm Pad", 53, 127, 0, 127, 0, 90 } } },

    // Guitars
    { "Nylon Guitar",    Guitar,  { { "Nylon Guitar" } } },
    { "Steel Strings",   Guitar,  { { "Steel Guitar" } } },
    { "Jazz Guitar",     Guitar,  { { "Jazz Guitar" } } },
    { "Clean Guitar",    Guitar,  { { "Clean Guitar" } } },
    { "Muted Funk",      Guitar,  { { "Muted Guitar" } } },
    { "Overdrive",       Guitar,  { { "Overdrive Gtr" } } },
    { "Distortion",      Guitar,  { { "Distortion Gtr" } } },
    { "12 String",       Guitar,  { { "Steel Guitar" }, { "Steel Guitar", 0, 127, 0, 127, 12, 70 } } },

    // Mallets and the wider world
    { "Vibraphone",      Mallet,  { { "Vibraphone" } } },
    { "Marimba",         Mallet,  { { "Marimba" } } },
    { "Music Box",       Mallet,  { { "Music Box" } } },
    { "Glockenspiel",    Mallet,  { { "Glockenspiel" } } },
    { "Sitar",           Ethnic,  { { "Sitar" } } },
    { "Koto",            Ethnic,  { { "Koto" } } },
    { "Kalimba",         Ethnic,  { { "Kalimba" } } },
    { "Island Drums",    Ethnic,  { { "Steel Drums" } } },
    { "Bluegrass Banjo", Ethnic,  { { "Fiddle", 0, 59 }, { "Banjo", 60, 127 } } },
    { "Echo Drops",      Fx,      { { "Echoes FX" } } },
};
static_assert(std::size(Patches) == MAX_PROGRAMS);

// The setup bytes the module leaves the factory with.
const quint8 FactorySetup[SIZEOFSETUP] = { 0x01, 0x00, 0x02, 0x02, 0x6B, 0x7F, 0x00, 0x00,
                                           0x00, 0x00, 0x10, 0x10, 0x00, 0x00, 0x00, 0x00 };

// The voice of the factory set called name, as a layer selects it.
std::optional<TVoiceSelect> findVoice(const QString& name)
{
    for (quint8 family = 0; family < GmVoiceFamilyCount; ++family) {
        for (quint16 v = 0; v < getVoiceCount(family); ++v) {
            if (getVoiceName(family, v) == name)
                return TVoiceSelect { family, quint8(v), getVoiceBank(family, v), getVoicePch(family, v) };
        }
    }
    return std::nullopt;
}

void applyInsert(TProgram& p, Insert insert)
{
    TInsert& in = p.insert;
    switch (insert) {
    case NoInsert:
        return;
    case Tremolo:
        in.tremoloOn = 1;
        in.tremoloType = 1;        // stereo
        in.tremolo[0] = 6000;      // depth
        in.tremolo[1] = 7200;      // rate
        in.slotConfig = 0x20;
        break;
    case Chorus:
    case Phaser:
        in.modulationOn = 1;
        in.modulationType = insert == Chorus ? 0 : 3;
        in.modulation[1] = 6000;   // depth
        in.modulation[2] = 2400;   // rate
        in.slotConfig = 0x00;
        break;
    case Rotary:
        in.modulationOn = 1;
        in.modulationType = 4;
        in.rotary[0] = 11000;      // fast rate
        in.rotary[1] = 6000;       // acceleration
        in.rotary[2] = 4000;       // brake
        in.rotary[3] = 8191;       // directivity
        in.rotaryMicAngle = 64;
        in.organRotary = 1;
        in.slotConfig = 0x00;
        break;
    case Delay:
        in.delayOn = 1;
        in.delayType = 1;          // stereo
        in.delay[0] = 9000;        // level
        in.delay[2] = 5200;        // time
        in.delay[3] = 5000;        // feedback
        break;
    case Overdrive:
        in.distortionOn = 1;
        in.distortionType = 0;
        in.distortion[0] = 7000;   // drive
        in.distortion[3] = 11000;  // level
        in.slotConfig = 0x01;
        break;
    case Compressor:
        in.compressorOn = 1;
        in.compressor[2] = 6000;   // ratio
        in.compressor[3] = 9000;   // threshold
        in.slotConfig = 0x00;
        break;
    case Wah:
        in.wahOn = 1;
        in.wahType = 0;            // dynamic, upwards
        in.wah[2] = 9000;          // sensitivity
        in.wah[3] = 4000;          // decay
        in.slotConfig = 0x10;
        break;
    }
}

// Drawbar digits 0..8 as slider levels 0..127.
void applyOrgan(TProgram& p, const Patch& patch)
{
    TDrawbar& o = p.organ;
    o.onVolume = quint8(100 << 1 | 1);
    for (int bar = 0; bar < 9; ++bar)
        o.bar[bar] = quint8((patch.drawbars[bar] - '0') * 127 / 8);
    o.flags = patch.organFlags;
    if (patch.organFlags & VibratoOn)
        o.vibratoType = 127;       // C3
    o.chorusSend = 0;
    o.reverbSend = 35;
}

bool makeProgram(TProgram& p, const Patch& patch, QTextStream& err)
{
    initProgram(&p, QByteArray());
    const QByteArray name(patch.name);
    if (name.isEmpty() || name.size() >= qsizetype(sizeof(p.name))) {
        err << "program name must have 1 to 15 characters: " << patch.name << "\n";
        return false;
    }
    std::memcpy(p.name, name.constData(), size_t(name.size()));

    const Voicing& voicing = Voicings[patch.sound];
    p.color = quint8(voicing.color);
    p.reverb = reverbPresets[voicing.reverbPreset];
    p.chorus = chorusPresets[voicing.chorusPreset];
    applyInsert(p, voicing.insert);

    for (int l = 0; l < 3; ++l) {
        const Layer& layer = patch.layers[l];
        p.enabled[l] = layer.voice ? 1 : 0;
        if (!layer.voice)
            continue;
        const std::optional<TVoiceSelect> voice = findVoice(layer.voice);
        if (!voice || layer.keyLow > layer.keyHigh || layer.velocityLow > layer.velocityHigh || layer.keyHigh > 127
            || layer.velocityHigh > 127) {
            err << patch.name << ": layer " << l + 1 << " has no factory voice \"" << layer.voice
                << "\" or a bad range\n";
            return false;
        }
        p.voice[l] = *voice;
        p.volume[l] = layer.volume;
        p.octave[l] = quint8(48 + layer.shift);
        p.pan[l] = quint8(64 - layer.pan);
        p.keyRange[l][0] = layer.keyLow;
        p.keyRange[l][1] = layer.keyHigh;
        p.velocityRange[l][0] = layer.velocityLow;
        p.velocityRange[l][1] = layer.velocityHigh;
        p.envelope[l] = { voicing.attack, voicing.decay, voicing.release, 64 };
        p.cutOff[l] = voicing.cutOff;
        p.resonance[l] = voicing.resonance;
        p.reverbSend[l] = voicing.reverbSend;
        p.chorusSend[l] = voicing.chorusSend;
        p.insertOn[l] = voicing.insert != NoInsert ? 1 : 0;
    }
    if (patch.drawbars)
        applyOrgan(p, patch);
    return true;
}

} // namespace

// The data code's debug lines are of no use here.
static void quiet(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type != QtDebugMsg)
        QTextStream(stderr) << text << "\n";
}

static bool save(const char* path, const void* bytes, qint64 size, QTextStream& err)
{
    QSaveFile out(QString::fromLocal8Bit(path));
    if (!out.open(QIODevice::WriteOnly) || out.write(static_cast<const char*>(bytes), size) != size || !out.commit()) {
        err << out.fileName() << ": " << out.errorString() << "\n";
        return false;
    }
    return true;
}

int main(int argc, char* argv[])
{
    qInstallMessageHandler(quiet);
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 3 && argc != 4) {
        err << "usage: make-factory-programs <voice descriptor .txt> <output .pre> [<output wavetable .bin>]\n";
        return 2;
    }

    QFile descriptor(QString::fromLocal8Bit(argv[1]));
    if (!descriptor.open(QIODevice::ReadOnly | QIODevice::Text)) {
        err << descriptor.fileName() << ": " << descriptor.errorString() << "\n";
        return 1;
    }
    extractWavetable(&descriptor, &wavetable, 0);

    static TPrograms block;
    for (int i = 0; i < MAX_PROGRAMS; ++i) {
        if (!makeProgram(block.program[i], Patches[i], err))
            return 1;
    }
    std::memcpy(&block.setup, FactorySetup, sizeof(FactorySetup));
    writeHeader(&block);

    if (!save(argv[2], &block, sizeof(block), err))
        return 1;
    // The wavetable the programs were made for, as the module keeps it: for
    // a simulated module that starts out as a factory-fresh one.
    if (argc == 4) {
        initWavetableFamilyNames();
        if (!save(argv[3], &wavetable, sizeof(wavetable), err))
            return 1;
    }
    return 0;
}
