#include "QMyRangeSlider.h"

#include <QDebug>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

QMyRangeSlider::QMyRangeSlider(QWidget* parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void QMyRangeSlider::setStep(uint step)
{
    m_step = step;
}

void QMyRangeSlider::setOrientation(Qt::Orientation orientation)
{
    if (orientation != Qt::Horizontal)
        qDebug() << "Invalid Orientation. Horizontal is the only available orientation.";
}

QSize QMyRangeSlider::sizeHint() const
{
    return QSize(3000, 40);
}

QSize QMyRangeSlider::minimumSizeHint() const
{
    return QSize(60, 20);
}

// ---------------------------------------------------------------- setters
//
// Every nested move passes the caller's signal flag on: a refresh that asks
// for silence must not have a pushed end announce itself, or the page would
// store that end into the program it is only showing.

void QMyRangeSlider::moveHigh(uint requested, bool update, bool signal)
{
    m_highValue = std::min(m_maximum, requested);
    if (m_highValue < m_minimum)
        m_highValue = m_minimum + 1;
    if (m_highValue <= m_lowValue)
        makeRoomUnderHigh(signal);
    if (update)
        this->update();
    if (signal)
        emit highValueChange(m_highValue);
}

void QMyRangeSlider::makeRoomUnderHigh(bool signal)
{
    // lowValue - 1 at a minimum of 0 would wrap round to the top of the
    // unsigned range and throw the whole selection to the right-hand end.
    if (m_lowValue > m_minimum)
        setLowValue(m_lowValue - 1, true, signal);
    else
        m_highValue = m_lowValue + 1;
}

void QMyRangeSlider::setLowValue(uint v, bool update, bool signal)
{
    if (v == m_lowValue)
        return;
    m_lowValue = v > m_maximum ? m_maximum - 1 : v;
    if (m_lowValue < m_minimum)
        m_lowValue = m_minimum;
    if (m_lowValue >= m_highValue)
        moveHigh(m_lowValue + 1, true, signal);
    if (update)
        this->update();
    if (signal)
        emit lowValueChange(m_lowValue);
}

void QMyRangeSlider::setHighValue(uint v, bool update, bool signal)
{
    if (v != m_highValue)
        moveHigh(v, update, signal);
}

void QMyRangeSlider::setMinimum(uint v, bool update, bool signal)
{
    if (v == m_minimum)
        return;
    const uint oldMaximum = m_maximum;
    m_minimum = v;
    if (oldMaximum <= v) {
        // The whole range moves up past the old top.
        setMaximum(v + 1, true, signal);
        if (m_highValue != m_maximum)
            moveHigh(m_maximum, true, signal);
        setLowValue(m_minimum, true, signal);
    } else if (m_highValue > v && m_lowValue >= v) {
        // The selection is still inside.
    } else if (m_highValue > v) {
        setLowValue(m_minimum, true, signal);
    } else {
        m_highValue = v + 1;
        if (m_lowValue > v)
            setLowValue(m_lowValue - 1, true, signal);
        this->update();
        if (signal)
            emit highValueChange(m_highValue);
        setLowValue(m_minimum, true, signal);
    }
    if (update)
        this->update();
    if (signal) {
        emit minimumChange(m_minimum);
        emit rangeChange(m_minimum, m_maximum);
    }
}

void QMyRangeSlider::setMaximum(uint v, bool update, bool signal)
{
    if (v == m_maximum)
        return;
    m_maximum = v;
    if (m_minimum >= v) {
        // The whole range moves down below the old bottom.
        m_maximum = v + 1;
        setMinimum(v, true, signal);
        if (m_highValue != m_maximum)
            moveHigh(m_maximum, true, signal);
        setLowValue(m_minimum, true, signal);
    } else if (m_lowValue >= v) {
        if (m_highValue != v) {
            m_highValue = v;
            setLowValue(m_lowValue - 1, true, signal);
            this->update();
            if (signal)
                emit highValueChange(m_highValue);
        }
        setLowValue(v - 1, true, signal);
    } else if (m_highValue > v) {
        m_highValue = v;
        this->update();
        if (signal)
            emit highValueChange(m_highValue);
    }
    if (update)
        this->update();
    if (signal) {
        emit maximumChange(m_maximum);
        emit rangeChange(m_minimum, m_maximum);
    }
}

void QMyRangeSlider::setRange(uint minimum, uint maximum, bool update, bool signal)
{
    setMinimum(minimum, update, signal);
    setMaximum(maximum, update, signal);
}

// ---------------------------------------------------------------- geometry

int QMyRangeSlider::positionOf(uint value) const
{
    const quint64 range = m_maximum - m_minimum;
    const quint64 width = quint64(std::max(0, this->width() - 4));
    return int(range != 0 ? (value - m_minimum) * width / range : 0) + 2;
}

uint QMyRangeSlider::valueAt(double x) const
{
    const float range = float(m_maximum - m_minimum);
    return uint(float(x) / float(width()) * range + float(m_minimum));
}

// ---------------------------------------------------------------- mouse

void QMyRangeSlider::mousePressEvent(QMouseEvent* event)
{
    lowPressed = false;
    highPressed = false;
    const int x = std::max(0, qRound(event->position().x()));
    mouseValue = valueAt(x);
    const int lowPos = positionOf(m_lowValue);
    const int highPos = positionOf(m_highValue);
    qDebug() << "mouseValue:" << mouseValue;
    qDebug() << "lowPos:" << lowPos;
    qDebug() << "highPos:" << highPos;
    if (lowPos - 15 <= x && x < lowPos)
        lowPressed = true;
    else if (highPos <= x && x <= highPos + 15)
        highPressed = true;
}

void QMyRangeSlider::mouseMoveEvent(QMouseEvent* event)
{
    if (!isEnabled() || mouseValue == NoDrag)
        return;
    const int x = std::max(0, qRound(event->position().x()));
    uint mv = valueAt(x);
    if (lowPressed) {
        mv = mv < m_highValue ? mv : m_highValue - 1;
        setLowValue(mv, true, true);
    } else if (highPressed) {
        mv = mv > m_lowValue ? mv : m_lowValue + 1;
        setHighValue(mv, true, true);
    }
    mouseValue = mv;
}

void QMyRangeSlider::mouseReleaseEvent(QMouseEvent*)
{
    lowPressed = false;
    highPressed = false;
    mouseValue = NoDrag;
}

// ---------------------------------------------------------------- painting

void QMyRangeSlider::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = width();
    const int y = (height() - 5) / 2;

    // A thin outline laid on a pixel edge smears over two half-grey rows.
    // When it covers an odd number of device pixels it is centred on a pixel
    // row instead, a shift of half a device pixel.
    const qreal dpr = devicePixelRatioF();
    const qreal penWidth = 0.8;
    if (qRound(penWidth * dpr) % 2 == 1)
        painter.translate(0.5 / dpr, 0.5 / dpr);

    painter.setPen(QPen(Qt::darkGray, penWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::lightGray);
    painter.drawRoundedRect(QRectF(2.0, y, w - 4, 5.0), 2.0, 2.0);

    const QColor bar = isEnabled() ? palette().color(QPalette::Highlight)
                                   : palette().color(QPalette::Disabled, QPalette::ButtonText);
    painter.setBrush(bar);
    painter.drawRect(QRect(QPoint(positionOf(m_lowValue), y), QPoint(positionOf(m_highValue) - 1, y + 4)));
}
