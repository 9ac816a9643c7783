#include "QMyKeyboard.h"

#include <QBrush>
#include <QEvent>
#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QPen>

namespace {

constexpr int NoteCount = 128;

// Bit k set: semitone k (0 = C) is a white key.
constexpr int WhiteKeyMask = 0xAB5;

// White-key column of each semitone within its octave. A black key takes
// the column of the white key to its right and sits on that key's left edge.
constexpr int remapKeys[12] = { 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6 };

// Plain colour of each semitone, for a key that is not lit.
const Qt::GlobalColor noteColors[12] = {
    Qt::white, Qt::black, Qt::white, Qt::black, Qt::white, Qt::white,
    Qt::black, Qt::white, Qt::black, Qt::white, Qt::black, Qt::white,
};

// Mitred corners: at a scale of 2 a bevelled one-unit outline clips every
// key's corner pixel.
QPen outlinePen(const QColor& color)
{
    return QPen(color, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
}

bool isWhite(int note)
{
    return WhiteKeyMask & (1 << (note % 12));
}

} // namespace

QMyKeyboard::QMyKeyboard(QWidget* parent)
    : QGraphicsView(parent)
{
    auto* keyScene = new QGraphicsScene(this);
    setScene(keyScene);
    keyScene->setBackgroundBrush(QBrush(Qt::lightGray));
    setDragMode(QGraphicsView::NoDrag);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    keys.clear();
    drawKeyboard();
}

QMyKeyboard::~QMyKeyboard()
{
    clear_();
}

void QMyKeyboard::setBackgroundColor(QColor color)
{
    if (scene())
        scene()->setBackgroundBrush(QBrush(color));
}

void QMyKeyboard::setKeySize(int width, int height)
{
    keySize = QSizeF(width, height);
}

void QMyKeyboard::setKeyRatio(double width, double height)
{
    keyRatio = QSizeF(width, height);
}

QRect QMyKeyboard::getKeySize() const
{
    return QRect(0, 0, int(keySize.width()), int(keySize.height()));
}

void QMyKeyboard::keyColors(int note, QColor* fill, QColor* outline) const
{
    const bool inRange = note >= lowKey && note <= highKey;
    const bool enabled = isEnabled();
    if (isWhite(note)) {
        *outline = Qt::darkGray;
        *fill = !inRange ? Qt::lightGray : enabled ? Qt::white : Qt::gray;
    } else if (!inRange) {
        *fill = Qt::lightGray;
        *outline = Qt::darkGray;
    } else if (!enabled) {
        *fill = Qt::gray;
        *outline = Qt::darkGray;
    } else {
        *fill = Qt::black;
        *outline = Qt::black;
    }
}

void QMyKeyboard::drawKeyboard()
{
    QGraphicsScene* keyScene = scene();
    if (!keyScene)
        return;

    for (QGraphicsRectItem* key : std::as_const(keys)) {
        keyScene->removeItem(key);
        delete key;
    }
    keys.clear();

    const double kw = keySize.width();
    const double kh = keySize.height();
    const double rw = keyRatio.width();
    const double rh = keyRatio.height();
    for (int n = 0; n < NoteCount; ++n) {
        const int column = 7 * (n / 12) + remapKeys[n % 12];
        const bool white = isWhite(n);
        const QRectF shape = white ? QRectF(column * kw, 0, kw, kh)
                                   : QRectF((column - rw / 2) * kw, 0, rw * kw, rh * kh);
        QColor fill, outline;
        keyColors(n, &fill, &outline);
        QGraphicsRectItem* key = keyScene->addRect(shape, outlinePen(outline), QBrush(fill));
        key->setZValue(white ? 1.0 : 2.0);
        keys.append(key);
    }
    builtKeySize = keySize;
    builtKeyRatio = keyRatio;
}

void QMyKeyboard::redraw()
{
    if (keys.size() != NoteCount || builtKeySize != keySize || builtKeyRatio != keyRatio) {
        drawKeyboard();
        return;
    }
    // The items only take a new pen or brush when it differs, so the scene
    // repaints just the keys that crossed the range edge.
    for (int n = 0; n < NoteCount; ++n) {
        QColor fill, outline;
        keyColors(n, &fill, &outline);
        keys[n]->setPen(outlinePen(outline));
        keys[n]->setBrush(QBrush(fill));
    }
}

void QMyKeyboard::clear_()
{
    keys.clear();
    if (scene())
        scene()->clear();
}

void QMyKeyboard::deselectAllNotes()
{
    for (int n = 0; n < keys.size(); ++n)
        keys[n]->setBrush(QBrush(noteColors[n % 12]));
}

void QMyKeyboard::selectNote(int note, uchar velo)
{
    if (note < 0 || note >= keys.size())
        return;
    keys[note]->setBrush(QBrush(velo ? QColor(Qt::green) : QColor(noteColors[note % 12])));
}

void QMyKeyboard::setLowKey(int key, bool update)
{
    lowKey = key;
    if (update)
        redraw();
}

void QMyKeyboard::setHighKey(int key, bool update)
{
    highKey = key;
    if (update)
        redraw();
}

bool QMyKeyboard::event(QEvent* e)
{
    if (e->type() == QEvent::EnabledChange)
        redraw();
    return QGraphicsView::event(e);
}
