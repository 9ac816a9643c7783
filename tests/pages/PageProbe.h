#pragma once

// What the editor pages show and how a user changes them, in the short
// texts the page tests write their rows in.

#include <QByteArray>
#include <QString>
#include <QStringList>

class LyrForm;
class QWidget;
struct TControl;

namespace probe {

// The value a widget shows: a knob's or slider's value, a combo box's index,
// a check box's 0/1, "low-high" of a range or keyboard, a text, an envelope's
// attack point "time,level". Pseudo-names reach what has no name of its own:
// "marker<n>" (program n's colour as "rgba(r,g,b,a)"), "eqType<b>" and
// "eqFreq<b>" (band b of the insert-EQ graph), "<combo box>.text" (its
// current item's text).
QString shown(LyrForm& window, const QString& name);
QString shown(QWidget* widget);

// Checks space-separated expectations "name=value", "name:enabled",
// "name:disabled", "name:visible", "name:hidden"; returns what differs.
QStringList mismatches(LyrForm& window, const QString& expectations);
#define VERIFY_SHOWN(window, expectations)                                \
    do {                                                                  \
        const QStringList wrong_ = probe::mismatches(window, expectations); \
        QVERIFY2(wrong_.isEmpty(), qPrintable(wrong_.join("; ")));        \
    } while (false)

// Writes space-separated pokes into the current program: "offset=value",
// "offset+=hexbytes" (bytes from offset on), "@offset=value" (any byte of
// the programs block).
void poke(const QString& pokes);

// What a user does to the named widget:
//   set       a knob, slider or combo box to value (a combo also by item
//             text), a check box to value != 0, a range slider's
//             "low:n" or "high:n"
//   type      types value into an edit and presses Return
//   return    puts value into an edit as it stands, then Return as the edit
//             reports it (what the validator would have kept out)
//   focusout  types value into an edit and leaves it without Return
//   refresh   the whole window refreshes
void act(LyrForm& window, const QString& name, const QString& action, const QString& value);

// The record of a mapped widget, editable; null for one in no map.
TControl* record(LyrForm& window, QWidget* widget);
// Every mapped widget, by name.
QList<QWidget*> mappedWidgets(LyrForm& window);

// The 64 KB programs block, and the bytes that differ from before as
// "offset=value" (offsets into the current program, "@offset" outside it),
// ascending.
QByteArray block();
QString changes(const QByteArray& before);

} // namespace probe
