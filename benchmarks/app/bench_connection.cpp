// The window's connection to the simulated module over JACK (run with a
// JACK server reachable, e.g. JACK_DEFAULT_SERVER=<name>): the whole quiet
// flow, set against its floor, the round trips it makes times one empty
// round trip.

#include "LyrForm.h"
#include "ModuleBench.h"
#include "QMidiUtils.h"
#include "SimJackPorts.h"
#include "SimModule.h"
#include "TPrograms.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>


static void BM_ConnectToModule(benchmark::State& state)
{
    lyrsim::SimModule module;
    module.identity().set("PacketSize", quint32(state.range(0)));
    lyrsim::SimJackPorts ports(&module, " (bench)");
    QString error;
    if (!ports.open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    QMidiUtils link;
    midiUtilsPtr = &link;
    initPrograms();
    LyrForm window;

    double totalMs = 0, floorMs = 0, emptyMs = 0;
    int roundTrips = 0;
    for (auto _ : state) {
        module.clearLog();
        QElapsedTimer clock;
        clock.start();
        window.connectToModule(ports.writePort(), ports.readPort(), false);
        totalMs += clock.nsecsElapsed() / 1e6;
        if (!link.isConnected() || window.lastMessage != "Connection succesful") {
            state.SkipWithError("connection failed");
            return;
        }
        roundTrips = int(module.log().size());
        state.PauseTiming();
        const double empty = emptyRoundTripMs(link);
        state.ResumeTiming();
        emptyMs += empty;
        floorMs += roundTrips * empty;
    }
    const double n = double(state.iterations());
    state.counters["round_trips"] = roundTrips;
    state.counters["empty_rt_ms"] = emptyMs / n;
    state.counters["floor_ms"] = floorMs / n;
    state.counters["ratio_to_floor"] = totalMs / floorMs;
    midiUtilsPtr = nullptr;
}
BENCHMARK(BM_ConnectToModule)->Arg(1024)->Arg(4096)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
