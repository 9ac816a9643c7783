#pragma once

// A strip of 128 keys that lights the notes arriving on a MIDI input.
// Part of the port-layer family; no window of the editor creates one.

#include <QColor>
#include <QGraphicsView>

#include <array>

class QGraphicsRectItem;
class QMidiMessage;

class QMidiPianoRoll : public QGraphicsView
{
    Q_OBJECT
    Q_PROPERTY(QColor pressedColor READ pressedColor WRITE setPressedColor)
public:
    static constexpr int KeyCount = 128;
    static constexpr int KeyWidth = 10;
    static constexpr int KeyHeight = 60;

    explicit QMidiPianoRoll(QWidget* parent = nullptr);

    // Colour of a held key; its alpha follows the velocity.
    QColor pressedColor() const;
    void setPressedColor(QColor const& color);

    // Black keys: C#, D#, F#, G#, A#.
    static bool isSemiTone(int note);

    // The rectangle drawn for a note (null outside 0..127).
    QGraphicsRectItem* key(int note) const;

public slots:
    // Note on lights its key, note off restores it, controllers 120 and 123
    // (all sound off, all notes off) restore every key.
    void onMidiReceive(QMidiMessage* message);

private:
    void releaseKey(int note);

    QColor pressed = Qt::blue;
    std::array<QGraphicsRectItem*, KeyCount> keys {};
};
