// The editor pages on the full main window, wired to a simulated module in
// process. updateAll runs after every load and connection and should stay
// well under 10 ms; one turn of a dial, from its value to the frame handed
// to the output port, should stay under 50 us of editor time (the module's
// side runs later and is not counted: edits never wait for it).

#include "WindowFixture.h"

#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstring>
#include <benchmark/benchmark.h>

namespace {

void BM_UpdateAll(benchmark::State& state)
{
    WindowFixture f;
    f.connect();
    f.window->initEqPlot();
    f.window->updateAll();
    // Alternate two programs that differ in every section, so each refresh
    // moves the widgets.
    programs.program[1] = programs.program[0];
    std::memset(reinterpret_cast<quint8*>(&programs.program[1]) + 16, 0x21, sizeof(TProgram) - 16);
    quint16 n = 0;
    for (auto _ : state) {
        currentProgram = n;
        n ^= 1;
        QElapsedTimer timer;
        timer.start();
        f.window->updateAll();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_UpdateAll)->UseManualTime()->Unit(benchmark::kMillisecond);

// After a load every program may have another colour: all 128 markers are
// restyled.
void BM_UpdateAllNewColours(benchmark::State& state)
{
    WindowFixture f;
    f.connect();
    f.window->initEqPlot();
    f.window->updateAll();
    quint8 colour = 7;
    for (auto _ : state) {
        colour = colour == 7 ? 9 : 7;
        for (TProgram& p : programs.program)
            p.color = colour;
        QElapsedTimer timer;
        timer.start();
        f.window->updateAll();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_UpdateAllNewColours)->UseManualTime()->Unit(benchmark::kMillisecond);

// The attack dial of layer 1: store, envelope plot, signal, frame, port.
void BM_DialToPort(benchmark::State& state)
{
    WindowFixture f;
    f.connect();
    f.window->updateAll();
    QMyDial* dial = f.ui()->attackDial1;
    int value = 10;
    int turns = 0;
    for (auto _ : state) {
        value = value == 10 ? 11 : 10;
        QElapsedTimer timer;
        timer.start();
        dial->setValue(value);
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        // The module's side, outside the timing.
        if (++turns % 64 == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
}
BENCHMARK(BM_DialToPort)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
