// What the envelope and LFO plots and the indicator lamp put on the screen:
// the program's 7-bit envelope values and the LFO's depth, rate, delay and
// shape land on the pixels a musician reads them from, at more than one
// widget size; the lamp's blink runs and goes with the lamp.

#include "TestSupport.h"
#include "QMyAdsrPlot.h"
#include "QMyLed.h"
#include "QMyLfoPlot.h"

#include <QPointer>
#include <QSequentialAnimationGroup>

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

class TestIndicators : public QObject
{
    Q_OBJECT
private slots:
    void envelopePointsLandOnTheirPixels_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QList<int>>("envelope"); // start level, then time and level of A, D, S, R
        QTest::addColumn<QList<QPoint>>("pixels");
        const QList<int> typical { 10, 40, 120, 25, 70, 50, 70, 20, 5 };
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

    // Flat through the delay, then the cycles, starting downward; a third of
    // the height up and down at full depth. Pixels worked out by hand at the
    // troughs and crests.
    void lfoWaveLandsOnItsPixels_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<int>("shape");
        QTest::addColumn<double>("depth");
        QTest::addColumn<double>("rate");
        QTest::addColumn<double>("delay");
        QTest::addColumn<QList<QPoint>>("pixels");
        QTest::newRow("sine, one cycle") << QSize(160, 81) << 2 << 1.0 << 0.0 << 0.0 << QList<QPoint> { { 0, 40 }, { 40, 66 }, { 119, 13 } };
        QTest::newRow("square, nearly two cycles") << QSize(160, 81) << 1 << 1.0 << 0.1 << 0.0
                                                    << QList<QPoint> { { 15, 66 }, { 60, 13 }, { 100, 66 }, { 145, 13 } };
        QTest::newRow("triangle, delayed") << QSize(251, 60) << 0 << 0.8 << 0.2 << 0.5
                                           << QList<QPoint> { { 15, 29 }, { 54, 45 }, { 98, 14 }, { 143, 45 } };
        QTest::newRow("flat at depth 0") << QSize(160, 81) << 1 << 0.0 << 0.7 << 0.2 << QList<QPoint> { { 5, 40 }, { 80, 40 }, { 150, 40 } };
        QTest::newRow("a shape it does not know is a sine") << QSize(160, 81) << 7 << 1.0 << 0.2 << 0.0
                                                            << QList<QPoint> { { 14, 66 }, { 43, 13 } };
    }

    void lfoWaveLandsOnItsPixels()
    {
        QFETCH(QSize, size);
        QFETCH(int, shape);
        QFETCH(double, depth);
        QFETCH(double, rate);
        QFETCH(double, delay);
        QFETCH(QList<QPoint>, pixels);
        QMyLfoPlot plot;
        plot.setShape(shape);
        plot.setDepth(depth);
        plot.setRate(rate);
        plot.setDelay(delay);
        checkInk(render(plot, size), QList<QPointF>(pixels.cbegin(), pixels.cend()));
    }

    // A blinking lamp rises and falls; deleted while blinking, it takes its
    // animation along.
    void blinkRunsAndLeavesNothingBehind()
    {
        auto* led = new QMyLed;
        QSignalSpy spy(led, &QMyLed::brightnessChanged);
        led->setBlinkingInterval(60);
        led->startBlinking();
        QTRY_VERIFY(!spy.isEmpty() && spy.last().first().toDouble() > 0.9);
        QTRY_VERIFY(spy.last().first().toDouble() < 0.1);
        QPointer<QSequentialAnimationGroup> group = led->findChild<QSequentialAnimationGroup*>();
        QVERIFY(group && group->state() == QAbstractAnimation::Running);
        delete led;
        QVERIFY(group.isNull());
    }
};

LYR_TEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
