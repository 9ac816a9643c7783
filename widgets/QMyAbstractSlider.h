#pragma once

// The integer value model under the editor's knobs and faders.

#include <QString>
#include <QWidget>

// A value kept inside [min, max] with a step for keys and wheel, plus a second,
// displayed scale: the number the user reads is the value mapped linearly from
// [min, max] onto [displayedMin, displayedMax] (a 14-bit parameter shows as
// milliseconds, a centred one as -64..63), followed by a unit suffix.
//
// Setters take trailing update (repaint) and signal (emit valueChanged) flags.
// The page refresh moves widgets with signal false, so that showing a program
// never echoes an edit back to the module.
class QMyAbstractSlider : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int min READ getMin WRITE setMin)
    Q_PROPERTY(int max READ getMax WRITE setMax)
    Q_PROPERTY(int value READ getValue WRITE setValue NOTIFY valueChanged USER true)
    Q_PROPERTY(int singleStep READ getSingleStep WRITE setSingleStep)
    Q_PROPERTY(double displayedMin READ getDisplayedMin WRITE setDisplayedMin)
    Q_PROPERTY(double displayedMax READ getDisplayedMax WRITE setDisplayedMax)
    Q_PROPERTY(int displayedDecimals READ getDisplayedDecimals WRITE setDisplayedDecimals)
    Q_PROPERTY(QString suffix READ getSuffix WRITE setSuffix)
public:
    // Forms build every knob with id -1; the id is the creator's, the widget
    // never reads it.
    explicit QMyAbstractSlider(QWidget* parent = nullptr, int id = -1);

    // Identity and state.
    int getId() const { return id; }
    bool isSelected() const { return selected; }
    bool isPressed() const { return pressed; }

    // The value and its range.
    int getValue() const { return value; }
    int getMin() const { return min; }
    int getMax() const { return max; }
    int getSingleStep() const { return step; }

    // The displayed scale.
    double getDisplayedMin() const { return displayedMin; }
    double getDisplayedMax() const { return displayedMax; }
    int getDisplayedDecimals() const { return displayedDecimals; }
    QString getSuffix() const { return suffix; }

    // The value on the displayed scale; also kept in displayedValue.
    double getDisplayedValue();
    // The text a knob writes: the displayed value with no or one decimal,
    // then the suffix.
    QString getDisplayedText();

public slots:
    // A request equal to the current value does nothing; any other is clamped
    // into the range and signalled even if clamping leaves the value as it was.
    void setValue(int value, bool update = true, bool signal = true);
    // Bounds never cross: a bound asked for on or past the other one is put
    // one step inside it, and the value follows the bound without a signal.
    void setMin(int min, bool update = true);
    void setMax(int max, bool update = true);
    void setRange(int min, int max, bool update = true);
    void setSingleStep(int step);
    void select(bool onOff);

    void setDisplayedMin(double val, bool update = true);
    void setDisplayedMax(double val, bool update = true);
    void setDisplayedRange(double min, double max, bool update = true);
    // 0 shows whole numbers, anything else one decimal place.
    void setDisplayedDecimals(unsigned char val, bool update = true);
    void setSuffix(QString suffix, bool update = true);

signals:
    void sliderPressed();
    void sliderReleased();
    void valueChanged(int value);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // Identity and press state.
    int id;
    bool selected = false;
    bool pressed = false;

    // Value model.
    int step = 1;
    int value = 0;
    int min = 0;
    int max = 127;

    // Displayed scale.
    double displayedValue = 0.0;
    double displayedMin = 0.0;
    double displayedMax = 127.0;
    unsigned char displayedDecimals = 0;
    QString suffix;

private:
    // The bounds without the repaint, so setRange repaints once.
    void storeMin(int v);
    void storeMax(int v);
};
