#pragma once

// Background, outline and curve colour shared by the small envelope and LFO
// plots, so the two look alike beside each other.

#include <QColor>

class QPainter;
class QWidget;

namespace plotpainting {

// Fills the widget with its Base colour (disabled Base while disabled).
void paintBackground(QPainter& painter, const QWidget* widget);

// A light grey frame around the widget, drawn after the curve.
void paintOutline(QPainter& painter, const QWidget* widget);

// Highlight while enabled, the disabled ButtonText while disabled.
QColor curveColor(const QWidget* widget);

} // namespace plotpainting
