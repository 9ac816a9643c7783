#pragma once

// What a control record may address. Debug builds check the main window's
// control tables against these rules as the maps are built, so a record that
// would send an edit to the wrong layer, band, drawbar or setup byte stops
// the start instead of surfacing when a user turns the knob.

#include "TControl.h"

// The widget families; a range slider's index is the parameter of its high end.
enum class ControlFamily { Dial, RangeSlider, ComboBox, CheckBox, LineEdit, Slider };

// True when the record names a parameter the module has and every field that
// chooses where the edit lands (layer, EQ band, setup item, drawbar, bit of a
// controller mask) is inside its record; fields the parameter does not use
// must be 0xFF. Records recognised by identity (command 0xFF) always fit.
bool controlFits(ControlFamily family, const TControl& record);

// Bytes the edit of one value stores through the record: 2 for the 14-bit
// words, 0 when the record stores nothing by itself.
int controlWidth(const TControl& record);
