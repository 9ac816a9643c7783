// The equaliser: a band's response checked against an independent evaluation
// (each type's analog prototype taken through the bilinear transform, or for
// the one-pole filters their difference equation, evaluated on the unit circle
// with complex arithmetic), and the graph as the effects page and the
// equaliser dialog use it: bands moved by the page, dragged and retyped by the
// user, each change reported once.

#include "QMyParametricEqPlot.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QMenu>
#include <cmath>
#include <complex>
#include <limits>

using Type = QMyParametricEq::Type;
using cplx = std::complex<double>;
using namespace widgettest;

namespace {

constexpr double fs = 44100.0;

// Magnitude in dB of the textbook filter of that type at f, from the band's
// settings alone.
double referenceDb(Type type, double f0, double gainDb, double q, double f)
{
    const double w0 = 2 * M_PI * f0 / fs;
    const cplx zInv = std::exp(cplx(0, -2 * M_PI * f / fs));
    // Bilinear transform with the frequency warped to land on f0: s is the
    // analog frequency normalised to the band's own.
    const cplx s = (1.0 - zInv) / ((1.0 + zInv) * std::tan(w0 / 2));
    const double A = std::pow(10.0, gainDb / 40.0), rootA = std::sqrt(A), e = std::exp(-w0); // A: square root of the linear gain
    cplx h;
    switch (type) {
    case QMyParametricEq::AllPassFilter:     h = (s * s - s / q + 1.0) / (s * s + s / q + 1.0); break;
    case QMyParametricEq::LowPassFilter12dB: h = 1.0 / (s * s + s / q + 1.0); break;
    case QMyParametricEq::HighPassFilter12dB: h = s * s / (s * s + s / q + 1.0); break;
    // Constant skirt gain: the peak reaches Q.
    case QMyParametricEq::BandPassFilter:    h = s / (s * s + s / q + 1.0); break;
    case QMyParametricEq::NotchFilter:       h = (s * s + 1.0) / (s * s + s / q + 1.0); break;
    case QMyParametricEq::PeakingFilter:     h = (s * s + s * (A / q) + 1.0) / (s * s + s / (A * q) + 1.0); break;
    case QMyParametricEq::LowShelfFilterSecondOrder:  h = A * (s * s + (rootA / q) * s + A) / (A * s * s + (rootA / q) * s + 1.0); break;
    case QMyParametricEq::HighShelfFilterSecondOrder: h = A * (A * s * s + (rootA / q) * s + 1.0) / (s * s + (rootA / q) * s + A); break;
    // First-order shelves: the full gain (A squared) on one side, none on
    // the other, half of it in dB at f0.
    case QMyParametricEq::LowShelfFilterFirstOrder:  h = A * (s + A) / (A * s + 1.0); break;
    case QMyParametricEq::HighShelfFilterFirstOrder: h = A * (A * s + 1.0) / (s + A); break;
    // One-pole filters: y[n] = (1 - e) x[n] + e y[n-1], and its high-pass
    // twin scaled to unity at half the sample rate.
    case QMyParametricEq::LowPassFilter6dB:  h = (1.0 - e) / (1.0 - e * zInv); break;
    case QMyParametricEq::HighPassFilter6dB: h = (1.0 + e) / 2.0 * (1.0 - zInv) / (1.0 - e * zInv); break;
    case QMyParametricEq::NoFilter:          h = 1.0; break;
    }
    return 20 * std::log10(std::abs(h));
}

// The band of a page, with the settings a user chose.
void setBand(QMyParametricEq& eq, Type type, double f0, double gain, double q)
{
    eq.setType(type);
    eq.setFrequency(f0);
    eq.setGain(gain);
    eq.setQ(q);
    eq.computeParameters();
}

QPointF pixelOf(const QCustomPlot& plot, double f, double gain)
{
    return QPointF(plot.xAxis->coordToPixel(f), plot.yAxis->coordToPixel(gain));
}

// A four-band plot with dragging on, its type menu answered by the test
// instead of a user; band 2 sits at 3 kHz, +10 dB.
class ScriptedEqPlot : public QMyParametricEqPlot
{
public:
    QString choice; // entry to pick; empty dismisses the menu
    int menus = 0;  // shown so far

    ScriptedEqPlot()
    {
        resize(640, 320);
        init(4, false);
        setMousDragEnabled(true);
        const double freqs[] = { 100, 800, 3000, 12000 }, gains[] = { 6, -8, 10, 0 };
        for (int b = 0; b < 4; ++b) {
            setFrequency(b, freqs[b], false);
            setGain(b, gains[b], false);
        }
        replot(QCustomPlot::rpImmediateRefresh);
        drawAll();
    }

protected:
    QAction* execMenu(QMenu* menu, const QPoint&) override
    {
        ++menus;
        for (QAction* a : menu->actions())
            if (a->text() == choice)
                return a;
        return nullptr;
    }
};

} // namespace

class TestEqualiser : public QObject
{
    Q_OBJECT
private slots:
    void responseMatchesTextbookFilter_data()
    {
        QTest::addColumn<Type>("type");
        QTest::addColumn<double>("f0");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("q");
        const QMetaEnum types = QMetaEnum::fromType<Type>();
        struct Band { double f0, gain, q; };
        for (int i = 0; i < types.keyCount(); ++i)
            for (const Band& b : { Band { 1000, 9, 0.7 }, Band { 40, -24, 16 }, Band { 20000, 24, 0.1 }, Band { 20, 0, 0.1 } })
                QTest::addRow("%s %g Hz %g dB Q %g", types.key(i), b.f0, b.gain, b.q) << Type(types.value(i)) << b.f0 << b.gain << b.q;
    }

    void responseMatchesTextbookFilter()
    {
        QFETCH(Type, type);
        QFETCH(double, f0);
        QFETCH(double, gain);
        QFETCH(double, q);
        QMyParametricEq eq;
        setBand(eq, type, f0, gain, q);
        for (double f : { 0.0, 20.0, f0, 1000.0, 10000.0, 20000.0, f0 * 0.5, f0 * 1.7 }) {
            const double expected = referenceDb(type, f0, gain, q, f), actual = eq.coputeFrequencyResponse(f);
            // A notch at its centre (or a high pass at 0 Hz) is a true zero,
            // which rounding leaves somewhere far below anything audible, but
            // never a NaN: both must be that deep.
            const bool ok = expected < -80 ? actual < -80 : std::abs(actual - expected) < 0.01;
            QVERIFY2(ok, qPrintable(QString("%1 Hz: %2 dB, expected %3 dB").arg(f).arg(actual).arg(expected)));
        }
    }

    // A setting that is no number, or a Q of 0, never reaches the
    // coefficients; 0 Hz has no place on the logarithmic axis.
    void settingsOutsideTheScale()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QMyParametricEq eq;
        setBand(eq, QMyParametricEq::PeakingFilter, nan, nan, nan);
        QCOMPARE(QList<double>({ eq.getFrequency(), eq.getGain(), eq.getQ() }), QList<double>({ 20.0, -24.0, 0.1 }));
        eq.setQ(0);
        QCOMPARE(eq.getQ(), 0.1);
        QVERIFY(eq.getFrequencyResponse(0, 20000, 10).isEmpty());
    }

    // The mid-low band dragged from 800 Hz, -8 dB to 200 Hz, +6 dB: one report
    // per move, its info beside the handle while picked.
    void draggingAHandleMovesItsBand()
    {
        ScriptedEqPlot plot;
        QSignalSpy changed(&plot, &QMyParametricEqPlot::eqChanged);
        const QMyParametricEq* eq = plot.band(1);
        const QPointF from = pixelOf(plot, 800, -8), target = pixelOf(plot, 200, 6);
        press(&plot, from);
        QCOMPARE(plot.getSelectedBand(), 1);
        QCPItemText* info = plot.findChild<QCPItemText*>();
        QCOMPARE(info->text(), QString("Gain: -8.0 dB\nFreq: 800.0 Hz"));
        for (int i = 1; i <= 5; ++i) {
            dragTo(&plot, from + (target - from) * i / 5);
            QCOMPARE(changed.count(), i);
        }
        release(&plot, target);
        // The band and the last report hold where the pointer went, Q and type unchanged.
        QCOMPARE(changed.last(), QList<QVariant>({ 1, eq->getFrequency(), eq->getGain(), 1.0, QVariant::fromValue(QMyParametricEq::PeakingFilter) }));
        QVERIFY(std::abs(eq->getFrequency() / 200 - 1) < 1e-6 && std::abs(eq->getGain() - 6) < 1e-6);
        // The curve followed: its peak now sits at the new place.
        QVERIFY(std::abs(plot.graph(1)->data()->findBegin(200)->value - 6) < 0.5);
        // With the button up, moving the pointer drags nothing; a press beside
        // every handle drops the pick and parks the info off the plot.
        dragTo(&plot, pixelOf(plot, 50, -20), Qt::NoButton);
        QCOMPARE(changed.count(), 5);
        press(&plot, pixelOf(plot, 30, -25));
        QCOMPARE(plot.getSelectedBand(), -1);
        QVERIFY(info->position->pixelPosition().x() > plot.width());
    }

    void menuRetypesTheSelectedBand_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<bool>("dragging");
        QTest::addColumn<Type>("type");
        QTest::newRow("high pass") << "HP 12 dB" << true << QMyParametricEq::HighPassFilter12dB;
        QTest::newRow("dismissed") << "" << true << QMyParametricEq::PeakingFilter;
        QTest::newRow("no menu without dragging") << "Off" << false << QMyParametricEq::PeakingFilter;
    }

    void menuRetypesTheSelectedBand()
    {
        QFETCH(QString, choice);
        QFETCH(bool, dragging);
        QFETCH(Type, type);
        ScriptedEqPlot plot;
        plot.setMousDragEnabled(dragging);
        plot.choice = choice;
        QSignalSpy changed(&plot, &QMyParametricEqPlot::eqChanged);
        const QPointF p = pixelOf(plot, 3000, 10);
        press(&plot, p, Qt::RightButton);
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, p.toPoint(), plot.mapToGlobal(p.toPoint()));
        QApplication::sendEvent(&plot, &menuEvent);

        QCOMPARE(plot.menus, dragging ? 1 : 0);
        QCOMPARE(plot.band(2)->getType(), type);
        // The new type goes out with the band's frequency, gain and Q, and
        // the curve is redrawn for it.
        const QList<QVariant> announced { 2, 3000.0, 10.0, 1.0, QVariant::fromValue(type) };
        QCOMPARE(changed, type != QMyParametricEq::PeakingFilter ? QList<QList<QVariant>> { announced } : QList<QList<QVariant>> {});
        QCOMPARE(plot.graph(2)->data()->constBegin()->value < -60, type == QMyParametricEq::HighPassFilter12dB);

        // The menu took the release of the click that opened it; the band
        // must not then follow the bare pointer around.
        dragTo(&plot, pixelOf(plot, 300, -20), Qt::NoButton);
        QCOMPARE(changed.count(), type != QMyParametricEq::PeakingFilter ? 1 : 0);
        QCOMPARE(QPointF(plot.band(2)->getFrequency(), plot.band(2)->getGain()), QPointF(3000, 10));
    }

    // Disabled the curves go grey; enabled again, the plot has its band
    // colours back and shows them at once.
    void coloursBackWhenEnabledAgain()
    {
        QMyParametricEqPlot plot;
        plot.init(4, true);
        const QPen pen = plot.graph(2)->pen();
        plot.setEnabled(false);
        QVERIFY(plot.graph(2)->pen() != pen);
        QTest::qWait(20); // let the grey curves be drawn
        QSignalSpy replotted(&plot, &QCustomPlot::afterReplot);
        plot.setEnabled(true);
        QVERIFY(plot.graph(2)->pen() == pen);
        QTRY_VERIFY(replotted.count() > 0);
    }

    // Built a second time, the plot holds the new bands only; a band index
    // out of range changes nothing.
    void rebuiltAndOutOfRangeBands()
    {
        QMyParametricEqPlot plot;
        plot.init(4, true);
        const int items = plot.itemCount();
        plot.init(2, true);
        QCOMPARE(plot.getBandCount(), 2);
        QCOMPARE(plot.graphCount(), 2);
        QCOMPARE(plot.itemCount(), items - 2);
        for (int band : { -1, 2, 7 }) {
            plot.setFrequency(band, 5000);
            plot.setGain(band, 12);
            plot.setQ(band, 3);
            plot.setType(band, QMyParametricEq::LowPassFilter12dB);
            plot.setGraphPen(band, QPen(Qt::red));
            plot.setGraphBrush(band, QBrush(Qt::red));
            plot.drawFrequencyResponse(band);
            plot.drawDragHandle(band);
        }
        QVERIFY(!plot.band(2));
        for (int band : { 0, 1 }) {
            QCOMPARE(plot.band(band)->getGain(), 0.0);
            QCOMPARE(plot.band(band)->getFrequency(), 1000.0);
            QVERIFY(plot.graph(band)->pen().color() != QColor(Qt::red));
        }
    }
};

LYR_TEST_MAIN(TestEqualiser)
#include "tst_equaliser.moc"
