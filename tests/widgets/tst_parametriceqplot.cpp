// The equaliser graph as the effects page and the equaliser dialog use it:
// bands built by init, moved by the page, dragged and retyped by the user,
// each change reported once.

#include "TestSupport.h"
#include "QMyParametricEqPlot.h"

#include <QMenu>
#include <cmath>

using Type = QMyParametricEq::Type;

namespace {

// The plot with its type menu answered by the test instead of a user.
class ScriptedEqPlot : public QMyParametricEqPlot
{
public:
    QString choice; // entry to pick; empty dismisses the menu
    int menus = 0;
    QString title;
    QStringList offered;

protected:
    QAction* execMenu(QMenu* menu, const QPoint&) override
    {
        ++menus;
        title = menu->title();
        offered.clear();
        QAction* chosen = nullptr;
        for (QAction* a : menu->actions()) {
            offered << a->text();
            if (a->text() == choice)
                chosen = a;
        }
        return chosen;
    }
};

void sendMouse(QWidget* w, QEvent::Type type, QPointF pos, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void press(QWidget* w, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonPress, pos, button, button);
}

void moveTo(QWidget* w, QPointF pos, Qt::MouseButtons buttons = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

void release(QWidget* w, QPointF pos, Qt::MouseButton button = Qt::LeftButton)
{
    sendMouse(w, QEvent::MouseButtonRelease, pos, button, Qt::NoButton);
}

void contextMenu(QWidget* w, QPoint pos)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, w->mapToGlobal(pos));
    QApplication::sendEvent(w, &event);
}

QPointF pixelOf(const QCustomPlot& plot, double f, double gain)
{
    return QPointF(plot.xAxis->coordToPixel(f), plot.yAxis->coordToPixel(gain));
}

// Key and value of the curve's highest point.
QPointF peakOf(const QCPGraph* graph)
{
    QPointF best(0, -1e9);
    for (auto it = graph->data()->constBegin(); it != graph->data()->constEnd(); ++it) {
        if (it->value > best.y())
            best = QPointF(it->key, it->value);
    }
    return best;
}

template <typename T>
T* itemOf(QCustomPlot& plot, int nth = 0)
{
    for (int i = 0; i < plot.itemCount(); ++i) {
        if (auto* item = qobject_cast<T*>(plot.item(i))) {
            if (nth-- == 0)
                return item;
        }
    }
    return nullptr;
}

} // namespace

class TestParametricEqPlot : public QObject
{
    Q_OBJECT

    // A shown four-band plot with dragging on, bands spread over the range.
    void setUpDialogPlot(ScriptedEqPlot& plot)
    {
        plot.resize(640, 320);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        plot.init(4, false);
        plot.setMousDragEnabled(true);
        const double freqs[] = { 100, 800, 3000, 12000 };
        const double gains[] = { 6, -8, 10, 0 };
        for (int b = 0; b < 4; ++b) {
            plot.setFrequency(b, freqs[b], false);
            plot.setGain(b, gains[b], false);
        }
        plot.replot(QCustomPlot::rpImmediateRefresh);
        plot.drawAll();
    }

private slots:
    void initBuildsOneFlatCurvePerBand()
    {
        QMyParametricEqPlot plot;
        plot.init(4, true);
        QCOMPARE(plot.graphCount(), 4);
        QCOMPARE(plot.getBandCount(), 4);
        const QColor pens[] = { Qt::yellow, Qt::cyan, Qt::green, Qt::magenta };
        const QColor fills[] = { QColor(255, 255, 0, 20), QColor(0, 255, 255, 20), QColor(0, 255, 255, 20),
                                 QColor(255, 0, 255, 20) };
        for (int b = 0; b < 4; ++b) {
            const QCPGraph* g = plot.graph(b);
            QCOMPARE(g->name(), QStringLiteral("Band %1").arg(b));
            QCOMPARE(g->pen().color(), pens[b]);
            QCOMPARE(g->pen().widthF(), 2.0);
            QCOMPARE(g->brush().color(), fills[b]);
            QCOMPARE(g->data()->size(), 100);
            QCOMPARE(g->data()->constBegin()->key, 20.0);
            QVERIFY(std::abs((g->data()->constEnd() - 1)->key - 20000.0) < 1e-9);
            for (auto it = g->data()->constBegin(); it != g->data()->constEnd(); ++it)
                QVERIFY(std::abs(it->value) < 1e-9);
        }
        // One handle per band, the info text and its two lines; handles stay
        // hidden while dragging is off.
        QCOMPARE(plot.itemCount(), 7);
        QVERIFY(!itemOf<QCPItemEllipse>(plot)->visible());
        QCOMPARE(plot.xAxis->scaleType(), QCPAxis::stLogarithmic);
        QCOMPARE(plot.xAxis->range(), QCPRange(20, 20000));
        QCOMPARE(plot.yAxis->range(), QCPRange(-30, 30));
    }

    void initAgainStartsOver()
    {
        ScriptedEqPlot plot;
        setUpDialogPlot(plot);
        press(&plot, pixelOf(plot, 800, -8));
        QCOMPARE(plot.getSelectedBand(), 1);
        plot.init(2, true);
        QCOMPARE(plot.graphCount(), 2);
        QCOMPARE(plot.itemCount(), 5);
        QCOMPARE(plot.getSelectedBand(), -1);
        QVERIFY(!plot.band(2));
        QCOMPARE(plot.band(1)->getFrequency(), 1000.0);
    }

    void settersRedrawOnlyWhenAsked()
    {
        QMyParametricEqPlot plot;
        plot.init(4, true);
        plot.setFrequency(1, 250, false);
        plot.setGain(1, 12, false);
        QVERIFY(std::abs(peakOf(plot.graph(1)).y()) < 1e-9);
        plot.setQ(1, 2, true);
        const QPointF peak = peakOf(plot.graph(1));
        QVERIFY2(std::abs(peak.y() - 12) < 0.2, qPrintable(QString::number(peak.y())));
        QVERIFY2(peak.x() > 230 && peak.x() < 270, qPrintable(QString::number(peak.x())));

        plot.setType(3, QMyParametricEq::HighPassFilter12dB, true);
        QVERIFY(plot.graph(3)->data()->constBegin()->value < -60);
        // Other bands are left as they were.
        QVERIFY(std::abs(peakOf(plot.graph(0)).y()) < 1e-9);
    }

    void bandOutOfRangeIsIgnored_data()
    {
        QTest::addColumn<int>("band");
        QTest::newRow("past the last") << 7;
        QTest::newRow("one past the last") << 4;
        QTest::newRow("negative") << -1;
    }

    void bandOutOfRangeIsIgnored()
    {
        QFETCH(int, band);
        QMyParametricEqPlot plot;
        plot.init(4, true);
        plot.setGain(band, 3.0, true);
        plot.setFrequency(band, 300, true);
        plot.setQ(band, 4, true);
        plot.setType(band, QMyParametricEq::NotchFilter, true);
        plot.setGraphPen(band, QPen(Qt::red), true);
        plot.setGraphBrush(band, QBrush(Qt::red), true);
        plot.drawFrequencyResponse(band);
        plot.drawDragHandle(band);
        for (int b = 0; b < 4; ++b) {
            QCOMPARE(plot.band(b)->getGain(), 0.0);
            QCOMPARE(plot.band(b)->getType(), QMyParametricEq::PeakingFilter);
            QVERIFY(plot.graph(b)->pen().color() != QColor(Qt::red));
        }
    }

    void draggingAHandleMovesItsBand_data()
    {
        QTest::addColumn<int>("band");
        QTest::addColumn<double>("toFrequency");
        QTest::addColumn<double>("toGain");

        QTest::newRow("mid-low band up to 200 Hz") << 1 << 200.0 << 6.0;
        QTest::newRow("high band down to 5 kHz") << 3 << 5000.0 << -12.0;
        QTest::newRow("low band across the others") << 0 << 10000.0 << 3.0;
    }

    void draggingAHandleMovesItsBand()
    {
        QFETCH(int, band);
        QFETCH(double, toFrequency);
        QFETCH(double, toGain);
        ScriptedEqPlot plot;
        setUpDialogPlot(plot);
        QSignalSpy changed(&plot, &QMyParametricEqPlot::eqChanged);
        const QMyParametricEq* eq = plot.band(band);
        const double q = eq->getQ();

        const QPointF from = pixelOf(plot, eq->getFrequency(), eq->getGain());
        const QPointF to = pixelOf(plot, toFrequency, toGain);
        press(&plot, from);
        QCOMPARE(plot.getSelectedBand(), band);
        QCOMPARE(changed.count(), 0);
        const int steps = 5;
        for (int i = 1; i <= steps; ++i) {
            moveTo(&plot, from + (to - from) * i / steps);
            QCOMPARE(changed.count(), i);
        }
        release(&plot, to);

        const QList<QVariant> last = changed.last();
        QCOMPARE(last.at(0).toInt(), band);
        QVERIFY2(std::abs(last.at(1).toDouble() / toFrequency - 1) < 1e-6, qPrintable(last.at(1).toString()));
        QVERIFY2(std::abs(last.at(2).toDouble() - toGain) < 1e-6, qPrintable(last.at(2).toString()));
        QCOMPARE(last.at(3).toDouble(), q);
        QCOMPARE(last.at(4).value<Type>(), QMyParametricEq::PeakingFilter);
        QCOMPARE(eq->getFrequency(), last.at(1).toDouble());
        QCOMPARE(eq->getGain(), last.at(2).toDouble());

        // The curve followed: its peak or dip now sits at the new place.
        const QCPGraph* g = plot.graph(band);
        auto at = g->data()->findBegin(toFrequency);
        QVERIFY(std::abs(at->value - toGain) < 0.5);

        // With the button up, moving the pointer drags nothing.
        moveTo(&plot, pixelOf(plot, 50, -20), Qt::NoButton);
        QCOMPARE(changed.count(), steps);
        QCOMPARE(eq->getGain(), last.at(2).toDouble());
    }

    void draggingPastTheAxesPinsTheBand_data()
    {
        QTest::addColumn<bool>("topLeft");
        QTest::newRow("top-left corner") << true;
        QTest::newRow("bottom-right corner") << false;
    }

    void draggingPastTheAxesPinsTheBand()
    {
        QFETCH(bool, topLeft);
        ScriptedEqPlot plot;
        setUpDialogPlot(plot);
        QSignalSpy changed(&plot, &QMyParametricEqPlot::eqChanged);
        press(&plot, pixelOf(plot, 3000, 10));
        moveTo(&plot, topLeft ? QPointF(0, 0) : QPointF(plot.width() - 1, plot.height() - 1));
        QCOMPARE(changed.count(), 1);
        // The gain axis shows +-30 dB, a band reaches +-24 dB.
        QCOMPARE(plot.band(2)->getFrequency(), topLeft ? 20.0 : 20000.0);
        QCOMPARE(plot.band(2)->getGain(), topLeft ? 24.0 : -24.0);
    }

    void pressOnTheHandleEdgeSelectsNothing_data()
    {
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<bool>("selects");
        QTest::newRow("left edge") << -20 << 0 << false;
        QTest::newRow("just inside the left edge") << -19 << 0 << true;
        QTest::newRow("right edge") << 20 << 0 << false;
        QTest::newRow("top edge") << 0 << -20 << false;
        QTest::newRow("just inside the bottom edge") << 0 << 19 << true;
        QTest::newRow("centre") << 0 << 0 << true;
    }

    void pressOnTheHandleEdgeSelectsNothing()
    {
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(bool, selects);
        ScriptedEqPlot plot;
        setUpDialogPlot(plot);
        // The handle's box runs from the truncated centre minus 20 to plus 20.
        const QPointF c = pixelOf(plot, 3000, 10);
        const QPoint centre(int(c.x()), int(c.y()));
        press(&plot, centre + QPoint(dx, dy));
        QCOMPARE(plot.getSelectedBand(), selects ? 2 : -1);
    }

    void infoShowsTheSelectedBand()
    {
        ScriptedEqPlot plot;
        setUpDialogPlot(plot);
        auto* text = itemOf<QCPItemText>(plot);
        auto* frequencyLine = itemOf<QCPItemLine>(plot, 0);
        auto* gainLine = itemOf<QCPItemLine>(plot, 1);
        QCOMPARE(text->text(), QString("Gain: -- dB\nFreq: -- Hz"));
        QVERIFY(text->position->pixelPosition().x() > plot.width());

        const QPointF p = pixelOf(plot, 3000, 10);
        press(&plot, p);
        QCOMPARE(text->text(), QString("Gain: 10.0 dB\nFreq: 3000.0 Hz"));
        const QPointF at = text->position->pixelPosition();
        QVERIFY(std::abs(at.x() - (p.x() + 20)) < 1e-6 && std::abs(at.y() - (p.y() - 20)) < 1e-6);
        QVERIFY(std::abs(frequencyLine->start->pixelPosition().x() - p.x()) < 1e-6);
        QVERIFY(std::abs(frequencyLine->end->pixelPosition().x() - p.x()) < 1e-6);
        QVERIFY(std::abs(gainLine->start->pixelPosition().y() - p.y()) < 1e-6);

        // A press beside every handle clears the selection and parks the info.
        release(&plot, p);
        press(&plot, pixelOf(plot, 30, -25));
        QCOMPARE(text->text(), QString("Gain: -- dB\nFreq: -- Hz"));
        QVERIFY(frequencyLine->start->pixelPosition().y() > plot.height());
    }

    void withoutDraggingNothingIsPickedOrRetyped()
    {
        ScriptedEqPlot plot;
        setUpDialogPlot(plot);
        plot.setMousDragEnabled(false);
        QVERIFY(!itemOf<QCPItemEllipse>(plot)->visible());
        QSignalSpy changed(&plot, &QMyParametricEqPlot::eqChanged);
        const QPointF p = pixelOf(plot, 3000, 10);
        press(&plot, p, Qt::RightButton);
        contextMenu(&plot, p.toPoint());
        moveTo(&plot, p + QPointF(30, 30), Qt::RightButton);
        release(&plot, p, Qt::RightButton);
        QCOMPARE(plot.getSelectedBand(), -1);
        QCOMPARE(plot.menus, 0);
        QCOMPARE(changed.count(), 0);
        QVERIFY(itemOf<QCPItemText>(plot)->position->pixelPosition().x() > plot.width());
    }

    void menuRetypesTheSelectedBand_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<Type>("type");
        QTest::newRow("high pass") << "HP 12 dB" << QMyParametricEq::HighPassFilter12dB;
        QTest::newRow("off") << "Off" << QMyParametricEq::NoFilter;
        QTest::newRow("dismissed") << "" << QMyParametricEq::PeakingFilter;
    }

    void menuRetypesTheSelectedBand()
    {
        QFETCH(QString, choice);
        QFETCH(Type, type);
        ScriptedEqPlot plot;
        setUpDialogPlot(plot);
        plot.choice = choice;
        QSignalSpy changed(&plot, &QMyParametricEqPlot::eqChanged);
        const QPointF p = pixelOf(plot, 3000, 10);
        press(&plot, p, Qt::RightButton);
        contextMenu(&plot, p.toPoint());

        QCOMPARE(plot.menus, 1);
        QCOMPARE(plot.title, QString("Select Type"));
        // The types the module's equaliser plays, "Off" first.
        QCOMPARE(plot.offered, QStringList({ "Off", "LP 6 dB", "LP 12 dB", "Low Shelf", "Peak", "High Shelf",
                                             "HP 6 dB", "HP 12 dB" }));
        QCOMPARE(plot.band(2)->getType(), type);
        if (choice.isEmpty()) {
            QCOMPARE(changed.count(), 0);
        } else {
            // The new type, with the band's frequency, gain and Q unchanged.
            QCOMPARE(changed.count(), 1);
            const QList<QVariant> args = changed.first();
            QCOMPARE(args.at(0).toInt(), 2);
            QCOMPARE(args.at(1).toDouble(), 3000.0);
            QCOMPARE(args.at(2).toDouble(), 10.0);
            QCOMPARE(args.at(3).toDouble(), 1.0);
            QCOMPARE(args.at(4).value<Type>(), type);
            // The curve was redrawn for the new type.
            const double at20Hz = plot.graph(2)->data()->constBegin()->value;
            QVERIFY(type == QMyParametricEq::HighPassFilter12dB ? at20Hz < -60 : std::abs(at20Hz) < 1e-9);
        }

        // The menu took the release of the click that opened it; the band
        // must not then follow the bare pointer around.
        changed.clear();
        moveTo(&plot, pixelOf(plot, 300, -20), Qt::NoButton);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(plot.band(2)->getFrequency(), 3000.0);
        QCOMPARE(plot.band(2)->getGain(), 10.0);
    }

    void disabledPlotTurnsGrey()
    {
        QMyParametricEqPlot plot;
        plot.init(4, true);
        plot.setEnabled(false);
        for (int b = 0; b < 4; ++b) {
            QCOMPARE(plot.graph(b)->pen().color(), QColor(Qt::lightGray));
            QCOMPARE(plot.graph(b)->brush().color(), QColor(200, 200, 200, 20));
        }
        QTest::qWait(20); // let the grey curves be drawn
        QSignalSpy replotted(&plot, &QCustomPlot::afterReplot);
        plot.setEnabled(true);
        QCOMPARE(plot.graph(2)->pen().color(), QColor(Qt::green));
        QCOMPARE(plot.graph(2)->brush().color(), QColor(0, 255, 255, 20));
        // ...and shown at once, not whenever something else redraws.
        QTRY_VERIFY(replotted.count() > 0);
    }

    void sampleCountShapesTheCurve_data()
    {
        QTest::addColumn<int>("samples");
        QTest::addColumn<int>("points");
        QTest::newRow("500") << 500 << 500;
        QTest::newRow("one point at the start") << 1 << 1;
        QTest::newRow("none") << 0 << 0;
    }

    void sampleCountShapesTheCurve()
    {
        QFETCH(int, samples);
        QFETCH(int, points);
        QMyParametricEqPlot plot;
        plot.init(2, true);
        plot.setFrequencySamples(samples);
        QCOMPARE(plot.graph(0)->data()->size(), 100); // until the next drawing
        plot.drawAll();
        QCOMPARE(plot.graph(0)->data()->size(), points);
        if (points > 0)
            QCOMPARE(plot.graph(0)->data()->constBegin()->key, 20.0);
        if (points == 1)
            QVERIFY(!plot.graph(0)->scatterStyle().isNone());
    }
};

LYR_TEST_MAIN(TestParametricEqPlot)
#include "tst_parametriceqplot.moc"
