#pragma once

// What the user sees when a command cannot go out because the module is not
// connected: a "Not connected" warning, unless it was turned off in the
// Options menu (setting "showNotConnectedWarning").

class Prompts;
class QWidget;

// Connected to QMidiUtils::notConnected at start-up.
void showNotConnectedWarning(QWidget* parent, Prompts& prompts);
