#pragma once

// The page refresh's plain copies as data: each row moves one byte or
// 16-bit word of the program being edited into one widget of the form.
// Setting a widget from a row never lets it signal, so showing a program
// never reaches the edit handlers.

#include "TProgram.h"

#include <QtGlobal>

#include <cstddef>
#include <functional>
#include <initializer_list>

class QCheckBox;
class QComboBox;
class QMyDial;
class QWidget;
class Ui_LyrForm;

namespace pages {

// How a stored value becomes what the widget shows.
enum class Shown : quint8 {
    Byte,        // dial: the byte as it is
    Word,        // dial: the little-endian 16-bit word at the offset
    Shift,       // dial: byte - ShiftZero (octave shifts)
    Tune,        // dial: byte - TuneZero (fine tune)
    Pan,         // dial: PanCentre - byte (pan is stored inverted)
    OrganVolume, // dial: the organ volume above its on flag
    Flag,        // check box: checked when byte AND mask is non-zero
    Index,       // combo box: the item at index byte
    BitIndex,    // combo box: item 1 when byte AND mask is non-zero, else item 0
    Data,        // combo box: the item whose data is the byte; none selected when none has it
    DataOrKeep,  // combo box: likewise, but the selection stays when none has it
};

struct ShowRow
{
    enum Kind : quint8 { Dial, Check, Combo };

    constexpr ShowRow(QMyDial* Ui_LyrForm::*widget, quint16 offset, Shown shown = Shown::Byte)
        : kind(Dial), dial(widget), offset(offset), shown(shown) {}
    constexpr ShowRow(QCheckBox* Ui_LyrForm::*widget, quint16 offset, quint8 mask = 0xFF)
        : kind(Check), check(widget), offset(offset), shown(Shown::Flag), mask(mask) {}
    constexpr ShowRow(QComboBox* Ui_LyrForm::*widget, quint16 offset, Shown shown = Shown::Index, quint8 mask = 0xFF)
        : kind(Combo), combo(widget), offset(offset), shown(shown), mask(mask) {}

    Kind kind;
    union {
        QMyDial* Ui_LyrForm::*dial;
        QCheckBox* Ui_LyrForm::*check;
        QComboBox* Ui_LyrForm::*combo;
    };
    quint16 offset;      // into TProgram
    Shown shown;
    quint8 mask = 0xFF;
};

// The envelope plots draw each layer's attack up to full level and its
// decay down to a fixed sustain level.
constexpr int EnvelopePeak = 127;
constexpr int EnvelopeSustain = 64;

// Copies rows of program (a TProgram's bytes) into the form's widgets.
void showRows(Ui_LyrForm* ui, const quint8* program, const ShowRow* rows, std::size_t count);
template <std::size_t N>
void showRows(Ui_LyrForm* ui, const quint8* program, const ShowRow (&rows)[N])
{
    showRows(ui, program, rows, N);
}

// Every row the page refresh shows a widget by, the rows it builds per layer
// and per band included; for the check that the edit handlers store where
// the pages read. Each page's file walks its own tables.
using RowVisit = std::function<void(const ShowRow&)>;
void forEachShowRow(const RowVisit& visit);
void forEachEditRow(const RowVisit& visit);
void forEachEffectsRow(const RowVisit& visit);
void forEachOrganRow(const RowVisit& visit);

// Enables or disables every widget of the list.
void enable(bool on, std::initializer_list<QWidget*> widgets);

// The program under edit as the bytes the rows' offsets count.
inline const quint8* bytes()
{
    return reinterpret_cast<const quint8*>(programPtr);
}

// The 16-bit little-endian word at offset.
inline quint16 wordAt(const quint8* program, int offset)
{
    return quint16(program[offset] | program[offset + 1] << 8);
}

// A combo box shows index (-1: no item) without signalling.
void showIndex(QComboBox* combo, int index);
// A check box shows on without signalling.
void showChecked(QCheckBox* box, bool on);

} // namespace pages
