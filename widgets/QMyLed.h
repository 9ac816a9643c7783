#pragma once

// A round indicator lamp that fades between an off and an on colour, and can
// blink by animating its brightness up and down for ever.

#include <QColor>
#include <QWidget>

class QPropertyAnimation;
class QSequentialAnimationGroup;

// The colour a fraction t (clamped to 0..1) of the way from `from` to `to`,
// alpha included, each component truncated.
QColor interpolateColor(const QColor& from, const QColor& to, double t);

class QMyLed : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double brightness READ getBrightness WRITE setBrighness NOTIFY brightnessChanged)
public:
    explicit QMyLed(QWidget* parent = nullptr);

    // Brightness 0..1 between the off and the on colour.
    double getBrightness() const { return brightness; }

    // Blinking: each half of a blink lasts the interval; 0 suspends it.
    void startBlinking();
    void stopBlinking();
    bool isBlinking() const { return blinking; }
    void setBlinkingInterval(int ms);
    int getBlinkingInterval() const { return blinkingInterval; }

public slots:
    void setBrighness(double value, bool update = true, bool signal = true);

signals:
    void brightnessChanged(double value);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Colours, then animation state.
    QColor onColor;
    QColor offColor;
    double brightness = 0.0;
    bool blinking = false;
    int blinkingInterval = 1000;
    QSequentialAnimationGroup* blinkGroup = nullptr;
    QPropertyAnimation* fadeIn = nullptr;
    QPropertyAnimation* fadeOut = nullptr;
};
