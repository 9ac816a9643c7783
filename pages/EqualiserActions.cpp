// The insert-EQ editor dialog, and the reset of its four bands.

#include "LyrForm.h"

#include "EqScale.h"
#include "Parameters.h"
#include "Prompts.h"
#include "TProgram.h"
#include "eqDialog.h"

#include <QDebug>

using namespace pages;

namespace V = VoiceParam;

void LyrForm::onEqEditButtonClicked()
{
    eqDialog dialog(this, EqBands);
    dialog.initEqPlot();
    const TInsert& eq = programPtr->insert;
    for (int b = 0; b < EqBands; ++b) {
        // A byte the graph has no type for opens as All Pass.
        const auto type = QMyParametricEq::Type(eqIndexMap.key(eq.eqType[b], QMyParametricEq::AllPassFilter));
        dialog.initEqGraph(b, eqValue(EqFrequency, eq.eqFreq[b]), eqValue(EqGain, eq.eqGain[b]),
                           eqValue(EqQ, eq.eqQ[b]), type);
    }
    connect(&dialog, &eqDialog::eqChanged, this, &LyrForm::onEqDialogChanged);
    prompts->exec(&dialog);
}

void LyrForm::onEqDialogChanged(int idx, double freq, double gain, double, QMyParametricEq::Type type)
{
    if (unsigned(idx) >= unsigned(EqBands))
        return;
    TInsert& eq = programPtr->insert;
    const int newFreq = eqWord(EqFrequency, freq);
    const int newGain = eqWord(EqGain, gain);

    // A band opened from a byte the graph has no type for shows All Pass,
    // which the module has no byte for either: dragging such a band keeps
    // its byte instead of turning it off.
    if (eqIndexMap.contains(type)) {
        const uchar newType = eqIndexMap.value(type);
        if (newType != eq.eqType[idx]) {
            qDebug() << "eqIndexMap.value(type) -> type_" << int(newType);
            eq.eqType[idx] = newType;
            emit voiceVariation(uchar(idx), V::eqType, newType);
        }
    }
    if (newFreq != eq.eqFreq[idx]) {
        qDebug() << "freq -> freq_" << newFreq;
        eq.eqFreq[idx] = quint16(newFreq);
        emit voiceVariation16(uchar(idx), V::eqFreq, ushort(newFreq));
    }
    if (newGain != eq.eqGain[idx]) {
        qDebug() << "gain_ -> gain_" << newGain;
        eq.eqGain[idx] = quint16(newGain);
        emit voiceVariation16(uchar(idx), V::eqGain, ushort(newGain));
    }
    updateInsertEq();
}

void LyrForm::onEqResetButtonClicked()
{
    // Every band back to where new programs start. Sent whether or not a
    // band already holds it.
    TInsert& eq = programPtr->insert;
    for (int b = 0; b < EqBands; ++b) {
        eq.eqType[b] = EqNeutral::type;
        emit voiceVariation(uchar(b), V::eqType, EqNeutral::type);
        eq.eqFreq[b] = EqNeutral::freq;
        emit voiceVariation16(uchar(b), V::eqFreq, EqNeutral::freq);
        eq.eqQ[b] = EqNeutral::q;
        emit voiceVariation16(uchar(b), V::eqQ, EqNeutral::q);
        eq.eqGain[b] = EqNeutral::gain;
        emit voiceVariation16(uchar(b), V::eqGain, EqNeutral::gain);
    }
    updateInsertEq();
}
