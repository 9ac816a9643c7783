// Uploading a 1 MB soundbank to the simulated module over JACK: the DSP
// flash write alone, and the whole add from the page (upload, programs and
// wavetable into flash, directory read back). Each is set against its
// floor: the exchanges the module acknowledged x one empty round trip; the
// soundbank transfer prescribes no settle wait. The JACK output adds its own
// pacing: a frame longer than one piece goes out a piece per cycle, and
// paced_floor_ms counts those pauses too. Run with a JACK server reachable
// (JACK_DEFAULT_SERVER=<name>).

#include "MidiBackend.h"
#include "ModuleBench.h"
#include "QMidiOut.h"
#include "QMidiUtils.h"
#include "SysExFrame.h"
#include "SoundbankFiles.h"
#include "TSoundBankDirEntry.h"
#include "TestSupport.h"
#include "WindowFixture.h"
#include "ui_LyrForm.h"

#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <QTemporaryDir>

#include <functional>

namespace {

// One operation per iteration on a module without added soundbanks.
void measure(benchmark::State& state, const std::function<bool(WindowFixture&, const QString&)>& operation)
{
    QTemporaryDir folder;
    const QByteArray bank = lyrtest::makeSoundbank("Bench Bank", 1024 * 1024, 40);
    const QString path = lyrtest::writeFile(folder.filePath("bench.sbk"), bank);
    WindowFixture f(WindowFixture::Transport::Jack);
    f.module.identity().set("PacketSize", 8192);
    if (!f.connect() && !f.link.connectToModule(f.inPort(), f.outPort(), true, false, false)) {
        state.SkipWithError("cannot connect to the simulated module");
        return;
    }
    const double empty = emptyRoundTripMs(f.link);
    double totalMs = 0;
    int exchanges = 0, pauses = 0;
    for (auto _ : state) {
        f.module.memory() = lyrsim::SimMemory();
        f.link.readSoundbankDir();
        f.module.clearLog();
        QElapsedTimer clock;
        clock.start();
        const bool done = operation(f, path);
        const double ms = clock.nsecsElapsed() / 1e6;
        state.SetIterationTime(ms / 1000);
        if (!done) {
            state.SkipWithError("upload failed");
            return;
        }
        totalMs += ms;
        exchanges = int(f.module.log().size());
        pauses = 0;
        for (const lyrsim::SimLogEntry& e : f.module.log())
            pauses += int((sysExFrameLength(std::size_t(e.frame.data.size())) - 1) / QMidiOut::JackPieceBytes);
    }
    const double pauseMs = (jackPeriodMicroseconds() + 1000) / 1000.0;
    const double perRun = totalMs / double(state.iterations());
    state.counters["exchanges"] = exchanges;
    state.counters["empty_rt_ms"] = empty;
    state.counters["floor_ms"] = exchanges * empty;
    state.counters["ratio_to_floor"] = perRun / (exchanges * empty);
    state.counters["paced_floor_ms"] = exchanges * empty + pauses * pauseMs;
    state.counters["ratio_to_paced_floor"] = perRun / (exchanges * empty + pauses * pauseMs);
}

void BM_UploadSoundbank1MB(benchmark::State& state)
{
    measure(state, [](WindowFixture& f, const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && f.link.writeToSamFlash(0, 1024 * 1024, &file, 60000);
    });
}
BENCHMARK(BM_UploadSoundbank1MB)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_AddSoundbank1MB(benchmark::State& state)
{
    measure(state, [](WindowFixture& f, const QString& path) {
        f.prompts.files << path;
        f.ui()->actionAddSoundbank->trigger();
        return f.prompts.shown("warning").isEmpty() && getSoundbanksCount() == 2;
    });
}
BENCHMARK(BM_AddSoundbank1MB)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
