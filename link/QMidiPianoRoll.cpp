#include "QMidiPianoRoll.h"
#include "QMidiMessage.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>

QMidiPianoRoll::QMidiPianoRoll(QWidget* parent)
    : QGraphicsView(parent)
{
    auto* scene = new QGraphicsScene(this);
    setScene(scene);

    // Black keys sit half-way over their white neighbours; E-F and B-C have
    // no black key between them, so there the next key starts a full width on.
    qreal x = 0;
    for (int note = 0; note < KeyCount; ++note) {
        QGraphicsRectItem* item;
        if (isSemiTone(note)) {
            item = scene->addRect(x, 0, KeyWidth, KeyHeight / 2, QPen(Qt::black), QBrush(Qt::black));
            item->setZValue(2);
        } else {
            item = scene->addRect(x, 0, KeyWidth, KeyHeight);
        }
        keys[note] = item;
        const int inOctave = note % 12;
        x += (inOctave == 4 || inOctave == 11) ? KeyWidth + 1 : KeyWidth / 2 + 1;
    }
}

QColor QMidiPianoRoll::pressedColor() const
{
    return pressed;
}

void QMidiPianoRoll::setPressedColor(QColor const& color)
{
    pressed = color;
}

bool QMidiPianoRoll::isSemiTone(int note)
{
    switch (((note % 12) + 12) % 12) {
    case 1: case 3: case 6: case 8: case 10:
        return true;
    default:
        return false;
    }
}

QGraphicsRectItem* QMidiPianoRoll::key(int note) const
{
    return note >= 0 && note < KeyCount ? keys[note] : nullptr;
}

void QMidiPianoRoll::releaseKey(int note)
{
    if (QGraphicsRectItem* k = key(note))
        k->setBrush(isSemiTone(note) ? Qt::black : Qt::white);
}

void QMidiPianoRoll::onMidiReceive(QMidiMessage* message)
{
    if (!message)
        return;
    const int pitch = static_cast<int>(message->getPitch());
    switch (message->getStatus()) {
    case MIDI_NOTE_ON:
        if (QGraphicsRectItem* k = key(pitch)) {
            QColor c = pressed;
            c.setAlpha(qMin(255, 2 * static_cast<int>(message->getVelocity())));
            k->setBrush(c);
        }
        break;
    case MIDI_NOTE_OFF:
        releaseKey(pitch);
        break;
    case MIDI_CONTROL_CHANGE:
        if (message->getControl() == 120 || message->getControl() == 123) {
            for (int note = 0; note < KeyCount; ++note)
                releaseKey(note);
        }
        break;
    default:
        break;
    }
}
