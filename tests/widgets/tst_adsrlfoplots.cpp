// What the envelope and LFO plots put on the screen: the program's 7-bit
// envelope values and the LFO's depth, rate, delay and shape land on the
// pixels a musician reads them from, at more than one widget size.

#include "TestSupport.h"
#include "QMyAdsrPlot.h"
#include "QMyLfoPlot.h"

#include <cmath>
#include <functional>

namespace {

const QColor kBase(255, 255, 255);
const QColor kHighlight(0, 0, 128);
const QColor kDisabledBase(220, 220, 220);
const QColor kDisabledText(200, 0, 0);

void usePlainPalette(QWidget& w)
{
    QPalette pal = w.palette();
    pal.setColor(QPalette::Active, QPalette::Base, kBase);
    pal.setColor(QPalette::Inactive, QPalette::Base, kBase);
    pal.setColor(QPalette::Active, QPalette::Highlight, kHighlight);
    pal.setColor(QPalette::Inactive, QPalette::Highlight, kHighlight);
    pal.setColor(QPalette::Disabled, QPalette::Base, kDisabledBase);
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, kDisabledText);
    w.setPalette(pal);
}

QImage render(QWidget& w, QSize size)
{
    w.resize(size);
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

bool isInk(QRgb p, const QColor& background)
{
    return std::abs(qRed(p) - background.red()) + std::abs(qGreen(p) - background.green())
        + std::abs(qBlue(p) - background.blue()) > 150;
}

// First and last row of column x, inside the frame, that carry the curve.
QPair<int, int> inkRun(const QImage& img, int x, const QColor& background = kBase)
{
    int top = -1, bottom = -1;
    for (int y = 1; y < img.height() - 1; ++y) {
        if (isInk(img.pixel(x, y), background)) {
            if (top < 0)
                top = y;
            bottom = y;
        }
    }
    return { top, bottom };
}

// Walks the columns inside the frame and checks that the ink in each lies
// where the expected curve passes through that column, skipping columns
// next to the x positions in `skip` (corners, jumps and marker lines).
void checkCurve(const QImage& img, const std::function<double(double)>& expectedY, const QList<double>& skip)
{
    const int w = img.width();
    const int h = img.height();
    int checked = 0;
    for (int x = 2; x < w - 2; ++x) {
        bool nearSkip = false;
        for (double s : skip)
            nearSkip = nearSkip || std::abs(x + 0.5 - s) < 3;
        if (nearSkip)
            continue;
        const double y0 = expectedY(x);
        const double y1 = expectedY(x + 1);
        const double lo = std::min(y0, y1);
        const double hi = std::max(y0, y1);
        if (lo < 3 || hi > h - 4)
            continue; // too close to the frame to tell apart
        const auto [top, bottom] = inkRun(img, x);
        QVERIFY2(top >= 0, qPrintable(QStringLiteral("column %1: no curve, expected near y %2").arg(x).arg(lo)));
        // A pen two pixels wide covers more rows the steeper it runs.
        const double reach = 1.5 + std::sqrt(1 + (hi - lo) * (hi - lo));
        QVERIFY2(top >= lo - reach && bottom <= hi + reach && top <= hi + 1 && bottom >= lo - 1,
                 qPrintable(QStringLiteral("column %1: curve at rows %2..%3, expected %4..%5")
                                .arg(x).arg(top).arg(bottom).arg(lo).arg(hi)));
        ++checked;
    }
    QVERIFY2(checked >= 20, "too few columns checked");
}

std::function<double(double)> polyline(const QList<QPoint>& points)
{
    return [points](double x) {
        for (int i = 1; i < points.size(); ++i) {
            const QPoint a = points[i - 1];
            const QPoint b = points[i];
            if (x >= a.x() && x <= b.x() && b.x() > a.x())
                return a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x());
        }
        return -1000.0; // past the envelope: nothing to check
    };
}

struct Lfo
{
    int shape;
    double depth, rate, delay;
};

// The LFO's curve in closed form, for a plot of the given size.
std::function<double(double)> lfoCurve(const Lfo& lfo, QSize size, QList<double>* skip)
{
    const int w = size.width() - 1;
    const int mid = (size.height() - 1) / 2;
    const double amp = (size.height() - 1) / 3.0 * lfo.depth;
    const double cycles = lfo.rate * 9 + 1;
    const double period = w / cycles;
    const double d = lfo.delay * w * 0.25;
    skip->append(d);
    if (lfo.shape == QMyLfoPlot::LfoTriangle) {
        for (double x = d + period / 4; x < w; x += period / 2)
            skip->append(x);
        const int a = int(amp);
        return [=](double x) {
            if (x <= d)
                return double(mid);
            const double p = std::fmod((x - d) / period + 0.75, 1.0);
            return mid + a * (4 * std::abs(p - 0.5) - 1);
        };
    }
    if (lfo.shape == QMyLfoPlot::LfoSquare) {
        for (double x = d; x < w; x += period / 2)
            skip->append(x);
        const int a = int(amp);
        return [=](double x) {
            if (x <= d)
                return double(mid);
            return std::fmod((x - d) / period, 1.0) < 0.5 ? double(mid + a) : double(mid - a);
        };
    }
    return [=](double x) {
        if (x <= d)
            return double(mid);
        return mid + std::sin(2 * M_PI * cycles * (x - d) / w) * amp;
    };
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
        QTest::newRow("200x100")
            << QSize(200, 100) << typical << QList<QPoint> { { 0, 92 }, { 20, 5 }, { 32, 44 }, { 57, 44 }, { 67, 96 } };
        QTest::newRow("333x77")
            << QSize(333, 77) << typical << QList<QPoint> { { 0, 70 }, { 34, 4 }, { 55, 34 }, { 98, 34 }, { 115, 73 } };
        // Four slowest times reach four thirds of the width; the release
        // runs off the right edge.
        const QList<int> slow { 0, 127, 100, 127, 50, 127, 50, 127, 0 };
        QTest::newRow("slowest 200x100")
            << QSize(200, 100) << slow << QList<QPoint> { { 0, 100 }, { 66, 21 }, { 132, 60 }, { 198, 60 }, { 264, 100 } };
        QTest::newRow("slowest 333x77")
            << QSize(333, 77) << slow << QList<QPoint> { { 0, 77 }, { 111, 16 }, { 222, 46 }, { 333, 46 }, { 444, 77 } };
    }

    void envelopePointsLandOnTheirPixels()
    {
        QFETCH(QSize, size);
        QFETCH(QList<int>, envelope);
        QFETCH(QList<QPoint>, pixels);

        QMyAdsrPlot plot;
        usePlainPalette(plot);
        plot.setStartingPoint(uchar(envelope[0]));
        plot.setAttack(uchar(envelope[1]), uchar(envelope[2]));
        plot.setDecay(uchar(envelope[3]), uchar(envelope[4]));
        plot.setSustain(uchar(envelope[5]), uchar(envelope[6]));
        plot.setRelease(uchar(envelope[7]), uchar(envelope[8]));
        const QImage img = render(plot, size);

        QList<double> corners;
        for (const QPoint& p : pixels)
            corners.append(p.x());
        checkCurve(img, polyline(pixels), corners);

        // A full-height marker line at the attack, decay and sustain times.
        for (int i : { 1, 2, 3 }) {
            const int x = pixels[i].x();
            if (x >= size.width() - 1)
                continue;
            int ink = 0;
            for (int y = 1; y < size.height() - 1; ++y)
                ink += isInk(img.pixel(x, y), kBase) || isInk(img.pixel(x - 1, y), kBase);
            QVERIFY2(ink >= size.height() - 3, qPrintable(QStringLiteral("no marker at x %1").arg(x)));
        }
    }

    void envelopeOfZeroTimesIsOneVerticalLine()
    {
        QMyAdsrPlot plot;
        usePlainPalette(plot);
        plot.setStartingPoint(0);
        plot.setAttack(0, 127);
        plot.setDecay(0, 90);
        plot.setSustain(0, 90);
        plot.setRelease(0, 0);
        const QImage img = render(plot, QSize(120, 60));
        // Nothing right of the left edge, where the frame covers the line:
        // no curve, no markers.
        for (int x = 2; x < img.width() - 1; ++x)
            QCOMPARE(inkRun(img, x).first, -1);
    }

    void lfoWaveLandsOnItsPixels_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("shape");
        QTest::addColumn<double>("depth");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("delay");

        for (QSize size : { QSize(160, 81), QSize(251, 60) }) {
            const QByteArray s = QByteArray::number(size.width()) + "x" + QByteArray::number(size.height());
            QTest::newRow("sine one cycle " + s) << size << int(QMyLfoPlot::LfoSine) << 1.0 << 0.0 << 0.0;
            QTest::newRow("sine half depth, delayed " + s) << size << int(QMyLfoPlot::LfoSine) << 0.5 << 0.3 << 0.6;
            QTest::newRow("triangle delayed " + s) << size << int(QMyLfoPlot::LfoTriangle) << 0.8 << 0.2 << 0.5;
            QTest::newRow("square " + s) << size << int(QMyLfoPlot::LfoSquare) << 1.0 << 0.1 << 0.0;
            QTest::newRow("triangle flat at depth 0 " + s) << size << int(QMyLfoPlot::LfoTriangle) << 0.0 << 0.7 << 0.2;
            QTest::newRow("square flat at depth 0 " + s) << size << int(QMyLfoPlot::LfoSquare) << 0.0 << 0.7 << 0.2;
            QTest::newRow("sine flat at depth 0 " + s) << size << int(QMyLfoPlot::LfoSine) << 0.0 << 0.7 << 0.2;
        }
        QTest::newRow("ten cycles at full rate") << QSize(600, 90) << int(QMyLfoPlot::LfoSine) << 1.0 << 1.0 << 0.0;
    }

    void lfoWaveLandsOnItsPixels()
    {
        QFETCH(QSize, size);
        QFETCH(int, shape);
        QFETCH(double, depth);
        QFETCH(double, rate);
        QFETCH(double, delay);

        QMyLfoPlot plot;
        usePlainPalette(plot);
        plot.setShape(shape);
        plot.setDepth(depth);
        plot.setRate(rate);
        plot.setDelay(delay);
        const QImage img = render(plot, size);

        QList<double> skip;
        const auto curve = lfoCurve({ shape, depth, rate, delay }, size, &skip);
        checkCurve(img, curve, skip);
    }

    void lfoCountsItsCycles_data()
    {
        QTest::addColumn<double>("rate");
        QTest::addColumn<int>("cycles");
        QTest::newRow("rate 0") << 0.0 << 1;
        QTest::newRow("rate 1/3") << 1.0 / 3 << 4;
        QTest::newRow("rate 1") << 1.0 << 10;
    }

    void lfoCountsItsCycles()
    {
        QFETCH(double, rate);
        QFETCH(int, cycles);
        QMyLfoPlot plot;
        usePlainPalette(plot);
        plot.setShape(QMyLfoPlot::LfoSquare);
        plot.setRate(rate);
        const QImage img = render(plot, QSize(401, 61));
        // Count the stretches where the wave sits in the upper half.
        const int mid = 30;
        int upper = 0;
        bool inUpper = false;
        for (int x = 1; x < img.width() - 1; ++x) {
            const auto [top, bottom] = inkRun(img, x);
            const bool up = top >= 0 && bottom < mid;
            if (up && !inUpper)
                ++upper;
            inUpper = up;
        }
        QCOMPARE(upper, cycles);
    }

    void lfoSettersKeepTheirRange_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("stored");
        QTest::newRow("depth above") << "depth" << 2.0 << 1.0;
        QTest::newRow("depth inside") << "depth" << 0.25 << 0.25;
        QTest::newRow("rate below") << "rate" << -0.5 << 0.0;
        QTest::newRow("delay below") << "delay" << -1.0 << 0.0;
        QTest::newRow("delay above") << "delay" << 1.5 << 1.0;
        QTest::newRow("shape 7 is a sine") << "shape" << 7.0 << 2.0;
        QTest::newRow("shape -1 is a sine") << "shape" << -1.0 << 2.0;
        QTest::newRow("shape square") << "shape" << 1.0 << 1.0;
        QTest::newRow("shape triangle") << "shape" << 0.0 << 0.0;
    }

    void lfoSettersKeepTheirRange()
    {
        QFETCH(QString, setter);
        QFETCH(double, value);
        QFETCH(double, stored);
        QMyLfoPlot plot;
        plot.setShape(QMyLfoPlot::LfoTriangle, false);
        if (setter == "depth") {
            plot.setDepth(value, false);
            QCOMPARE(plot.getDepth(), stored);
        } else if (setter == "rate") {
            plot.setRate(value, false);
            QCOMPARE(plot.getRate(), stored);
        } else if (setter == "delay") {
            plot.setDelay(value, false);
            QCOMPARE(plot.getDelay(), stored);
        } else {
            plot.setShape(int(value), false);
            QCOMPARE(plot.getShape(), int(stored));
        }
    }

    void disabledPlotsUseDisabledColours_data()
    {
        QTest::addColumn<bool>("envelope");
        QTest::newRow("envelope") << true;
        QTest::newRow("lfo") << false;
    }

    void disabledPlotsUseDisabledColours()
    {
        QFETCH(bool, envelope);
        QMyAdsrPlot adsr;
        adsr.setAttack(60, 100);
        adsr.setDecay(60, 50);
        QMyLfoPlot lfo;
        lfo.setRate(0);
        QWidget& plot = envelope ? static_cast<QWidget&>(adsr) : lfo;
        usePlainPalette(plot);
        plot.setEnabled(false);
        const QImage img = render(plot, QSize(150, 61));
        QCOMPARE(QColor(img.pixel(plot.width() - 10, 5)), kDisabledBase);
        const auto [top, bottom] = inkRun(img, 30, kDisabledBase);
        QVERIFY(top >= 0);
        const QColor ink(img.pixel(30, (top + bottom) / 2));
        QVERIFY2(ink.red() > 150 && ink.blue() < 120, qPrintable(ink.name()));
    }
};

LYR_TEST_MAIN(TestAdsrLfoPlots)
#include "tst_adsrlfoplots.moc"
