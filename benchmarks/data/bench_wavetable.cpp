// The wavetable paths that run per user action: reading the factory
// descriptor (factory reset, soundbank install) and the voice look-ups that
// every page refresh and module notification makes.

#include "TGmWavetable.h"
#include "WavetableDescriptor.h"

#include <QFile>
#include <benchmark/benchmark.h>
#include <cstring>

static void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

static TGmWavetable scratch;

static void BM_ParseFactoryDescriptor(benchmark::State& state)
{
    qInstallMessageHandler(quiet);
    QFile file(":/WaveTableVoicesDescriptor5916.txt");
    file.open(QIODevice::ReadOnly);
    const QByteArray text = file.readAll();
    for (auto _ : state) {
        extractWavetable(reinterpret_cast<const unsigned char*>(text.constData()), int(text.size()), &scratch, 0);
        benchmark::DoNotOptimize(scratch.family[0].count);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * text.size());
}
BENCHMARK(BM_ParseFactoryDescriptor);

// A bank and program that no family holds: every slot of every family is compared.
static void BM_VoiceFamilyMiss(benchmark::State& state)
{
    std::memset(&wavetable, 0, sizeof(wavetable));
    for (TGmFamily& f : wavetable.family)
        for (TGmVoice& v : f.voice)
            v.bank = 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(getVoiceFam(2, 3));
}
BENCHMARK(BM_VoiceFamilyMiss);

static void BM_MergeFullTable(benchmark::State& state)
{
    qInstallMessageHandler(quiet);
    std::memset(&scratch, 0, sizeof(scratch));
    for (TGmFamily& f : scratch.family) {
        f.count = GmMaxVoices;
        for (TGmVoice& v : f.voice)
            setVoiceName(&v, "Voice name 14b");
    }
    for (auto _ : state) {
        std::memset(&wavetable, 0, sizeof(wavetable));
        addWavetable(&scratch);
        removeAllSoundbanksFromWavetable();
    }
}
BENCHMARK(BM_MergeFullTable);

BENCHMARK_MAIN();
