// The insert-effect preset store. Only its frame exists: nothing fills the
// lists, and loading, saving and the disk store are not built.

#include "LyrForm.h"

void LyrForm::initPresets()
{
}

void LyrForm::loadPreset(PresetType)
{
}

void LyrForm::savePreset(PresetType)
{
}

void LyrForm::clearPresets(PresetType type)
{
    // find, not operator[]: clearing a kind that has no list adds none.
    const auto it = presetMap.find(type);
    if (it != presetMap.end())
        it->clear();
}

void LyrForm::loadPresetsFromDisk()
{
}

void LyrForm::savePresetsToDisk()
{
}
