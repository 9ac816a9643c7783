#pragma once

// Where each parameter's edit lands in the program being edited, as data.
// The edit handlers store through these rows, and the maps' start-up check
// holds them against the rows the page refresh reads the same widgets by.

#include "ControlTables.h"
#include "TControl.h"

#include <QtGlobal>

class LyrForm;

namespace pages {

// Which copy of a field an edit picks.
enum class Per : quint8 {
    Program,    // the one field
    Layer,      // the record's part; layers beyond the third store nothing
    Band,       // the record's index; bands beyond the fourth store nothing
};

// How a dial of command 0x21 stores its value.
enum class Store : quint8 {
    Layer,      // layer's byte of a per-layer field = the encoded value
    Envelope,   // that byte in the layer's envelope = the encoded value
    Byte,       // the byte = the encoded value
    Word,       // the 16-bit word = the dial's raw value
    BandWord,   // the band's 16-bit word = the raw value
    LowByte,    // the byte = the raw value modulo 256
};

struct DialStore
{
    quint8 param;
    Store store;
    quint16 offset;     // into TProgram; of layer or band 0 for the copies
};

// Organ dials (command 0x29) other than the volume, which shares its byte
// with the on flag.
struct OrganStore
{
    quint8 param;
    quint16 offset;
    const char* label;  // logged with the value
};

// Whether an edit is sent before its section is shown again or after; each
// box keeps its own order.
enum class Order : quint8 {
    SendFirst,
    RefreshFirst,
};

// Combo boxes and check boxes of command 0x21 that store one byte, with the
// section that shows it.
struct ByteStore
{
    quint8 param;
    quint16 offset;
    Per per;
    void (LyrForm::*refresh)();
    Order order = Order::SendFirst;
};

// The on/off parameters of the effects of one insert slot, in the order of
// the slot's choices; one effect of a slot is on at a time.
constexpr quint8 NoEffect = 0xFF;
struct InsertSlot
{
    quint8 effects[3];  // NoEffect after the last
};
constexpr int InsertSlot1 = 0, InsertSlot2 = 1;
const InsertSlot& insertSlot(int slot);
// The slot whose effect param switches; null when none.
const InsertSlot* slotOf(quint8 param);

// Organ choices and switches: one bit of a byte, or the whole byte when bit
// is WholeByte.
constexpr quint8 WholeByte = 0xFF;
struct OrganBit
{
    quint8 param;
    quint16 offset;
    quint8 bit;
    const char* label;
};

// The row for param, null when the table has none.
const DialStore* dialStoreOf(quint8 param);
const OrganStore* organDialOf(quint8 param);
const ByteStore* comboStoreOf(quint8 param);
const ByteStore* checkStoreOf(quint8 param);
const OrganBit* organChoiceOf(quint8 param);
const OrganBit* organSwitchOf(quint8 param);

// The offset of the copy the record's part or index picks; -1 when it picks
// none.
int storeOffset(const DialStore& row, quint8 part, quint8 index);
int storeOffset(quint16 offset, Per per, quint8 part, quint8 index);

// Where an edit through a record of the family lands in the program: the
// offset of its first byte, how many bytes and which bits; offset -1 when
// the handler stores nothing of the program for it (identity widgets, the
// setup volumes, a layer or band out of range). Range sliders, range edits
// and drawbars write their named fields directly and are not listed.
struct StoredField
{
    int offset = -1;
    int width = 0;
    quint8 mask = 0xFF;
};
StoredField storedField(ControlFamily family, const TControl& record);

} // namespace pages
