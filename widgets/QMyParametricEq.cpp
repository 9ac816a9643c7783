#include "QMyParametricEq.h"

#include <cmath>
#include <limits>

QMap<QMyParametricEq::Type, QString> QMyParametricEq::eqStrMap;

namespace {

// Clamps, minimum first; a value that is no number ends at the minimum
// instead of reaching the coefficients.
double bounded(double value, double min, double max)
{
    if (!(value >= min))
        value = min;
    if (value > max)
        value = max;
    return value;
}

} // namespace

QMyParametricEq::QMyParametricEq(QObject* parent)
    : QObject(parent)
{
    computeParameters();
}

void QMyParametricEq::setType(QMyParametricEq::Type value)
{
    type = value;
}

void QMyParametricEq::setFrequency(double value)
{
    frequency = bounded(value, frequencyMin, frequencyMax);
}

void QMyParametricEq::setGain(double value)
{
    gain = bounded(value, gainMin, gainMax);
}

void QMyParametricEq::setQ(double value)
{
    q = bounded(value, qMin, qMax);
}

void QMyParametricEq::computeParameters()
{
    amplitude = std::pow(10.0, gain / 40.0);
    omega = 2.0 * M_PI * frequency / sampleRate;
    sinOmega = std::sin(omega);
    cosOmega = std::cos(omega);
    alpha = sinOmega / (2.0 * q);
    expOmega = std::exp(-omega);
    tanHalfOmega = std::tan(omega / 2.0);

    const double A = amplitude;
    const double c = cosOmega;
    const double e = expOmega;
    const double t = tanHalfOmega;
    // Shelf terms of the second-order shelves.
    const double P = A + 1.0;
    const double M = A - 1.0;
    const double r = 2.0 * std::sqrt(A) * alpha;

    switch (type) {
    case AllPassFilter:
        b0 = 1.0 - alpha; b1 = -2.0 * c; b2 = 1.0 + alpha;
        a0 = 1.0 + alpha; a1 = -2.0 * c; a2 = 1.0 - alpha;
        break;
    case LowPassFilter6dB:
        b0 = 1.0 - e; b1 = 0.0; b2 = 0.0;
        a0 = 1.0; a1 = -e; a2 = 0.0;
        break;
    case LowPassFilter12dB:
        b0 = (1.0 - c) / 2.0; b1 = 1.0 - c; b2 = (1.0 - c) / 2.0;
        a0 = 1.0 + alpha; a1 = -2.0 * c; a2 = 1.0 - alpha;
        break;
    case LowShelfFilterFirstOrder:
        b0 = A * A * t + A; b1 = A * A * t - A; b2 = 0.0;
        a0 = A + t; a1 = t - A; a2 = 0.0;
        break;
    case PeakingFilter:
        b0 = 1.0 + alpha * A; b1 = -2.0 * c; b2 = 1.0 - alpha * A;
        a0 = 1.0 + alpha / A; a1 = -2.0 * c; a2 = 1.0 - alpha / A;
        break;
    case HighShelfFilterFirstOrder:
        b0 = A + t; b1 = t - A; b2 = 0.0;
        a0 = 1.0 / A + t; a1 = t - 1.0 / A; a2 = 0.0;
        break;
    case HighPassFilter6dB:
        b0 = (1.0 + e) / 2.0; b1 = -(1.0 + e) / 2.0; b2 = 0.0;
        a0 = 1.0; a1 = -e; a2 = 0.0;
        break;
    case HighPassFilter12dB:
        b0 = (1.0 + c) / 2.0; b1 = -(1.0 + c); b2 = (1.0 + c) / 2.0;
        a0 = 1.0 + alpha; a1 = -2.0 * c; a2 = 1.0 - alpha;
        break;
    case BandPassFilter:
        b0 = sinOmega / 2.0; b1 = 0.0; b2 = -sinOmega / 2.0;
        a0 = 1.0 + alpha; a1 = -2.0 * c; a2 = 1.0 - alpha;
        break;
    case NotchFilter:
        b0 = 1.0; b1 = -2.0 * c; b2 = 1.0;
        a0 = 1.0 + alpha; a1 = -2.0 * c; a2 = 1.0 - alpha;
        break;
    case NoFilter:
        b0 = 1.0; b1 = 0.0; b2 = 0.0;
        a0 = 1.0; a1 = 0.0; a2 = 0.0;
        break;
    case LowShelfFilterSecondOrder:
        b0 = A * (P - M * c + r); b1 = 2.0 * A * (M - P * c); b2 = A * (P - M * c - r);
        a0 = P + M * c + r; a1 = -2.0 * (M + P * c); a2 = P + M * c - r;
        break;
    case HighShelfFilterSecondOrder:
        b0 = A * (P + M * c + r); b1 = -2.0 * A * (M + P * c); b2 = A * (P + M * c - r);
        a0 = P - M * c + r; a1 = 2.0 * (M - P * c); a2 = P - M * c - r;
        break;
    }
    // A type outside the enumeration keeps the coefficients it had.

    na1 = a1 / a0;
    na2 = a2 / a0;
    nb0 = b0 / a0;
    nb1 = b1 / a0;
    nb2 = b2 / a0;
}

double QMyParametricEq::coputeFrequencyResponse(double f) const
{
    // |H(e^jw)|^2 of a biquad written in psi = 4 sin^2(w/2), which stays
    // accurate at low frequencies where the cosine form cancels badly.
    const double s = std::sin(M_PI * f / sampleRate);
    const double psi = 4.0 * s * s;
    const double n = (nb0 + nb1 + nb2) * (nb0 + nb1 + nb2)
        + psi * (nb0 * nb2 * psi - (nb1 * (nb0 + nb2) + 4.0 * nb0 * nb2));
    const double d = (1.0 + na1 + na2) * (1.0 + na1 + na2)
        + psi * (na2 * psi - (na1 * (1.0 + na2) + 4.0 * na2));
    // Both are squared magnitudes; rounding can push an exact zero (a notch
    // at its centre) just below it, where log10 would give a NaN.
    if (!(n > 0.0))
        return -std::numeric_limits<double>::infinity();
    if (!(d > 0.0))
        return std::numeric_limits<double>::infinity();
    return 10.0 * std::log10(n) - 10.0 * std::log10(d);
}

QList<QPointF> QMyParametricEq::getFrequencyResponse(double fStart, double fEnd, int n) const
{
    QList<QPointF> points;
    // Logarithmic spacing has no meaning from or to 0 Hz.
    if (n < 1 || !(fStart > 0.0) || !(fEnd > 0.0))
        return points;
    points.reserve(n);
    if (n == 1) {
        points.append(QPointF(fStart, coputeFrequencyResponse(fStart)));
        return points;
    }
    const double ratio = fEnd / fStart;
    for (int i = 0; i < n; ++i) {
        const double f = fStart * std::pow(ratio, double(i) / double(n - 1));
        points.append(QPointF(f, coputeFrequencyResponse(f)));
    }
    return points;
}

QList<QPointF> QMyParametricEq::getFrequencyResponse(QList<double> frequencies) const
{
    QList<QPointF> points;
    points.reserve(frequencies.size());
    for (double f : frequencies)
        points.append(QPointF(f, coputeFrequencyResponse(f)));
    return points;
}

QString QMyParametricEq::typeToString(QMyParametricEq::Type type)
{
    initStrMap();
    return eqStrMap.value(type, QStringLiteral("Unknown"));
}

void QMyParametricEq::initStrMap()
{
    if (!eqStrMap.isEmpty())
        return;
    //  type                          display name
    static const struct { Type type; const char* name; } rows[] = {
        { AllPassFilter,              "All Pass" },
        { LowPassFilter6dB,           "LP 6 dB" },
        { LowPassFilter12dB,          "LP 12 dB" },
        { LowShelfFilterFirstOrder,   "Low Shelf" },
        { PeakingFilter,              "Peak" },
        { HighShelfFilterFirstOrder,  "High Shelf" },
        { HighPassFilter6dB,          "HP 6 dB" },
        { HighPassFilter12dB,         "HP 12 dB" },
        { BandPassFilter,             "Band Pass" },
        { NotchFilter,                "Notch" },
        { NoFilter,                   "Off" },
        { LowShelfFilterSecondOrder,  "Low Shelf (II)" },
        { HighShelfFilterSecondOrder, "High Shelf (II)" },
    };
    for (const auto& row : rows)
        eqStrMap.insert(row.type, QString::fromLatin1(row.name));
}
