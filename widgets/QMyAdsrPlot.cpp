#include "QMyAdsrPlot.h"

#include "PlotPainting.h"

#include <QPainter>

QMyAdsrPlot::QMyAdsrPlot(QWidget* parent)
    : QWidget(parent)
{
    init();
}

void QMyAdsrPlot::init()
{
    points.clear();
    pixelPoints.clear();
    for (int i = 0; i < MaxAdsrPoints; ++i) {
        points.append(QPointF(0, 0));
        pixelPoints.append(QPointF(0, 0));
    }
}

void QMyAdsrPlot::setPoint(Point point, uchar time, uchar level, bool update)
{
    points[point] = QPointF(time / 127.0, level / 127.0);
    if (update)
        this->update();
}

void QMyAdsrPlot::setStartingPoint(uchar level, bool update)
{
    setPoint(Start, 0, level, update);
}

void QMyAdsrPlot::setAttack(uchar time, uchar level, bool update)
{
    setPoint(Attack, time, level, update);
}

void QMyAdsrPlot::setDecay(uchar time, uchar level, bool update)
{
    setPoint(Decay, time, level, update);
}

void QMyAdsrPlot::setSustain(uchar time, uchar level, bool update)
{
    setPoint(Sustain, time, level, update);
}

void QMyAdsrPlot::setRelease(uchar time, uchar level, bool update)
{
    setPoint(Release, time, level, update);
}

void QMyAdsrPlot::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    const int third = w / 3;

    // Times add up from the left; levels count from the bottom edge.
    double x = 0;
    for (int i = 0; i < MaxAdsrPoints; ++i) {
        x = int(x + points[i].x() * third);
        pixelPoints[i] = QPointF(x, int(h - points[i].y() * h));
    }

    QPainter painter(this);
    plotpainting::paintBackground(painter, this);

    const QColor curve = plotpainting::curveColor(this);
    const QColor marker = isEnabled() ? curve.lighter(150) : curve;
    painter.setBrush(Qt::NoBrush);
    painter.setPen(plotpainting::linePen(marker, 1));
    for (Point p : { Attack, Decay, Sustain }) {
        if (points[p].x() != 0.0)
            painter.drawLine(QPointF(pixelPoints[p].x(), 0), QPointF(pixelPoints[p].x(), h));
    }

    painter.setPen(plotpainting::linePen(curve, 2));
    painter.drawPolyline(pixelPoints.constData(), int(pixelPoints.size()));

    plotpainting::paintOutline(painter, this);
}
