#include "QMyLfoPlot.h"

#include "PlotPainting.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

QMyLfoPlot::QMyLfoPlot(QWidget* parent)
    : QWidget(parent)
{
}

void QMyLfoPlot::setDepth(double value, bool update)
{
    depth = std::clamp(value, 0.0, 1.0);
    if (update)
        this->update();
}

void QMyLfoPlot::setRate(double value, bool update)
{
    rate = std::clamp(value, 0.0, 1.0);
    if (update)
        this->update();
}

void QMyLfoPlot::setDelay(double value, bool update)
{
    delay = std::clamp(value, 0.0, 1.0);
    if (update)
        this->update();
}

void QMyLfoPlot::setShape(int value, bool update)
{
    shape = int(std::min(unsigned(value), unsigned(LfoSine)));
    if (update)
        this->update();
}

void QMyLfoPlot::paintEvent(QPaintEvent*)
{
    const int w = width() - 1;
    const int h = height() - 1;
    const int mid = h / 2;
    const double amp = h / 3.0 * depth;
    const double cycles = rate * rateCycles + 1;
    const double period = w / cycles;
    const double d = delay * w * 0.25;

    QPainter painter(this);
    plotpainting::paintBackground(painter, this);

    // Widget y grows downward: mid + a lies below the middle line, so every
    // shape starts downward after the delay.
    QPainterPath path(QPointF(0, mid));
    path.lineTo(d, mid);
    if (shape == LfoTriangle) {
        const int a = int(amp);
        double x = d + period * 0.25;
        double y = mid + a;
        int s = 1;
        path.lineTo(x, y);
        while (x < 2 * w) {
            path.lineTo(x, y);
            y = mid - a * s;
            s = -s;
            x += period * 0.5;
        }
    } else if (shape == LfoSquare) {
        const int a = int(amp);
        double x = d;
        double y = mid + a;
        int s = 1;
        while (x < 2 * w) {
            path.lineTo(x, y);
            x += period * 0.5;
            path.lineTo(x, y);
            y = mid - a * s;
            s = -s;
        }
    } else {
        for (int i = 0; i < w; ++i)
            path.lineTo(d + i, mid + std::sin(2 * M_PI / w * cycles * i) * amp);
    }

    painter.setPen(plotpainting::linePen(plotpainting::curveColor(this), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);

    plotpainting::paintOutline(painter, this);
}
