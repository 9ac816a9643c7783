#pragma once

// A display-only envelope: a start level followed by attack, decay, sustain
// and release, each a time and a level in the program's 7-bit range. Each of
// the four times takes up to a third of the width, so a slow envelope runs
// past the right edge as it would run past the end of a short note.

#include <QList>
#include <QPointF>
#include <QWidget>

class QMyAdsrPlot : public QWidget
{
    Q_OBJECT
public:
    enum Point { Start = 0, Attack, Decay, Sustain, Release, MaxAdsrPoints };
    Q_ENUM(Point)

    explicit QMyAdsrPlot(QWidget* parent = nullptr);

    // Puts every point back at time 0, level 0.
    void init();

    // Envelope points, times and levels 0..127.
    void setStartingPoint(uchar level, bool update = true);
    void setAttack(uchar time, uchar level, bool update = true);
    void setDecay(uchar time, uchar level, bool update = true);
    void setSustain(uchar time, uchar level, bool update = true);
    void setRelease(uchar time, uchar level, bool update = true);

    // Normalised points (time / 127, level / 127), indexed by Point.
    QList<QPointF> getPoints() const { return points; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setPoint(Point point, uchar time, uchar level, bool update);

    QList<QPointF> points;
    QList<QPointF> pixelPoints;
};
