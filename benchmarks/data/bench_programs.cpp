// Sealing the 64 KB programs block, which happens before every flash write.

#include "TPrograms.h"

#include <benchmark/benchmark.h>
#include <QtGlobal>

static void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

static void BM_SealProgramsBlock(benchmark::State& state)
{
    qInstallMessageHandler(quiet);
    initPrograms();
    for (auto _ : state) {
        programs.program[0].volume[0]++;
        writeHeader(&programs);
        benchmark::DoNotOptimize(computeChecksum(&programs));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 2 * 65532);
}
BENCHMARK(BM_SealProgramsBlock);

BENCHMARK_MAIN();
