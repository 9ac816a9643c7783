#pragma once

// A display-only picture of a low-frequency oscillator: a flat delay, then a
// triangle, square or sine wave whose height follows the depth and whose
// number of cycles across the plot follows the rate.

#include <QWidget>

class QMyLfoPlot : public QWidget
{
    Q_OBJECT
public:
    enum LfoShape { LfoTriangle = 0, LfoSquare, LfoSine };
    Q_ENUM(LfoShape)

    explicit QMyLfoPlot(QWidget* parent = nullptr);

    // Wave parameters, each 0..1 (clamped).
    void setDepth(double value, bool update = true);
    void setRate(double value, bool update = true);
    void setDelay(double value, bool update = true);
    // Any value that is not a triangle or a square draws a sine.
    void setShape(int value, bool update = true);

    double getDepth() const { return depth; }
    double getRate() const { return rate; }
    double getDelay() const { return delay; }
    int getShape() const { return shape; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double depth = 1.0;
    double rate = 1.0;
    double delay = 0.0;
    int shape = LfoSine;
    // Cycles added across the width at full rate (one is always shown).
    int rateCycles = 9;
};
