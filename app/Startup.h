#pragma once

// Pieces of the start-up sequence that main runs in order; kept apart from
// main so they can be checked on their own.

#include <QByteArray>
#include <QString>

class LyrForm;
class QMidiUtils;
class QSettings;

constexpr const char* EditorVersion = "1.1.0";
constexpr const char* EditorBuildStamp = "2026-01-14 12:52:10";

// Record sizes to the debug log, so a build with a wrong layout shows at once.
void printStartupReport();

// Application, organisation and version names for QSettings.
void setApplicationNames();

// The QT_SCALE_FACTOR to use for a stored "scale" text: the text itself when
// it is a number from 0.5 to 4, otherwise "1.0". Qt applies 0, negative or
// huge factors literally, and the setting can only be changed from inside a
// window that would then be unusable.
QByteArray scaleFactorFor(const QString& setting);

// Reads "scale" and puts it into QT_SCALE_FACTOR; must run before the
// application object exists.
void applyScaleSetting(QSettings& settings);

// The "Fusion" style with the editor's light palette.
void configurePalette();

// The window's edit signals to the link's send slots, and the link's
// reports back to the window, in start-up order. The splash screen's
// connection is main's own.
void connectWindowToLink(LyrForm& window, QMidiUtils& link);
