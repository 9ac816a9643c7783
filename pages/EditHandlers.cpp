// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::onDialValueChanged(int value)
{
}

void LyrForm::onComboBoxIndexChanged(int index)
{
}

void LyrForm::onCheckBoxStateChanged(int state)
{
}

void LyrForm::onRangeSliderLowValueChanged(unsigned int value)
{
}

void LyrForm::onRangeSliderHighValueChanged(unsigned int value)
{
}

void LyrForm::onLineEditReturnPressed()
{
}

void LyrForm::onSliderValueChanged(int value)
{
}
