#pragma once

// The two-ended range control of the key and velocity ranges.

#include <QWidget>

// A horizontal groove with a highlighted bar from lowValue to highValue,
// both inside [minimum, maximum]. The ends are dragged from grab zones just
// outside the bar: 15 pixels left of the low end, 16 right of the high end.
//
// The setters keep minimum < maximum and minimum <= lowValue < highValue <=
// maximum by pushing the other end along. With signal true every end that
// moved is announced; with signal false nothing at all is emitted, so the page
// refresh can show a program's range without writing a changed range back.
class QMyRangeSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(uint minimum READ minimum WRITE setMinimum)
    Q_PROPERTY(uint maximum READ maximum WRITE setMaximum)
    Q_PROPERTY(uint lowValue READ lowValue WRITE setLowValue)
    Q_PROPERTY(uint highValue READ highValue WRITE setHighValue)
    Q_PROPERTY(uint step READ step WRITE setStep)
    Q_PROPERTY(Qt::Orientation orientation READ orientation WRITE setOrientation)
public:
    explicit QMyRangeSlider(QWidget* parent = nullptr);

    uint minimum() const { return m_minimum; }
    uint maximum() const { return m_maximum; }
    uint lowValue() const { return m_lowValue; }
    uint highValue() const { return m_highValue; }
    // Stored for callers; nothing here moves by it.
    uint step() const { return m_step; }
    void setStep(uint step);

    // Horizontal is the only orientation; any other is reported and dropped.
    Qt::Orientation orientation() const { return Qt::Horizontal; }
    void setOrientation(Qt::Orientation orientation);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

public slots:
    void setMinimum(uint minimum, bool update = true, bool signal = true);
    void setMaximum(uint maximum, bool update = true, bool signal = true);
    void setLowValue(uint lowValue, bool update = true, bool signal = true);
    void setHighValue(uint highValue, bool update = true, bool signal = true);
    void setRange(uint minimum, uint maximum, bool update = true, bool signal = true);

signals:
    void minimumChange(uint minimum);
    void maximumChange(uint maximum);
    void lowValueChange(uint lowValue);
    void highValueChange(uint highValue);
    void rangeChange(uint minimum, uint maximum);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Moves the high end to a requested value within the bounds, making room
    // below it if it lands on the low end. The setter and every push of the
    // high end by another setter (always repainted) go through here.
    void moveHigh(uint requested, bool update, bool signal);
    // The high end has come down onto the low end: the low end steps down one
    // and pushes the high end just above it; at the minimum, where it cannot
    // step down, the high end goes just above it directly.
    void makeRoomUnderHigh(bool signal);
    // Pixel position of a value on the groove.
    int positionOf(uint value) const;
    // The value under the mouse at x.
    uint valueAt(double x) const;

    static constexpr uint NoDrag = 0xFFFFFFFF;

    // Bounds and selection.
    uint m_minimum = 0;
    uint m_maximum = 127;
    uint m_step = 1;
    uint m_lowValue = 0;
    uint m_highValue = 127;

    // Drag state.
    uint mouseValue = NoDrag;
    bool lowPressed = false;
    bool highPressed = false;
};
