// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

bool LyrForm::readSoundbankDir()
{
    return false;
}

void LyrForm::addSoundbank()
{
}

void LyrForm::removeSoundbank(QModelIndex index)
{
}

void LyrForm::removeAllSoundbanks()
{
}

void LyrForm::updateSoundbankModel()
{
}
