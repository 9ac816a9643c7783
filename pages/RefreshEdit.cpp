// Page refresh of the Edit page: the three voice layers' values, ranges,
// envelopes, voice names, morphing and which controls a layer's enable byte
// leaves usable.

#include "LyrForm.h"
#include "RefreshRows.h"

#include "ColorMap.h"
#include "TGmWavetable.h"
#include "TProgram.h"
#include "ui_LyrForm.h"

#include <QComboBox>
#include <QDebug>
#include <QLineEdit>
#include <QSignalBlocker>

using namespace pages;

namespace {

// The three widgets of one per-layer control, layer 0 first.
#define LAYERS(name) { &Ui_LyrForm::name##1, &Ui_LyrForm::name##2, &Ui_LyrForm::name##3 }

template <class W>
struct Layered
{
    W* Ui_LyrForm::*widget[3];
};

// Per-layer values: layer p's byte sits at offset + stride x p.
struct LayerDial
{
    Layered<QMyDial> dials;
    quint16 offset;
    quint8 stride;
    Shown shown;
};

const LayerDial layerDials[] = {
    //  dials                      offset  stride  shown as
    { LAYERS(volDial),              31,     1,      Shown::Byte },
    { LAYERS(reverbSendDial),       34,     1,      Shown::Byte },
    { LAYERS(shiftDial),            37,     1,      Shown::Less48 },
    { LAYERS(tuneDial),             40,     1,      Shown::Less64 },
    { LAYERS(panDial),              43,     1,      Shown::From64 },
    { LAYERS(chorusSendDial),       46,     1,      Shown::Byte },
    { LAYERS(attackDial),           71,     4,      Shown::Byte },
    { LAYERS(decayDial),            72,     4,      Shown::Byte },
    { LAYERS(releaseDial),          73,     4,      Shown::Byte },
    { LAYERS(cutOffDial),           83,     1,      Shown::Byte },
    { LAYERS(dynFiltDial),          86,     1,      Shown::Byte },
    { LAYERS(resoDial),             89,     1,      Shown::Byte },
};

struct LayerCheck
{
    Layered<QCheckBox> boxes;
    quint16 offset;
};

const LayerCheck layerChecks[] = {
    { LAYERS(enableCheckBox),  16 },
    { LAYERS(insertCheckBox),  49 },
    { LAYERS(sustainCheckBox), 64 },
};

const Layered<QComboBox> modulationCombos = LAYERS(modulationComboBox);
const Layered<QMyRangeSlider> veloSliders = LAYERS(veloRangeSlider);
const Layered<QMyRangeSlider> noteSliders = LAYERS(rangeSlider);
const Layered<QMyKeyboard> keyboards = LAYERS(rangeKeyboard);
const Layered<QLineEdit> veloLowEdits = LAYERS(veloLowLineEdit);
const Layered<QLineEdit> veloHighEdits = LAYERS(veloHighLineEdit);
const Layered<QLineEdit> noteLowEdits = LAYERS(rangeLowLineEdit);
const Layered<QLineEdit> noteHighEdits = LAYERS(rangeHighLineEdit);
const Layered<QMyAdsrPlot> envelopes = LAYERS(adrWidget);
const Layered<QPushButton> voiceButtons = { &Ui_LyrForm::voice1Button, &Ui_LyrForm::voice2Button, &Ui_LyrForm::voice3Button };

// What a layer's enable byte switches, by widget type.
const Layered<QMyDial> enabledDials[] = {
    LAYERS(volDial), LAYERS(shiftDial), LAYERS(tuneDial), LAYERS(panDial), LAYERS(attackDial),
    LAYERS(decayDial), LAYERS(releaseDial), LAYERS(cutOffDial), LAYERS(dynFiltDial), LAYERS(resoDial),
};
const Layered<QLineEdit> enabledEdits[] = {
    LAYERS(rangeHighLineEdit), LAYERS(rangeLowLineEdit), LAYERS(veloLowLineEdit), LAYERS(veloHighLineEdit),
};
const Layered<QMyRangeSlider> enabledSliders[] = { LAYERS(rangeSlider), LAYERS(veloRangeSlider) };
// The sends also need the layer outside the insert chain.
const Layered<QMyDial> sendDials[] = { LAYERS(reverbSendDial), LAYERS(chorusSendDial) };

template <class W, std::size_t N>
void enableLayer(Ui_LyrForm* ui, const Layered<W> (&rows)[N], int layer, bool on)
{
    for (const Layered<W>& row : rows)
        (ui->*row.widget[layer])->setEnabled(on);
}

#undef LAYERS

const ShowRow morphingRows[] = {
    //  widget                                         offset  shown as      mask
    { &Ui_LyrForm::morphingOnOffCheckBox,              68 },
    { &Ui_LyrForm::voice1MorphingComboBox,             68,     Shown::Index },
    { &Ui_LyrForm::voice2MorphingComboBox,             69,     Shown::Index },
    { &Ui_LyrForm::voice3MorphingComboBox,             70,     Shown::Index },
    { &Ui_LyrForm::morphingSustainCheckBox,            67,                   0x01 },
    { &Ui_LyrForm::morphingModWheelCheckBox,           67,                   0x02 },
    { &Ui_LyrForm::morphingAftertouchCheckBox,         67,                   0x04 },
    { &Ui_LyrForm::morphingSustainToggleCheckBox,      67,                   0x08 },
};

void showText(QLineEdit* edit, int value)
{
    const QSignalBlocker blocker(edit);
    edit->setText(QString::number(value));
}

// Low ends of all three layers first, then the high ends: the stored range
// shows as it is whatever the sliders held before. Nothing signals, so a
// push of one end by the other never reaches the handlers.
void showRanges(Ui_LyrForm* ui, const Layered<QMyRangeSlider>& sliders, int offset)
{
    const quint8* p = bytes();
    for (int l = 0; l < 3; ++l)
        (ui->*sliders.widget[l])->setLowValue(p[offset + 2 * l], true, false);
    for (int l = 0; l < 3; ++l)
        (ui->*sliders.widget[l])->setHighValue(p[offset + 2 * l + 1], true, false);
}

} // namespace

void LyrForm::updateVoiceValues()
{
    const quint8* p = bytes();
    for (int l = 0; l < 3; ++l) {
        for (const LayerCheck& row : layerChecks)
            showChecked(ui->*row.boxes.widget[l], p[row.offset + l]);
        for (const LayerDial& row : layerDials) {
            const ShowRow one(row.dials.widget[l], quint16(row.offset + row.stride * l), row.shown);
            showRows(ui, p, &one, 1);
        }
    }
    updateVelocityRange();
    updateNoteRange();

    const QString colorName = programColorName(programPtr->color);
    showIndex(ui->colorComboBox, colorName.isEmpty() ? -1 : ui->colorComboBox->findText(colorName, Qt::MatchExactly | Qt::MatchCaseSensitive));
    for (int l = 0; l < 3; ++l)
        showIndex(ui->*modulationCombos.widget[l], p[92 + l]);

    updateAdsrPlot();
    updateMorphing();
}

void LyrForm::updateVelocityRange()
{
    const quint8* p = bytes();
    showRanges(ui, veloSliders, 58);
    for (int l = 0; l < 3; ++l) {
        showText(ui->*veloLowEdits.widget[l], p[58 + 2 * l]);
        showText(ui->*veloHighEdits.widget[l], p[59 + 2 * l]);
    }
}

void LyrForm::updateNoteRange()
{
    const quint8* p = bytes();
    for (int l = 0; l < 3; ++l)
        qDebug() << QString("range %1:").arg(l + 1) << p[52 + 2 * l] << p[53 + 2 * l];
    showRanges(ui, noteSliders, 52);
    for (int l = 0; l < 3; ++l) {
        QMyKeyboard* keyboard = ui->*keyboards.widget[l];
        keyboard->setLowKey(p[52 + 2 * l], true);
        keyboard->setHighKey(p[53 + 2 * l], true);
        showText(ui->*noteLowEdits.widget[l], p[52 + 2 * l]);
        showText(ui->*noteHighEdits.widget[l], p[53 + 2 * l]);
    }
}

void LyrForm::updateAdsrPlot()
{
    for (int l = 0; l < 3; ++l) {
        const TEnvelope& e = programPtr->envelope[l];
        QMyAdsrPlot* plot = ui->*envelopes.widget[l];
        plot->setStartingPoint(64, false);
        plot->setAttack(e.attack, 127, false);
        plot->setDecay(e.decay, 64, false);
        plot->setSustain(0, 64, false);
        plot->setRelease(e.release, 0, false);
    }
    for (int l = 0; l < 3; ++l)
        (ui->*envelopes.widget[l])->update();
}

void LyrForm::updateMorphing()
{
    showRows(ui, bytes(), morphingRows);
}

void LyrForm::updateVoiceNames()
{
    for (unsigned char l = 0; l < 3; ++l)
        updateVoiceName(l);
}

void LyrForm::updateVoiceName(unsigned char part)
{
    if (part > 2)
        return;
    // Bank and program change are what the module plays; the stored index
    // may be stale.
    const TVoiceSelect& v = programPtr->voice[part];
    const quint16 index = getVoiceIdx(v.family, v.bank, v.pch);
    (ui->*voiceButtons.widget[part])->setText(getVoiceName(v.family, index).replace('&', QLatin1String("&&")));
}

void LyrForm::updateVoiceEnabled()
{
    const quint8* p = bytes();
    for (int l = 0; l < 3; ++l) {
        const bool on = p[16 + l];
        enableLayer(ui, enabledDials, l, on);
        enableLayer(ui, enabledEdits, l, on);
        enableLayer(ui, enabledSliders, l, on);
        (ui->*keyboards.widget[l])->setEnabled(on);
        (ui->*voiceButtons.widget[l])->setEnabled(on);
        (ui->*envelopes.widget[l])->setEnabled(on);
        // A layer routed through the insert chain takes its sends from there.
        enableLayer(ui, sendDials, l, p[16 + l] == 1 && !(p[49 + l] & 1));
    }
    const bool inserted = (p[49] | p[50] | p[51]) & 1;
    enable(inserted, { ui->insertReverbDial, ui->insertChorusDial });
}
