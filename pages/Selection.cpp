// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::onProgramButtonClicked(int id)
{
}

void LyrForm::onVoiceButtonClicked(int id)
{
}

void LyrForm::onVoiceChanged(uchar part, uchar family, uchar voice)
{
}

void LyrForm::loadReverbPreset(int n)
{
}

void LyrForm::loadChorusPreset(int n)
{
}
