// Building the main window: the form with every widget, layout, menu and
// action of the eight pages, about 150 knobs among them, then the whole
// window with its page set-up. It runs once at start-up, while the splash
// screen shows; the aim is well under 150 ms.

#include "LyrForm.h"
#include "Startup.h"
#include "ui_LyrForm.h"

#include <QApplication>
#include <QElapsedTimer>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

// setupUi alone; making and destroying the empty window is not counted.
void BM_SetupUi(benchmark::State& state)
{
    configurePalette();
    for (auto _ : state) {
        auto window = std::make_unique<QMainWindow>();
        Ui_LyrForm ui;
        QElapsedTimer timer;
        timer.start();
        ui.setupUi(window.get());
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        benchmark::DoNotOptimize(ui.volDial1);
    }
}
BENCHMARK(BM_SetupUi)->UseManualTime()->Unit(benchmark::kMillisecond);

// setupUi, then the first layout and paint of the Edit page at the window's
// designed size: what the user waits for before the form appears.
void BM_SetupUiAndFirstPaint(benchmark::State& state)
{
    configurePalette();
    for (auto _ : state) {
        auto window = std::make_unique<QMainWindow>();
        Ui_LyrForm ui;
        QElapsedTimer timer;
        timer.start();
        ui.setupUi(window.get());
        ui.centralTabWidget->setCurrentWidget(ui.editTab);
        window->resize(1286, 772);
        QImage image = window->grab().toImage();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SetupUiAndFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond);

// The whole window as start-up builds it: the form, then ranges, items, the
// 128 program buttons with their markers, the control maps and every
// connection. Tearing it down is not counted.
void BM_BuildWindow(benchmark::State& state)
{
    configurePalette();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        auto window = std::make_unique<LyrForm>();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
        benchmark::DoNotOptimize(window->dialMap.size());
    }
}
BENCHMARK(BM_BuildWindow)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
