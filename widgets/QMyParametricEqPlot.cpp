#include "QMyParametricEqPlot.h"

#include "PlotPainting.h"

#include <QDebug>
#include <QMenu>
#include <QMouseEvent>
#include <cmath>

namespace {

constexpr double kFrequencyLow = 20.0;
constexpr double kFrequencyHigh = 20000.0;
// The gain axis shows a little more than a band can reach (+-24 dB), so a
// band at its limit is not drawn on the frame.
constexpr double kGainAxisLow = -30.0;
constexpr double kGainAxisHigh = 30.0;
// Half the size of a band's drag handle, in pixels.
constexpr int kHandleRadius = 20;

using plotpainting::linePen;

QColor withAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

} // namespace

QMyParametricEqPlot::QMyParametricEqPlot(QWidget* parent)
    : QCustomPlot(parent)
{
    setNoAntialiasingOnDrag(true);
    // A redraw of every band has to stay well inside a frame. The fills lie
    // under the antialiased curves, whose edges hide theirs, and the curves
    // are dense enough that the joins of the faster polyline never show.
    setPlottingHint(QCP::phFastPolylines, true);
    setNotAntialiasedElements(QCP::aeFills);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, &QMyParametricEqPlot::showContextMenu);
}

QPen QMyParametricEqPlot::bandPen(int band)
{
    //                            band 0      band 1    band 2     band 3
    static const QColor pens[] = { Qt::yellow, Qt::cyan, Qt::green, Qt::magenta };
    const QColor color = band >= 0 && band < 4 ? pens[band] : QColor(Qt::yellow);
    return linePen(color, 2, Qt::SolidLine);
}

QBrush QMyParametricEqPlot::bandBrush(int band)
{
    // The third band's fill is cyan like the second's: the pages and the
    // equaliser dialog style their graphs the same way.
    static const QColor fills[] = { Qt::yellow, Qt::cyan, Qt::cyan, Qt::magenta };
    const QColor color = band >= 0 && band < 4 ? fills[band] : QColor(Qt::yellow);
    return QBrush(withAlpha(color, 20));
}

bool QMyParametricEqPlot::validBand(int band) const
{
    return band >= 0 && band < bands.size();
}

bool QMyParametricEqPlot::validGraph(int band) const
{
    return validBand(band) && band < graphCount();
}

const QMyParametricEq* QMyParametricEqPlot::band(int index) const
{
    return validBand(index) ? bands[index] : nullptr;
}

void QMyParametricEqPlot::init(unsigned int count, bool draw)
{
    qDeleteAll(bands);
    bands.clear();
    bandCount = int(count);
    dragHandles.clear();
    clearGraphs();
    clearItems();
    selectedBand = -1;
    infoText = nullptr;
    frequencyLine = nullptr;
    gainLine = nullptr;

    const QColor text = palette().color(QPalette::Text);
    for (QCPAxis* axis : { xAxis, yAxis }) {
        axis->setBasePen(linePen(text, 1, Qt::SolidLine));
        axis->setTickPen(linePen(text, 1, Qt::SolidLine));
        axis->setSubTickPen(linePen(text, 1, Qt::SolidLine));
        axis->setTickLabelColor(text);
        axis->grid()->setPen(linePen(QColor(140, 140, 140), 1, Qt::DotLine));
        axis->grid()->setSubGridPen(linePen(QColor(80, 80, 80), 1, Qt::DotLine));
        axis->grid()->setSubGridVisible(true);
    }

    // Frequencies in decades, labelled as powers of ten.
    xAxis->setScaleType(QCPAxis::stLogarithmic);
    xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new QCPAxisTickerLog));
    xAxis->setNumberFormat(QStringLiteral("eb"));
    xAxis->setNumberPrecision(0);
    xAxis->setRange(kFrequencyLow, kFrequencyHigh);
    yAxis->setRange(kGainAxisLow, kGainAxisHigh);

    const QBrush background = plotpainting::backgroundBrush(palette().color(QPalette::Base));
    setBackground(background);
    axisRect()->setBackground(background);

    for (int i = 0; i < bandCount; ++i) {
        bands.append(new QMyParametricEq(this));
        QCPGraph* graph = addGraph();
        graph->setName(QStringLiteral("Band %1").arg(i));
        graph->setPen(bandPen(i));
        graph->setBrush(bandBrush(i));

        auto* handle = new QCPItemEllipse(this);
        handle->setPen(QPen(text));
        handle->setBrush(QBrush(QColor(255, 255, 255, 20)));
        handle->setVisible(mouseDragEnabled);
        handle->setLayer(QStringLiteral("overlay"));
        dragHandles.append(handle);
    }

    // The text hangs from its bottom-left corner; drawInfo places it in
    // pixels, which the axis rectangle's frame keeps across resizes.
    infoText = new QCPItemText(this);
    infoText->setPositionAlignment(Qt::AlignLeft | Qt::AlignBottom);
    infoText->position->setType(QCPItemPosition::ptAxisRectRatio);
    infoText->position->setAxisRect(axisRect());
    infoText->position->setCoords(0, 0);
    infoText->setColor(text);

    frequencyLine = new QCPItemLine(this);
    gainLine = new QCPItemLine(this);
    frequencyLine->setPen(linePen(text, 1, Qt::DashLine));
    gainLine->setPen(linePen(text, 1, Qt::DashLine));

    if (draw) {
        for (int i = 0; i < bandCount; ++i)
            drawFrequencyResponse(i);
    }
}

void QMyParametricEqPlot::setFrequency(int band, double f, bool update)
{
    if (!validBand(band))
        return;
    bands[band]->setFrequency(f);
    if (update)
        drawFrequencyResponse(band);
}

void QMyParametricEqPlot::setGain(int band, double g, bool update)
{
    if (!validBand(band))
        return;
    bands[band]->setGain(g);
    if (update)
        drawFrequencyResponse(band);
}

void QMyParametricEqPlot::setQ(int band, double q, bool update)
{
    if (!validBand(band))
        return;
    bands[band]->setQ(q);
    if (update)
        drawFrequencyResponse(band);
}

void QMyParametricEqPlot::setType(int band, QMyParametricEq::Type t, bool update)
{
    if (!validBand(band))
        return;
    bands[band]->setType(t);
    if (update)
        drawFrequencyResponse(band);
}

void QMyParametricEqPlot::setGraphPen(int band, QPen pen, bool update)
{
    if (band < 0)
        return;
    if (QCPGraph* g = graph(band))
        g->setPen(pen);
    if (update)
        drawFrequencyResponse(band);
}

void QMyParametricEqPlot::setGraphBrush(int band, QBrush brush, bool update)
{
    if (band < 0)
        return;
    if (QCPGraph* g = graph(band))
        g->setBrush(brush);
    if (update)
        drawFrequencyResponse(band);
}

void QMyParametricEqPlot::drawAll()
{
    for (int i = 0; i < bands.size(); ++i)
        drawFrequencyResponse(i);
}

void QMyParametricEqPlot::drawFrequencyResponse(int band)
{
    if (!validGraph(band))
        return;
    QMyParametricEq* eq = bands[band];
    eq->computeParameters();

    const QList<QPointF> response = eq->getFrequencyResponse(kFrequencyLow, kFrequencyHigh, frequencySamples);
    QVector<double> keys;
    QVector<double> values;
    keys.reserve(response.size());
    values.reserve(response.size());
    for (const QPointF& p : response) {
        keys.append(p.x());
        values.append(p.y());
    }
    QCPGraph* g = graph(band);
    g->setData(keys, values);
    // A line needs two points: a curve of one is shown as a dot.
    g->setScatterStyle(response.size() == 1 ? QCPScatterStyle(QCPScatterStyle::ssDisc, 6)
                                            : QCPScatterStyle(QCPScatterStyle::ssNone));

    drawInfo();
    drawDragHandle(band);
    replot(rpQueuedReplot);
}

void QMyParametricEqPlot::drawInfo()
{
    if (!infoText || !frequencyLine || !gainLine)
        return;

    if (!validBand(selectedBand)) {
        // Parked just outside the widget, where nothing of them shows.
        const QPointF away(width() + 1, height() + 1);
        frequencyLine->start->setPixelPosition(away);
        frequencyLine->end->setPixelPosition(away);
        gainLine->start->setPixelPosition(away);
        gainLine->end->setPixelPosition(away);
        infoText->position->setPixelPosition(away);
        infoText->setText(QStringLiteral("Gain: -- dB\nFreq: -- Hz"));
        return;
    }

    const QMyParametricEq* eq = bands[selectedBand];
    const double x = xAxis->coordToPixel(eq->getFrequency());
    const double y = yAxis->coordToPixel(eq->getGain());
    frequencyLine->start->setPixelPosition(QPointF(x, yAxis->coordToPixel(yAxis->range().upper)));
    frequencyLine->end->setPixelPosition(QPointF(x, yAxis->coordToPixel(yAxis->range().lower)));
    gainLine->start->setPixelPosition(QPointF(xAxis->coordToPixel(xAxis->range().upper), y));
    gainLine->end->setPixelPosition(QPointF(xAxis->coordToPixel(xAxis->range().lower), y));
    infoText->setText(QStringLiteral("Gain: %1 dB\nFreq: %2 Hz")
                          .arg(eq->getGain(), 0, 'f', 1)
                          .arg(eq->getFrequency(), 0, 'f', 1));
    infoText->position->setPixelPosition(QPointF(x + 20, y - 20));
}

void QMyParametricEqPlot::drawDragHandle(int band)
{
    if (band < 0 || !mouseDragEnabled || band >= dragHandles.size() || band >= bands.size())
        return;
    const QMyParametricEq* eq = bands[band];
    const double x = xAxis->coordToPixel(eq->getFrequency());
    const double y = yAxis->coordToPixel(eq->getGain());
    QCPItemEllipse* handle = dragHandles[band];
    handle->topLeft->setPixelPosition(QPointF(int(x - kHandleRadius), int(y - kHandleRadius)));
    handle->bottomRight->setPixelPosition(QPointF(int(x + kHandleRadius), int(y + kHandleRadius)));
}

void QMyParametricEqPlot::setMousDragEnabled(bool enabled)
{
    mouseDragEnabled = enabled;
    for (QCPItemEllipse* handle : qAsConst(dragHandles))
        handle->setVisible(enabled);
}

void QMyParametricEqPlot::setFrequencySamples(int samples)
{
    frequencySamples = samples;
}

void QMyParametricEqPlot::mousePressEvent(QMouseEvent* event)
{
    mousePressed = true;
    selectedBand = -1;
    if (mouseDragEnabled) {
        const QPoint p = event->position().toPoint();
        for (int i = 0; i < dragHandles.size(); ++i) {
            // Corners were placed on whole pixels; rounding undoes the
            // axis round trip, so a press on the edge stays outside.
            const QPoint tl = dragHandles[i]->topLeft->pixelPosition().toPoint();
            const QPoint br = dragHandles[i]->bottomRight->pixelPosition().toPoint();
            if (tl.x() < p.x() && p.x() < br.x() && tl.y() < p.y() && p.y() < br.y()) {
                selectedBand = i;
                break;
            }
        }
        drawInfo();
        replot(rpQueuedReplot);
    }
    QCustomPlot::mousePressEvent(event);
}

void QMyParametricEqPlot::mouseMoveEvent(QMouseEvent* event)
{
    if (mouseDragEnabled && mousePressed && validGraph(selectedBand)) {
        QMyParametricEq* eq = bands[selectedBand];
        eq->setFrequency(xAxis->pixelToCoord(event->position().x()));
        eq->setGain(yAxis->pixelToCoord(event->position().y()));
        eq->computeParameters();
        emit eqChanged(selectedBand, eq->getFrequency(), eq->getGain(), eq->getQ(), eq->getType());
        drawFrequencyResponse(selectedBand);
    }
    QCustomPlot::mouseMoveEvent(event);
}

void QMyParametricEqPlot::mouseReleaseEvent(QMouseEvent* event)
{
    mousePressed = false;
    QCustomPlot::mouseReleaseEvent(event);
}

QAction* QMyParametricEqPlot::execMenu(QMenu* menu, const QPoint& globalPos)
{
    return menu->exec(globalPos);
}

void QMyParametricEqPlot::showContextMenu(QPoint pos)
{
    qDebug() << "showContextMenu" << pos << selectedBand;
    if (!mouseDragEnabled || !validGraph(selectedBand))
        return;

    // Only the types the module's equaliser can play.
    static const QMyParametricEq::Type offered[] = {
        QMyParametricEq::NoFilter,
        QMyParametricEq::LowPassFilter6dB,
        QMyParametricEq::LowPassFilter12dB,
        QMyParametricEq::LowShelfFilterFirstOrder,
        QMyParametricEq::PeakingFilter,
        QMyParametricEq::HighShelfFilterFirstOrder,
        QMyParametricEq::HighPassFilter6dB,
        QMyParametricEq::HighPassFilter12dB,
    };
    QMenu menu(tr("Select Type"), this);
    for (QMyParametricEq::Type t : offered)
        menu.addAction(QMyParametricEq::typeToString(t))->setData(int(t));

    // The open menu takes the button's release, so the press that opened it
    // ends here; otherwise the band would follow the bare pointer afterwards.
    mousePressed = false;
    QAction* chosen = execMenu(&menu, mapToGlobal(pos));
    if (!chosen || !validGraph(selectedBand))
        return;

    QMyParametricEq* eq = bands[selectedBand];
    eq->setType(QMyParametricEq::Type(chosen->data().toInt()));
    emit eqChanged(selectedBand, eq->getFrequency(), eq->getGain(), eq->getQ(), eq->getType());
    drawFrequencyResponse(selectedBand);
}

void QMyParametricEqPlot::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange && bandCount > 0) {
        const bool enabled = isEnabled();
        for (int i = 0; i < bandCount; ++i) {
            if (enabled) {
                setGraphPen(i, bandPen(i), false);
                setGraphBrush(i, bandBrush(i), false);
            } else {
                setGraphPen(i, linePen(Qt::lightGray, 2, Qt::SolidLine), false);
                setGraphBrush(i, QBrush(QColor(200, 200, 200, 20)), false);
                drawFrequencyResponse(i);
            }
        }
        // Without it the grey curves would stay until something else redraws.
        if (enabled)
            replot(rpQueuedReplot);
    }
    QCustomPlot::changeEvent(event);
}
