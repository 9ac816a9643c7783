// The knob as the pages use it: values kept in range and signalled exactly as
// the page handlers and the silent page refresh rely on, the shown number,
// mouse, wheel and key input, and a ring that lights up to the value.

#include "QMyDial.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtMath>

using namespace widgettest;

Q_DECLARE_METATYPE(QMyDial::Mode)

namespace {

QList<int> valuesOf(const QSignalSpy& spy)
{
    QList<int> values;
    for (const QList<QVariant>& args : spy)
        values << args.at(0).toInt();
    return values;
}

// A point in the middle of the ring's thickness at a given angle (degrees,
// 0 at three o'clock, counter-clockwise positive).
QPointF ringPoint(const QMyDial& dial, double degrees)
{
    const QRectF r = dial.getDialRect();
    const double margin = qMin(dial.width(), dial.height()) / 12.0;
    const double radius = r.width() / 2 - margin / 2;
    const double a = qDegreesToRadians(degrees);
    return QPointF(r.center().x() + radius * std::cos(a), r.center().y() - radius * std::sin(a));
}

bool near(QColor a, QColor b)
{
    return qAbs(a.red() - b.red()) <= 8 && qAbs(a.green() - b.green()) <= 8 && qAbs(a.blue() - b.blue()) <= 8;
}

} // namespace

class TestDial : public QObject
{
    Q_OBJECT
private slots:
    // ------------------------------------------------------------ value model

    void setValueClampsAndSignals_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("request");
        QTest::addColumn<bool>("signal");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QList<int>>("emitted");

        QTest::newRow("inside") << 10 << 50 << true << 50 << QList<int> { 50 };
        QTest::newRow("above the top") << 10 << 200 << true << 127 << QList<int> { 127 };
        QTest::newRow("above the top, already there") << 127 << 200 << true << 127 << QList<int> { 127 };
        QTest::newRow("the top, already there") << 127 << 127 << true << 127 << QList<int> {};
        QTest::newRow("below the bottom") << 10 << -5 << true << 0 << QList<int> { 0 };
        QTest::newRow("silent") << 10 << 50 << false << 50 << QList<int> {};
        QTest::newRow("silent, clamped") << 10 << 500 << false << 127 << QList<int> {};
    }

    void setValueClampsAndSignals()
    {
        QFETCH(int, start);
        QFETCH(int, request);
        QFETCH(bool, signal);
        QFETCH(int, expected);
        QFETCH(QList<int>, emitted);

        QMyDial dial;
        dial.setValue(start, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        dial.setValue(request, true, signal);
        QCOMPARE(dial.getValue(), expected);
        QCOMPARE(valuesOf(spy), emitted);
    }

    void boundsNeverCrossAndValueFollowsSilently_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");

        QTest::newRow("min onto max") << "min" << 127 << 0 << 0 << 126 << 127 << 126;
        QTest::newRow("min past max") << "min" << 500 << 0 << 0 << 126 << 127 << 126;
        QTest::newRow("max onto min") << "max" << 0 << 0 << 50 << 0 << 1 << 1;
        QTest::newRow("max below the value") << "max" << 40 << 0 << 100 << 0 << 40 << 40;
        QTest::newRow("min above the value") << "min" << 20 << 0 << 5 << 20 << 127 << 20;
        QTest::newRow("range beyond: min against the old max") << "range" << 200 << 300 << 64 << 126 << 300 << 126;
        QTest::newRow("range reversed") << "range" << -10 << -20 << 0 << -10 << -9 << -9;
        QTest::newRow("range centred") << "range" << -64 << 63 << 100 << -64 << 63 << 63;
        QTest::newRow("range 14 bit") << "range" << 0 << 16383 << 100 << 0 << 16383 << 100;
    }

    void boundsNeverCrossAndValueFollowsSilently()
    {
        QFETCH(QString, call);
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, start);

        QMyDial dial;
        dial.setValue(start, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        if (call == "min")
            dial.setMin(a);
        else if (call == "max")
            dial.setMax(a);
        else
            dial.setRange(a, b);

        QTEST(dial.getMin(), "min");
        QTEST(dial.getMax(), "max");
        QTEST(dial.getValue(), "value");
        QVERIFY(dial.getMin() < dial.getMax());
        QCOMPARE(spy.count(), 0);
    }

    void shownNumberFollowsTheDisplayedScale_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<double>("shownMin");
        QTest::addColumn<double>("shownMax");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("text");

        QTest::newRow("0..127 as -64..63, middle") << 0 << 127 << -64.0 << 63.0 << 0 << "" << 64 << "0";
        QTest::newRow("0..127 as -64..63, bottom") << 0 << 127 << -64.0 << 63.0 << 0 << "" << 0 << "-64";
        QTest::newRow("0..127 as -64..63, top") << 0 << 127 << -64.0 << 63.0 << 0 << "" << 127 << "63";
        QTest::newRow("pan shows value + 63") << -63 << 64 << 0.0 << 127.0 << 0 << "" << 0 << "63";
        QTest::newRow("attack, bottom") << 0 << 16383 << 0.96 << 120.0 << 1 << "\nms" << 0 << "1.0\nms";
        QTest::newRow("attack, top") << 0 << 16383 << 0.96 << 120.0 << 1 << "\nms" << 16383 << "120.0\nms";
        QTest::newRow("falling scale, bottom") << 0 << 16383 << 5.8 << 0.2 << 1 << "\ns" << 0 << "5.8\ns";
        QTest::newRow("falling scale, top") << 0 << 16383 << 5.8 << 0.2 << 1 << "\ns" << 16383 << "0.2\ns";
        QTest::newRow("angle steps") << 0 << 4 << 0.0 << 180.0 << 0 << "°" << 1 << "45°";
        QTest::newRow("frequency") << 0 << 16383 << 20.0 << 20000.0 << 0 << "\nHz" << 16383 << "20000\nHz";
        QTest::newRow("gain a hair below zero reads 0.0") << 0 << 16383 << -24.0 << 24.0 << 1 << "\ndB" << 8191 << "0.0\ndB";
        QTest::newRow("gain below zero") << 0 << 16383 << -24.0 << 24.0 << 1 << "\ndB" << 0 << "-24.0\ndB";
        QTest::newRow("any non-zero decimals is one place") << 0 << 10 << 0.0 << 1.0 << 3 << "" << 3 << "0.3";
    }

    void shownNumberFollowsTheDisplayedScale()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(double, shownMin);
        QFETCH(double, shownMax);
        QFETCH(int, decimals);
        QFETCH(QString, suffix);
        QFETCH(int, value);

        QMyDial dial;
        dial.setRange(min, max);
        dial.setDisplayedRange(shownMin, shownMax);
        dial.setDisplayedDecimals(uchar(decimals));
        dial.setSuffix(suffix);
        dial.setValue(value, true, false);
        QTEST(dial.getDisplayedText(), "text");
    }

    void settersRepaintOnlyWhenAskedAndChanged_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<bool>("repaints");

        QTest::newRow("value, update") << "value 10 update" << true;
        QTest::newRow("value, no update") << "value 10" << false;
        QTest::newRow("value unchanged") << "value 64 update" << false;
        QTest::newRow("range, no update") << "range" << false;
        QTest::newRow("displayed range, no update") << "displayed" << false;
        QTest::newRow("lit colour, no update") << "colour" << false;
        QTest::newRow("lit colour, update") << "colour update" << true;
    }

    void settersRepaintOnlyWhenAskedAndChanged()
    {
        QFETCH(QString, call);
        QFETCH(bool, repaints);

        QWidget page;
        auto* dial = new QMyDial(&page);
        dial->setGeometry(0, 0, 60, 60);
        dial->setValue(64, true, false);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCoreApplication::processEvents();
        PaintCounter paints(dial);

        if (call == "value 10 update")
            dial->setValue(10, true, false);
        else if (call == "value 10")
            dial->setValue(10, false, false);
        else if (call == "value 64 update")
            dial->setValue(64, true, true);
        else if (call == "range")
            dial->setRange(0, 16383, false);
        else if (call == "displayed")
            dial->setDisplayedRange(-1.0, 1.0, false);
        else if (call == "colour")
            dial->setOnColor(Qt::yellow, false);
        else
            dial->setOnColor(Qt::yellow, true);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(paints.count > 0, repaints);
    }

    // ------------------------------------------------------------ input

    void dragPointsTheKnobAtTheMouse_data()
    {
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<QPoint>("offset"); // from the centre pixel, y down
        QTest::addColumn<int>("value");

        QTest::newRow("twelve o'clock") << 0 << 127 << QPoint(0, -30) << 63;
        QTest::newRow("three o'clock") << 0 << 127 << QPoint(30, 0) << 101;
        QTest::newRow("nine o'clock") << 0 << 127 << QPoint(-30, 0) << 25;
        QTest::newRow("straight below is the top") << 0 << 127 << QPoint(0, 30) << 127;
        QTest::newRow("just left of below is the bottom") << 0 << 127 << QPoint(-1, 30) << 0;
        QTest::newRow("in the gap, right") << 0 << 127 << QPoint(10, 30) << 127;
        QTest::newRow("centred range, twelve o'clock") << -64 << 63 << QPoint(0, -30) << 0;
        QTest::newRow("14 bit, three o'clock") << 0 << 16383 << QPoint(30, 0) << 13106;
    }

    void dragPointsTheKnobAtTheMouse()
    {
        QFETCH(int, min);
        QFETCH(int, max);
        QFETCH(QPoint, offset);
        QFETCH(int, value);

        QMyDial dial;
        dial.resize(81, 81);
        dial.setRange(min, max);
        const int startValue = value == min + 1 ? min + 2 : min + 1;
        dial.setValue(startValue, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);

        const QPoint centre(40, 40);
        press(&dial, centre + offset);
        dragTo(&dial, centre + offset);
        QCOMPARE(dial.getValue(), value);
        QCOMPARE(valuesOf(spy), QList<int> { value });
    }

    void dragSignalsOncePerChangeAndClickAloneChangesNothing()
    {
        QMyDial dial;
        dial.resize(81, 81);
        dial.setValue(10, true, false);
        QSignalSpy values(&dial, &QMyAbstractSlider::valueChanged);
        QSignalSpy pressed(&dial, &QMyAbstractSlider::sliderPressed);
        QSignalSpy released(&dial, &QMyAbstractSlider::sliderReleased);

        press(&dial, QPointF(40, 10));
        QVERIFY(dial.isPressed());
        release(&dial, QPointF(40, 10));
        QVERIFY(!dial.isPressed());
        QCOMPARE(dial.getValue(), 10);
        QCOMPARE(values.count(), 0);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(released.count(), 1);

        press(&dial, QPointF(40, 10));
        dragTo(&dial, QPointF(70, 40));
        dragTo(&dial, QPointF(70, 40));
        dragTo(&dial, QPointF(71, 40));
        dragTo(&dial, QPointF(40, 10));
        release(&dial, QPointF(40, 10));
        QCOMPARE(valuesOf(values), (QList<int> { 101, 63 }));
    }

    void wheelMovesByOneStep_data()
    {
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("step");
        QTest::addColumn<QPoint>("delta");
        QTest::addColumn<int>("value");

        QTest::newRow("up") << 127 << 1 << QPoint(0, 120) << 65;
        QTest::newRow("down") << 127 << 1 << QPoint(0, -120) << 63;
        QTest::newRow("small notch up still one step") << 127 << 1 << QPoint(0, 15) << 65;
        QTest::newRow("horizontal only goes down") << 127 << 1 << QPoint(120, 0) << 63;
        QTest::newRow("14 bit up") << 16383 << 127 << QPoint(0, 120) << 191;
        QTest::newRow("14 bit down") << 16383 << 127 << QPoint(0, -120) << 0;
    }

    void wheelMovesByOneStep()
    {
        QFETCH(int, max);
        QFETCH(int, step);
        QFETCH(QPoint, delta);

        QMyDial dial;
        dial.resize(60, 60);
        dial.setRange(0, max);
        dial.setSingleStep(step);
        dial.setValue(64, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        QVERIFY(wheel(&dial, delta));
        QTEST(dial.getValue(), "value");
        QCOMPARE(spy.count(), 1);
    }

    void arrowKeysMoveByOneStep_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("value");

        QTest::newRow("up") << int(Qt::Key_Up) << 74;
        QTest::newRow("right") << int(Qt::Key_Right) << 74;
        QTest::newRow("down") << int(Qt::Key_Down) << 54;
        QTest::newRow("left") << int(Qt::Key_Left) << 54;
        QTest::newRow("other key") << int(Qt::Key_A) << 64;
    }

    void arrowKeysMoveByOneStep()
    {
        QFETCH(int, key);
        QMyDial dial;
        dial.setSingleStep(10);
        dial.setValue(64, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        QTest::keyClick(&dial, Qt::Key(key));
        QTEST(dial.getValue(), "value");
        QCOMPARE(spy.count(), dial.getValue() != 64 ? 1 : 0);
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
        QCOMPARE(area.verticalScrollBar()->value(), 0);

        QTest::keyClick(dial, Qt::Key_Down);
        QTest::keyClick(dial, Qt::Key_Down);
        QCOMPARE(dial->getValue(), 62);
        QCOMPARE(area.verticalScrollBar()->value(), 0);
    }

    void doubleClickReturnsToTheCentre_data()
    {
        QTest::addColumn<QMyDial::Mode>("mode");
        QTest::addColumn<int>("min");
        QTest::addColumn<int>("max");
        QTest::addColumn<int>("value");

        QTest::newRow("centred 0..127") << QMyDial::Centered << 0 << 127 << 63;
        QTest::newRow("centred pan -63..64") << QMyDial::Centered << -63 << 64 << 0;
        QTest::newRow("centred 14 bit") << QMyDial::Centered << 0 << 16383 << 8191;
        QTest::newRow("normal 0..127") << QMyDial::Normal << 0 << 127 << 64;
        QTest::newRow("normal 0..10 clamps") << QMyDial::Normal << 0 << 10 << 10;
        QTest::newRow("inverted 0..127") << QMyDial::Inverted << 0 << 127 << 64;
    }

    void doubleClickReturnsToTheCentre()
    {
        QFETCH(QMyDial::Mode, mode);
        QFETCH(int, min);
        QFETCH(int, max);

        QMyDial dial;
        dial.resize(60, 60);
        dial.setMode(mode);
        dial.setRange(min, max);
        dial.setValue(min, true, false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);
        doubleClick(&dial, QPointF(30, 30));
        QTEST(dial.getValue(), "value");
        QCOMPARE(spy.count(), 1);
    }

    void disabledKnobIgnoresInput()
    {
        QMyDial dial;
        dial.resize(81, 81);
        dial.setValue(10, true, false);
        dial.setEnabled(false);
        QSignalSpy spy(&dial, &QMyAbstractSlider::valueChanged);

        doubleClick(&dial, QPointF(40, 40));
        press(&dial, QPointF(70, 40));
        dragTo(&dial, QPointF(70, 40));
        QVERIFY(!wheel(&dial, QPoint(0, 120)));
        QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
        QApplication::sendEvent(&dial, &up);

        QCOMPARE(dial.getValue(), 10);
        QCOMPARE(spy.count(), 0);
        QVERIFY(!dial.isPressed());
    }

    // ------------------------------------------------------------ painting

    void ringLightsUpToTheValue_data()
    {
        QTest::addColumn<QMyDial::Mode>("mode");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("size");
        QTest::addColumn<qreal>("dpr");
        QTest::addColumn<QList<int>>("lit");   // angles on the lit part
        QTest::addColumn<QList<int>>("unlit"); // angles on the track only

        // Normal 64 of 0..127: lit from 240 degrees clockwise down to 89.
        const QList<int> normalLit { 230, 180, 100 }, normalUnlit { 80, 0, -50 };
        QTest::newRow("normal, small") << QMyDial::Normal << 64 << 60 << 1.0 << normalLit << normalUnlit;
        QTest::newRow("normal, large") << QMyDial::Normal << 64 << 120 << 1.0 << normalLit << normalUnlit;
        QTest::newRow("normal, scale 2") << QMyDial::Normal << 64 << 60 << 2.0 << normalLit << normalUnlit;
        QTest::newRow("normal at the bottom lights nothing") << QMyDial::Normal << 0 << 60 << 1.0 << QList<int> {} << QList<int> { 230, 90, -50 };
        QTest::newRow("normal at the top lights all") << QMyDial::Normal << 127 << 60 << 1.0 << QList<int> { 230, 90, -50 } << QList<int> {};
        // Inverted 32: lit from 164 degrees clockwise to the lower-right end.
        QTest::newRow("inverted") << QMyDial::Inverted << 32 << 80 << 1.0 << QList<int> { 150, 0, -50 } << QList<int> { 180, 230 };
        // Centred: lit from twelve o'clock to the value, either way.
        QTest::newRow("centred, top") << QMyDial::Centered << 127 << 80 << 1.0 << QList<int> { 80, 0, -50 } << QList<int> { 100, 180 };
        QTest::newRow("centred, bottom") << QMyDial::Centered << 0 << 80 << 2.0 << QList<int> { 100, 180, 230 } << QList<int> { 80, 0 };
    }

    void ringLightsUpToTheValue()
    {
        QFETCH(QMyDial::Mode, mode);
        QFETCH(int, value);
        QFETCH(int, size);
        QFETCH(qreal, dpr);
        QFETCH(QList<int>, lit);
        QFETCH(QList<int>, unlit);

        QMyDial dial;
        dial.resize(size, size);
        dial.setMode(mode);
        dial.setOnColor(QColor(200, 30, 30));
        dial.setValue(value, true, false);
        const QImage image = render(&dial, dpr);

        for (int angle : lit)
            QVERIFY2(near(pixelAt(image, ringPoint(dial, angle)), QColor(200, 30, 30)), qPrintable(QString("lit at %1").arg(angle)));
        for (int angle : unlit)
            QVERIFY2(near(pixelAt(image, ringPoint(dial, angle)), dial.getOffColor()), qPrintable(QString("unlit at %1").arg(angle)));
        // The gap at the bottom stays empty.
        QCOMPARE(pixelAt(image, ringPoint(dial, 270)), dial.palette().color(QPalette::Window));
    }

    void dotSitsAtTheValue_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("angle");
        QTest::addColumn<qreal>("dpr");

        QTest::newRow("bottom") << 0 << 240 << 1.0;
        QTest::newRow("top") << 127 << -60 << 1.0;
        QTest::newRow("middle, scale 2") << 127 / 2 << 90 << 2.0;
    }

    void dotSitsAtTheValue()
    {
        QFETCH(int, value);
        QFETCH(int, angle);
        QFETCH(qreal, dpr);

        QMyDial dial;
        dial.resize(120, 120);
        dial.setIndicatorMode(QMyDial::Dot);
        dial.setIndicatorColor(QColor(0, 0, 200));
        dial.setValue(value, true, false);
        const QImage image = render(&dial, dpr);

        const QRectF r = dial.getDialRect();
        const double a = qDegreesToRadians(double(angle));
        const double radius = r.width() / 4;
        const QPointF dot(r.center().x() + radius * std::cos(a), r.center().y() - radius * std::sin(a));
        QVERIFY(near(pixelAt(image, dot), QColor(0, 0, 200)));
        // Opposite the dot there is only background.
        QCOMPARE(pixelAt(image, r.center() * 2 - dot), dial.palette().color(QPalette::Window));
    }

    void disabledKnobPaintsInDisabledColours()
    {
        QMyDial dial;
        dial.resize(80, 80);
        dial.setOnColor(QColor(200, 30, 30));
        dial.setValue(127, true, false);
        dial.setEnabled(false);
        const QImage image = render(&dial, 1.0);
        const QColor lit = dial.palette().color(QPalette::Disabled, QPalette::ButtonText);
        QVERIFY(near(pixelAt(image, ringPoint(dial, 90)), lit));
    }
};

LYR_TEST_MAIN(TestDial)
#include "tst_dial.moc"
