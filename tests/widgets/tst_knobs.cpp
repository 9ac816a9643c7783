// The knob as the pages use it: values kept in range and signalled exactly as
// the page handlers and the silent page refresh rely on, the shown number,
// mouse, wheel and key input, a ring that lights up to the value and a dot or
// line that points at it.

#include "QMyDial.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QtMath>

using namespace widgettest;

// A knob of size x size pixels painted at a scale, with range min..min + 127.
struct Look
{
    QMyDial::Mode mode;
    QMyDial::IndicatorMode indicator;
    int min, value, size;
    double scale;
};
Q_DECLARE_METATYPE(Look)

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
        if (call == "setRange")
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
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<double>("low");
        QTest::addColumn<double>("high");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("a hair below zero reads 0.0") << 0 << 16383 << -24.0 << 24.0 << 1 << 8191 << "0.0 u";
        QTest::newRow("below zero") << 0 << 16383 << -24.0 << 24.0 << 1 << 0 << "-24.0 u";
        QTest::newRow("whole numbers") << 0 << 127 << 0.0 << 127.0 << 0 << 100 << "100 u";
        QTest::newRow("a negative range, shown as it is") << -48 << 48 << -48.0 << 48.0 << 0 << -1 << "-1 u";
        QTest::newRow("a negative range, shown from 0") << -64 << 63 << 0.0 << 12.7 << 1 << 0 << "6.4 u";
    }

    void shownNumberFollowsTheDisplayedScale()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(double, low);
        QFETCH(double, high);
        QFETCH(int, decimals);
        QFETCH(int, value);
        QMyDial dial;
        dial.setRange(min, max);
        dial.setDisplayedRange(low, high);
        dial.setDisplayedDecimals(uchar(decimals));
        dial.setSuffix(" u");
        dial.setValue(value, true, false);
        QTEST(dial.getDisplayedText(), "text");
    }

    // On an 81 x 81 knob at 10 of 0..127 (centred: -63..64), step 10;
    // positions from the centre pixel, y down.
    void mouseWheelAndKeys_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QString>("input"); // drag, click, wheel, key or double
        QTest::addColumn<QPoint>("at");      // drag and click position; wheel angle
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("took");   // wheel and keys: taken or passed on
        QTest::newRow("drag to twelve o'clock") << 0 << true << "drag" << QPoint(0, -30) << 0 << 63 << "";
        QTest::newRow("just left of below is the bottom") << 0 << true << "drag" << QPoint(-1, 30) << 0 << 0 << "";
        QTest::newRow("in the gap, right") << 0 << true << "drag" << QPoint(10, 30) << 0 << 127 << "";
        QTest::newRow("a click alone changes nothing") << 0 << true << "click" << QPoint(0, -30) << 0 << 10 << "";
        QTest::newRow("wheel up, a small notch") << 0 << true << "wheel" << QPoint(0, 15) << 0 << 20 << "taken";
        QTest::newRow("horizontal wheel goes down") << 0 << true << "wheel" << QPoint(120, 0) << 0 << 0 << "taken";
        // Arrow keys left to travel on would scroll the page under the knob.
        QTest::newRow("up") << 0 << true << "key" << QPoint() << int(Qt::Key_Up) << 20 << "taken";
        QTest::newRow("left") << 0 << true << "key" << QPoint() << int(Qt::Key_Left) << 0 << "taken";
        QTest::newRow("other key") << 0 << true << "key" << QPoint() << int(Qt::Key_A) << 10 << "passed on";
        QTest::newRow("double-click goes to 64") << 0 << true << "double" << QPoint() << 0 << 64 << "";
        QTest::newRow("centred: a quarter right") << 2 << true << "drag" << QPoint(30, 0) << 0 << 38 << "";
        QTest::newRow("centred: a quarter left, cut toward 0") << 2 << true << "drag" << QPoint(-30, 0) << 0 << -37 << "";
        QTest::newRow("double-click centres a centred knob") << 2 << true << "double" << QPoint() << 0 << 0 << "";
        QTest::newRow("disabled: drag") << 0 << false << "drag" << QPoint(0, -30) << 0 << 10 << "";
        QTest::newRow("disabled: double-click") << 0 << false << "double" << QPoint() << 0 << 10 << "";
        QTest::newRow("disabled: wheel") << 0 << false << "wheel" << QPoint(0, 120) << 0 << 10 << "passed on";
        QTest::newRow("disabled: key") << 0 << false << "key" << QPoint() << int(Qt::Key_Up) << 10 << "passed on";
    }

    void mouseWheelAndKeys()
    {
        QFETCH(int, mode);
        QFETCH(bool, enabled);
        QFETCH(QString, input);
        QFETCH(QPoint, at);
        QFETCH(int, key);
        QMyDial dial;
        dial.resize(81, 81);
        dial.setMode(QMyDial::Mode(mode));
        dial.setRange(mode == QMyDial::Centered ? -63 : 0, mode == QMyDial::Centered ? 64 : 127);
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
            took = taken(&dial, QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier)) ? "taken" : "passed on";
        } else {
            took = taken(&dial, QWheelEvent(c, dial.mapToGlobal(c), {}, at, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false))
                ? "taken" : "passed on";
        }
        QTEST(dial.getValue(), "value");
        QTEST(took, "took");
        // One signal per change, however many moves brought it.
        QCOMPARE(spy.count(), dial.getValue() != 10 ? 1 : 0);
    }

    // The ring is lit up to the value; the dot sits a quarter of the knob out
    // from the centre, the line runs between a fifth and two fifths, and both
    // point where the value is.
    void ringAndMarkerShowTheValue_data()
    {
        QTest::addColumn<Look>("look");
        QTest::addColumn<QList<double>>("lit");   // ring angles lit
        QTest::addColumn<QList<double>>("unlit"); // ring angles on the track only
        QTest::addColumn<double>("marker");
        using L = QList<double>;
        const QMyDial::IndicatorMode dot = QMyDial::Dot, line = QMyDial::Line;
        // Normal: lit from 240 degrees clockwise down to the value.
        QTest::newRow("normal, dot at the bottom") << Look { QMyDial::Normal, dot, 0, 0, 81, 1 } << L {} << L { 230, 100, 0 } << 240.0;
        QTest::newRow("normal, line in the middle") << Look { QMyDial::Normal, line, 0, 64, 60, 1 } << L { 230, 180, 100 } << L { 80, 0, -50 } << 89.0;
        QTest::newRow("normal, a negative range, dot in the middle") << Look { QMyDial::Normal, dot, -64, 0, 81, 1 } << L { 230, 180, 100 } << L { 80, 0, -50 } << 89.0;
        QTest::newRow("normal, dot at the top, scale 2") << Look { QMyDial::Normal, dot, 0, 127, 120, 2 } << L { 230, 100, -50 } << L {} << -60.0;
        // Inverted: lit from the value clockwise down to -60 degrees.
        QTest::newRow("inverted, a negative range, line up right") << Look { QMyDial::Inverted, line, -64, 32, 81, 1 } << L { 0, -50 } << L { 40, 180, 230 } << 13.0;
        // Centred: lit from twelve o'clock to the value.
        QTest::newRow("centred, dot at its centre") << Look { QMyDial::Centered, dot, -63, 0, 81, 1 } << L {} << L { 180, 0 } << 90.0;
        QTest::newRow("centred, line at its bottom, scale 2") << Look { QMyDial::Centered, line, -63, -63, 80, 2 } << L { 100, 180, 230 } << L { 80, 0 } << 240.0;
        QTest::newRow("centred, line at its top") << Look { QMyDial::Centered, line, -63, 64, 81, 1 } << L { 80, 0, -50 } << L { 100, 180, 230 } << -61.0;
    }

    void ringAndMarkerShowTheValue()
    {
        QFETCH(Look, look);
        QFETCH(QList<double>, lit);
        QFETCH(QList<double>, unlit);
        QFETCH(double, marker);
        const QColor on(200, 30, 30), pointer(0, 200, 0);
        QMyDial dial;
        dial.resize(look.size, look.size);
        dial.setMode(look.mode);
        dial.setRange(look.min, look.min + 127);
        dial.setIndicatorMode(look.indicator);
        dial.setOnColor(on);
        dial.setIndicatorColor(pointer);
        dial.setValue(look.value, true, false);
        const QImage image = render(&dial, look.scale);
        // In the middle of the ring's thickness.
        const double side = dial.getDialRect().width(), ring = side / 2 - look.size / 24.0;
        for (double angle : lit)
            QVERIFY2(colourAt(image, dial, angle, ring, on), qPrintable(QString("lit at %1").arg(angle)));
        for (double angle : unlit)
            QVERIFY2(colourAt(image, dial, angle, ring, dial.getOffColor()), qPrintable(QString("unlit at %1").arg(angle)));
        QVERIFY(colourAt(image, dial, 270, ring, dial.palette().color(QPalette::Window))); // the gap at the bottom
        const double radius = look.indicator == QMyDial::Dot ? side / 4 : (side / 5 + side / 2.5 - 2) / 2;
        QVERIFY(colourAt(image, dial, marker, radius, pointer));
        QVERIFY(!colourAt(image, dial, marker + 180, radius, pointer));
    }
};

LYR_TEST_MAIN(TestKnobs)
#include "tst_knobs.moc"
