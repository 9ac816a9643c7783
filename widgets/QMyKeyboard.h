#pragma once

// A picture of the 128 MIDI notes as a piano keyboard.

#include <QGraphicsView>
#include <QList>
#include <QSizeF>

class QGraphicsRectItem;

// One scene item per note, white keys under black ones. Keys inside the
// lowKey..highKey range stand out, the others are greyed; a key can be lit
// green to show a sounding note. It takes no mouse input of its own.
class QMyKeyboard : public QGraphicsView
{
    Q_OBJECT
    Q_PROPERTY(int lowKey READ getLowKey WRITE setLowKey)
    Q_PROPERTY(int highKey READ getHighKey WRITE setHighKey)
public:
    explicit QMyKeyboard(QWidget* parent = nullptr);
    ~QMyKeyboard() override;

    int getLowKey() const { return lowKey; }
    int getHighKey() const { return highKey; }

    // The scene's background behind and between the keys.
    void setBackgroundColor(QColor color);
    // Key shape: white key size in scene units, black key as fractions of it.
    // Both take effect at the next redraw.
    void setKeySize(int width, int height);
    void setKeyRatio(double width, double height);
    QRect getKeySize() const;

    // Every key back to plain white or black, range greying not applied.
    void deselectAllNotes();
    // Rebuilds every key item from the key shape, the range and the
    // enabled state.
    void drawKeyboard();
    void clear_();

public slots:
    // Lights a key green for a non-zero velocity, plain for zero.
    void selectNote(int note, uchar velo);
    // Store the bound as given (no clamping, no order check).
    void setLowKey(int key, bool update = true);
    void setHighKey(int key, bool update = true);

protected:
    bool event(QEvent* event) override;

private:
    // Brings the keys in line with the range and enabled state; rebuilds them
    // only when their shape has changed, so a range change repaints just the
    // keys whose colour moved.
    void redraw();
    // Fill and outline of note n by range and enabled state.
    void keyColors(int note, QColor* fill, QColor* outline) const;

    // Key shape.
    QSizeF keySize { 5.0, 25.0 };
    QSizeF keyRatio { 0.5, 0.65 };
    // Highlighted range.
    int lowKey = 0;
    int highKey = 127;
    // keys[n] is note n.
    QList<QGraphicsRectItem*> keys;
    // The shape the current items were built with.
    QSizeF builtKeySize;
    QSizeF builtKeyRatio;
};
