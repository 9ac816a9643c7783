#pragma once

// The main window as the editor builds it, wired to the link as start-up
// wires it, with scripted answers for the user and a simulated module at
// the other end: in process (fast, the link already connected), or on
// JACK ports that the window finds by name as it would a real module.

#include "InProcessModule.h"
#include "LyrForm.h"
#include "QMidiUtils.h"
#include "ScriptedPrompts.h"
#include "SimJackPorts.h"
#include "SimModule.h"
#include "TestSupport.h"

#include <memory>

class WindowFixture
{
public:
    enum class Transport { InProcess, Jack };

    // Fresh mirror (programs, wavetable from the factory descriptor, empty
    // soundbank directory), a fresh module holding the same wavetable, and
    // the window. Over JACK (the second build of a test built twice) the
    // module's ports are opened but nothing is connected yet.
    explicit WindowFixture(Transport transport = OverJack ? Transport::Jack : Transport::InProcess);
    ~WindowFixture();

    // In process: the link is wired to the module and identified. Over
    // JACK: the window's quiet connection on the module's port names.
    bool connect();

    // The JACK port names the window connects to (empty in process).
    QString inPort() const { return ports ? ports->writePort() : QString(); }
    QString outPort() const { return ports ? ports->readPort() : QString(); }

    // The data of every frame of command com the module decoded since the
    // log was last cleared, oldest first.
    QList<QByteArray> received(quint8 com) const { return module.commandData(com); }
    // Every frame the module decoded, as "com:hex data" lines; with n, once
    // n have come and a moment has passed for any that should not have.
    QStringList frames() const;
    QStringList frames(qsizetype n);

    lyrsim::SimModule module;
    QMidiUtils link;
    ScriptedPrompts prompts;
    std::unique_ptr<LyrForm> window;
    Ui_LyrForm* ui() const { return window->form(); }

private:
    Transport transport;
    std::unique_ptr<InProcessModule> wire;
    std::unique_ptr<lyrsim::SimJackPorts> ports;
};

// A fault that matches no command, for rows that need none.
inline const lyrsim::SimFault noFault { lyrsim::SimFault::Nack, -2 };

// Turns the event loop until pred holds or ms pass; true when it held.
inline bool waitFor(const std::function<bool()>& pred, int ms = 5000) { return QTest::qWaitFor(pred, ms); }
