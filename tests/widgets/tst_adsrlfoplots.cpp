// What the envelope and LFO plots put on the screen: the program's 7-bit
// envelope values and the LFO's depth, rate, delay and shape land on the
// pixels a musician reads them from, at more than one widget size.

#include "TestSupport.h"
#include "QMyAdsrPlot.h"
#include "QMyLfoPlot.h"
#include "WidgetTestHelpers.h"

#include <cmath>

namespace {

// The plot at that size, dark on white.
QImage render(QWidget& w, QSize size)
{
    QPalette pal = w.palette();
    pal.setColor(QPalette::Base, Qt::white);
    pal.setColor(QPalette::Highlight, QColor(0, 0, 128));
    w.setPalette(pal);
    w.resize(size);
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Every point has ink within a row of it, in its column; points on the
// frame or past it are not looked at.
void checkInk(const QImage& img, const QList<QPointF>& points)
{
    for (const QPointF& p : points) {
        bool ink = p.x() >= img.width() - 1 || p.y() >= img.height() - 1;
        for (int y = qMax(1, int(p.y()) - 1); y <= qMin(img.height() - 2, int(p.y()) + 1); ++y)
            ink = ink || 765 - qRed(img.pixel(int(p.x()), y)) - qGreen(img.pixel(int(p.x()), y)) - qBlue(img.pixel(int(p.x()), y)) > 150;
        QVERIFY2(ink, qPrintable(QString("no ink near %1, %2").arg(p.x()).arg(p.y())));
    }
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
        QFETCH(QList<int>, envelope);
        QFETCH(QList<QPoint>, pixels);
        const QList<int>& e = envelope;
        QMyAdsrPlot plot;
        plot.setStartingPoint(uchar(e[0]));
        plot.setAttack(uchar(e[1]), uchar(e[2]));
        plot.setDecay(uchar(e[3]), uchar(e[4]));
        plot.setSustain(uchar(e[5]), uchar(e[6]));
        plot.setRelease(uchar(e[7]), uchar(e[8]));
        // Each corner, and the lines between them.
        QList<QPointF> points;
        for (int i = 1; i < pixels.size(); ++i)
            for (double t : { 0.0, 0.25, 0.5, 0.75, 1.0 })
                points << QPointF(pixels[i - 1]) + t * QPointF(pixels[i] - pixels[i - 1]);
        QFETCH(QSize, size);
        checkInk(render(plot, size), points);
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
        QMyLfoPlot plot;
        plot.setShape(shape);
        plot.setDepth(v[1]);
        plot.setRate(v[2]);
        plot.setDelay(v[3]);
        // Flat through the delay (a quarter of the width at most), then
        // rate * 9 + 1 cycles over the width, a third of the height high at
        // full depth, starting downward: lowest at a quarter of each cycle,
        // highest at three quarters, and at an eighth as far down as the
        // shape has come by then.
        const double w = size.width() - 1, mid = (size.height() - 1) / 2, amp = (size.height() - 1) / 3.0 * v[1];
        const double period = w / (v[2] * 9 + 1), d = v[3] * w * 0.25;
        const double eighth = shape == QMyLfoPlot::LfoTriangle ? 0.5 : shape == QMyLfoPlot::LfoSquare ? 1 : M_SQRT1_2;
        QList<QPointF> points { { d / 2, mid } };
        for (double start = d; start < w; start += period)
            points << QPointF(start + period / 8, mid + amp * eighth) << QPointF(start + period / 4, mid + amp) << QPointF(start + period * 3 / 4, mid - amp);
        checkInk(render(plot, size), points);
    }
};

LYR_TEST_MAIN(TestAdsrLfoPlots)
#include "tst_adsrlfoplots.moc"
