// The equaliser band's response, checked against an independent evaluation:
// each type's analog prototype taken through the bilinear transform (or, for
// the one-pole filters, their difference equation) and evaluated on the unit
// circle with complex arithmetic.

#include "TestSupport.h"
#include "QMyParametricEq.h"

#include <cmath>
#include <complex>
#include <limits>

using Type = QMyParametricEq::Type;
using cplx = std::complex<double>;


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
    const double A = std::pow(10.0, gainDb / 40.0); // square root of the linear gain
    const double rootA = std::sqrt(A);
    const double e = std::exp(-w0);

    cplx h;
    switch (type) {
    case QMyParametricEq::AllPassFilter:     h = (s * s - s / q + 1.0) / (s * s + s / q + 1.0); break;
    case QMyParametricEq::LowPassFilter12dB: h = 1.0 / (s * s + s / q + 1.0); break;
    case QMyParametricEq::HighPassFilter12dB: h = s * s / (s * s + s / q + 1.0); break;
    // Constant skirt gain: the peak reaches Q.
    case QMyParametricEq::BandPassFilter:    h = s / (s * s + s / q + 1.0); break;
    case QMyParametricEq::NotchFilter:       h = (s * s + 1.0) / (s * s + s / q + 1.0); break;
    case QMyParametricEq::PeakingFilter:     h = (s * s + s * (A / q) + 1.0) / (s * s + s / (A * q) + 1.0); break;
    case QMyParametricEq::LowShelfFilterSecondOrder:
        h = A * (s * s + (rootA / q) * s + A) / (A * s * s + (rootA / q) * s + 1.0);
        break;
    case QMyParametricEq::HighShelfFilterSecondOrder:
        h = A * (A * s * s + (rootA / q) * s + 1.0) / (s * s + (rootA / q) * s + A);
        break;
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

QMyParametricEq* makeBand(QObject* parent, Type type, double f0, double gain, double q)
{
    auto* eq = new QMyParametricEq(parent);
    eq->setType(type);
    eq->setFrequency(f0);
    eq->setGain(gain);
    eq->setQ(q);
    eq->computeParameters();
    return eq;
}

} // namespace

class TestParametricEq : public QObject
{
    Q_OBJECT
private slots:
    void responseMatchesTextbookFilter_data()
    {
        QTest::addColumn<Type>("type");
        QTest::addColumn<double>("f0");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("q");

        struct Setting { const char* name; double f0, gain, q; };
        const Setting settings[] = {
            { "1 kHz +9 dB Q0.7", 1000, 9, 0.7 },
            { "150 Hz -12 dB Q4", 150, -12, 4 },
            { "8 kHz +18 dB Q0.3", 8000, 18, 0.3 },
            { "40 Hz -24 dB Q16", 40, -24, 16 },
        };
        const QMetaEnum types = QMetaEnum::fromType<Type>();
        for (int i = 0; i < types.keyCount(); ++i) {
            for (const Setting& s : settings) {
                QTest::addRow("%s %s", types.key(i), s.name)
                    << Type(types.value(i)) << s.f0 << s.gain << s.q;
            }
        }
    }

    void responseMatchesTextbookFilter()
    {
        QFETCH(Type, type);
        QFETCH(double, f0);
        QFETCH(double, gain);
        QFETCH(double, q);
        QMyParametricEq* eq = makeBand(this, type, f0, gain, q);

        for (double f : { 20.0, f0, 1000.0, 10000.0, 20000.0, f0 * 0.5, f0 * 1.7 }) {
            const double expected = referenceDb(type, f0, gain, q, f);
            const double actual = eq->coputeFrequencyResponse(f);
            QVERIFY2(!std::isnan(actual), qPrintable(QStringLiteral("NaN at %1 Hz").arg(f)));
            // A notch at its centre is a true zero, which rounding leaves
            // somewhere far below anything audible: both must be that deep.
            if (expected < -80) {
                QVERIFY2(actual < -80, qPrintable(QStringLiteral("%1 Hz: %2 dB").arg(f).arg(actual)));
                continue;
            }
            QVERIFY2(std::abs(actual - expected) < 0.01,
                     qPrintable(QStringLiteral("%1 Hz: %2 dB, expected %3 dB").arg(f).arg(actual).arg(expected)));
        }
    }

    void landmarks_data()
    {
        QTest::addColumn<Type>("type");
        QTest::addColumn<double>("f0");
        QTest::addColumn<double>("gain");
        QTest::addColumn<double>("at");
        QTest::addColumn<double>("expected");
        QTest::addColumn<double>("tolerance");

        QTest::newRow("new band is flat at 20 Hz") << QMyParametricEq::PeakingFilter << 1000.0 << 0.0 << 20.0 << 0.0 << 1e-9;
        QTest::newRow("new band is flat at 1 kHz") << QMyParametricEq::PeakingFilter << 1000.0 << 0.0 << 1000.0 << 0.0 << 1e-9;
        QTest::newRow("new band is flat at 20 kHz") << QMyParametricEq::PeakingFilter << 1000.0 << 0.0 << 20000.0 << 0.0 << 1e-9;
        QTest::newRow("peak reaches its gain at f0") << QMyParametricEq::PeakingFilter << 1000.0 << 12.0 << 1000.0 << 12.0 << 1e-9;
        QTest::newRow("peak fades far below f0") << QMyParametricEq::PeakingFilter << 1000.0 << 12.0 << 5.0 << 0.0 << 0.01;
        QTest::newRow("first-order low shelf at DC") << QMyParametricEq::LowShelfFilterFirstOrder << 1000.0 << 6.0 << 0.0 << 6.0 << 1e-9;
        QTest::newRow("first-order low shelf at Nyquist") << QMyParametricEq::LowShelfFilterFirstOrder << 1000.0 << 6.0 << 22050.0 << 0.0 << 1e-9;
        QTest::newRow("first-order high shelf at DC") << QMyParametricEq::HighShelfFilterFirstOrder << 1000.0 << 6.0 << 0.0 << 0.0 << 1e-9;
        QTest::newRow("first-order high shelf at Nyquist") << QMyParametricEq::HighShelfFilterFirstOrder << 1000.0 << 6.0 << 22050.0 << 6.0 << 1e-9;
        QTest::newRow("off is flat") << QMyParametricEq::NoFilter << 1000.0 << 24.0 << 3000.0 << 0.0 << 1e-12;
        QTest::newRow("band pass is silent at 0 Hz") << QMyParametricEq::BandPassFilter << 1000.0 << 0.0 << 0.0
                                                     << -std::numeric_limits<double>::infinity() << 0.0;
    }

    void landmarks()
    {
        QFETCH(Type, type);
        QFETCH(double, f0);
        QFETCH(double, gain);
        QFETCH(double, at);
        QFETCH(double, expected);
        QFETCH(double, tolerance);
        QMyParametricEq* eq = makeBand(this, type, f0, gain, 1.0);
        const double actual = eq->coputeFrequencyResponse(at);
        if (std::isinf(expected))
            QCOMPARE(actual, expected);
        else
            QVERIFY2(std::abs(actual - expected) <= tolerance, qPrintable(QString::number(actual, 'g', 12)));
    }

    void settersClampToTheBandsRange_data()
    {
        QTest::addColumn<QString>("setter");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("stored");

        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("frequency below") << "frequency" << 5.0 << 20.0;
        QTest::newRow("frequency above") << "frequency" << 30000.0 << 20000.0;
        QTest::newRow("frequency inside") << "frequency" << 440.0 << 440.0;
        QTest::newRow("frequency no number") << "frequency" << nan << 20.0;
        QTest::newRow("gain below") << "gain" << -40.0 << -24.0;
        QTest::newRow("gain above") << "gain" << 30.0 << 24.0;
        QTest::newRow("gain no number") << "gain" << nan << -24.0;
        QTest::newRow("q zero") << "q" << 0.0 << 0.1;
        QTest::newRow("q above") << "q" << 100.0 << 16.0;
        QTest::newRow("q no number") << "q" << nan << 0.1;
    }

    void settersClampToTheBandsRange()
    {
        QFETCH(QString, setter);
        QFETCH(double, value);
        QFETCH(double, stored);
        QMyParametricEq eq;
        if (setter == "frequency") {
            eq.setFrequency(value);
            QCOMPARE(eq.getFrequency(), stored);
        } else if (setter == "gain") {
            eq.setGain(value);
            QCOMPARE(eq.getGain(), stored);
        } else {
            eq.setQ(value);
            QCOMPARE(eq.getQ(), stored);
        }
    }

    void settersTakeEffectOnlyOnRecompute()
    {
        QMyParametricEq eq;
        eq.setGain(12);
        QCOMPARE(eq.coputeFrequencyResponse(1000), 0.0);
        eq.computeParameters();
        QVERIFY(std::abs(eq.coputeFrequencyResponse(1000) - 12.0) < 1e-9);
    }

    // No setting a user can reach may put a NaN on the screen, not even a
    // notch evaluated exactly at its centre.
    void noSettingGivesNaN()
    {
        QMyParametricEq eq;
        const QMetaEnum types = QMetaEnum::fromType<Type>();
        for (int i = 0; i < types.keyCount(); ++i) {
            for (double f0 : { 20.0, 1000.0, 20000.0 }) {
                for (double gain : { -24.0, 0.0, 24.0 }) {
                    for (double q : { 0.1, 16.0 }) {
                        eq.setType(Type(types.value(i)));
                        eq.setFrequency(f0);
                        eq.setGain(gain);
                        eq.setQ(q);
                        eq.computeParameters();
                        QList<double> at { 0.0, f0, 22050.0 };
                        for (const QPointF& p : eq.getFrequencyResponse(20, 20000, 100))
                            QVERIFY(!std::isnan(p.y()));
                        for (const QPointF& p : eq.getFrequencyResponse(at))
                            QVERIFY2(!std::isnan(p.y()), types.key(i));
                    }
                }
            }
        }
    }

    void logarithmicSweep()
    {
        QMyParametricEq eq;
        const QList<QPointF> points = eq.getFrequencyResponse(20, 20000, 100);
        QCOMPARE(points.size(), 100);
        QCOMPARE(points.first().x(), 20.0);
        QVERIFY(std::abs(points.last().x() - 20000.0) < 1e-9);
        for (int i = 1; i < points.size(); ++i)
            QVERIFY(std::abs(points[i].x() / points[i - 1].x() - 1.0722) < 1e-4);
    }

    void sweepEdgeCounts_data()
    {
        QTest::addColumn<double>("fStart");
        QTest::addColumn<double>("fEnd");
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("count");
        QTest::addColumn<double>("firstFrequency");

        QTest::newRow("one point is the start") << 20.0 << 20000.0 << 1 << 1 << 20.0;
        QTest::newRow("two points are the ends") << 20.0 << 20000.0 << 2 << 2 << 20.0;
        QTest::newRow("none") << 20.0 << 20000.0 << 0 << 0 << 0.0;
        QTest::newRow("negative count") << 20.0 << 20000.0 << -5 << 0 << 0.0;
        QTest::newRow("from 0 Hz has no log spacing") << 0.0 << 20000.0 << 10 << 0 << 0.0;
        QTest::newRow("downward sweep") << 20000.0 << 20.0 << 3 << 3 << 20000.0;
    }

    void sweepEdgeCounts()
    {
        QFETCH(double, fStart);
        QFETCH(double, fEnd);
        QFETCH(int, n);
        QFETCH(int, count);
        QFETCH(double, firstFrequency);
        QMyParametricEq eq;
        const QList<QPointF> points = eq.getFrequencyResponse(fStart, fEnd, n);
        QCOMPARE(points.size(), count);
        if (count > 0)
            QCOMPARE(points.first().x(), firstFrequency);
        if (count > 1)
            QVERIFY(std::abs(points.last().x() - fEnd) < 1e-9);
    }

    void listedFrequenciesKeepTheirOrder()
    {
        QMyParametricEq* eq = makeBand(this, QMyParametricEq::PeakingFilter, 1000, 6, 1);
        const QList<QPointF> points = eq->getFrequencyResponse(QList<double> { 5000, 1000, 50 });
        QCOMPARE(points.size(), 3);
        QCOMPARE(points[0].x(), 5000.0);
        QCOMPARE(points[1].x(), 1000.0);
        QCOMPARE(points[2].x(), 50.0);
        QVERIFY(std::abs(points[1].y() - 6.0) < 1e-9);
    }

    void displayNames_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("name");
        QTest::newRow("off") << int(QMyParametricEq::NoFilter) << "Off";
        QTest::newRow("peak") << int(QMyParametricEq::PeakingFilter) << "Peak";
        QTest::newRow("second-order shelf") << int(QMyParametricEq::HighShelfFilterSecondOrder) << "High Shelf (II)";
        QTest::newRow("past the last type") << 13 << "Unknown";
        QTest::newRow("negative") << -1 << "Unknown";
    }

    void displayNames()
    {
        QFETCH(int, type);
        QFETCH(QString, name);
        QCOMPARE(QMyParametricEq::typeToString(Type(type)), name);
    }
};

LYR_TEST_MAIN(TestParametricEq)
#include "tst_parametriceq.moc"
