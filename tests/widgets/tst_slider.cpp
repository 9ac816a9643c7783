// The vertical fader: thumb and level placed by the value, drag by height,
// and the pressed and selected looks.

#include "QMySlider.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QSignalSpy>

using namespace widgettest;

class TestSlider : public QObject
{
    Q_OBJECT
private slots:
    void thumbAndLevelFollowTheValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<int>("thumbY");

        // 50 x 200, border 4, thumb 30 high: the thumb travels from y 162
        // (value 0) up to y 8 (value 127) over 154 pixels.
        QTest::newRow("bottom") << 0 << 1.0 << 162;
        QTest::newRow("middle") << 64 << 1.0 << 85;
        QTest::newRow("top") << 127 << 1.0 << 8;
        QTest::newRow("middle, scale 2") << 64 << 2.0 << 85;
    }

    void thumbAndLevelFollowTheValue()
    {
        QFETCH(int, value);
        QFETCH(qreal, dpr);
        QFETCH(int, thumbY);

        QMySlider slider;
        slider.resize(50, 200);
        slider.setValue(value, true, false);
        const QImage image = render(&slider, dpr);
        QCOMPARE(slider.getThumbRect(), QRect(8, thumbY, 34, 30));

        // Thumb body (away from its centred number) in the thumb colour.
        QCOMPARE(pixelAt(image, QPointF(12, thumbY + 4)), QColor(80, 80, 80));
        // Level: yellow from the groove's bottom up to the thumb, the groove
        // above the thumb dark.
        QCOMPARE(pixelAt(image, QPointF(25, 190.5)), value > 0 ? QColor(Qt::yellow) : QColor(80, 80, 80));
        if (value > 0)
            QCOMPARE(pixelAt(image, QPointF(25, thumbY + 33)), QColor(Qt::yellow));
        if (value < 127)
            QCOMPARE(pixelAt(image, QPointF(25, 10)), QColor(80, 80, 80));
    }

    void noMaximumMeansAnEmptyLevel()
    {
        QMySlider slider;
        slider.resize(50, 200);
        slider.setMin(-10);
        slider.setMax(0);
        slider.setValue(0, true, false);
        QCOMPARE(slider.getMax(), 0);
        const QImage image = render(&slider, 1.0);
        QCOMPARE(slider.getThumbRect().y(), 162);
        QCOMPARE(pixelAt(image, QPointF(25, 190.5)), QColor(80, 80, 80));
    }

    void dragSetsTheValueFromTheHeight_data()
    {
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("value");

        QTest::newRow("top") << 0 << 127;
        QTest::newRow("middle") << 100 << 63;
        QTest::newRow("bottom") << 200 << 0;
        QTest::newRow("below the widget") << 250 << 0;
        QTest::newRow("above the widget") << -40 << 127;
    }

    void dragSetsTheValueFromTheHeight()
    {
        QFETCH(int, y);
        QMySlider slider;
        slider.resize(50, 200);
        slider.setValue(20, true, false);
        QSignalSpy values(&slider, &QMyAbstractSlider::valueChanged);
        press(&slider, QPointF(25, 100));
        dragTo(&slider, QPointF(25, y));
        release(&slider, QPointF(25, y));
        QTEST(slider.getValue(), "value");
        QCOMPARE(values.count(), 1);
    }

    void pressedThumbAndSelectedFrameStandOut()
    {
        QMySlider slider;
        slider.resize(50, 200);
        slider.setValue(0, true, false);
        QSignalSpy pressed(&slider, &QMyAbstractSlider::sliderPressed);

        press(&slider, QPointF(25, 170));
        QCOMPARE(pressed.count(), 1);
        QImage image = render(&slider, 1.0);
        QCOMPARE(pixelAt(image, QPointF(12, 166)), QColor(255, 255, 0));
        release(&slider, QPointF(25, 170));
        image = render(&slider, 1.0);
        QCOMPARE(pixelAt(image, QPointF(12, 166)), QColor(80, 80, 80));

        // Unselected the frame's edge is the background colour; selected, yellow.
        QCOMPARE(pixelAt(image, QPointF(3.5, 100)), QColor(50, 50, 50));
        slider.select(true);
        QVERIFY(slider.isSelected());
        image = render(&slider, 1.0);
        QCOMPARE(pixelAt(image, QPointF(3.5, 100)), QColor(Qt::yellow));
    }
};

LYR_TEST_MAIN(TestSlider)
#include "tst_slider.moc"
