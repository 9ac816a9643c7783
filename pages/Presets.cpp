// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::initPresets()
{
}

void LyrForm::loadPreset(PresetType type)
{
}

void LyrForm::savePreset(PresetType type)
{
}

void LyrForm::clearPresets(PresetType type)
{
}

void LyrForm::loadPresetsFromDisk()
{
}

void LyrForm::savePresetsToDisk()
{
}
