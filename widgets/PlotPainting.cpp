#include "PlotPainting.h"

#include <QLinearGradient>
#include <QPainter>
#include <QWidget>

namespace plotpainting {

QPen linePen(const QColor& color, double width, Qt::PenStyle style)
{
    return QPen(QBrush(color), width, style, Qt::SquareCap, Qt::BevelJoin);
}

QBrush backgroundBrush(const QColor& base)
{
    QLinearGradient gradient(0, 0, 0, 350);
    gradient.setColorAt(0, base);
    gradient.setColorAt(1, base);
    return QBrush(gradient);
}

void paintBackground(QPainter& painter, const QWidget* widget)
{
    const QPalette& pal = widget->palette();
    const QColor base = widget->isEnabled() ? pal.color(QPalette::Base)
                                            : pal.color(QPalette::Disabled, QPalette::Base);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(backgroundBrush(base));
    painter.drawRect(QRect(QPoint(0, 0), QPoint(widget->width() - 1, widget->height() - 1)));
}

void paintOutline(QPainter& painter, const QWidget* widget)
{
    painter.setPen(QColor(Qt::lightGray));
    painter.setBrush(Qt::NoBrush);
    // Through the centres of the edge pixels, so the antialiased frame is
    // one crisp pixel wide on every side.
    painter.drawRect(QRectF(0.5, 0.5, widget->width() - 1, widget->height() - 1));
}

QColor curveColor(const QWidget* widget)
{
    const QPalette& pal = widget->palette();
    return widget->isEnabled() ? pal.color(QPalette::Highlight)
                               : pal.color(QPalette::Disabled, QPalette::ButtonText);
}

} // namespace plotpainting
