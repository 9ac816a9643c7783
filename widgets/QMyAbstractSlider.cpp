#include "QMyAbstractSlider.h"

#include <QMouseEvent>

QMyAbstractSlider::QMyAbstractSlider(QWidget* parent, int id)
    : QWidget(parent)
    , id(id)
{
}

double QMyAbstractSlider::getDisplayedValue()
{
    displayedValue = double(value - min) / double(max - min) * (displayedMax - displayedMin) + displayedMin;
    return displayedValue;
}

QString QMyAbstractSlider::getDisplayedText()
{
    QString number = QString::number(getDisplayedValue(), 'f', displayedDecimals ? 1 : 0);
    // A centred gain a hair below zero would otherwise read "-0.0 dB", as if
    // it were a different setting from its neighbour "0.0 dB".
    if (number.startsWith(QLatin1Char('-')) && number.toDouble() == 0.0)
        number.remove(0, 1);
    return number + suffix;
}

void QMyAbstractSlider::setValue(int v, bool update, bool signal)
{
    if (v == value)
        return;
    value = qBound(min, v, max);
    if (update)
        this->update();
    if (signal)
        emit valueChanged(value);
}

void QMyAbstractSlider::storeMin(int v)
{
    min = v < max ? v : max - 1;
    if (value < min)
        value = min;
}

void QMyAbstractSlider::storeMax(int v)
{
    max = v > min ? v : min + 1;
    if (value > max)
        value = max;
}

void QMyAbstractSlider::setMin(int v, bool update)
{
    if (v == min)
        return;
    storeMin(v);
    if (update)
        this->update();
}

void QMyAbstractSlider::setMax(int v, bool update)
{
    if (v == max)
        return;
    storeMax(v);
    if (update)
        this->update();
}

void QMyAbstractSlider::setRange(int lo, int hi, bool update)
{
    if (lo != min)
        storeMin(lo);
    if (hi != max)
        storeMax(hi);
    if (update)
        this->update();
}

void QMyAbstractSlider::setSingleStep(int v)
{
    step = v;
}

void QMyAbstractSlider::select(bool onOff)
{
    selected = onOff;
    update();
}

void QMyAbstractSlider::setDisplayedMin(double val, bool update)
{
    displayedMin = val;
    if (update)
        this->update();
}

void QMyAbstractSlider::setDisplayedMax(double val, bool update)
{
    displayedMax = val;
    if (update)
        this->update();
}

void QMyAbstractSlider::setDisplayedRange(double lo, double hi, bool update)
{
    displayedMin = lo;
    displayedMax = hi;
    if (update)
        this->update();
}

void QMyAbstractSlider::setDisplayedDecimals(unsigned char val, bool update)
{
    displayedDecimals = val;
    if (update)
        this->update();
}

void QMyAbstractSlider::setSuffix(QString text, bool update)
{
    suffix = text;
    if (update)
        this->update();
}

void QMyAbstractSlider::mousePressEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    pressed = true;
    emit sliderPressed();
}

void QMyAbstractSlider::mouseReleaseEvent(QMouseEvent* event)
{
    if (!isEnabled()) {
        event->ignore();
        return;
    }
    pressed = false;
    emit sliderReleased();
}
