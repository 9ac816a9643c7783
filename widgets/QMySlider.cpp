#include "QMySlider.h"

#include <QMouseEvent>
#include <QPainter>

QMySlider::QMySlider(QWidget* parent, int id)
    : QMyAbstractSlider(parent, id)
{
    update();
}

void QMySlider::setBackroundColor(QColor color)
{
    backgroundColor = color;
}

void QMySlider::setThumbColor(QColor color)
{
    thumbColor = color;
}

void QMySlider::setThumbSelectedColor(QColor color)
{
    thumbSelectedColor = color;
}

int QMySlider::fill(int h) const
{
    return max != 0 ? int(qint64(h) * value / max) : 0;
}

void QMySlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    const int h = height();
    const int b = border;

    thumbWidth = w - 4 * b;
    thumbX = (w - thumbWidth) / 2;
    thumbY = h - (thumbHeight + 2 * b) - fill(h - (4 * b + thumbHeight));
    grooveHeight = h - 4 * b;
    grooveX = (w - grooveWidth) / 2;
    grooveY = 2 * b;

    // Frame: a yellow border marks the selected fader.
    const int p = selected ? b : 1;
    painter.setPen(selected ? QPen(Qt::yellow, b) : QPen(Qt::transparent, 1));
    painter.setBrush(backgroundColor);
    painter.drawRect(QRect(QPoint(p, p), QPoint(w - 1 - p, h - 1 - p)));

    painter.setPen(Qt::transparent);
    painter.setBrush(QColor(80, 80, 80));
    painter.drawRect(QRect(grooveX, grooveY, grooveWidth, grooveHeight));

    // The level grows upward from the bottom of the groove.
    painter.setBrush(Qt::yellow);
    painter.drawRect(QRect(QPoint(grooveX, h - 2 * b), QPoint(grooveX + grooveWidth - 1, h - 2 * b - fill(h - 4 * b) - 1)));

    painter.setPen(Qt::black);
    painter.setBrush(pressed ? thumbSelectedColor : thumbColor);
    const QRect thumb(thumbX, thumbY, thumbWidth, thumbHeight);
    painter.drawRect(thumb);

    painter.setPen(pressed ? Qt::black : Qt::white);
    painter.drawText(thumb, Qt::AlignCenter, QString::number(value));
}

void QMySlider::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QMyAbstractSlider::mousePressEvent(event);
    update();
}

void QMySlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    QMyAbstractSlider::mouseReleaseEvent(event);
    update();
}

void QMySlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    const int y = qRound(event->position().y());
    setValue(int(float(max) - float(max) * float(y) / float(height())), true, true);
    update();
}

void QMySlider::resizeEvent(QResizeEvent*)
{
}
