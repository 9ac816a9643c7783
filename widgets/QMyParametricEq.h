#pragma once

// One band of a parametric equaliser, for display: a filter type, frequency,
// gain and Q turned into biquad coefficients at 44.1 kHz, and the magnitude
// response those coefficients give. The module does its own filtering; this
// only draws what the user will hear.

#include <QList>
#include <QMap>
#include <QObject>
#include <QPointF>
#include <QString>

class QMyParametricEq : public QObject
{
    Q_OBJECT
public:
    // The order is also the order of the program's type vocabulary: keep it.
    enum Type {
        AllPassFilter = 0,
        LowPassFilter6dB,
        LowPassFilter12dB,
        LowShelfFilterFirstOrder,
        PeakingFilter,
        HighShelfFilterFirstOrder,
        HighPassFilter6dB,
        HighPassFilter12dB,
        BandPassFilter,
        NotchFilter,
        NoFilter,
        LowShelfFilterSecondOrder,
        HighShelfFilterSecondOrder
    };
    Q_ENUM(Type)

    explicit QMyParametricEq(QObject* parent = nullptr);

    // Band settings. The setters clamp to the bounds below and leave the
    // coefficients alone: call computeParameters() once the band is set.
    void setType(QMyParametricEq::Type type);
    void setFrequency(double frequency);
    void setGain(double gain);
    void setQ(double q);
    QMyParametricEq::Type getType() const { return type; }
    double getFrequency() const { return frequency; }
    double getGain() const { return gain; }
    double getQ() const { return q; }
    double getSampleRate() const { return sampleRate; }

    // Coefficients and response.
    void computeParameters();
    double coputeFrequencyResponse(double f) const;
    // n points from fStart to fEnd, spaced evenly on a logarithmic scale.
    QList<QPointF> getFrequencyResponse(double fStart, double fEnd, int n) const;
    QList<QPointF> getFrequencyResponse(QList<double> frequencies) const;

    // Display names of the types, as the plot's menu shows them.
    static QString typeToString(QMyParametricEq::Type type);
    static void initStrMap();

private:
    // Settings.
    Type type = PeakingFilter;
    double sampleRate = 44100.0;
    double gain = 0.0;
    double frequency = 1000.0;
    double q = 1.0;

    // Raw coefficients (a: denominator, b: numerator).
    double a0 = 1.0, a1 = 0.0, a2 = 0.0, b0 = 1.0, b1 = 0.0, b2 = 0.0;

    // Intermediates of the last computation.
    double amplitude = 1.0, omega = 0.0, sinOmega = 0.0, cosOmega = 1.0, alpha = 0.0,
           expOmega = 1.0, tanHalfOmega = 0.0;

    // Coefficients divided by a0, which the response uses.
    double na1 = 0.0, na2 = 0.0, nb0 = 1.0, nb1 = 0.0, nb2 = 0.0;

    // Bounds of the settings.
    double frequencyMax = 20000.0, frequencyMin = 20.0;
    double gainMax = 24.0, gainMin = -24.0;
    double qMax = 16.0, qMin = 0.1;

    static QMap<Type, QString> eqStrMap;
};
