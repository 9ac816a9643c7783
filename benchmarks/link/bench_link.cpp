// Framing costs of the link: building a frame, walking one back, one small
// command's round trip to the simulated module over JACK, and the programs
// block's transfers against it (run with a JACK server reachable, e.g.
// JACK_DEFAULT_SERVER=<name>).

#include "QMidiUtils.h"
#include "SimJackPorts.h"
#include "SimModule.h"
#include "SysExFrame.h"
#include "SysExFrameWalker.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include <algorithm>

static void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

static std::vector<unsigned char> payload(std::size_t size)
{
    std::vector<unsigned char> data(size);
    QRandomGenerator rng(size);
    for (unsigned char& b : data)
        b = static_cast<unsigned char>(rng.bounded(256));
    return data;
}

static void BM_BuildFrame(benchmark::State& state)
{
    const std::vector<unsigned char> data = payload(std::size_t(state.range(0)));
    std::vector<unsigned char> frame;
    frame.reserve(sysExFrameLength(MaxFrameData));
    for (auto _ : state) {
        frame.clear();
        buildSysExFrame(0x0A, data.data(), data.size(), frame);
        benchmark::DoNotOptimize(frame.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_BuildFrame)->Arg(7)->Arg(512)->Arg(32768);

static void BM_WalkFrame(benchmark::State& state)
{
    const std::vector<unsigned char> data = payload(std::size_t(state.range(0)));
    std::vector<unsigned char> frame;
    buildSysExFrame(0xAC, data.data(), data.size(), frame);
    SysExFrameWalker walker;
    unsigned long found = 0;
    for (auto _ : state)
        walker.walk(frame.data(), frame.size(), [&found](const SysExFrame& f) { found += f.size; });
    benchmark::DoNotOptimize(found);
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_WalkFrame)->Arg(7)->Arg(512)->Arg(32768);

// Echo test of 4 bytes: frame out through JACK, decoded and answered by the
// module, the ACK walked and handed to the waiting caller.
static void BM_JackRoundTrip(benchmark::State& state)
{
    lyrsim::SimModule module;
    lyrsim::SimJackPorts ports(&module, " (bench)");
    QString error;
    if (!ports.open(&error)) {
        state.SkipWithError(qPrintable(error));
        return;
    }
    QMidiUtils link;
    const int in = int(link.midiIn.getPorts().indexOf(ports.writePort()));
    const int out = int(link.midiOut.getPorts().indexOf(ports.readPort()));
    if (in < 0 || out < 0) {
        state.SkipWithError("module ports not found");
        return;
    }
    link.midiIn.openPort(unsigned(in));
    link.midiOut.openPort(unsigned(out));
    link.connected = true;

    unsigned char words[4] = { 0, 0, 1, 0 };
    for (auto _ : state) {
        link.sendCommand(0x24, 4, words);
        if (!link.waitForAcknoledge(5000)) {
            state.SkipWithError("no answer");
            break;
        }
    }
}
BENCHMARK(BM_JackRoundTrip)->Unit(benchmark::kMillisecond)->UseRealTime();

// The module on its JACK ports with a link connected to it, kept for the
// transfer benchmarks.
struct JackRig
{
    lyrsim::SimModule module;
    lyrsim::SimJackPorts ports { &module, " (transfers)" };
    QMidiUtils link;
    QString error;

    bool open()
    {
        if (link.isConnected())
            return true;
        if (!ports.open(&error))
            return false;
        if (!link.connectToModule(ports.writePort(), ports.readPort(), true, false, false))
            error = "cannot connect to the simulated module";
        return link.isConnected();
    }
    // Median of empty exchanges: a command without data and its bare ACK.
    double emptyRoundTripMs()
    {
        std::vector<double> ms;
        for (int i = 0; i < 21; ++i) {
            QElapsedTimer clock;
            clock.start();
            link.sendCommand(0x24);
            if (!link.waitForAcknoledge(5000))
                return 0;
            ms.push_back(clock.nsecsElapsed() / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        return ms[ms.size() / 2];
    }
};
static JackRig* rig = nullptr;

// One whole transfer per iteration, at the packet size range(0). The floor is
// what the exchanges cost with nothing added: round trips x one empty round
// trip (a write has two per chunk: the data, then its commit).
static void transfer(benchmark::State& state, bool (QMidiUtils::*operation)(), unsigned char chunkCom)
{
    if (!rig->open()) {
        state.SkipWithError(qPrintable(rig->error));
        return;
    }
    rig->module.identity().set("PacketSize", quint32(state.range(0)));
    rig->link.identify();
    const double empty = rig->emptyRoundTripMs();
    double totalMs = 0;
    int roundTrips = 0, chunks = 0;
    for (auto _ : state) {
        rig->module.clearLog();
        QElapsedTimer clock;
        clock.start();
        if (!(rig->link.*operation)()) {
            state.SkipWithError("transfer failed");
            return;
        }
        totalMs += clock.nsecsElapsed() / 1e6;
        roundTrips = int(rig->module.log().size());
        chunks = int(rig->module.commandData(chunkCom).size());
    }
    const double perTransfer = totalMs / double(state.iterations());
    state.counters["chunks"] = chunks;
    state.counters["round_trips"] = roundTrips;
    state.counters["empty_rt_ms"] = empty;
    state.counters["floor_ms"] = roundTrips * empty;
    state.counters["ratio_to_floor"] = perTransfer / (roundTrips * empty);
    state.counters["ratio_to_chunks_floor"] = perTransfer / (chunks * empty);
}
BENCHMARK_CAPTURE(transfer, loadProgramsFromFlash, &QMidiUtils::loadProgramsFromFlash, 0x1E)
    ->Arg(1024)->Arg(4096)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(transfer, saveProgramsAndWavetableToFlash, &QMidiUtils::saveProgramsAndWavetableToFlash, 0x03)
    ->Arg(1024)->Arg(4096)->Iterations(2)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv)
{
    qInstallMessageHandler(quiet);
    QCoreApplication app(argc, argv);
    JackRig jack;
    rig = &jack;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
