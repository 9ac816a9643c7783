// A layer's key and velocity range: the range slider, whose ends push each
// other but never cross and which a silent refresh never makes speak, and the
// keyboard under it with the keys outside the range greyed and sounding notes
// lit.

#include "QMyKeyboard.h"
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
    explicit SignalLog(QMyRangeSlider* s)
    {
        connect(s, &QMyRangeSlider::lowValueChange, this, [this](uint v) { log << QString("low %1").arg(v); });
        connect(s, &QMyRangeSlider::highValueChange, this, [this](uint v) { log << QString("high %1").arg(v); });
        connect(s, &QMyRangeSlider::minimumChange, this, [this](uint v) { log << QString("min %1").arg(v); });
        connect(s, &QMyRangeSlider::maximumChange, this, [this](uint v) { log << QString("max %1").arg(v); });
        connect(s, &QMyRangeSlider::rangeChange, this, [this](uint a, uint b) { log << QString("range %1 %2").arg(a).arg(b); });
    }
    QStringList log;
};

// Runs calls such as "low 20;high 60;min 5;max 90;range 5 90" with the given flag.
void apply(QMyRangeSlider& s, const QString& calls, bool signal)
{
    for (const QString& call : calls.split(';', Qt::SkipEmptyParts)) {
        const QStringList w = call.split(' ');
        const uint a = w.value(1).toUInt();
        if (w[0] == "low")
            s.setLowValue(a, true, signal);
        else if (w[0] == "high")
            s.setHighValue(a, true, signal);
        else if (w[0] == "min")
            s.setMinimum(a, true, signal);
        else if (w[0] == "max")
            s.setMaximum(a, true, signal);
        else
            s.setRange(a, w.value(2).toUInt(), true, signal);
    }
}

QString state(const QMyRangeSlider& s)
{
    return QString("%1..%2 [%3 %4]").arg(s.minimum()).arg(s.maximum()).arg(s.lowValue()).arg(s.highValue());
}

bool isBlack(int note)
{
    return (0x54A >> (note % 12)) & 1; // C# D# F# G# A#
}

// A scene point on the visible face of a key: low on a white key, below the
// black keys' length; high on a black key, at its middle.
QPointF keyFace(int note)
{
    static const int whiteColumn[12] = { 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6 };
    const int column = 7 * (note / 12) + whiteColumn[note % 12];
    return isBlack(note) ? QPointF(column * 5.0, 5.0) : QPointF(column * 5.0 + 2.5, 22.0);
}

// A keyboard as a layer shows it, and the colour painted on each key's face.
void show(QMyKeyboard& keyboard)
{
    keyboard.setFixedSize(380, 30);
    keyboard.show();
    QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
}

QList<QColor> shownKeys(QMyKeyboard& keyboard, qreal dpr = 1.0)
{
    const QImage image = render(&keyboard, dpr);
    QList<QColor> all;
    for (int n = 0; n < 128; ++n)
        all << pixelAt(image, keyboard.viewport()->mapTo(&keyboard, keyboard.mapFromScene(keyFace(n))));
    return all;
}

const QColor white(Qt::white), black(Qt::black), grey(Qt::lightGray), green(Qt::green);

} // namespace

class TestKeyRange : public QObject
{
    Q_OBJECT
private slots:
    void endsPushEachOther_data()
    {
        QTest::addColumn<QString>("setup"); // silent calls before
        QTest::addColumn<QString>("calls");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("emitted"); // with signals requested

        QTest::newRow("high below low") << "low 20" << "high 10" << "0..127 [19 20]" << QStringList { "high 20", "low 19", "high 20" };
        // One below low 0 must not wrap round to the top of the unsigned range.
        QTest::newRow("high onto low at the bottom") << "high 50" << "high 0" << "0..127 [0 1]" << QStringList { "high 1" };
        QTest::newRow("minimum past the maximum") << "" << "min 200" << "200..201 [200 201]"
            << QStringList { "max 201", "range 200 201", "high 201", "low 200", "min 200", "range 200 201" };
        QTest::newRow("minimum over the whole selection") << "low 10;high 20" << "min 50" << "50..127 [50 51]"
            << QStringList { "high 51", "low 50", "min 50", "range 50 127" };
        QTest::newRow("maximum under the whole selection") << "low 100;high 120" << "max 50" << "0..50 [49 50]"
            << QStringList { "low 49", "high 50", "max 50", "range 0 50" };
        QTest::newRow("range inside") << "low 40;high 60" << "range 30 90" << "30..90 [40 60]"
            << QStringList { "min 30", "range 30 127", "max 90", "range 30 90" };
        QTest::newRow("same value does nothing") << "low 40" << "low 40" << "0..127 [40 127]" << QStringList {};
        // As the page shows a program's range: low first, then high.
        QTest::newRow("refresh past the old high") << "low 10;high 20" << "low 50;high 60" << "0..127 [50 60]"
            << QStringList { "high 51", "low 50", "high 60" };
    }

    void endsPushEachOther()
    {
        QFETCH(QString, setup);
        QFETCH(QString, calls);
        QFETCH(QStringList, emitted);
        for (bool signal : { true, false }) {
            QMyRangeSlider slider;
            apply(slider, setup, false);
            SignalLog log(&slider);
            apply(slider, calls, signal);
            QTEST(state(slider), "result");
            // A refresh shows the range and says nothing, not even about the
            // end it had to push.
            QCOMPARE(log.log, signal ? emitted : QStringList {});
        }
    }

    void randomCallsKeepTheOrder()
    {
        // Whatever mix of calls arrives, the ends stay in order inside the
        // bounds, and calls without signal stay silent.
        QRandomGenerator random(20240601);
        const int rounds = qMax(5000, qEnvironmentVariableIntValue("LYR_FUZZ_ROUNDS"));
        QMyRangeSlider s;
        SignalLog log(&s);
        static const char* const calls[] = { "low", "high", "min", "max", "range" };
        for (int i = 0; i < rounds; ++i) {
            const bool signal = random.bounded(2);
            const QString call = QString("%1 %2 %3").arg(calls[random.bounded(5)]).arg(random.bounded(300)).arg(random.bounded(300));
            const QString before = state(s);
            log.log.clear();
            apply(s, call, signal);
            const bool ordered = s.minimum() < s.maximum() && s.minimum() <= s.lowValue() && s.lowValue() < s.highValue() && s.highValue() <= s.maximum();
            QVERIFY2(ordered, qPrintable(before + " + " + call + " -> " + state(s)));
            QVERIFY2(signal || log.log.isEmpty(), qPrintable(call + ": " + log.log.join(", ")));
        }
    }

    void dragFromTheGrabZones_data()
    {
        // Range 0..100 on a slider 104 pixels wide: value v sits at pixel
        // v + 2, and the value under pixel x is x * 100 / 104.
        QTest::addColumn<uint>("low");
        QTest::addColumn<int>("pressX");
        QTest::addColumn<QList<int>>("dragXs");
        QTest::addColumn<QString>("result");
        QTest::addColumn<QStringList>("emitted");

        QTest::newRow("low end from its left") << 20u << 15 << QList<int> { 52 } << "[50 80]" << QStringList { "low 50" };
        QTest::newRow("low end stops under high") << 20u << 8 << QList<int> { 52, 100 } << "[79 80]" << QStringList { "low 50", "low 79" };
        QTest::newRow("high end from its right") << 20u << 85 << QList<int> { 70 } << "[20 67]" << QStringList { "high 67" };
        QTest::newRow("inside the bar grabs nothing") << 20u << 50 << QList<int> { 10, 100 } << "[20 80]" << QStringList {};
        QTest::newRow("low at the minimum, press at 0") << 0u << 0 << QList<int> { 30 } << "[28 80]" << QStringList { "low 28" };
        QTest::newRow("drag left of the widget counts as 0") << 20u << 15 << QList<int> { -40 } << "[0 80]" << QStringList { "low 0" };
    }

    void dragFromTheGrabZones()
    {
        QFETCH(uint, low);
        QFETCH(int, pressX);
        QFETCH(QList<int>, dragXs);
        QMyRangeSlider slider;
        slider.resize(104, 10);
        apply(slider, QString("max 100;high 80;low %1").arg(low), false);
        SignalLog log(&slider);
        for (int i = 0; i < 3; ++i)
            QTest::ignoreMessage(QtDebugMsg, QRegularExpression("^(mouseValue|lowPos|highPos):"));
        press(&slider, QPointF(pressX, 5));
        for (int x : dragXs)
            dragTo(&slider, QPointF(x, 5));
        release(&slider, QPointF(dragXs.last(), 5));
        dragTo(&slider, QPointF(52, 5)); // after the release: no effect
        QTEST(QString("[%1 %2]").arg(slider.lowValue()).arg(slider.highValue()), "result");
        QTEST(log.log, "emitted");
    }

    void barIsPaintedBetweenTheEnds()
    {
        for (const auto& [width, dpr] : { std::pair { 104, 1.0 }, std::pair { 404, 2.0 } }) {
            QMyRangeSlider slider;
            slider.resize(width, 10);
            apply(slider, "max 100;high 60;low 20", false);
            const QImage image = render(&slider, dpr);
            // Value v lies at pixel v * (width - 4) / 100 + 2; the bar's middle row is y 4.
            const auto at = [&](double v, double y) { return pixelAt(image, QPointF(v * (width - 4) / 100 + 2, y)); };
            const QColor bar = slider.palette().color(QPalette::Highlight), background = slider.palette().color(QPalette::Window);
            const QList<QColor> row { at(10, 4.5), at(22, 4.5), at(40, 4.5), at(58, 4.5), at(80, 4.5), at(40, 0.5), at(40, 9.5) };
            QCOMPARE(row, (QList<QColor> { grey, bar, bar, bar, grey, background, background }));
        }
    }

    void keysOutsideTheRangeAreGreyed_data()
    {
        QTest::addColumn<QString>("keyboard"); // low, high, enabled, display scale
        QTest::addColumn<QString>("notes");
        QTest::addColumn<QList<QColor>>("expected");
        QTest::newRow("from middle C") << "60 127 1 1" << "58 59 60 61 127" << QList<QColor> { grey, grey, white, black, white };
        QTest::newRow("up to the C above, scale 2") << "60 72 1 2" << "71 72 73 74" << QList<QColor> { white, white, grey, grey };
        QTest::newRow("low above high greys every key") << "80 40 1 1" << "0 40 61 80 127" << QList<QColor> { grey, grey, grey, grey, grey };
        QTest::newRow("disabled") << "60 127 0 1" << "59 60 61" << QList<QColor> { grey, Qt::gray, Qt::gray };
    }

    void keysOutsideTheRangeAreGreyed()
    {
        QFETCH(QString, keyboard);
        QFETCH(QString, notes);
        const QList<double> k = numbers(keyboard);
        QMyKeyboard view;
        show(view);
        view.setLowKey(int(k[0]));
        view.setHighKey(int(k[1]));
        view.setEnabled(k[2] != 0);
        const QList<QColor> all = shownKeys(view, k[3]);
        QList<QColor> shown;
        for (double note : numbers(notes))
            shown << all[int(note)];
        QTEST(shown, "expected");
    }

    void selectNoteLightsOneKey_data()
    {
        QTest::addColumn<int>("note");
        QTest::addColumn<int>("velocity");
        QTest::addColumn<QColor>("fill");
        QTest::newRow("white key on") << 60 << 100 << green;
        QTest::newRow("black key on, lowest velocity") << 61 << 1 << green;
        QTest::newRow("black key off") << 61 << 0 << black;
        // A note off shows the plain key even outside the range.
        QTest::newRow("greyed key off") << 19 << 0 << white;
    }

    void selectNoteLightsOneKey()
    {
        QFETCH(int, note);
        QFETCH(int, velocity);
        QFETCH(QColor, fill);
        QMyKeyboard keyboard;
        show(keyboard);
        keyboard.setLowKey(36);
        QList<QColor> expected = shownKeys(keyboard);
        for (int outside : { -1, 128, 100000 }) // notes the keyboard lacks change nothing
            keyboard.selectNote(outside, 100);
        keyboard.selectNote(note, uchar(velocity));
        expected[note] = fill;
        QCOMPARE(shownKeys(keyboard), expected);

        // Deselecting clears lit keys without greying; a redraw clears them too.
        const QColor plain = isBlack(note) ? black : white;
        keyboard.deselectAllNotes();
        QCOMPARE(shownKeys(keyboard)[note], plain);
        keyboard.selectNote(note, 100);
        keyboard.setHighKey(100);
        QCOMPARE(shownKeys(keyboard)[note], note < 36 ? grey : plain);
    }
};

LYR_TEST_MAIN(TestKeyRange)
#include "tst_keyrange.moc"
