#pragma once

// The rotary knob of the editor pages and the GM mixer.

#include "QMyAbstractSlider.h"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QRectF>

// A ring of 300 degrees, open at the bottom, whose lit part shows the value,
// with the value marked by a dot, a line or the displayed number in the middle.
// Dragging points the knob at the mouse; wheel and arrow keys move by the
// single step; a double click returns it to its centre.
class QMyDial : public QMyAbstractSlider
{
    Q_OBJECT
    Q_PROPERTY(Mode mode READ getMode WRITE setMode)
    Q_PROPERTY(IndicatorMode indicatorMode READ getIndicatorMode WRITE setIndicatorMode)
    Q_PROPERTY(QColor onColor READ getOnColor WRITE setOnColor)
    Q_PROPERTY(QColor indicatorColor READ getIndicatorColor WRITE setIndicatorColor)
public:
    // Which part of the ring is lit: from the lower-left end up to the value,
    // from the value to the lower-right end, or from twelve o'clock to the value.
    enum Mode { Normal = 0, Inverted = 1, Centered = 2 };
    Q_ENUM(Mode)
    // What marks the value.
    enum IndicatorMode { Dot = 0, Line = 1, Text = 2 };
    Q_ENUM(IndicatorMode)

    explicit QMyDial(QWidget* parent = nullptr, int id = -1);

    Mode getMode() const { return mode; }
    IndicatorMode getIndicatorMode() const { return indicatorMode; }
    QColor getOnColor() const { return onColor; }
    QColor getOffColor() const { return offColor; }
    QColor getIndicatorColor() const { return indicatorColor; }

    // The square that holds the ring, valid once the knob is polished.
    QRectF getDialRect() const { return dialRect; }

    // Recomputes the geometry from the widget's size.
    void init();

public slots:
    void setMode(QMyDial::Mode mode);
    void setIndicatorMode(QMyDial::IndicatorMode mode);
    void setOnColor(QColor color, bool update = true);
    void setIndicatorColor(QColor color, bool update = true);

protected:
    bool event(QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // The lit arc and the value's angle for the current value and mode.
    void computeValueAngles();
    // A ring segment between dialRect and dialRect shrunk by the margin.
    QPainterPath ringPath(int start, int span) const;
    // Sets a smaller font on the painter when the text would overlap the ring.
    void fitTextInRing(QPainter* painter, const QRect& box, const QString& text) const;

    // Look.
    Mode mode = Normal;
    IndicatorMode indicatorMode = Text;
    QColor indicatorColor = Qt::white;
    QColor onColor;
    QColor offColor;

    // Ring angles in 1/16 degree, Qt's convention: 0 at three o'clock,
    // counter-clockwise positive. The track runs from -60 through 300 degrees,
    // leaving the gap at the bottom.
    int trackStartAngle = -960;
    int trackSpanAngle = 4800;
    int valueStartAngle = -960;
    int valueSpanAngle = 0;

    // Geometry, from init().
    double margin = 0.0;
    QRectF dialRect;
    int usableWidth = 0;
    int usableHeight = 0;
    int side = 0;
    double centerX = 0.0;
    double centerY = 0.0;
    double outerRadius = 0.0;
    double lineOuterRadius = 0.0;
    double dotRadius = 0.0;
    double lineInnerRadius = 0.0;

    // Angle of the value in radians, from the last paint.
    double needleAngle = 0.0;
};
