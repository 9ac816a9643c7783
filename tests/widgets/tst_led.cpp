// The indicator lamp: colour mixing, brightness, its drawing, and a blink
// that runs, pauses and stops without leaving animations behind.

#include "TestSupport.h"
#include "QMyLed.h"

#include <QAbstractAnimation>
#include <QPointer>
#include <QSequentialAnimationGroup>

namespace {

const QColor kHighlight(255, 0, 0);
const QColor kBase(0, 0, 255);

// The lamp takes its colours from the palette when it is built, as it is
// built inside the styled main window.
void usePlainPalette()
{
    QPalette pal = QApplication::palette();
    for (auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
        pal.setColor(group, QPalette::Highlight, kHighlight);
        pal.setColor(group, QPalette::Base, kBase);
        pal.setColor(group, QPalette::Window, Qt::white);
    }
    QApplication::setPalette(pal);
}

QRgb centreColour(QMyLed& led)
{
    const QImage img = led.grab().toImage();
    return img.pixel(led.width() / 2, led.height() / 2);
}

} // namespace

class TestLed : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        usePlainPalette();
    }

    void interpolateColorMixesAllFourComponents_data()
    {
        QTest::addColumn<QColor>("from");
        QTest::addColumn<QColor>("to");
        QTest::addColumn<double>("t");
        QTest::addColumn<QColor>("expected");

        QTest::newRow("half way truncates") << QColor(Qt::black) << QColor(Qt::white) << 0.5 << QColor(127, 127, 127);
        QTest::newRow("start") << QColor(Qt::black) << QColor(Qt::white) << 0.0 << QColor(Qt::black);
        QTest::newRow("end") << QColor(Qt::black) << QColor(Qt::white) << 1.0 << QColor(Qt::white);
        QTest::newRow("past the end clamps") << QColor(Qt::black) << QColor(Qt::white) << 2.0 << QColor(Qt::white);
        QTest::newRow("before the start clamps") << QColor(Qt::black) << QColor(Qt::white) << -1.0 << QColor(Qt::black);
        QTest::newRow("downward and alpha") << QColor(200, 100, 50, 0) << QColor(100, 200, 50, 255) << 0.25
                                            << QColor(175, 125, 50, 63);
    }

    void interpolateColorMixesAllFourComponents()
    {
        QFETCH(QColor, from);
        QFETCH(QColor, to);
        QFETCH(double, t);
        QFETCH(QColor, expected);
        QCOMPARE(interpolateColor(from, to, t), expected);
    }

    void brightnessIsClampedAndReported_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("signal");
        QTest::addColumn<double>("stored");
        QTest::addColumn<int>("emitted");

        QTest::newRow("above one") << 1.5 << true << 1.0 << 1;
        QTest::newRow("below zero") << -0.5 << true << 0.0 << 1;
        QTest::newRow("inside") << 0.3 << true << 0.3 << 1;
        QTest::newRow("quietly") << 0.7 << false << 0.7 << 0;
    }

    void brightnessIsClampedAndReported()
    {
        QFETCH(double, value);
        QFETCH(bool, signal);
        QFETCH(double, stored);
        QFETCH(int, emitted);
        QMyLed led;
        QSignalSpy spy(&led, &QMyLed::brightnessChanged);
        led.setBrighness(value, true, signal);
        QCOMPARE(led.getBrightness(), stored);
        QCOMPARE(spy.count(), emitted);
        if (emitted)
            QCOMPARE(spy.first().first().toDouble(), stored);
        QCOMPARE(led.property("brightness").toDouble(), stored);
    }

    void drawsItsCircleWhereItFits()
    {
        QMyLed led;
        led.resize(40, 20);
        led.setBrighness(1.0);
        const QImage img = led.grab().toImage();
        // Diameter 16 at (14, 2): inside is lit, outside is untouched.
        QCOMPARE(QColor(img.pixel(22, 10)), kHighlight);
        QCOMPARE(QColor(img.pixel(16, 10)), kHighlight);
        QCOMPARE(QColor(img.pixel(28, 10)), kHighlight);
        QCOMPARE(QColor(img.pixel(22, 4)), kHighlight);
        QCOMPARE(QColor(img.pixel(22, 16)), kHighlight);
        for (QPoint outside : { QPoint(12, 10), QPoint(32, 10), QPoint(22, 0), QPoint(22, 19), QPoint(5, 10), QPoint(36, 10) })
            QCOMPARE(QColor(img.pixel(outside)), QColor(Qt::white));
    }

    void brightnessFadesTheFill_data()
    {
        QTest::addColumn<bool>("wasDisabled");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<double>("brightness");
        QTest::addColumn<QColor>("fill");

        QTest::newRow("enabled, on") << false << true << 1.0 << kHighlight;
        QTest::newRow("enabled, off") << false << true << 0.0 << kBase;
        QTest::newRow("enabled, half") << false << true << 0.5 << QColor(127, 0, 127);
        // Disabled: the lamp goes to the Base colour and its off state to
        // half of that; enabled again, the off state is half the lamp colour.
        QTest::newRow("disabled, on") << false << false << 1.0 << kBase;
        QTest::newRow("disabled, off") << false << false << 0.0 << kBase.darker(200);
        QTest::newRow("enabled again, on") << true << true << 1.0 << kHighlight;
        QTest::newRow("enabled again, off") << true << true << 0.0 << kHighlight.darker(200);
    }

    void brightnessFadesTheFill()
    {
        QFETCH(bool, wasDisabled);
        QFETCH(bool, enabled);
        QFETCH(double, brightness);
        QFETCH(QColor, fill);
        QMyLed led;
        led.resize(12, 12);
        if (wasDisabled)
            led.setEnabled(false);
        led.setEnabled(enabled);
        led.setBrighness(brightness);
        QCOMPARE(centreColour(led), fill.rgb());
    }

    void blinkRisesAndFallsUntilStopped()
    {
        QMyLed led;
        led.setBlinkingInterval(80);
        QList<double> seen;
        connect(&led, &QMyLed::brightnessChanged, this, [&](double v) { seen.append(v); });
        led.startBlinking();
        QVERIFY(led.isBlinking());
        QTRY_VERIFY_WITH_TIMEOUT(!seen.isEmpty() && seen.last() > 0.9, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(seen.last() < 0.1, 2000);
        QTRY_VERIFY_WITH_TIMEOUT(seen.last() > 0.9, 2000);

        led.stopBlinking();
        QVERIFY(!led.isBlinking());
        const double left = led.getBrightness();
        seen.clear();
        QTest::qWait(250);
        QVERIFY(seen.isEmpty());
        QCOMPARE(led.getBrightness(), left);
    }

    void defaultBlinkTakesOneSecondEachWay()
    {
        QMyLed led;
        QElapsedTimer clock;
        double peakAt = -1;
        connect(&led, &QMyLed::brightnessChanged, this, [&](double v) {
            if (peakAt < 0 && v >= 0.999)
                peakAt = clock.elapsed();
        });
        clock.start();
        led.startBlinking();
        QTRY_VERIFY_WITH_TIMEOUT(peakAt >= 0, 4000);
        QVERIFY2(peakAt > 800 && peakAt < 2500, qPrintable(QString::number(peakAt)));
        led.stopBlinking();
    }

    void intervalZeroSuspendsBlinking_data()
    {
        QTest::addColumn<bool>("startFirst");
        QTest::newRow("set while blinking") << true;
        QTest::newRow("set before starting") << false;
    }

    void intervalZeroSuspendsBlinking()
    {
        QFETCH(bool, startFirst);
        QMyLed led;
        QSignalSpy spy(&led, &QMyLed::brightnessChanged);
        led.setBlinkingInterval(60);
        if (startFirst) {
            led.startBlinking();
            QTRY_VERIFY(spy.count() > 2);
        }
        led.setBlinkingInterval(0);
        led.startBlinking();
        spy.clear();
        QTest::qWait(150);
        QCOMPARE(spy.count(), 0);
        QVERIFY(led.isBlinking());

        led.setBlinkingInterval(60);
        QTRY_VERIFY(spy.count() > 2);
        led.stopBlinking();
    }

    // Restarting must reuse the one animation: nothing piles up behind the
    // lamp however often the main window starts and stops it.
    void blinkLeavesNoAnimationsBehind()
    {
        QMyLed led;
        led.setBlinkingInterval(50);
        const int children = led.children().size();
        for (int i = 0; i < 50; ++i) {
            led.startBlinking();
            led.stopBlinking();
        }
        led.startBlinking();
        QCOMPARE(led.children().size(), children);
        const auto groups = led.findChildren<QSequentialAnimationGroup*>();
        QCOMPARE(groups.size(), 1);
        QCOMPARE(groups.first()->state(), QAbstractAnimation::Running);
        led.stopBlinking();
        QCOMPARE(groups.first()->state(), QAbstractAnimation::Stopped);
    }

    void deletingABlinkingLampStopsItsAnimation()
    {
        auto* led = new QMyLed;
        led->setBlinkingInterval(40);
        led->startBlinking();
        QTest::qWait(60);
        QPointer<QSequentialAnimationGroup> group = led->findChild<QSequentialAnimationGroup*>();
        QVERIFY(group);
        delete led;
        QVERIFY(group.isNull());
        QTest::qWait(100); // nothing may still animate the deleted lamp
    }
};

LYR_TEST_MAIN(TestLed)
#include "tst_led.moc"
