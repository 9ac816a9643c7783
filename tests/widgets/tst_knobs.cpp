// The knob as the pages use it: values kept in range and signalled exactly as
// the page handlers and the silent page refresh rely on, the shown number,
// mouse, wheel and key input, and a ring that lights up to the value; and the
// fader's thumb and level.

#include "QMyDial.h"
#include "QMySlider.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtMath>

using namespace widgettest;

namespace {

QList<int> valuesOf(const QSignalSpy& spy)
{
    QList<int> values;
    for (const QList<QVariant>& args : spy)
        values << args.at(0).toInt();
    return values;
}

} // namespace

class TestKnobs : public QObject
{
    Q_OBJECT
private slots:
    void settersKeepTheValueInOrderedBounds_data()
    {
        QTest::addColumn<QString>("call");  // on 0..127 at 64
        QTest::addColumn<QString>("state"); // "min..max value"
        QTest::addColumn<QList<int>>("emitted");

        QTest::newRow("value above the top") << "value 200" << "0..127 127" << QList<int> { 127 };
        QTest::newRow("value below the bottom") << "value -5" << "0..127 0" << QList<int> { 0 };
        QTest::newRow("unchanged value is not announced") << "value 64" << "0..127 64" << QList<int> {};
        QTest::newRow("silent value, clamped") << "quiet 500" << "0..127 127" << QList<int> {};
        QTest::newRow("min past max") << "min 500" << "126..127 126" << QList<int> {};
        QTest::newRow("max onto min") << "max 0" << "0..1 1" << QList<int> {};
        QTest::newRow("range beyond: min against the old max") << "range 200 300" << "126..300 126" << QList<int> {};
        QTest::newRow("range reversed") << "range -10 -20" << "-10..-9 -9" << QList<int> {};
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
        QTEST(QString("%1..%2 %3").arg(dial.getMin()).arg(dial.getMax()).arg(dial.getValue()), "state");
        QTEST(valuesOf(spy), "emitted");
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

    void dragPointsTheKnobAtTheMouse_data()
    {
        QTest::addColumn<QString>("drag"); // range 0..max, mouse from the centre pixel (y down)
        QTest::addColumn<int>("value");
        QTest::newRow("twelve o'clock") << "127 0 -30" << 63;
        QTest::newRow("nine o'clock") << "127 -30 0" << 25;
        QTest::newRow("just left of below is the bottom") << "127 -1 30" << 0;
        QTest::newRow("in the gap, right") << "127 10 30" << 127;
        QTest::newRow("14 bit, three o'clock") << "16383 30 0" << 13106;
    }

    void dragPointsTheKnobAtTheMouse()
    {
        QFETCH(QString, drag);
        QFETCH(int, value);
        const QList<double> d = numbers(drag);
        QMyDial dial;
        dial.resize(81, 81);
        dial.setRange(0, int(d[0]));
        dial.setValue(1 + (value == 1), true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        const QPointF at(40 + d[1], 40 + d[2]);
        // A click alone changes nothing; a drag signals once per change.
        press(&dial, at);
        release(&dial, at);
        QCOMPARE(spy.count(), 0);
        press(&dial, at);
        dragTo(&dial, at);
        dragTo(&dial, at);
        QCOMPARE(valuesOf(spy), QList<int> { value });
    }

    void wheelKeysAndDoubleClick_data()
    {
        QTest::addColumn<QString>("input"); // on a knob at 10, step 10
        QTest::addColumn<int>("value");
        QTest::newRow("wheel up, a small notch") << "wheel 0 15" << 20;
        QTest::newRow("wheel down") << "wheel 0 -120" << 0;
        QTest::newRow("horizontal wheel goes down") << "wheel 120 0" << 0;
        QTest::newRow("up") << "key Up" << 20;
        QTest::newRow("left") << "key Left" << 0;
        QTest::newRow("other key") << "key A" << 10;
        QTest::newRow("double-click goes to 64") << "double" << 64;
        QTest::newRow("double-click centres a centred knob") << "centred double" << 0;
        QTest::newRow("disabled: wheel") << "disabled wheel 0 120" << 10;
        QTest::newRow("disabled: key") << "disabled key Up" << 10;
    }

    void wheelKeysAndDoubleClick()
    {
        QFETCH(QString, input);
        QMyDial dial;
        dial.resize(60, 60);
        dial.setSingleStep(10);
        QStringList w = input.split(' ');
        if (w[0] == "centred") {
            dial.setMode(QMyDial::Centered);
            dial.setRange(-63, 64);
        }
        dial.setValue(10, true, false);
        dial.setEnabled(w[0] != "disabled");
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        if (w[0] == "disabled" || w[0] == "centred")
            w.removeFirst();
        if (w[0] == "double")
            mouse(&dial, QEvent::MouseButtonDblClick, QPointF(30, 30));
        else if (w[0] == "key")
            QTest::keyClick(&dial, QKeySequence(w[1])[0].key());
        else
            QCOMPARE(wheel(&dial, QPoint(w[1].toInt(), w[2].toInt())), dial.isEnabled());
        QTEST(dial.getValue(), "value");
        QCOMPARE(spy.count(), dial.getValue() != 10 ? 1 : 0);
    }

    void arrowKeysTurnTheKnobWithoutScrollingThePage()
    {
        QScrollArea area;
        area.resize(200, 200);
        auto* content = new QWidget;
        content->setMinimumSize(180, 2000);
        auto* dial = new QMyDial(content);
        dial->setGeometry(10, 10, 60, 60);
        dial->setFocusPolicy(Qt::WheelFocus);
        area.setWidget(content);
        area.show();
        QVERIFY(QTest::qWaitForWindowExposed(&area));
        dial->setValue(64, true, false);
        QTest::keyClick(dial, Qt::Key_Down);
        QTest::keyClick(dial, Qt::Key_Down);
        QCOMPARE(dial->getValue(), 62);
        QCOMPARE(area.verticalScrollBar()->value(), 0);
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
        const auto at = [&](double degrees) { // in the middle of the ring's thickness
            const double radius = r.width() / 2 - k[2] / 24, a = qDegreesToRadians(degrees);
            return pixelAt(image, QPointF(r.center().x() + radius * std::cos(a), r.center().y() - radius * std::sin(a)));
        };
        const auto near = [](QColor a, QColor b) {
            return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 && qAbs(a.blue() - b.blue()) <= 8;
        };
        for (double angle : numbers(lit))
            QVERIFY2(near(at(angle), QColor(200, 30, 30)), qPrintable(QString("lit at %1").arg(angle)));
        for (double angle : numbers(unlit))
            QVERIFY2(near(at(angle), dial.getOffColor()), qPrintable(QString("unlit at %1").arg(angle)));
        QCOMPARE(at(270), dial.palette().color(QPalette::Window)); // the gap at the bottom
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
