// What the envelope and LFO plots and the indicator lamp put on the screen:
// the program's 7-bit envelope values and the LFO's depth, rate, delay and
// shape land on the pixels a musician reads them from, at more than one
// widget size; the lamp's fill lies between off and on, and its blink runs,
// pauses at interval 0 and stops without leaving animations behind.

#include "TestSupport.h"
#include "QMyAdsrPlot.h"
#include "QMyLed.h"
#include "QMyLfoPlot.h"

#include <QPointer>
#include <QSequentialAnimationGroup>

namespace {

const QColor kHighlight(255, 0, 0), kBase(0, 0, 255);

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
    // The lamp takes its colours from the palette it is built with; the
    // plots set their own.
    void initTestCase()
    {
        QPalette pal = QApplication::palette();
        pal.setColor(QPalette::Highlight, kHighlight);
        pal.setColor(QPalette::Base, kBase);
        pal.setColor(QPalette::Window, Qt::white);
        QApplication::setPalette(pal);
    }

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

    void fillFollowsBrightnessInsideItsCircle_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("reenabled"); // disabled first
        QTest::addColumn<double>("brightness");
        QTest::addColumn<QColor>("fill");
        QTest::newRow("on") << true << false << 1.0 << kHighlight;
        QTest::newRow("half way, truncated") << true << false << 0.5 << QColor(127, 0, 127);
        QTest::newRow("beyond on") << true << false << 1.5 << kHighlight;
        // Disabled the lamp goes to the Base colour and its off state to half
        // of that; enabled again, the off state is half the lamp colour.
        QTest::newRow("disabled, off") << false << false << 0.0 << kBase.darker(200);
        QTest::newRow("enabled again, off") << true << true << -1.0 << kHighlight.darker(200);
    }

    void fillFollowsBrightnessInsideItsCircle()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, reenabled);
        QFETCH(double, brightness);
        QFETCH(QColor, fill);
        QMyLed led;
        led.resize(40, 20);
        led.setEnabled(!reenabled && enabled);
        led.setEnabled(enabled);
        led.setBrighness(brightness);
        // Diameter 16 at (14, 2): inside filled, outside untouched.
        const QImage img = led.grab().toImage();
        for (QPoint inside : { QPoint(22, 10), QPoint(16, 10), QPoint(28, 10), QPoint(22, 4), QPoint(22, 16) })
            QCOMPARE(img.pixel(inside), fill.rgb());
        for (QPoint outside : { QPoint(12, 10), QPoint(32, 10), QPoint(22, 0), QPoint(22, 19) })
            QCOMPARE(QColor(img.pixel(outside)), QColor(Qt::white));
    }

    // Interval 0 holds the blink, whether set before starting or while
    // blinking; an interval again lets the lamp rise and fall. However often
    // it is started and stopped, the lamp reuses its one animation, and
    // deleting a blinking lamp takes the animation along.
    void blinkPausesStopsAndLeavesNothingBehind()
    {
        auto* led = new QMyLed;
        const int children = led->children().size();
        QSignalSpy spy(led, &QMyLed::brightnessChanged);
        const auto stays = [&spy] {
            spy.clear();
            QTest::qWait(150);
            return spy.isEmpty();
        };
        led->setBlinkingInterval(0);
        led->startBlinking();
        QVERIFY(stays() && led->isBlinking());
        led->setBlinkingInterval(60);
        QTRY_VERIFY(!spy.isEmpty() && spy.last().first().toDouble() > 0.9);
        QTRY_VERIFY(spy.last().first().toDouble() < 0.1);
        led->setBlinkingInterval(0);
        QVERIFY(stays() && led->isBlinking());
        led->setBlinkingInterval(40);
        for (int i = 0; i < 50; ++i) {
            led->startBlinking();
            led->stopBlinking();
        }
        QVERIFY(stays());
        led->startBlinking();
        QCOMPARE(led->children().size(), children);
        QPointer<QSequentialAnimationGroup> group = led->findChild<QSequentialAnimationGroup*>();
        QTRY_VERIFY(spy.count() > 2);
        delete led;
        QVERIFY(group.isNull());
    }
};

LYR_TEST_MAIN(TestIndicators)
#include "tst_indicators.moc"
