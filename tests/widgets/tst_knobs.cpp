// The knob as the pages use it: values kept in range and signalled exactly as
// the page handlers and the silent page refresh rely on, the shown number,
// mouse, wheel and key input, and a ring that lights up to the value; and the
// fader's thumb and level.

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

class TestKnobs : public QObject
{
    Q_OBJECT
private slots:
    void settersKeepTheValueInOrderedBounds_data()
    {
        QTest::addColumn<QString>("call");  // on 0..127 at 64
        QTest::addColumn<QString>("state"); // "min..max value", and the value announced
        QTest::newRow("value above the top") << "value 200" << "0..127 127, emits 127";
        QTest::newRow("value below the bottom") << "value -5" << "0..127 0, emits 0";
        QTest::newRow("unchanged value is not announced") << "value 64" << "0..127 64";
        QTest::newRow("silent value, clamped") << "quiet 500" << "0..127 127";
        QTest::newRow("min past max") << "min 500" << "126..127 126";
        QTest::newRow("max onto min") << "max 0" << "0..1 1";
        QTest::newRow("range beyond: min against the old max") << "range 200 300" << "126..300 126";
        QTest::newRow("range reversed") << "range -10 -20" << "-10..-9 -9";
    }

    void settersKeepTheValueInOrderedBounds()
    {
        QFETCH(QString, call);
        const QStringList w = call.split(' ');
        const int a = w.value(1).toInt(), b = w.value(2).toInt();
        QMyDial dial;
        dial.setValue(64, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        // By name with their defaulted flags, as string-based connections call them.
        if (w[0] == "quiet")
            dial.setValue(a, true, false);
        else if (w[0] == "range")
            QVERIFY(QMetaObject::invokeMethod(&dial, "setRange", Q_ARG(int, a), Q_ARG(int, b)));
        else
            QVERIFY(QMetaObject::invokeMethod(&dial, w[0] == "value" ? "setValue" : w[0] == "min" ? "setMin" : "setMax", Q_ARG(int, a)));
        QVERIFY(spy.count() <= 1);
        QTEST(QString("%1..%2 %3").arg(dial.getMin()).arg(dial.getMax()).arg(dial.getValue()) + (spy.isEmpty() ? "" : ", emits " + spy[0][0].toString()), "state");
    }

    void shownNumberFollowsTheDisplayedScale_data()
    {
        QTest::addColumn<QString>("knob"); // range 0..max shown as low..high, decimals, value
        QTest::addColumn<QString>("text");
        QTest::newRow("0..127 as -64..63") << "127 -64 63 0 64" << "0 u";
        QTest::newRow("one decimal") << "16383 0.96 120 1 0" << "1.0 u";
        QTest::newRow("falling scale") << "16383 5.8 0.2 1 16383" << "0.2 u";
        QTest::newRow("a hair below zero reads 0.0") << "16383 -24 24 1 8191" << "0.0 u";
        QTest::newRow("below zero") << "16383 -24 24 1 0" << "-24.0 u";
        QTest::newRow("any non-zero decimals is one place") << "10 0 1 3 3" << "0.3 u";
    }

    void shownNumberFollowsTheDisplayedScale()
    {
        QFETCH(QString, knob);
        const QList<double> k = numbers(knob);
        QMyDial dial;
        dial.setRange(0, int(k[0]));
        dial.setDisplayedRange(k[1], k[2]);
        dial.setDisplayedDecimals(uchar(k[3]));
        dial.setSuffix(" u");
        dial.setValue(int(k[4]), true, false);
        QTEST(dial.getDisplayedText(), "text");
    }

    void mouseWheelAndKeys_data()
    {
        QTest::addColumn<QString>("knob");   // min, max, mode, enabled; at 10, step 10, 81 x 81
        QTest::addColumn<QString>("input");  // drags and clicks from the centre pixel, y down
        QTest::addColumn<QString>("result"); // value, and for wheel and keys whether the knob took them
        QTest::newRow("drag to twelve o'clock") << "0 127 0 1" << "drag 0 -30" << "63";
        QTest::newRow("drag to nine o'clock") << "0 127 0 1" << "drag -30 0" << "25";
        QTest::newRow("just left of below is the bottom") << "0 127 0 1" << "drag -1 30" << "0";
        QTest::newRow("in the gap, right") << "0 127 0 1" << "drag 10 30" << "127";
        QTest::newRow("14 bit, three o'clock") << "0 16383 0 1" << "drag 30 0" << "13106";
        QTest::newRow("a click alone changes nothing") << "0 127 0 1" << "click 0 -30" << "10";
        QTest::newRow("wheel up, a small notch") << "0 127 0 1" << "wheel 0 15" << "20 taken";
        QTest::newRow("wheel down") << "0 127 0 1" << "wheel 0 -120" << "0 taken";
        QTest::newRow("horizontal wheel goes down") << "0 127 0 1" << "wheel 120 0" << "0 taken";
        // Arrow keys left to travel on would scroll the page under the knob.
        QTest::newRow("up") << "0 127 0 1" << "key Up" << "20 taken";
        QTest::newRow("left") << "0 127 0 1" << "key Left" << "0 taken";
        QTest::newRow("other key") << "0 127 0 1" << "key A" << "10 passed on";
        QTest::newRow("double-click goes to 64") << "0 127 0 1" << "double" << "64";
        QTest::newRow("double-click centres a centred knob") << "-63 64 2 1" << "double" << "0";
        QTest::newRow("disabled: wheel") << "0 127 0 0" << "wheel 0 120" << "10 passed on";
        QTest::newRow("disabled: key") << "0 127 0 0" << "key Up" << "10 passed on";
    }

    void mouseWheelAndKeys()
    {
        QFETCH(QString, knob);
        QFETCH(QString, input);
        const QList<double> k = numbers(knob);
        const QStringList w = input.split(' ');
        QMyDial dial;
        dial.resize(81, 81);
        dial.setMode(QMyDial::Mode(k[2]));
        dial.setRange(int(k[0]), int(k[1]));
        dial.setSingleStep(10);
        dial.setValue(10, true, false);
        dial.setEnabled(k[3] != 0);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        const QPointF c(40, 40), at = c + QPointF(w.value(1).toDouble(), w.value(2).toDouble());
        QString took;
        if (w[0] == "drag" || w[0] == "click") {
            press(&dial, at);
            for (int i = 0; i < 2 * (w[0] == "drag"); ++i)
                dragTo(&dial, at);
            release(&dial, at);
        } else if (w[0] == "double") {
            mouse(&dial, QEvent::MouseButtonDblClick, c);
        } else if (w[0] == "key") {
            took = taken(&dial, QKeyEvent(QEvent::KeyPress, QKeySequence(w[1])[0].key(), Qt::NoModifier)) ? " taken" : " passed on";
        } else {
            const QPoint angle = (at - c).toPoint();
            took = taken(&dial, QWheelEvent(c, dial.mapToGlobal(c), {}, angle, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false)) ? " taken" : " passed on";
        }
        QTEST(QString::number(dial.getValue()) + took, "result");
        // One signal per change, however many moves brought it.
        QCOMPARE(spy.count(), dial.getValue() != 10 ? 1 : 0);
    }

    void ringLightsUpToTheValue_data()
    {
        QTest::addColumn<QString>("knob");  // mode, value of 0..127, size, display scale
        QTest::addColumn<QString>("lit");   // angles on the lit part (0 at three o'clock,
        QTest::addColumn<QString>("unlit"); // counter-clockwise), and on the track only
        // Normal 64: lit from 240 degrees clockwise down to 89.
        QTest::newRow("normal") << "0 64 60 1" << "230 180 100" << "80 0 -50";
        QTest::newRow("normal, large, scale 2") << "0 64 120 2" << "230 180 100" << "80 0 -50";
        // Inverted 32: lit from 164 degrees clockwise to the lower-right end.
        QTest::newRow("inverted") << "1 32 80 1" << "150 0 -50" << "180 230";
        // Centred: lit from twelve o'clock to the value.
        QTest::newRow("centred, scale 2") << "2 0 80 2" << "100 180 230" << "80 0";
    }

    void ringLightsUpToTheValue()
    {
        QFETCH(QString, knob);
        QFETCH(QString, lit);
        QFETCH(QString, unlit);
        const QList<double> k = numbers(knob);
        QMyDial dial;
        dial.resize(int(k[2]), int(k[2]));
        dial.setMode(QMyDial::Mode(k[0]));
        dial.setOnColor(QColor(200, 30, 30));
        dial.setValue(int(k[1]), true, false);
        const QImage image = render(&dial, k[3]);
        const QRectF r = dial.getDialRect();
        // The colour at an angle, in the middle of the ring's thickness, as near as 8 per channel.
        const auto at = [&](double degrees, QColor c) {
            const double radius = r.width() / 2 - k[2] / 24, a = qDegreesToRadians(degrees);
            const QColor p = pixelAt(image, QPointF(r.center().x() + radius * std::cos(a), r.center().y() - radius * std::sin(a)));
            return qAbs(p.red() - c.red()) <= 8 && qAbs(p.green() - c.green()) <= 8 && qAbs(p.blue() - c.blue()) <= 8;
        };
        for (double angle : numbers(lit))
            QVERIFY2(at(angle, QColor(200, 30, 30)), qPrintable(QString("lit at %1").arg(angle)));
        for (double angle : numbers(unlit))
            QVERIFY2(at(angle, dial.getOffColor()), qPrintable(QString("unlit at %1").arg(angle)));
        QVERIFY(at(270, dial.palette().color(QPalette::Window))); // the gap at the bottom
    }

    void faderThumbAndLevelFollowTheValue_data()
    {
        // 50 x 200, border 4, thumb 30 high: the thumb travels from y 162
        // (value 0) up to y 8 (value 127).
        QTest::addColumn<QString>("fader"); // maximum, value, display scale
        QTest::addColumn<int>("thumbY");
        QTest::newRow("bottom") << "127 0 1" << 162;
        QTest::newRow("middle, scale 2") << "127 64 2" << 85;
        QTest::newRow("no maximum: an empty level") << "0 0 1" << 162;
    }

    void faderThumbAndLevelFollowTheValue()
    {
        QFETCH(QString, fader);
        QFETCH(int, thumbY);
        const QList<double> f = numbers(fader);
        QMySlider slider;
        slider.resize(50, 200);
        slider.setMin(f[0] > 0 ? 0 : -10);
        slider.setMax(int(f[0]));
        slider.setValue(int(f[1]), true, false);
        const QImage image = render(&slider, f[2]);
        QCOMPARE(slider.getThumbRect(), QRect(8, thumbY, 34, 30));
        // Level: yellow from the groove's bottom up to the thumb, dark above.
        const QColor dark(80, 80, 80), level = f[1] > 0 ? QColor(Qt::yellow) : dark;
        QCOMPARE(pixelAt(image, QPointF(25, 190.5)), level);
        QCOMPARE(pixelAt(image, QPointF(25, std::min(thumbY + 33, 190))), level);
        QCOMPARE(pixelAt(image, QPointF(25, 10)), dark);
    }
};

LYR_TEST_MAIN(TestKnobs)
#include "tst_knobs.moc"
