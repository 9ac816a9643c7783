// The knob as the pages use it: values kept in range and signalled exactly as
// the page handlers and the silent page refresh rely on, the shown number,
// mouse, wheel and key input, a ring that lights up to the value and a dot or
// line that points at it; and the fader's thumb and level.

#include "QMyDial.h"
#include "QMySlider.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QtMath>

using namespace widgettest;

// Sends input as the application does; true when the widget took it rather
// than passing it on to the page around it.
static bool taken(QWidget* widget, QEvent&& event)
{
    event.setAccepted(false);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

// Whether the pixel at an angle (0 at three o'clock, counter-clockwise) and
// a distance from the knob's centre has the colour, as near as 8 per channel.
static bool colourAt(const QImage& image, const QMyDial& dial, double degrees, double radius, QColor c)
{
    const QPointF centre = dial.getDialRect().center();
    const double a = qDegreesToRadians(degrees);
    const QColor p = pixelAt(image, QPointF(centre.x() + radius * std::cos(a), centre.y() - radius * std::sin(a)));
    return qAbs(p.red() - c.red()) <= 8 && qAbs(p.green() - c.green()) <= 8 && qAbs(p.blue() - c.blue()) <= 8;
}

class TestKnobs : public QObject
{
    Q_OBJECT
private slots:
    // Each call on a knob at 64 of 0..127.
    void settersKeepTheValueInOrderedBounds_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("emitted"); // -1: nothing announced
        QTest::newRow("value above the top") << "setValue" << 200 << 0 << 0 << 127 << 127 << 127;
        QTest::newRow("value below the bottom") << "setValue" << -5 << 0 << 0 << 127 << 0 << 0;
        QTest::newRow("unchanged value is not announced") << "setValue" << 64 << 0 << 0 << 127 << 64 << -1;
        QTest::newRow("silent value, clamped") << "quiet" << 500 << 0 << 0 << 127 << 127 << -1;
        QTest::newRow("min past max") << "setMin" << 500 << 0 << 126 << 127 << 126 << -1;
        QTest::newRow("max onto min") << "setMax" << 0 << 0 << 0 << 1 << 1 << -1;
        QTest::newRow("range beyond: min against the old max") << "setRange" << 200 << 300 << 126 << 300 << 126 << -1;
        QTest::newRow("range reversed") << "setRange" << -10 << -20 << -10 << -9 << -9 << -1;
    }

    void settersKeepTheValueInOrderedBounds()
    {
        QFETCH(QString, call);
        QFETCH(int, a);
        QFETCH(int, b);
        QMyDial dial;
        dial.setValue(64, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        // By name with their defaulted flags, as string-based connections call them.
        if (call == "quiet")
            dial.setValue(a, true, false);
        else if (call == "setRange")
            QVERIFY(QMetaObject::invokeMethod(&dial, "setRange", Q_ARG(int, a), Q_ARG(int, b)));
        else
            QVERIFY(QMetaObject::invokeMethod(&dial, qPrintable(call), Q_ARG(int, a)));
        QTEST(dial.getMin(), "min");
        QTEST(dial.getMax(), "max");
        QTEST(dial.getValue(), "value");
        QVERIFY(spy.count() <= 1);
        QTEST(spy.isEmpty() ? -1 : spy[0][0].toInt(), "emitted");
    }

    void shownNumberFollowsTheDisplayedScale_data()
    {
        QTest::addColumn<int>("max"); // range 0..max
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0..127 as -64..63") << 127 << -64.0 << 63.0 << 0 << 64 << "0 u";
        QTest::newRow("one decimal") << 16383 << 0.96 << 120.0 << 1 << 0 << "1.0 u";
        QTest::newRow("falling scale") << 16383 << 5.8 << 0.2 << 1 << 16383 << "0.2 u";
        QTest::newRow("a hair below zero reads 0.0") << 16383 << -24.0 << 24.0 << 1 << 8191 << "0.0 u";
        QTest::newRow("below zero") << 16383 << -24.0 << 24.0 << 1 << 0 << "-24.0 u";
        QTest::newRow("any non-zero decimals is one place") << 10 << 0.0 << 1.0 << 3 << 3 << "0.3 u";
    }

    void shownNumberFollowsTheDisplayedScale()
    {
        QFETCH(int, max);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, decimals);
        QFETCH(int, value);
        QMyDial dial;
        dial.setRange(0, max);
        dial.setDisplayedRange(low, high);
        dial.setDisplayedDecimals(uchar(decimals));
        dial.setSuffix(" u");
        dial.setValue(value, true, false);
        QTEST(dial.getDisplayedText(), "text");
    }

    // On an 81 x 81 knob at 10, step 10; positions from the centre pixel, y down.
    void mouseWheelAndKeys_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("input"); // drag, click, wheel, key or double
        QTest::addColumn<QPoint>("at");      // drag and click position; wheel angle
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("took");   // wheel and keys: taken or passed on
        QTest::newRow("drag to twelve o'clock") << 0 << 127 << 0 << true << "drag" << QPoint(0, -30) << "" << 63 << "";
        QTest::newRow("drag to nine o'clock") << 0 << 127 << 0 << true << "drag" << QPoint(-30, 0) << "" << 25 << "";
        QTest::newRow("just left of below is the bottom") << 0 << 127 << 0 << true << "drag" << QPoint(-1, 30) << "" << 0 << "";
        QTest::newRow("in the gap, right") << 0 << 127 << 0 << true << "drag" << QPoint(10, 30) << "" << 127 << "";
        QTest::newRow("14 bit, three o'clock") << 0 << 16383 << 0 << true << "drag" << QPoint(30, 0) << "" << 13106 << "";
        QTest::newRow("a click alone changes nothing") << 0 << 127 << 0 << true << "click" << QPoint(0, -30) << "" << 10 << "";
        QTest::newRow("wheel up, a small notch") << 0 << 127 << 0 << true << "wheel" << QPoint(0, 15) << "" << 20 << "taken";
        QTest::newRow("wheel down") << 0 << 127 << 0 << true << "wheel" << QPoint(0, -120) << "" << 0 << "taken";
        QTest::newRow("horizontal wheel goes down") << 0 << 127 << 0 << true << "wheel" << QPoint(120, 0) << "" << 0 << "taken";
        // Arrow keys left to travel on would scroll the page under the knob.
        QTest::newRow("up") << 0 << 127 << 0 << true << "key" << QPoint() << "Up" << 20 << "taken";
        QTest::newRow("left") << 0 << 127 << 0 << true << "key" << QPoint() << "Left" << 0 << "taken";
        QTest::newRow("other key") << 0 << 127 << 0 << true << "key" << QPoint() << "A" << 10 << "passed on";
        QTest::newRow("double-click goes to 64") << 0 << 127 << 0 << true << "double" << QPoint() << "" << 64 << "";
        QTest::newRow("double-click centres a centred knob") << -63 << 64 << 2 << true << "double" << QPoint() << "" << 0 << "";
        QTest::newRow("disabled: drag") << 0 << 127 << 0 << false << "drag" << QPoint(0, -30) << "" << 10 << "";
        QTest::newRow("disabled: double-click") << 0 << 127 << 0 << false << "double" << QPoint() << "" << 10 << "";
        QTest::newRow("disabled: wheel") << 0 << 127 << 0 << false << "wheel" << QPoint(0, 120) << "" << 10 << "passed on";
        QTest::newRow("disabled: key") << 0 << 127 << 0 << false << "key" << QPoint() << "Up" << 10 << "passed on";
    }

    void mouseWheelAndKeys()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        QFETCH(QString, input);
        QFETCH(QPoint, at);
        QFETCH(QString, key);
        QMyDial dial;
        dial.resize(81, 81);
        dial.setMode(QMyDial::Mode(mode));
        dial.setRange(min, max);
        dial.setSingleStep(10);
        dial.setValue(10, true, false);
        dial.setEnabled(enabled);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        const QPointF c(40, 40), pos = c + QPointF(at);
        QString took;
        if (input == "drag" || input == "click") {
            press(&dial, pos);
            for (int i = 0; i < 2 * (input == "drag"); ++i)
                dragTo(&dial, pos);
            release(&dial, pos);
        } else if (input == "double") {
            mouse(&dial, QEvent::MouseButtonDblClick, c);
        } else if (input == "key") {
            took = taken(&dial, QKeyEvent(QEvent::KeyPress, QKeySequence(key)[0].key(), Qt::NoModifier)) ? "taken" : "passed on";
        } else {
            took = taken(&dial, QWheelEvent(c, dial.mapToGlobal(c), {}, at, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false))
                ? "taken" : "passed on";
        }
        QTEST(dial.getValue(), "value");
        QTEST(took, "took");
        // One signal per change, however many moves brought it.
        QCOMPARE(spy.count(), dial.getValue() != 10 ? 1 : 0);
    }

    void ringLightsUpToTheValue_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("value"); // of 0..127
        QTest::addColumn<int>("size");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QList<double>>("lit");   // angles on the lit part
        QTest::addColumn<QList<double>>("unlit"); // angles on the track only
        // Normal 64: lit from 240 degrees clockwise down to 89.
        QTest::newRow("normal") << 0 << 64 << 60 << 1.0 << QList<double> { 230, 180, 100 } << QList<double> { 80, 0, -50 };
        QTest::newRow("normal, large, scale 2") << 0 << 64 << 120 << 2.0 << QList<double> { 230, 180, 100 } << QList<double> { 80, 0, -50 };
        // Inverted 32: lit from 164 degrees clockwise to the lower-right end.
        QTest::newRow("inverted") << 1 << 32 << 80 << 1.0 << QList<double> { 150, 0, -50 } << QList<double> { 180, 230 };
        // Centred: lit from twelve o'clock to the value.
        QTest::newRow("centred, scale 2") << 2 << 0 << 80 << 2.0 << QList<double> { 100, 180, 230 } << QList<double> { 80, 0 };
    }

    void ringLightsUpToTheValue()
    {
        QFETCH(int, mode);
        QFETCH(int, value);
        QFETCH(int, size);
        QFETCH(double, scale);
        QFETCH(QList<double>, lit);
        QFETCH(QList<double>, unlit);
        QMyDial dial;
        dial.resize(size, size);
        dial.setMode(QMyDial::Mode(mode));
        dial.setOnColor(QColor(200, 30, 30));
        dial.setValue(value, true, false);
        const QImage image = render(&dial, scale);
        // In the middle of the ring's thickness.
        const double radius = dial.getDialRect().width() / 2 - size / 24.0;
        for (double angle : lit)
            QVERIFY2(colourAt(image, dial, angle, radius, QColor(200, 30, 30)), qPrintable(QString("lit at %1").arg(angle)));
        for (double angle : unlit)
            QVERIFY2(colourAt(image, dial, angle, radius, dial.getOffColor()), qPrintable(QString("unlit at %1").arg(angle)));
        QVERIFY(colourAt(image, dial, 270, radius, dial.palette().color(QPalette::Window))); // the gap at the bottom
    }

    // The dot sits a quarter of the knob out from the centre, the line runs
    // between a fifth and two fifths; both point where the value is.
    void dotAndLinePointAtTheValue_data()
    {
        QTest::addColumn<int>("indicator");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("value");
        QTest::addColumn<double>("angle");
        QTest::newRow("dot at the bottom") << 0 << 0 << 0 << 0 << 240.0;
        QTest::newRow("dot at the top") << 0 << 0 << 0 << 127 << -60.0;
        QTest::newRow("line, middle") << 1 << 0 << 0 << 64 << 89.0;
        QTest::newRow("line, inverted, points the same way") << 1 << 1 << 0 << 32 << 165.0;
        QTest::newRow("dot, centred at its centre") << 0 << 2 << -63 << 0 << 90.0;
        QTest::newRow("line, centred at its top") << 1 << 2 << -63 << 64 << -61.0;
    }

    void dotAndLinePointAtTheValue()
    {
        QFETCH(int, indicator);
        QFETCH(int, mode);
        QFETCH(int, min);
        QFETCH(int, value);
        QFETCH(double, angle);
        const QColor marker(0, 200, 0);
        QMyDial dial;
        dial.resize(81, 81);
        dial.setMode(QMyDial::Mode(mode));
        dial.setRange(min, min + 127);
        dial.setIndicatorMode(QMyDial::IndicatorMode(indicator));
        dial.setIndicatorColor(marker);
        dial.setValue(value, true, false);
        const QImage image = render(&dial, 1);
        const double side = dial.getDialRect().width();
        const double radius = indicator == QMyDial::Dot ? side / 4 : (side / 5 + side / 2.5 - 2) / 2;
        QVERIFY(colourAt(image, dial, angle, radius, marker));
        QVERIFY(!colourAt(image, dial, angle + 180, radius, marker));
    }

    // The fader at 50 x 200, border 4, thumb 30 high: the thumb travels from
    // y 162 (value 0) up to y 8 (value 127).
    void faderThumbAndLevelFollowTheValue_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("thumbY");
        QTest::newRow("bottom") << 127 << 0 << 162;
        QTest::newRow("middle") << 127 << 64 << 85;
        QTest::newRow("no maximum: an empty level") << 0 << 0 << 162;
    }

    void faderThumbAndLevelFollowTheValue()
    {
        QFETCH(int, max);
        QFETCH(int, value);
        QFETCH(int, thumbY);
        QMySlider slider;
        slider.resize(50, 200);
        slider.setMin(max > 0 ? 0 : -10);
        slider.setMax(max);
        slider.setValue(value, true, false);
        const QImage image = render(&slider, 1);
        QCOMPARE(slider.getThumbRect(), QRect(8, thumbY, 34, 30));
        // Level: yellow from the groove's bottom up to the thumb, dark above.
        const QColor dark(80, 80, 80), level = value > 0 ? QColor(Qt::yellow) : dark;
        QCOMPARE(pixelAt(image, QPointF(25, 190.5)), level);
        QCOMPARE(pixelAt(image, QPointF(25, std::min(thumbY + 33, 190))), level);
        QCOMPARE(pixelAt(image, QPointF(25, 10)), dark);
    }
};

LYR_TEST_MAIN(TestKnobs)
#include "tst_knobs.moc"
