#pragma once

// Background, outline, pens and curve colour shared by the envelope, LFO and
// equaliser plots, so they look alike beside each other.

#include <QBrush>
#include <QColor>
#include <QPen>

class QPainter;
class QWidget;

namespace plotpainting {

// The plots' line: square caps, bevel joins.
QPen linePen(const QColor& color, double width, Qt::PenStyle style = Qt::SolidLine);

// The plots' background: a vertical gradient over 350 pixels whose two stops
// are both base.
QBrush backgroundBrush(const QColor& base);

// Fills the widget with its Base colour (disabled Base while disabled).
void paintBackground(QPainter& painter, const QWidget* widget);

// A light grey frame around the widget, drawn after the curve.
void paintOutline(QPainter& painter, const QWidget* widget);

// Highlight while enabled, the disabled ButtonText while disabled.
QColor curveColor(const QWidget* widget);

} // namespace plotpainting
