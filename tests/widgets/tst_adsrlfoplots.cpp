// What the envelope and LFO plots put on the screen: the program's 7-bit
// envelope values and the LFO's depth, rate, delay and shape land on the
// pixels a musician reads them from, at more than one widget size.

#include "TestSupport.h"
#include "QMyAdsrPlot.h"
#include "QMyLfoPlot.h"
#include "WidgetTestHelpers.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QColor kBase(255, 255, 255);

QImage render(QWidget& w, QSize size)
{
    QPalette pal = w.palette();
    pal.setColor(QPalette::Base, kBase);
    pal.setColor(QPalette::Highlight, QColor(0, 0, 128));
    w.setPalette(pal);
    w.resize(size);
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool isInk(QRgb p)
{
    return std::abs(qRed(p) - kBase.red()) + std::abs(qGreen(p) - kBase.green()) + std::abs(qBlue(p) - kBase.blue()) > 150;
}

// First and last row of column x, inside the frame, that carry ink.
QPair<int, int> inkRun(const QImage& img, int x)
{
    int top = -1, bottom = -1;
    for (int y = 1; y < img.height() - 1; ++y) {
        if (isInk(img.pixel(x, y))) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    return { top, bottom };
}

// Every column inside the frame, away from the corners and jumps in `skip`,
// carries ink where the expected curve passes through it.
void checkCurve(const QImage& img, const std::function<double(double)>& curve, const QList<double>& skip)
{
    int checked = 0;
    for (int x = 2; x < img.width() - 2; ++x) {
        const double lo = std::min(curve(x), curve(x + 1)), hi = std::max(curve(x), curve(x + 1));
        if (lo < 3 || hi > img.height() - 4 || std::any_of(skip.begin(), skip.end(), [x](double s) { return std::abs(x + 0.5 - s) < 3; }))
            continue;
        const auto [top, bottom] = inkRun(img, x);
        // A pen two pixels wide covers more rows the steeper it runs.
        const double reach = 1.5 + std::sqrt(1 + (hi - lo) * (hi - lo));
        QVERIFY2(top >= 0 && top >= lo - reach && bottom <= hi + reach && top <= hi + 1 && bottom >= lo - 1,
                 qPrintable(QString("column %1: ink %2..%3, curve %4..%5").arg(x).arg(top).arg(bottom).arg(lo).arg(hi)));
        ++checked;
    }
    QVERIFY2(checked >= 20, "too few columns checked");
}

} // namespace

class TestAdsrLfoPlots : public QObject
{
    Q_OBJECT
private slots:
    void envelopePointsLandOnTheirPixels_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<int>>("envelope"); // start level, then time and level of A, D, S, R
        QTest::addColumn<QList<QPoint>>("pixels");

        const QList<int> typical { 10, 40, 120, 25, 70, 50, 70, 20, 5 };
        QTest::newRow("200x100") << QSize(200, 100) << typical << QList<QPoint> { { 0, 92 }, { 20, 5 }, { 32, 44 }, { 57, 44 }, { 67, 96 } };
        QTest::newRow("333x77") << QSize(333, 77) << typical << QList<QPoint> { { 0, 70 }, { 34, 4 }, { 55, 34 }, { 98, 34 }, { 115, 73 } };
        // Four slowest times reach four thirds of the width; the release runs off the edge.
        QTest::newRow("slowest") << QSize(200, 100) << QList<int> { 0, 127, 100, 127, 50, 127, 50, 127, 0 }
                                 << QList<QPoint> { { 0, 100 }, { 66, 21 }, { 132, 60 }, { 198, 60 }, { 264, 100 } };
    }

    void envelopePointsLandOnTheirPixels()
    {
        QFETCH(QSize, size);
        QFETCH(QList<int>, envelope);
        const QList<int>& e = envelope;
        QFETCH(QList<QPoint>, pixels);
        QMyAdsrPlot plot;
        plot.setStartingPoint(uchar(e[0]));
        plot.setAttack(uchar(e[1]), uchar(e[2]));
        plot.setDecay(uchar(e[3]), uchar(e[4]));
        plot.setSustain(uchar(e[5]), uchar(e[6]));
        plot.setRelease(uchar(e[7]), uchar(e[8]));
        const QImage img = render(plot, size);

        QList<double> corners;
        for (const QPoint& p : pixels)
            corners << p.x();
        checkCurve(img, [&](double x) {
            for (int i = 1; i < pixels.size(); ++i)
                if (x >= pixels[i - 1].x() && x <= pixels[i].x() && pixels[i].x() > pixels[i - 1].x())
                    return pixels[i - 1].y() + (pixels[i].y() - pixels[i - 1].y()) * (x - pixels[i - 1].x()) / (pixels[i].x() - pixels[i - 1].x());
            return -1000.0; // past the envelope: nothing to check
        }, corners);
    }

    void lfoWaveLandsOnItsPixels_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("lfo"); // shape, depth, rate, delay

        for (QSize size : { QSize(160, 81), QSize(251, 60) }) {
            const QByteArray s = " " + QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
            QTest::newRow("sine one cycle" + s) << size << "2 1 0 0";
            QTest::newRow("sine half depth, delayed" + s) << size << "2 0.5 0.3 0.6";
            QTest::newRow("triangle delayed" + s) << size << "0 0.8 0.2 0.5";
            QTest::newRow("square" + s) << size << "1 1 0.1 0";
            QTest::newRow("square flat at depth 0" + s) << size << "1 0 0.7 0.2";
        }
        QTest::newRow("ten cycles at full rate") << QSize(600, 90) << "2 1 1 0";
        QTest::newRow("a shape byte it does not know is a sine") << QSize(160, 81) << "7 1 0.2 0";
    }

    void lfoWaveLandsOnItsPixels()
    {
        QFETCH(QSize, size);
        QFETCH(QString, lfo);
        const QList<double> v = widgettest::numbers(lfo);
        const int shape = int(v[0]);
        const double depth = v[1], rate = v[2], delay = v[3];
        QMyLfoPlot plot;
        plot.setShape(shape);
        plot.setDepth(depth);
        plot.setRate(rate);
        plot.setDelay(delay);
        const QImage img = render(plot, size);

        // The wave in closed form: flat through the delay, then rate * 9 + 1
        // cycles over the width, a third of the height high at full depth,
        // starting downward.
        const int w = size.width() - 1, mid = (size.height() - 1) / 2;
        const double amp = (size.height() - 1) / 3.0 * depth, period = w / (rate * 9 + 1), d = delay * w * 0.25;
        QList<double> jumps { d };
        for (double x = d + (shape == QMyLfoPlot::LfoTriangle) * period / 4; (shape == QMyLfoPlot::LfoTriangle || shape == QMyLfoPlot::LfoSquare) && x < w; x += period / 2)
            jumps << x;
        checkCurve(img, [=](double x) {
            const double p = std::fmod((x - d) / period, 1.0);
            if (x <= d)
                return double(mid);
            if (shape == QMyLfoPlot::LfoTriangle)
                return mid + int(amp) * (4 * std::abs(std::fmod(p + 0.75, 1.0) - 0.5) - 1);
            if (shape == QMyLfoPlot::LfoSquare)
                return double(p < 0.5 ? mid + int(amp) : mid - int(amp));
            return mid + std::sin(2 * M_PI * p) * amp;
        }, jumps);
    }
};

LYR_TEST_MAIN(TestAdsrLfoPlots)
#include "tst_adsrlfoplots.moc"
