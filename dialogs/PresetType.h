#pragma once

// Kinds of insert-effect presets, and one stored preset.

#include <QMetaType>
#include <QtGlobal>

enum PresetType {
    PresetCompressor = 0,
    PresetDistorsor = 1,
    PresetEq = 2,
    PresetModulation = 3,
    PresetWah = 4,
    PresetTremolo = 5,
    PresetDelay = 6,
    PresetHqDistorsor = 7,
};
Q_DECLARE_METATYPE(PresetType)

// One preset: a name and the settings of one effect. Nothing fills the store
// yet; the layout is kept at its full size so a later store format fits.
struct TPreset
{
    char name[32];
    quint8 data[514];
};
static_assert(sizeof(TPreset) == 546);
