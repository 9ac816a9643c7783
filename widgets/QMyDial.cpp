#include "QMyDial.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QtMath>
#include <cmath>

QMyDial::QMyDial(QWidget* parent, int id)
    : QMyAbstractSlider(parent, id)
{
    // Taken once: a knob keeps the colours it was born with, whatever the
    // palette does later (the disabled colours are read at every paint).
    const QPalette palette = QApplication::palette();
    onColor = palette.color(QPalette::Highlight);
    offColor = palette.color(QPalette::Mid);
}

void QMyDial::setMode(QMyDial::Mode m)
{
    mode = m;
    update();
}

void QMyDial::setIndicatorMode(QMyDial::IndicatorMode m)
{
    indicatorMode = m;
    update();
}

void QMyDial::setOnColor(QColor color, bool update)
{
    onColor = color;
    if (update)
        this->update();
}

void QMyDial::setIndicatorColor(QColor color, bool update)
{
    indicatorColor = color;
    if (update)
        this->update();
}

void QMyDial::init()
{
    const int w = width();
    const int h = height();
    margin = qMin(w, h) / 12.0;
    usableWidth = int(w - 2 * margin);
    usableHeight = int(h - 2 * margin);
    side = qMin(usableWidth, usableHeight);

    double x0 = margin;
    double y0 = margin;
    if (usableWidth > usableHeight)
        x0 += (usableWidth - side) / 2;
    if (usableHeight > usableWidth)
        y0 += (usableHeight - side) / 2;

    dialRect = QRectF(x0, y0, side, side);
    centerX = x0 + side / 2.0;
    centerY = y0 + side / 2.0;
    outerRadius = side / 2.0;
    lineOuterRadius = side / 2.5 - 2;
    dotRadius = side / 4.0;
    lineInnerRadius = side / 5.0;
}

void QMyDial::computeValueAngles()
{
    // Integer arithmetic in 1/16 degree, wide enough for any int range.
    const qint64 range = qint64(max) - min;
    const qint64 offset = qint64(value) - min;
    int degrees;
    switch (mode) {
    case Inverted: {
        const int a = int(offset * 4800 / range);
        valueStartAngle = -960;
        valueSpanAngle = 4800 - a;
        degrees = (4800 - a) / 16 - 60;
        break;
    }
    case Centered: {
        const int a = int((-offset + range / 2) * 4800 / range);
        valueStartAngle = 1440;
        valueSpanAngle = a;
        degrees = a / 16 + 90;
        break;
    }
    case Normal:
    default: {
        const int a = int(offset * 4800 / range);
        valueStartAngle = 3840;
        valueSpanAngle = -a;
        degrees = 240 - a / 16;
        break;
    }
    }
    needleAngle = qDegreesToRadians(double(degrees));
}

QPainterPath QMyDial::ringPath(int start, int span) const
{
    const QRectF inner = dialRect.adjusted(margin, margin, -margin, -margin);
    QPainterPath path;
    path.arcMoveTo(dialRect, start / 16.0);
    path.arcTo(dialRect, start / 16.0, span / 16.0);
    path.arcTo(inner, (start + span) / 16.0, -span / 16.0);
    path.closeSubpath();
    return path;
}

void QMyDial::paintEvent(QPaintEvent* event)
{
    if (min == max)
        return;

    QPainter painter(this);
    const int w = width();
    const int h = height();

    if (hasFocus()) {
        // Drawn aliased: a one-pixel dotted frame smeared over two pixels
        // reads as grey fuzz rather than a focus mark.
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRect(QPoint(2, 2), QPoint(w - 3, h - 3)));
    }
    painter.setRenderHint(QPainter::Antialiasing);

    computeValueAngles();

    // Only the focus frame lies outside the ring.
    if (!event->region().intersects(dialRect.toRect()))
        return;

    const bool enabled = isEnabled();
    const QPalette& pal = palette();
    const QColor trackColor = enabled ? offColor : pal.color(QPalette::Disabled, QPalette::Mid);
    const QColor litColor = enabled ? onColor : pal.color(QPalette::Disabled, QPalette::ButtonText);

    painter.setPen(Qt::NoPen);
    painter.fillPath(ringPath(trackStartAngle, trackSpanAngle), trackColor);
    painter.fillPath(ringPath(valueStartAngle, valueSpanAngle), litColor);

    const double cosA = std::cos(needleAngle);
    const double sinA = std::sin(needleAngle);
    switch (indicatorMode) {
    case Dot: {
        const double d = side / 6.0;
        const QPointF c(centerX + cosA * dotRadius, centerY - sinA * dotRadius);
        painter.setPen(Qt::NoPen);
        painter.setBrush(indicatorColor);
        painter.drawEllipse(c, d / 2, d / 2);
        break;
    }
    case Line:
        painter.setPen(QPen(indicatorColor, 4, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter.drawLine(QPointF(centerX + cosA * lineOuterRadius, centerY - sinA * lineOuterRadius),
                         QPointF(centerX + cosA * lineInnerRadius, centerY - sinA * lineInnerRadius));
        break;
    case Text: {
        const QColor textColor = enabled ? pal.color(QPalette::Text) : pal.color(QPalette::Disabled, QPalette::ButtonText);
        painter.setPen(QPen(textColor, 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        const QRect box(QPoint(0, 0), QPoint(w - 1, h - 1));
        const QString text = getDisplayedText();
        fitTextInRing(&painter, box, text);
        painter.drawText(box, Qt::AlignCenter, text);
        break;
    }
    }
}

void QMyDial::fitTextInRing(QPainter* painter, const QRect& box, const QString& text) const
{
    // A long number such as "20000" on a small knob would run over the ring;
    // it is set smaller instead, down to a size that still reads.
    const double room = side - 2 * margin - 2;
    if (room <= 0)
        return;
    const double needed = QFontMetricsF(font(), this).boundingRect(box, Qt::AlignCenter, text).width();
    if (needed <= room)
        return;
    QFont smaller = font();
    if (smaller.pointSizeF() > 0)
        smaller.setPointSizeF(qMax(6.0, smaller.pointSizeF() * room / needed));
    else
        smaller.setPixelSize(qMax(8, int(smaller.pixelSize() * room / needed)));
    painter->setFont(smaller);
}

bool QMyDial::event(QEvent* e)
{
    switch (e->type()) {
    case QEvent::MouseButtonDblClick:
        // Back to the centre: the middle of the range for a centred knob,
        // the MIDI middle 64 for the others.
        if (isEnabled())
            setValue(mode == Centered ? (min + max) / 2 : 64, true, true);
        break;
    case QEvent::KeyPress: {
        if (!isEnabled())
            break;
        auto* key = static_cast<QKeyEvent*>(e);
        bool arrow = true;
        switch (key->key()) {
        case Qt::Key_Left:
        case Qt::Key_Down:
            setValue(value - step, true, true);
            break;
        case Qt::Key_Up:
        case Qt::Key_Right:
            setValue(value + step, true, true);
            break;
        default:
            arrow = false;
            break;
        }
        const bool result = QMyAbstractSlider::event(e);
        // The base ignores the key; left ignored, it would travel on to the
        // page's scroll area and scroll the page under the knob being turned.
        if (arrow) {
            e->accept();
            return true;
        }
        return result;
    }
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::EnabledChange:
        update();
        break;
    case QEvent::Polish:
        init();
        break;
    default:
        break;
    }
    return QMyAbstractSlider::event(e);
}

void QMyDial::mouseMoveEvent(QMouseEvent* event)
{
    if (!isEnabled() || event->buttons() == Qt::NoButton) {
        event->ignore();
        return;
    }
    // The knob points at the mouse: 0 degrees at twelve o'clock, clockwise
    // positive, the 60-degree gap at the bottom clamped to the ends.
    const QPoint pos = event->position().toPoint();
    const int dx = pos.x() - (width() - 1) / 2;
    const int dy = (height() - 1) / 2 - pos.y();
    const double angle = qBound(-150.0, qRadiansToDegrees(std::atan2(double(dx), double(dy))), 150.0);
    const int v = int((angle + 150.0) * (double(max) - min) / 300.0 + min);
    if (v != value)
        setValue(v, true, true);
}

void QMyDial::wheelEvent(QWheelEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    setValue(event->angleDelta().y() > 0 ? value + step : value - step, true, true);
    event->accept();
}

void QMyDial::resizeEvent(QResizeEvent*)
{
    init();
}
