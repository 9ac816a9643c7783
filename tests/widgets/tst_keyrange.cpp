// A layer's key and velocity range: the range slider, whose ends push each
// other but never cross and which a silent refresh never makes speak, and the
// keyboard under it with the keys outside the range greyed.

#include "QMyKeyboard.h"
#include "QMyRangeSlider.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

using namespace widgettest;

struct End
{
    bool low;
    uint value;
};
Q_DECLARE_METATYPE(End)

namespace {

const bool Low = true, High = false;

// Every signal of the slider, in order, as short texts ("low 19").
struct SignalLog : QObject
{
    QStringList log;
    explicit SignalLog(QMyRangeSlider* s)
    {
        connect(s, &QMyRangeSlider::lowValueChange, this, [this](uint v) { log << QString("low %1").arg(v); });
        connect(s, &QMyRangeSlider::highValueChange, this, [this](uint v) { log << QString("high %1").arg(v); });
        connect(s, &QMyRangeSlider::minimumChange, this, [this](uint v) { log << QString("min %1").arg(v); });
        connect(s, &QMyRangeSlider::maximumChange, this, [this](uint v) { log << QString("max %1").arg(v); });
        connect(s, &QMyRangeSlider::rangeChange, this, [this](uint a, uint b) { log << QString("range %1 %2").arg(a).arg(b); });
    }
};

// Ends set one after the other with the given flag, as the page sets a
// layer's range.
void apply(QMyRangeSlider& s, const QList<End>& calls, bool signal)
{
    for (const End& c : calls)
        c.low ? s.setLowValue(c.value, true, signal) : s.setHighValue(c.value, true, signal);
}

QList<int> ends(const QMyRangeSlider& s) { return { int(s.lowValue()), int(s.highValue()) }; }

const QColor white(Qt::white), black(Qt::black), grey(Qt::lightGray);

} // namespace

class TestKeyRange : public QObject
{
    Q_OBJECT
private slots:
    // On 0..127, the range the pages use.
    void endsPushEachOther_data()
    {
        QTest::addColumn<QList<End>>("setup"); // silent calls before
        QTest::addColumn<QList<End>>("calls");
        QTest::addColumn<QList<int>>("ends");
        QTest::addColumn<QStringList>("emitted"); // with signals requested
        using E = QList<End>;
        QTest::newRow("high below low") << E { { Low, 20 } } << E { { High, 10 } } << QList<int> { 19, 20 } << QStringList { "high 20", "low 19", "high 20" };
        // One below low 0 must not wrap round to the top of the unsigned range.
        QTest::newRow("high onto low at the bottom") << E { { High, 50 } } << E { { High, 0 } } << QList<int> { 0, 1 } << QStringList { "high 1" };
        QTest::newRow("same value does nothing") << E { { Low, 40 } } << E { { Low, 40 } } << QList<int> { 40, 127 } << QStringList {};
        QTest::newRow("refresh past the old high") << E { { Low, 10 }, { High, 20 } } << E { { Low, 50 }, { High, 60 } } << QList<int> { 50, 60 }
                                                   << QStringList { "high 51", "low 50", "high 60" };
    }

    void endsPushEachOther()
    {
        QFETCH(QList<End>, setup);
        QFETCH(QList<End>, calls);
        QFETCH(QStringList, emitted);
        for (bool signal : { true, false }) {
            QMyRangeSlider slider;
            apply(slider, setup, false);
            SignalLog log(&slider);
            apply(slider, calls, signal);
            QTEST(ends(slider), "ends");
            // A refresh shows the range and says nothing, not even about the
            // end it had to push.
            QCOMPARE(log.log, signal ? emitted : QStringList {});
        }
    }

    void dragFromTheGrabZones_data()
    {
        // Range m..m + 100 on a slider 104 pixels wide: value v sits at pixel
        // v - m + 2, and the value under pixel x is x * 100 / 104 + m.
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("pressAt");
        QTest::addColumn<QList<int>>("movesTo");
        QTest::addColumn<QList<int>>("ends");
        QTest::addColumn<QStringList>("emitted");
        QTest::newRow("low end stops under high") << 0 << 20 << 8 << QList<int> { 52, 100 } << QList<int> { 79, 80 } << QStringList { "low 50", "low 79" };
        QTest::newRow("high end from its right") << 0 << 20 << 85 << QList<int> { 70 } << QList<int> { 20, 67 } << QStringList { "high 67" };
        QTest::newRow("inside the bar grabs nothing") << 0 << 20 << 50 << QList<int> { 10, 100 } << QList<int> { 20, 80 } << QStringList {};
        QTest::newRow("low at the minimum, press at 0") << 0 << 0 << 0 << QList<int> { 30 } << QList<int> { 28, 80 } << QStringList { "low 28" };
        QTest::newRow("drag left of the widget counts as 0") << 0 << 20 << 15 << QList<int> { -40 } << QList<int> { 0, 80 } << QStringList { "low 0" };
        QTest::newRow("a minimum of 20") << 20 << 40 << 8 << QList<int> { 52 } << QList<int> { 70, 80 } << QStringList { "low 70" };
    }

    void dragFromTheGrabZones()
    {
        QFETCH(int, minimum);
        QFETCH(int, low);
        QFETCH(int, pressAt);
        QFETCH(QList<int>, movesTo);
        QMyRangeSlider slider;
        slider.resize(104, 10);
        slider.setRange(minimum, minimum + 100, true, false);
        apply(slider, { { High, 80 }, { Low, uint(low) } }, false);
        SignalLog log(&slider);
        press(&slider, QPointF(pressAt, 5));
        for (int x : movesTo)
            dragTo(&slider, QPointF(x, 5));
        release(&slider, QPointF(movesTo.last(), 5));
        dragTo(&slider, QPointF(52, 5)); // after the release: no effect
        QTEST(ends(slider), "ends");
        QTEST(log.log, "emitted");
    }

    void keysShowTheRange_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QList<int>>("keys"); // looked at
        QTest::addColumn<QList<QColor>>("expected");
        QTest::newRow("from middle C") << 60 << 127 << true << 1.0 << QList<int> { 58, 59, 60, 61, 127 }
                                       << QList<QColor> { grey, grey, white, black, white };
        QTest::newRow("up to the C above, scale 2") << 60 << 72 << true << 2.0 << QList<int> { 71, 72, 73, 74 }
                                                    << QList<QColor> { white, white, grey, grey };
        QTest::newRow("low above high greys every key") << 80 << 40 << true << 1.0 << QList<int> { 0, 40, 61, 80, 127 }
                                                        << QList<QColor> { grey, grey, grey, grey, grey };
        QTest::newRow("disabled") << 60 << 127 << false << 1.0 << QList<int> { 59, 60, 61 } << QList<QColor> { grey, Qt::gray, Qt::gray };
    }

    void keysShowTheRange()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(bool, enabled);
        QFETCH(double, scale);
        QFETCH(QList<int>, keys);
        QMyKeyboard view;
        view.setLowKey(low);
        view.setHighKey(high);
        view.setEnabled(enabled);
        view.setFixedSize(380, 30);
        const QImage image = render(&view, scale);
        // The colour on each key's visible face: low on a white key, below
        // the black keys' length; high on a black key, at its middle.
        static const int whiteColumn[12] = { 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6 };
        QList<QColor> shown;
        for (int n : keys) {
            const int column = 7 * (n / 12) + whiteColumn[n % 12];
            const bool sharp = (0x54A >> (n % 12)) & 1; // C# D# F# G# A#
            const QPointF face = sharp ? QPointF(column * 5.0, 5.0) : QPointF(column * 5.0 + 2.5, 22.0);
            shown << pixelAt(image, view.viewport()->mapTo(&view, view.mapFromScene(face)));
        }
        QTEST(shown, "expected");
    }
};

LYR_TEST_MAIN(TestKeyRange)
#include "tst_keyrange.moc"
