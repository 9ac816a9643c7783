// Reports the module sends of its own accord: what its player switched to is
// applied to the program under edit and shown, and nothing goes back (the
// module already has it). Also the GM reverb packets of the developer
// controls, which bypass the program.

#include "LyrForm.h"

#include "Prompts.h"
#include "QMidiUtils.h"
#include "SysExFrame.h"
#include "TGmWavetable.h"
#include "TPrograms.h"

#include <QDebug>

namespace {

// The player's MIDI channels, counted from 0.
constexpr int ProgramChannel = 0;
constexpr int OrganChannel = 12;
constexpr int FirstLayerChannel = 13;   // 13, 14, 15: layers 0, 1, 2

constexpr uchar CcBankSelect = 0;
constexpr uchar CcVolume = 7;
constexpr uchar CcGmVolume = 0x70;

// The GM reverb's parameters are the sound chip's non-registered parameters
// with this high byte.
constexpr uchar GmReverbNrpn = 0x32;

// The layers a channel speaks for: its own layer, or all three.
struct LayerSpan
{
    int first, last;
};
LayerSpan layersOf(int channel)
{
    if (channel >= FirstLayerChannel && channel < FirstLayerChannel + Layers)
        return { channel - FirstLayerChannel, channel - FirstLayerChannel };
    return { 0, Layers - 1 };
}

// The module plays by bank and program change; family and index follow them
// (13 and 251 when the wavetable has no such voice).
void relocateVoice(TVoiceSelect& v)
{
    v.family = getVoiceFam(v.bank, v.pch);
    v.voice = uchar(getVoiceIdx(v.family, v.bank, v.pch));
}

} // namespace

void LyrForm::onCommandReceived(uchar com, ushort size, const QByteArray& data)
{
    Q_UNUSED(size);
    switch (com) {
    case ReportControlChange:
        onControlChangeNotify(data);
        break;
    case ReportProgramChange:
        onProgramChangeNotify(data);
        break;
    case ReplyEnd: {
        // The end of an operation the module ran by itself, which handed over
        // the window; it may come with no progress dialog open (a quiet
        // operation).
        Busy busy(this, Busy::Adopt);
        closeProgressDialog();
        prompts->information(this, "Info", lastMessage);
        break;
    }
    default:
        break;
    }
}

void LyrForm::onProgramChangeNotify(QByteArray data)
{
    if (data.size() < 2)
        return;
    const uchar status = uchar(data.at(0));
    const uchar n = uchar(data.at(1));
    const int channel = status & 0x0F;
    qDebug() << "onProgramChangeNotify - channel:" << channel << "command:" << (status & 0xF0) << "pch:" << n
             << "part:" << 3;

    if (channel == ProgramChannel) {
        // The byte is 8-bit once unpacked; only 128 programs exist.
        if (n >= MAX_PROGRAMS)
            return;
        loadProgram(n);
        updateAll();
        return;
    }
    if (channel < FirstLayerChannel)
        return;
    const int p = channel - FirstLayerChannel;
    TVoiceSelect& v = programPtr->voice[p];
    v.pch = n;
    relocateVoice(v);
    updateVoiceName(uchar(p));
}

void LyrForm::onControlChangeNotify(QByteArray data)
{
    if (data.size() < 3)
        return;
    const int channel = uchar(data.at(0)) & 0x0F;
    const uchar cc = uchar(data.at(1));
    const uchar x = uchar(data.at(2));
    qDebug() << "channel" << channel << "cc" << cc << "value" << x;
    const LayerSpan layers = layersOf(channel);

    switch (cc) {
    case CcBankSelect:
        if (channel == OrganChannel)
            return;
        for (int p = layers.first; p <= layers.last; ++p) {
            programPtr->voice[p].bank = x;
            relocateVoice(programPtr->voice[p]);
        }
        updateVoiceValues();
        // The layers may now play another voice: their buttons say which.
        for (int p = layers.first; p <= layers.last; ++p)
            updateVoiceName(uchar(p));
        return;
    case CcVolume:
        if (channel == OrganChannel) {
            programPtr->organ.onVolume = withOrganVolume(programPtr->organ.onVolume, x);
            updateOrganPage();
            return;
        }
        for (int p = layers.first; p <= layers.last; ++p)
            programPtr->volume[p] = x;
        updateVoiceValues();
        return;
    case CcGmVolume:
        programs.setup.gmVolume = x;
        updateMainPage();
        return;
    default:
        return;
    }
}

void LyrForm::secondReverbControl(uchar param, uchar value)
{
    sendToSoundChip(soundChipParameter(GmReverbNrpn, uchar(param & 0x7F), value));
}
