// The key and velocity range control: ends that push each other but never
// cross, signals that a user's drag produces and a silent refresh never does,
// grab zones outside the bar, and a bar painted where the values put it.

#include "QMyRangeSlider.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QRandomGenerator>

using namespace widgettest;

namespace {

// Every signal of the slider, in order, as short texts ("low 19").
class SignalLog : public QObject
{
public:
    explicit SignalLog(QMyRangeSlider* slider)
    {
        connect(slider, &QMyRangeSlider::lowValueChange, this, [this](uint v) { log << QString("low %1").arg(v); });
        connect(slider, &QMyRangeSlider::highValueChange, this, [this](uint v) { log << QString("high %1").arg(v); });
        connect(slider, &QMyRangeSlider::minimumChange, this, [this](uint v) { log << QString("min %1").arg(v); });
        connect(slider, &QMyRangeSlider::maximumChange, this, [this](uint v) { log << QString("max %1").arg(v); });
        connect(slider, &QMyRangeSlider::rangeChange, this, [this](uint a, uint b) { log << QString("range %1 %2").arg(a).arg(b); });
    }
    QStringList log;
};

// Runs "low 20", "high 60", "min 5", "max 90", "range 5 90" with the given flags.
void apply(QMyRangeSlider& slider, const QString& call, bool signal)
{
    const QStringList parts = call.split(' ');
    const uint a = parts.value(1).toUInt();
    if (parts[0] == "low")
        slider.setLowValue(a, true, signal);
    else if (parts[0] == "high")
        slider.setHighValue(a, true, signal);
    else if (parts[0] == "min")
        slider.setMinimum(a, true, signal);
    else if (parts[0] == "max")
        slider.setMaximum(a, true, signal);
    else
        slider.setRange(a, parts.value(2).toUInt(), true, signal);
}

QString state(const QMyRangeSlider& s)
{
    return QString("%1..%2 [%3 %4]").arg(s.minimum()).arg(s.maximum()).arg(s.lowValue()).arg(s.highValue());
}

bool invariantHolds(const QMyRangeSlider& s)
{
    return s.minimum() < s.maximum() && s.minimum() <= s.lowValue() && s.lowValue() < s.highValue()
        && s.highValue() <= s.maximum();
}

} // namespace

class TestRangeSlider : public QObject
{
    Q_OBJECT
private slots:
    void endsPushEachOther_data()
    {
        QTest::addColumn<QStringList>("setup"); // silent, before the call
        QTest::addColumn<QString>("call");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("emitted"); // with signals requested

        QTest::newRow("high below low")
            << QStringList { "low 20" } << "high 10" << "0..127 [19 20]"
            << QStringList { "high 20", "low 19", "high 20" };
        QTest::newRow("low onto the top")
            << QStringList {} << "low 127" << "0..127 [126 127]"
            << QStringList { "low 126", "high 127", "low 126" };
        QTest::newRow("low past high")
            << QStringList { "high 60" } << "low 80" << "0..127 [80 81]"
            << QStringList { "high 81", "low 80" };
        QTest::newRow("low beyond the maximum")
            << QStringList {} << "low 500" << "0..127 [126 127]"
            << QStringList { "low 126" };
        QTest::newRow("high onto low at the bottom")
            << QStringList { "high 50" } << "high 0" << "0..127 [0 1]"
            << QStringList { "high 1" };
        QTest::newRow("minimum past the maximum")
            << QStringList {} << "min 200" << "200..201 [200 201]"
            << QStringList { "max 201", "range 200 201", "high 201", "low 200", "min 200", "range 200 201" };
        QTest::newRow("minimum over low")
            << QStringList { "low 10", "high 120" } << "min 20" << "20..127 [20 120]"
            << QStringList { "low 20", "min 20", "range 20 127" };
        QTest::newRow("minimum over the whole selection")
            << QStringList { "low 10", "high 20" } << "min 50" << "50..127 [50 51]"
            << QStringList { "high 51", "low 50", "min 50", "range 50 127" };
        QTest::newRow("maximum under high")
            << QStringList { "low 10", "high 120" } << "max 100" << "0..100 [10 100]"
            << QStringList { "high 100", "max 100", "range 0 100" };
        QTest::newRow("maximum under the whole selection")
            << QStringList { "low 100", "high 120" } << "max 50" << "0..50 [49 50]"
            << QStringList { "low 49", "high 50", "max 50", "range 0 50" };
        QTest::newRow("range inside")
            << QStringList { "low 40", "high 60" } << "range 30 90" << "30..90 [40 60]"
            << QStringList { "min 30", "range 30 127", "max 90", "range 30 90" };
        QTest::newRow("same value does nothing")
            << QStringList { "low 40" } << "low 40" << "0..127 [40 127]" << QStringList {};
    }

    void endsPushEachOther()
    {
        QFETCH(QStringList, setup);
        QFETCH(QString, call);
        QFETCH(QString, result);
        QFETCH(QStringList, emitted);

        for (bool signal : { true, false }) {
            QMyRangeSlider slider;
            for (const QString& step : setup)
                apply(slider, step, false);
            SignalLog log(&slider);
            apply(slider, call, signal);
            QCOMPARE(state(slider), result);
            QVERIFY(invariantHolds(slider));
            // A refresh shows the range and says nothing, not even about
            // the end it had to push.
            QCOMPARE(log.log, signal ? emitted : QStringList {});
        }
    }

    void refreshMovesTheRangeSilently_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");

        QTest::newRow("up past the old high") << "10 20" << "50 60";
        QTest::newRow("down past the old low") << "50 60" << "10 20";
        QTest::newRow("wider") << "50 60" << "0 127";
        QTest::newRow("one key") << "0 127" << "60 61";
    }

    void refreshMovesTheRangeSilently()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);

        // As the page shows a program's range: low first, then high.
        QMyRangeSlider slider;
        slider.setLowValue(from.section(' ', 0, 0).toUInt(), true, false);
        slider.setHighValue(from.section(' ', 1, 1).toUInt(), true, false);
        SignalLog log(&slider);
        slider.setLowValue(to.section(' ', 0, 0).toUInt(), true, false);
        slider.setHighValue(to.section(' ', 1, 1).toUInt(), true, false);
        QCOMPARE(QString("%1 %2").arg(slider.lowValue()).arg(slider.highValue()), to);
        QCOMPARE(log.log, QStringList {});
    }

    void randomCallsKeepTheOrder()
    {
        // Whatever mix of calls arrives, the ends stay in order inside the
        // bounds, and calls without signal stay silent.
        QRandomGenerator random(20240601);
        const int rounds = qEnvironmentVariableIntValue("LYR_FUZZ_ROUNDS") > 0 ? qEnvironmentVariableIntValue("LYR_FUZZ_ROUNDS") : 5000;
        QMyRangeSlider slider;
        SignalLog log(&slider);
        static const char* const calls[] = { "low", "high", "min", "max", "range" };
        for (int i = 0; i < rounds; ++i) {
            const bool signal = random.bounded(2);
            QString call = QString("%1 %2 %3").arg(calls[random.bounded(5)]).arg(random.bounded(300)).arg(random.bounded(300));
            const QString before = state(slider);
            log.log.clear();
            apply(slider, call, signal);
            QVERIFY2(invariantHolds(slider), qPrintable(before + " + " + call + " -> " + state(slider)));
            if (!signal)
                QVERIFY2(log.log.isEmpty(), qPrintable(call + ": " + log.log.join(", ")));
        }
    }

    void dragFromTheGrabZones_data()
    {
        // Range 0..100 on a slider 104 pixels wide: value v sits at pixel
        // v + 2, and the value under pixel x is x * 100 / 104.
        QTest::addColumn<uint>("low");
        QTest::addColumn<uint>("high");
        QTest::addColumn<int>("pressX");
        QTest::addColumn<QList<int>>("dragXs");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("emitted");

        QTest::newRow("low end from its left")
            << 20u << 80u << 15 << QList<int> { 52 } << "[50 80]" << QStringList { "low 50" };
        QTest::newRow("low end stops under high")
            << 20u << 80u << 8 << QList<int> { 52, 100 } << "[79 80]" << QStringList { "low 50", "low 79" };
        QTest::newRow("high end from its right")
            << 20u << 80u << 85 << QList<int> { 70 } << "[20 67]" << QStringList { "high 67" };
        QTest::newRow("high end stops over low")
            << 20u << 80u << 97 << QList<int> { 10 } << "[20 21]" << QStringList { "high 21" };
        QTest::newRow("inside the bar grabs nothing")
            << 20u << 80u << 50 << QList<int> { 10, 100 } << "[20 80]" << QStringList {};
        QTest::newRow("just past the low zone grabs nothing")
            << 20u << 80u << 6 << QList<int> { 52 } << "[20 80]" << QStringList {};
        QTest::newRow("low at the minimum, press at 0")
            << 0u << 80u << 0 << QList<int> { 30 } << "[28 80]" << QStringList { "low 28" };
        QTest::newRow("low at the minimum, press at 1")
            << 0u << 80u << 1 << QList<int> { 30 } << "[28 80]" << QStringList { "low 28" };
        QTest::newRow("high at the maximum, press at the right edge")
            << 20u << 100u << 103 << QList<int> { 60 } << "[20 57]" << QStringList { "high 57" };
        QTest::newRow("drag left of the widget counts as 0")
            << 20u << 80u << 15 << QList<int> { -40 } << "[0 80]" << QStringList { "low 0" };
    }

    void dragFromTheGrabZones()
    {
        QFETCH(uint, low);
        QFETCH(uint, high);
        QFETCH(int, pressX);
        QFETCH(QList<int>, dragXs);
        QFETCH(QString, result);
        QFETCH(QStringList, emitted);

        QMyRangeSlider slider;
        slider.resize(104, 10);
        slider.setMaximum(100, true, false);
        slider.setHighValue(high, true, false);
        slider.setLowValue(low, true, false);
        SignalLog log(&slider);

        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^(mouseValue|lowPos|highPos):"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^(mouseValue|lowPos|highPos):"));
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^(mouseValue|lowPos|highPos):"));
        press(&slider, QPointF(pressX, 5));
        for (int x : dragXs)
            dragTo(&slider, QPointF(x, 5));
        release(&slider, QPointF(dragXs.last(), 5));
        // After the release moves change nothing.
        dragTo(&slider, QPointF(52, 5));

        QCOMPARE(QString("[%1 %2]").arg(slider.lowValue()).arg(slider.highValue()), result);
        QCOMPARE(log.log, emitted);
    }

    void barIsPaintedBetweenTheEnds_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<qreal>("dpr");

        QTest::newRow("narrow") << 104 << 1.0;
        QTest::newRow("wide") << 404 << 1.0;
        QTest::newRow("narrow, scale 2") << 104 << 2.0;
        QTest::newRow("wide, scale 2") << 404 << 2.0;
    }

    void barIsPaintedBetweenTheEnds()
    {
        QFETCH(int, width);
        QFETCH(qreal, dpr);

        QMyRangeSlider slider;
        slider.resize(width, 10);
        slider.setMaximum(100, true, false);
        slider.setHighValue(60, true, false);
        slider.setLowValue(20, true, false);
        const QImage image = render(&slider, dpr);

        // Value v lies at pixel v * (width - 4) / 100 + 2; the bar's middle
        // row is y 4.
        const auto x = [&](double v) { return v * (width - 4) / 100 + 2; };
        const QColor bar = slider.palette().color(QPalette::Highlight);
        QCOMPARE(pixelAt(image, QPointF(x(40), 4.5)), bar);
        QCOMPARE(pixelAt(image, QPointF(x(22), 4.5)), bar);
        QCOMPARE(pixelAt(image, QPointF(x(58), 4.5)), bar);
        QCOMPARE(pixelAt(image, QPointF(x(10), 4.5)), QColor(Qt::lightGray));
        QCOMPARE(pixelAt(image, QPointF(x(80), 4.5)), QColor(Qt::lightGray));
        // Above and below the groove: background.
        const QColor background = slider.palette().color(QPalette::Window);
        QCOMPARE(pixelAt(image, QPointF(x(40), 0.5)), background);
        QCOMPARE(pixelAt(image, QPointF(x(40), 9.5)), background);
    }
};

LYR_TEST_MAIN(TestRangeSlider)
#include "tst_rangeslider.moc"
