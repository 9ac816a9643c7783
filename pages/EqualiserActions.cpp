#include "LyrForm.h"

#include "Prompts.h"
#include "TProgram.h"
#include "eqDialog.h"

#include <QDebug>

namespace {

// The program's band words 0..16383 span these ranges on the graph.
constexpr double WordMax = 16383;
constexpr double FreqMin = 20, FreqMax = 20000;
constexpr double GainMin = -24, GainMax = 24;
constexpr double QMin = 0.1, QMax = 16;

// Band parameters as the module numbers them.
constexpr uchar ParamType = 36;
constexpr uchar ParamFreq = 37;
constexpr uchar ParamQ = 38;
constexpr uchar ParamGain = 39;

constexpr int Bands = 4;

// Graph value -> program word, truncated. The margin keeps a value that came
// from a word from going back one lower, so what the user did not move is
// neither changed nor sent.
int toWord(double value, double min, double max)
{
    return int(scaleValue(value, min, max, 0, WordMax) + 1e-6);
}

} // namespace

void LyrForm::onEqEditButtonClicked()
{
    eqDialog dialog(this, Bands);
    dialog.initEqPlot();
    const TInsert& eq = programPtr->insert;
    for (int b = 0; b < Bands; ++b) {
        // A byte the graph has no type for opens as All Pass.
        const auto type = QMyParametricEq::Type(eqIndexMap.key(eq.eqType[b], QMyParametricEq::AllPassFilter));
        dialog.initEqGraph(b, scaleValue(eq.eqFreq[b], 0, WordMax, FreqMin, FreqMax),
                           scaleValue(eq.eqGain[b], 0, WordMax, GainMin, GainMax),
                           scaleValue(eq.eqQ[b], 0, WordMax, QMin, QMax), type);
    }
    connect(&dialog, &eqDialog::eqChanged, this, &LyrForm::onEqDialogChanged);
    prompts->exec(&dialog);
}

void LyrForm::onEqDialogChanged(int idx, double freq, double gain, double, QMyParametricEq::Type type)
{
    if (unsigned(idx) >= unsigned(Bands))
        return;
    TInsert& eq = programPtr->insert;
    const int newFreq = toWord(freq, FreqMin, FreqMax);
    const int newGain = toWord(gain, GainMin, GainMax);

    // A band opened from a byte the graph has no type for shows All Pass,
    // which the module has no byte for either: dragging such a band keeps
    // its byte instead of turning it off.
    if (eqIndexMap.contains(type)) {
        const uchar newType = eqIndexMap.value(type);
        if (newType != eq.eqType[idx]) {
            qDebug() << "eqIndexMap.value(type) -> type_" << int(newType);
            eq.eqType[idx] = newType;
            emit voiceVariation(uchar(idx), ParamType, newType);
        }
    }
    if (newFreq != eq.eqFreq[idx]) {
        qDebug() << "freq -> freq_" << newFreq;
        eq.eqFreq[idx] = quint16(newFreq);
        emit voiceVariation16(uchar(idx), ParamFreq, ushort(newFreq));
    }
    if (newGain != eq.eqGain[idx]) {
        qDebug() << "gain_ -> gain_" << newGain;
        eq.eqGain[idx] = quint16(newGain);
        emit voiceVariation16(uchar(idx), ParamGain, ushort(newGain));
    }
    updateInsertEq();
}

void LyrForm::onEqResetButtonClicked()
{
    // Every band back to the program defaults: a flat peak near 1 kHz.
    // Sent whether or not a band already holds them.
    TInsert& eq = programPtr->insert;
    for (int b = 0; b < Bands; ++b) {
        eq.eqType[b] = 4;
        emit voiceVariation(uchar(b), ParamType, 4);
        eq.eqFreq[b] = 800;
        emit voiceVariation16(uchar(b), ParamFreq, 800);
        eq.eqQ[b] = 934;
        emit voiceVariation16(uchar(b), ParamQ, 934);
        eq.eqGain[b] = 8191;
        emit voiceVariation16(uchar(b), ParamGain, 8191);
    }
    updateInsertEq();
}
