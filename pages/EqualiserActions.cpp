// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::onEqEditButtonClicked()
{
}

void LyrForm::onEqDialogChanged(int idx, double freq, double gain, double q, QMyParametricEq::Type type)
{
}

void LyrForm::onEqResetButtonClicked()
{
}
