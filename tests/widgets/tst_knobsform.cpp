// The knobs as a generated form builds them: constructed by class name with
// only a parent, given their properties by name, and driven through the
// meta-object system as string-based connections and the pages do.

#include "QMyDial.h"
#include "QMyKeyboard.h"
#include "QMyRangeSlider.h"
#include "TestSupport.h"
#include "ui_knobsform.h"

#include <QGraphicsRectItem>
#include <QGraphicsScene>
#include <QSignalSpy>

class TestKnobsForm : public QObject
{
    Q_OBJECT
private slots:
    void formBuildsTheKnobsWithTheirProperties()
    {
        QWidget window;
        Ui_KnobsForm form;
        form.setupUi(&window);

        QCOMPARE(form.panDial1->getId(), -1);
        QCOMPARE(form.panDial1->getMin(), -63);
        QCOMPARE(form.panDial1->getMax(), 64);
        QCOMPARE(form.panDial1->getMode(), QMyDial::Centered);
        QCOMPARE(form.panDial1->focusPolicy(), Qt::WheelFocus);

        QCOMPARE(form.compressorAttackDial->getValue(), 8000);
        QCOMPARE(form.compressorAttackDial->getSingleStep(), 127);
        QCOMPARE(form.compressorAttackDial->getOnColor(), QColor(Qt::yellow));
        QCOMPARE(form.compressorAttackDial->getDisplayedText(), QString("59.1\nms"));

        QCOMPARE(form.rangeSlider1->lowValue(), 24u);
        QCOMPARE(form.rangeSlider1->highValue(), 96u);

        QCOMPARE(form.rangeKeyboard1->getLowKey(), 24);
        QCOMPARE(form.rangeKeyboard1->getHighKey(), 96);
        auto* c1 = qgraphicsitem_cast<QGraphicsRectItem*>(form.rangeKeyboard1->scene()->itemAt(QPointF(2.5, 22), QTransform()));
        QVERIFY(c1);
        QCOMPARE(c1->brush().color(), QColor(Qt::lightGray));
    }

    void defaultedSettersAreInvocableByName()
    {
        QWidget window;
        Ui_KnobsForm form;
        form.setupUi(&window);

        QSignalSpy dialSpy(form.panDial1, SIGNAL(valueChanged(int)));
        QVERIFY(QMetaObject::invokeMethod(form.panDial1, "setValue", Q_ARG(int, 10)));
        QVERIFY(QMetaObject::invokeMethod(form.panDial1, "setValue", Q_ARG(int, 20), Q_ARG(bool, true), Q_ARG(bool, false)));
        QCOMPARE(form.panDial1->getValue(), 20);
        QCOMPARE(dialSpy.count(), 1);
        QVERIFY(QMetaObject::invokeMethod(form.panDial1, "setRange", Q_ARG(int, -48), Q_ARG(int, 48)));
        QCOMPARE(form.panDial1->getMin(), -48);

        QSignalSpy lowSpy(form.rangeSlider1, SIGNAL(lowValueChange(uint)));
        QSignalSpy highSpy(form.rangeSlider1, SIGNAL(highValueChange(uint)));
        QVERIFY(QMetaObject::invokeMethod(form.rangeSlider1, "setLowValue", Q_ARG(uint, 100), Q_ARG(bool, true), Q_ARG(bool, false)));
        QCOMPARE(form.rangeSlider1->highValue(), 101u);
        QCOMPARE(lowSpy.count() + highSpy.count(), 0);
        QVERIFY(QMetaObject::invokeMethod(form.rangeSlider1, "setLowValue", Q_ARG(uint, 30)));
        QCOMPARE(lowSpy.count(), 1);

        QVERIFY(QMetaObject::invokeMethod(form.rangeKeyboard1, "setLowKey", Q_ARG(int, 0)));
        QVERIFY(QMetaObject::invokeMethod(form.rangeKeyboard1, "selectNote", Q_ARG(int, 60), Q_ARG(uchar, 100)));
    }
};

LYR_TEST_MAIN(TestKnobsForm)
#include "tst_knobsform.moc"
