#pragma once

// What a control record may address. Debug builds check the main window's
// control tables against these rules as the maps are built, so a record that
// would send an edit to the wrong layer, band, drawbar or setup byte stops
// the start instead of surfacing when a user turns the knob.

#include "TControl.h"

class QWidget;
class Ui_LyrForm;

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

// True when the page refresh reads the widget from exactly where its family's
// handler stores the record's edit: the same byte, the same width, the same
// bits. A widget the refresh shows must store there, and a dial, check box or
// combo box whose edit lands in the program must be shown from there. Debug
// builds check every record as the maps are built, so a store and a refresh
// that drift apart stop the start.
bool storedWhereShown(const Ui_LyrForm* ui, ControlFamily family, const QWidget* widget, const TControl& record);
