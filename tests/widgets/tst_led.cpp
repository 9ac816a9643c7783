// The indicator lamp: its fill between off and on, and a blink that runs,
// pauses at interval 0 and stops without leaving animations behind.

#include "TestSupport.h"
#include "QMyLed.h"

#include <QPointer>
#include <QSequentialAnimationGroup>

namespace {
const QColor kHighlight(255, 0, 0), kBase(0, 0, 255);
}

class TestLed : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        // The lamp takes its colours from the palette it is built with.
        QPalette pal = QApplication::palette();
        pal.setColor(QPalette::Highlight, kHighlight);
        pal.setColor(QPalette::Base, kBase);
        pal.setColor(QPalette::Window, Qt::white);
        QApplication::setPalette(pal);
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

LYR_TEST_MAIN(TestLed)
#include "tst_led.moc"
