#include "QMyLed.h"

#include <QDebug>
#include <QEvent>
#include <QPainter>
#include <QPropertyAnimation>
#include <QSequentialAnimationGroup>
#include <algorithm>
#include <tuple>

QColor interpolateColor(const QColor& from, const QColor& to, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    const auto mix = [t](int a, int b) { return int(a + t * (b - a)); };
    return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                  mix(from.blue(), to.blue()), mix(from.alpha(), to.alpha()));
}

QMyLed::QMyLed(QWidget* parent)
    : QWidget(parent)
    , onColor(palette().color(QPalette::Highlight))
    , offColor(palette().color(QPalette::Base))
{
    // Both halves end up owned by the group, itself a child of the LED, so
    // deleting a blinking LED stops its animation with it.
    blinkGroup = new QSequentialAnimationGroup(this);
    fadeIn = new QPropertyAnimation(this, "brightness", this);
    fadeOut = new QPropertyAnimation(this, "brightness", this);
    for (auto [anim, from, to] : { std::tuple{ fadeIn, 0.0, 1.0 }, std::tuple{ fadeOut, 1.0, 0.0 } }) {
        anim->setDuration(blinkingInterval);
        anim->setStartValue(from);
        anim->setEndValue(to);
        anim->setEasingCurve(QEasingCurve::InOutSine);
        blinkGroup->addAnimation(anim);
    }
    blinkGroup->setLoopCount(-1);
}

void QMyLed::setBrighness(double value, bool update, bool signal)
{
    brightness = std::clamp(value, 0.0, 1.0);
    if (update)
        this->update();
    if (signal)
        emit brightnessChanged(brightness);
}

void QMyLed::startBlinking()
{
    blinking = true;
    // An interval of 0 means suspended: the animation starts when an interval
    // is given again.
    if (blinkingInterval != 0)
        blinkGroup->start();
}

void QMyLed::stopBlinking()
{
    blinkGroup->stop();
    blinking = false;
}

void QMyLed::setBlinkingInterval(int ms)
{
    if (blinking && blinkingInterval != 0 && ms == 0) {
        qDebug() << "stop animation";
        blinkGroup->stop();
        blinkingInterval = 0;
        return;
    }
    const bool restart = blinking && blinkingInterval == 0 && ms != 0;
    blinkingInterval = ms;
    if (ms != 0) {
        fadeIn->setDuration(ms);
        fadeOut->setDuration(ms);
    }
    if (restart) {
        qDebug() << "restart animation";
        blinkGroup->start();
    }
}

bool QMyLed::event(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange) {
        onColor = palette().color(isEnabled() ? QPalette::Highlight : QPalette::Base);
        offColor = onColor.darker(200);
    }
    return QWidget::event(e);
}

void QMyLed::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    const int d = std::min(w - 4, h - 4);
    if (d <= 0)
        return;
    const int x = w > h ? (w - d) / 2 + 2 : 2;
    const int y = h > w ? (h - d) / 2 + 2 : 2;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(interpolateColor(offColor, onColor, brightness));
    painter.drawEllipse(x, y, d, d);
}
