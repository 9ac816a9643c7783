#pragma once

// Small helpers shared by the knob, fader and keyboard tests: user input the
// way the window system delivers it, and rendering at a chosen scale.

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

namespace widgettest {

// A mouse move with the left button held, as during a drag.
inline void dragTo(QWidget* widget, QPointF pos)
{
    QMouseEvent event(QEvent::MouseMove, pos, widget->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void press(QWidget* widget, QPointF pos)
{
    QMouseEvent event(QEvent::MouseButtonPress, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void release(QWidget* widget, QPointF pos)
{
    QMouseEvent event(QEvent::MouseButtonRelease, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

inline void doubleClick(QWidget* widget, QPointF pos)
{
    QMouseEvent event(QEvent::MouseButtonDblClick, pos, widget->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Returns whether the widget accepted the wheel event.
inline bool wheel(QWidget* widget, QPoint angleDelta)
{
    const QPointF pos(widget->width() / 2.0, widget->height() / 2.0);
    QWheelEvent event(pos, widget->mapToGlobal(pos), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    event.setAccepted(false);
    QApplication::sendEvent(widget, &event);
    return event.isAccepted();
}

// The widget painted at the given device pixel ratio, as a display with that
// scale factor would show it, on its palette's window colour.
inline QImage render(QWidget* widget, qreal dpr)
{
    QImage image(widget->size() * dpr, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(widget->palette().color(QPalette::Window));
    widget->render(&image);
    return image;
}

// Colour at a point given in widget (logical) pixels.
inline QColor pixelAt(const QImage& image, QPointF pos)
{
    const qreal dpr = image.devicePixelRatio();
    return image.pixelColor(int(pos.x() * dpr), int(pos.y() * dpr));
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

} // namespace widgettest
