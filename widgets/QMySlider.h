#pragma once

// A vertical fader on the shared value model.

#include "QMyAbstractSlider.h"

#include <QColor>

// A framed groove with a yellow level that grows from the bottom and a thumb
// that carries the value as a number. The scale starts at 0: min takes no
// part in painting or dragging. Dragging sets the value from the pointer's
// height.
class QMySlider : public QMyAbstractSlider
{
    Q_OBJECT
public:
    explicit QMySlider(QWidget* parent = nullptr, int id = -1);

    // Stored for the next paint; they do not repaint by themselves.
    void setBackroundColor(QColor color);
    void setThumbColor(QColor color);
    void setThumbSelectedColor(QColor color);

    // The thumb as last painted, in widget pixels.
    QRect getThumbRect() const { return QRect(thumbX, thumbY, thumbWidth, thumbHeight); }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Share of h that the value fills, 0 when max is 0.
    int fill(int h) const;

    // Colours.
    QColor backgroundColor = QColor(50, 50, 50);
    QColor thumbColor = QColor(80, 80, 80);
    QColor thumbSelectedColor = QColor(255, 255, 0);

    // Geometry in pixels, the computed ones from the last paint.
    int border = 4;
    int grooveWidth = 8;
    int grooveHeight = 0;
    int grooveX = 0;
    int grooveY = 0;
    int thumbWidth = 0;
    int thumbHeight = 30;
    int thumbX = 0;
    int thumbY = 0;
};
