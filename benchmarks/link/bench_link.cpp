// Framing costs of the link: building a frame, walking one back, and one
// small command's round trip to the simulated module over JACK (run with a
// JACK server reachable, e.g. JACK_DEFAULT_SERVER=<name>).

#include "QMidiUtils.h"
#include "SimJackPorts.h"
#include "SimModule.h"
#include "SysExFrame.h"
#include "SysExFrameWalker.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QRandomGenerator>

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

int main(int argc, char** argv)
{
    qInstallMessageHandler(quiet);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
