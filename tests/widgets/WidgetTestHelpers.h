#pragma once

// Input as the window system delivers it, and painting at a display scale.

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace widgettest {

// A press, a move with `button` held (Qt::NoButton: a bare move) or a release.
inline void mouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, pos, w->mapToGlobal(pos), type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
inline void press(QWidget* w, QPointF p, Qt::MouseButton b = Qt::LeftButton) { mouse(w, QEvent::MouseButtonPress, p, b); }
inline void dragTo(QWidget* w, QPointF p, Qt::MouseButton b = Qt::LeftButton) { mouse(w, QEvent::MouseMove, p, b); }
inline void release(QWidget* w, QPointF p, Qt::MouseButton b = Qt::LeftButton) { mouse(w, QEvent::MouseButtonRelease, p, b); }

// The widget painted at the given device pixel ratio on its window colour.
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

} // namespace widgettest
