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
    W* Ui_LyrForm::*widget[Layers];
};

// Per-layer values: layer l's byte sits at offset + stride x l.
struct LayerDial
{
    Layered<QMyDial> dials;
    quint16 offset;
    quint8 stride;
    Shown shown;
};

const LayerDial layerDials[] = {
    //  dials                       field of TProgram, layer 0               stride             shown as
    { LAYERS(volDial),              offsetof(TProgram, volume),               1,                 Shown::Byte },
    { LAYERS(reverbSendDial),       offsetof(TProgram, reverbSend),           1,                 Shown::Byte },
    { LAYERS(shiftDial),            offsetof(TProgram, octave),               1,                 Shown::Shift },
    { LAYERS(tuneDial),             offsetof(TProgram, tune),                 1,                 Shown::Tune },
    { LAYERS(panDial),              offsetof(TProgram, pan),                  1,                 Shown::Pan },
    { LAYERS(chorusSendDial),       offsetof(TProgram, chorusSend),           1,                 Shown::Byte },
    { LAYERS(attackDial),           offsetof(TProgram, envelope[0].attack),   sizeof(TEnvelope), Shown::Byte },
    { LAYERS(decayDial),            offsetof(TProgram, envelope[0].decay),    sizeof(TEnvelope), Shown::Byte },
    { LAYERS(releaseDial),          offsetof(TProgram, envelope[0].release),  sizeof(TEnvelope), Shown::Byte },
    { LAYERS(cutOffDial),           offsetof(TProgram, cutOff),               1,                 Shown::Byte },
    { LAYERS(dynFiltDial),          offsetof(TProgram, dynFilter),            1,                 Shown::Byte },
    { LAYERS(resoDial),             offsetof(TProgram, resonance),            1,                 Shown::Byte },
};

// Per-layer switches and choices: layer l's byte of the field.
template <class W>
struct LayerByte
{
    Layered<W> widgets;
    quint16 offset;
};

const LayerByte<QCheckBox> layerChecks[] = {
    { LAYERS(enableCheckBox),       offsetof(TProgram, enabled) },
    { LAYERS(insertCheckBox),       offsetof(TProgram, insertOn) },
    { LAYERS(sustainCheckBox),      offsetof(TProgram, sustain) },
};

const LayerByte<QComboBox> layerCombos[] = {
    { LAYERS(modulationComboBox),   offsetof(TProgram, modulation) },
};

// Every row of layer l.
void forEachLayerRow(int l, const RowVisit& visit)
{
    for (const auto& row : layerChecks)
        visit(ShowRow(row.widgets.widget[l], quint16(row.offset + l)));
    for (const LayerDial& row : layerDials)
        visit(ShowRow(row.dials.widget[l], quint16(row.offset + row.stride * l), row.shown));
    for (const auto& row : layerCombos)
        visit(ShowRow(row.widgets.widget[l], quint16(row.offset + l), Shown::Index));
}

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
    //  widget                                         field of TProgram                  shown as      mask
    { &Ui_LyrForm::morphingOnOffCheckBox,              offsetof(TProgram, morphMode[0]) },
    { &Ui_LyrForm::voice1MorphingComboBox,             offsetof(TProgram, morphMode[0]),  Shown::Index },
    { &Ui_LyrForm::voice2MorphingComboBox,             offsetof(TProgram, morphMode[1]),  Shown::Index },
    { &Ui_LyrForm::voice3MorphingComboBox,             offsetof(TProgram, morphMode[2]),  Shown::Index },
    { &Ui_LyrForm::morphingSustainCheckBox,            offsetof(TProgram, morphControl),                ControlSource::sustain },
    { &Ui_LyrForm::morphingModWheelCheckBox,           offsetof(TProgram, morphControl),                ControlSource::modWheel },
    { &Ui_LyrForm::morphingAftertouchCheckBox,         offsetof(TProgram, morphControl),                ControlSource::aftertouch },
    { &Ui_LyrForm::morphingSustainToggleCheckBox,      offsetof(TProgram, morphControl),                ControlSource::sustainToggle },
};

void showText(QLineEdit* edit, int value)
{
    const QSignalBlocker blocker(edit);
    edit->setText(QString::number(value));
}

// Low ends of all three layers first, then the high ends: the stored range
// shows as it is whatever the sliders held before. Nothing signals, so a
// push of one end by the other never reaches the handlers.
void showRanges(Ui_LyrForm* ui, const Layered<QMyRangeSlider>& sliders, const quint8 (&ranges)[Layers][2])
{
    for (int l = 0; l < Layers; ++l)
        (ui->*sliders.widget[l])->setLowValue(ranges[l][0], true, false);
    for (int l = 0; l < Layers; ++l)
        (ui->*sliders.widget[l])->setHighValue(ranges[l][1], true, false);
}

} // namespace

void pages::forEachEditRow(const RowVisit& visit)
{
    for (int l = 0; l < Layers; ++l)
        forEachLayerRow(l, visit);
    for (const ShowRow& row : morphingRows)
        visit(row);
}

void LyrForm::updateVoiceValues()
{
    for (int l = 0; l < Layers; ++l)
        forEachLayerRow(l, [this](const ShowRow& row) { showRows(ui, bytes(), &row, 1); });
    updateVelocityRange();
    updateNoteRange();

    const QString colorName = programColorName(programPtr->color);
    showIndex(ui->colorComboBox, colorName.isEmpty() ? -1 : ui->colorComboBox->findText(colorName, Qt::MatchExactly | Qt::MatchCaseSensitive));

    updateAdsrPlot();
    updateMorphing();
}

void LyrForm::updateVelocityRange()
{
    const auto& ranges = programPtr->velocityRange;
    showRanges(ui, veloSliders, ranges);
    for (int l = 0; l < Layers; ++l) {
        showText(ui->*veloLowEdits.widget[l], ranges[l][0]);
        showText(ui->*veloHighEdits.widget[l], ranges[l][1]);
    }
}

void LyrForm::updateNoteRange()
{
    const auto& ranges = programPtr->keyRange;
    for (int l = 0; l < Layers; ++l)
        qDebug() << QString("range %1:").arg(l + 1) << ranges[l][0] << ranges[l][1];
    showRanges(ui, noteSliders, ranges);
    for (int l = 0; l < Layers; ++l) {
        QMyKeyboard* keyboard = ui->*keyboards.widget[l];
        keyboard->setLowKey(ranges[l][0], true);
        keyboard->setHighKey(ranges[l][1], true);
        showText(ui->*noteLowEdits.widget[l], ranges[l][0]);
        showText(ui->*noteHighEdits.widget[l], ranges[l][1]);
    }
}

void LyrForm::updateAdsrPlot()
{
    for (int l = 0; l < Layers; ++l) {
        const TEnvelope& e = programPtr->envelope[l];
        QMyAdsrPlot* plot = ui->*envelopes.widget[l];
        plot->setStartingPoint(EnvelopeSustain, false);
        plot->setAttack(e.attack, EnvelopePeak, false);
        plot->setDecay(e.decay, EnvelopeSustain, false);
        plot->setSustain(0, EnvelopeSustain, false);
        plot->setRelease(e.release, 0, false);
    }
    for (int l = 0; l < Layers; ++l)
        (ui->*envelopes.widget[l])->update();
}

void LyrForm::updateMorphing()
{
    showRows(ui, bytes(), morphingRows);
}

void LyrForm::updateVoiceNames()
{
    for (unsigned char l = 0; l < Layers; ++l)
        updateVoiceName(l);
}

void LyrForm::updateVoiceName(unsigned char part)
{
    if (part >= Layers)
        return;
    // Bank and program change are what the module plays; the stored index
    // may be stale.
    const TVoiceSelect& v = programPtr->voice[part];
    const quint16 index = getVoiceIdx(v.family, v.bank, v.pch);
    (ui->*voiceButtons.widget[part])->setText(getVoiceName(v.family, index).replace('&', QLatin1String("&&")));
}

void LyrForm::updateVoiceEnabled()
{
    const TProgram& p = *programPtr;
    for (int l = 0; l < Layers; ++l) {
        const bool on = p.enabled[l];
        enableLayer(ui, enabledDials, l, on);
        enableLayer(ui, enabledEdits, l, on);
        enableLayer(ui, enabledSliders, l, on);
        (ui->*keyboards.widget[l])->setEnabled(on);
        (ui->*voiceButtons.widget[l])->setEnabled(on);
        (ui->*envelopes.widget[l])->setEnabled(on);
        // A layer routed through the insert chain takes its sends from there.
        enableLayer(ui, sendDials, l, p.enabled[l] == 1 && !(p.insertOn[l] & 1));
    }
    const bool inserted = (p.insertOn[0] | p.insertOn[1] | p.insertOn[2]) & 1;
    enable(inserted, { ui->insertReverbDial, ui->insertChorusDial });
}
