#pragma once

// What the user sees when a command cannot go out because the module is not
// connected: a "Not connected" warning, unless it was turned off in the
// Options menu (setting "showNotConnectedWarning").

#include <QString>

#include <functional>

class QWidget;

// Connected to QMidiUtils::notConnected by main.
void showNotConnectedWarning(QWidget* parent);

// The box itself, a modal warning with one OK button. Tests put a stand-in
// here so that nothing modal opens; an empty function restores the box.
using WarningBox = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
void setNotConnectedWarningBox(WarningBox box);
