// The range keyboard under each layer's key-range slider: 128 keys, the
// keys outside the layer's range greyed, sounding notes lit.

#include "QMyKeyboard.h"
#include "TestSupport.h"
#include "WidgetTestHelpers.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>

using namespace widgettest;

namespace {

constexpr int whiteColumn[12] = { 0, 1, 1, 2, 2, 3, 4, 4, 5, 5, 6, 6 };

bool isBlack(int note)
{
    const int k = note % 12;
    return k == 1 || k == 3 || k == 6 || k == 8 || k == 10;
}

// A scene point on the visible face of a key: low on a white key, below
// the black keys' length; high on a black key, at its middle.
QPointF keyFace(int note)
{
    const int column = 7 * (note / 12) + whiteColumn[note % 12];
    return isBlack(note) ? QPointF(column * 5.0, 5.0) : QPointF(column * 5.0 + 2.5, 22.0);
}

// The key the user sees at that note's face.
QGraphicsRectItem* keyAt(const QMyKeyboard& keyboard, int note)
{
    return qgraphicsitem_cast<QGraphicsRectItem*>(keyboard.scene()->itemAt(keyFace(note), QTransform()));
}

QColor fillOf(const QMyKeyboard& keyboard, int note)
{
    QGraphicsRectItem* key = keyAt(keyboard, note);
    return key ? key->brush().color() : QColor();
}

QList<QColor> allFills(const QMyKeyboard& keyboard)
{
    QList<QColor> fills;
    for (int n = 0; n < 128; ++n)
        fills << fillOf(keyboard, n);
    return fills;
}

} // namespace

class TestKeyboard : public QObject
{
    Q_OBJECT
private slots:
    void showsTenOctavesAndAFifth()
    {
        QMyKeyboard keyboard;
        int white = 0, black = 0;
        for (QGraphicsItem* item : keyboard.scene()->items())
            (item->zValue() == 1.0 ? white : black)++;
        QCOMPARE(white, 75);
        QCOMPARE(black, 53);
        // Every key is found where a player would look for it, and the
        // topmost one there is that very key.
        QSet<QGraphicsRectItem*> seen;
        for (int n = 0; n < 128; ++n) {
            QGraphicsRectItem* key = keyAt(keyboard, n);
            QVERIFY2(key, qPrintable(QString::number(n)));
            QCOMPARE(key->zValue(), isBlack(n) ? 2.0 : 1.0);
            seen.insert(key);
        }
        QCOMPARE(seen.size(), 128);
        const QRectF keys = keyboard.scene()->itemsBoundingRect();
        QVERIFY(qAbs(keys.width() - 376) < 0.01); // 75 keys of 5 units and the outline
        QVERIFY(qAbs(keys.height() - 26) < 0.01);
        QCOMPARE(keyboard.getKeySize(), QRect(0, 0, 5, 25));
    }

    void keysOutsideTheRangeAreGreyed_data()
    {
        QTest::addColumn<int>("low");
        QTest::addColumn<int>("high");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<QList<int>>("notes");
        QTest::addColumn<QList<QColor>>("fills");

        const QColor white(Qt::white), black(Qt::black), grey(Qt::lightGray), disabled(Qt::gray);
        QTest::newRow("full range")
            << 0 << 127 << true << QList<int> { 0, 1, 60, 126, 127 } << QList<QColor> { white, black, white, black, white };
        QTest::newRow("from middle C")
            << 60 << 127 << true << QList<int> { 58, 59, 60, 61 } << QList<QColor> { grey, grey, white, black };
        QTest::newRow("up to the C above")
            << 60 << 72 << true << QList<int> { 71, 72, 73, 74 } << QList<QColor> { white, white, grey, grey };
        QTest::newRow("a single key")
            << 61 << 61 << true << QList<int> { 60, 61, 62 } << QList<QColor> { grey, black, grey };
        QTest::newRow("low above high greys every key")
            << 80 << 40 << true << QList<int> { 0, 40, 60, 61, 80, 127 } << QList<QColor> { grey, grey, grey, grey, grey, grey };
        QTest::newRow("disabled")
            << 60 << 127 << false << QList<int> { 59, 60, 61 } << QList<QColor> { grey, disabled, disabled };
    }

    void keysOutsideTheRangeAreGreyed()
    {
        QFETCH(int, low);
        QFETCH(int, high);
        QFETCH(bool, enabled);
        QFETCH(QList<int>, notes);
        QFETCH(QList<QColor>, fills);

        QMyKeyboard keyboard;
        keyboard.setLowKey(low);
        keyboard.setHighKey(high);
        keyboard.setEnabled(enabled);
        for (int i = 0; i < notes.size(); ++i)
            QVERIFY2(fillOf(keyboard, notes[i]) == fills[i], qPrintable(QString("note %1").arg(notes[i])));
    }

    void disabledBlackKeysLoseTheirBlackOutline()
    {
        QMyKeyboard keyboard;
        QCOMPARE(keyAt(keyboard, 61)->pen().color(), QColor(Qt::black));
        keyboard.setEnabled(false);
        QCOMPARE(keyAt(keyboard, 61)->pen().color(), QColor(Qt::darkGray));
        keyboard.setEnabled(true);
        QCOMPARE(keyAt(keyboard, 61)->pen().color(), QColor(Qt::black));
        QCOMPARE(fillOf(keyboard, 61), QColor(Qt::black));
    }

    void rangeWithoutUpdateWaitsForTheNextRedraw()
    {
        QMyKeyboard keyboard;
        keyboard.setLowKey(60, false);
        QCOMPARE(fillOf(keyboard, 59), QColor(Qt::white));
        keyboard.setHighKey(100, true);
        QCOMPARE(fillOf(keyboard, 59), QColor(Qt::lightGray));
        QCOMPARE(fillOf(keyboard, 101), QColor(Qt::lightGray));
        QCOMPARE(keyboard.getLowKey(), 60);
        QCOMPARE(keyboard.getHighKey(), 100);
    }

    void selectNoteLightsOneKey_data()
    {
        QTest::addColumn<int>("note");
        QTest::addColumn<int>("velocity");
        QTest::addColumn<QColor>("fill");

        QTest::newRow("white key on") << 60 << 100 << QColor(Qt::green);
        QTest::newRow("black key on") << 61 << 1 << QColor(Qt::green);
        QTest::newRow("lowest") << 0 << 127 << QColor(Qt::green);
        QTest::newRow("highest") << 127 << 64 << QColor(Qt::green);
        QTest::newRow("white key off") << 60 << 0 << QColor(Qt::white);
        QTest::newRow("black key off") << 61 << 0 << QColor(Qt::black);
        // A note off shows the plain key even outside the range.
        QTest::newRow("greyed key off") << 19 << 0 << QColor(Qt::white);
    }

    void selectNoteLightsOneKey()
    {
        QFETCH(int, note);
        QFETCH(int, velocity);

        QMyKeyboard keyboard;
        keyboard.setLowKey(36);
        QList<QColor> expected = allFills(keyboard);
        keyboard.selectNote(note, uchar(velocity));
        QTEST(fillOf(keyboard, note), "fill");
        // Every other key is untouched.
        const QList<QColor> after = allFills(keyboard);
        expected[note] = after[note];
        QCOMPARE(after, expected);
    }

    void notesOutsideTheKeyboardChangeNothing()
    {
        QMyKeyboard keyboard;
        keyboard.setLowKey(30);
        const QList<QColor> before = allFills(keyboard);
        keyboard.selectNote(-1, 100);
        keyboard.selectNote(128, 100);
        keyboard.selectNote(100000, 100);
        QCOMPARE(allFills(keyboard), before);
    }

    void redrawAndDeselectClearLitKeys()
    {
        QMyKeyboard keyboard;
        keyboard.setLowKey(60);
        keyboard.selectNote(64, 100);
        keyboard.selectNote(31, 100);
        keyboard.deselectAllNotes();
        QCOMPARE(fillOf(keyboard, 64), QColor(Qt::white));
        // Range greying is not applied by deselecting.
        QCOMPARE(fillOf(keyboard, 31), QColor(Qt::white));

        keyboard.selectNote(64, 100);
        keyboard.setHighKey(100);
        QCOMPARE(fillOf(keyboard, 64), QColor(Qt::white));
        QCOMPARE(fillOf(keyboard, 31), QColor(Qt::lightGray));
    }

    void newKeyShapeTakesEffectAtTheNextRedraw()
    {
        QMyKeyboard keyboard;
        keyboard.setKeySize(10, 40);
        keyboard.setKeyRatio(0.6, 0.5);
        QCOMPARE(keyboard.scene()->itemsBoundingRect().width(), 376.0);
        keyboard.setLowKey(0);
        QCOMPARE(keyboard.getKeySize(), QRect(0, 0, 10, 40));
        QCOMPARE(keyboard.scene()->itemsBoundingRect().width(), 751.0);
        // Black key C#: centred on D's left edge, 6 wide, 20 long.
        auto* cSharp = qgraphicsitem_cast<QGraphicsRectItem*>(keyboard.scene()->itemAt(QPointF(10, 5), QTransform()));
        QVERIFY(cSharp);
        QCOMPARE(cSharp->rect(), QRectF(7, 0, 6, 20));
    }

    void paintedKeysFollowTheRange_data()
    {
        QTest::addColumn<qreal>("dpr");
        QTest::newRow("scale 1") << 1.0;
        QTest::newRow("scale 2") << 2.0;
    }

    void paintedKeysFollowTheRange()
    {
        QFETCH(qreal, dpr);

        QMyKeyboard keyboard;
        keyboard.setFixedSize(380, 30);
        keyboard.setLowKey(48);
        keyboard.setHighKey(72);
        keyboard.selectNote(60, 100);
        keyboard.show();
        QVERIFY(QTest::qWaitForWindowExposed(&keyboard));
        const QImage image = render(&keyboard, dpr);

        const auto at = [&](int note) {
            const QPoint inView = keyboard.viewport()->mapTo(&keyboard, keyboard.mapFromScene(keyFace(note)));
            return pixelAt(image, inView);
        };
        QCOMPARE(at(47), QColor(Qt::lightGray));
        QCOMPARE(at(48), QColor(Qt::white));
        QCOMPARE(at(49), QColor(Qt::black));
        QCOMPARE(at(60), QColor(Qt::green));
        QCOMPARE(at(72), QColor(Qt::white));
        QCOMPARE(at(73), QColor(Qt::lightGray));
        QCOMPARE(at(127), QColor(Qt::lightGray));
    }
};

LYR_TEST_MAIN(TestKeyboard)
#include "tst_keyboard.moc"
