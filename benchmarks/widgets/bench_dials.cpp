// Painting a full page of knobs, as the editor does when a program is loaded
// and every knob of the visible page moves at once. A frame is 16 ms.

#include "QMyDial.h"

#include <QApplication>
#include <QGridLayout>
#include <QImage>
#include <QWidget>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

constexpr int Columns = 15;
constexpr int Rows = 10;

// 150 knobs of 50 x 50 in the mix of ranges, modes and texts the pages use.
std::unique_ptr<QWidget> makePage()
{
    auto page = std::make_unique<QWidget>();
    auto* grid = new QGridLayout(page.get());
    grid->setSpacing(4);
    for (int i = 0; i < Columns * Rows; ++i) {
        auto* dial = new QMyDial(page.get());
        dial->setMinimumSize(50, 50);
        switch (i % 5) {
        case 0:
            dial->setValue(i % 128, true, false);
            break;
        case 1:
            dial->setMode(QMyDial::Centered);
            dial->setRange(-64, 63);
            dial->setDisplayedRange(-64, 63);
            dial->setValue(i % 64 - 32, true, false);
            break;
        case 2:
            dial->setRange(0, 16383);
            dial->setSingleStep(127);
            dial->setDisplayedRange(0.96, 120.0);
            dial->setDisplayedDecimals(1);
            dial->setSuffix("\nms");
            dial->setValue(i * 97, true, false);
            break;
        case 3:
            dial->setRange(0, 16383);
            dial->setDisplayedRange(20.0, 20000.0);
            dial->setSuffix("\nHz");
            dial->setValue(16383 - i * 50, true, false);
            break;
        default:
            dial->setMode(QMyDial::Centered);
            dial->setRange(0, 16383);
            dial->setDisplayedRange(-24.0, 24.0);
            dial->setDisplayedDecimals(1);
            dial->setSuffix("\ndB");
            dial->setOnColor(Qt::cyan);
            dial->setValue(i * 101, true, false);
            break;
        }
        grid->addWidget(dial, i / Columns, i % Columns);
    }
    page->adjustSize();
    page->ensurePolished();
    return page;
}

void BM_PaintPageOf150Dials(benchmark::State& state)
{
    const qreal dpr = state.range(0) / 100.0;
    auto page = makePage();
    QImage image(page->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    for (auto _ : state) {
        page->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["dials"] = Columns * Rows;
    state.SetLabel(QString("%1x%2 px at scale %3").arg(page->width()).arg(page->height()).arg(dpr).toStdString());
}
BENCHMARK(BM_PaintPageOf150Dials)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
