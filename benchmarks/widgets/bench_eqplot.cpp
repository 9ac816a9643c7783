// The equaliser graph redrawn as the effects page and the equaliser dialog
// redraw it: every band recomputed, handed to the plot and painted.

#include "QMyParametricEqPlot.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

void setUp(QMyParametricEqPlot& plot, int samples)
{
    plot.resize(800, 400);
    plot.show();
    plot.init(4, false);
    plot.setMousDragEnabled(true);
    plot.setFrequencySamples(samples);
    const QMyParametricEq::Type types[] = { QMyParametricEq::LowShelfFilterFirstOrder, QMyParametricEq::PeakingFilter,
                                            QMyParametricEq::PeakingFilter, QMyParametricEq::HighPassFilter12dB };
    const double freqs[] = { 100, 800, 3000, 12000 };
    for (int b = 0; b < 4; ++b) {
        plot.setType(b, types[b], false);
        plot.setFrequency(b, freqs[b], false);
    }
    QApplication::processEvents();
}

// All four bands recomputed and the plot painted at once.
void BM_RedrawFourBands(benchmark::State& state)
{
    QMyParametricEqPlot plot;
    setUp(plot, int(state.range(0)));
    double gain = 0;
    for (auto _ : state) {
        gain = gain > 20 ? -20 : gain + 0.5;
        for (int b = 0; b < 4; ++b)
            plot.setGain(b, gain, false);
        plot.drawAll();
        plot.replot(QCustomPlot::rpImmediateRefresh);
    }
}
BENCHMARK(BM_RedrawFourBands)->Arg(100)->Arg(500)->Unit(benchmark::kMillisecond);

// The responses alone, without painting.
void BM_RecomputeFourBands(benchmark::State& state)
{
    QMyParametricEqPlot plot;
    setUp(plot, int(state.range(0)));
    double gain = 0;
    for (auto _ : state) {
        gain = gain > 20 ? -20 : gain + 0.5;
        for (int b = 0; b < 4; ++b)
            plot.setGain(b, gain, false);
        plot.drawAll();
    }
}
BENCHMARK(BM_RecomputeFourBands)->Arg(500)->Unit(benchmark::kMicrosecond);

// One drag step: the dragged band alone, then the paint.
void BM_DragStep(benchmark::State& state)
{
    QMyParametricEqPlot plot;
    setUp(plot, 100);
    double gain = 0;
    for (auto _ : state) {
        gain = gain > 20 ? -20 : gain + 0.5;
        plot.setGain(1, gain, true);
        plot.replot(QCustomPlot::rpImmediateRefresh);
    }
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMillisecond);

} // namespace
