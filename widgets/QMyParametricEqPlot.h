#pragma once

// The equaliser graph: every band's magnitude response over a logarithmic
// 20 Hz .. 20 kHz axis. With dragging enabled the user picks a band by its
// round handle, drags it to a new frequency (across) and gain (up and down)
// and changes its type from a context menu; each change is reported by
// eqChanged.

#include "QMyParametricEq.h"

#include <QList>
#include <qcustomplot.h>

class QMenu;

class QMyParametricEqPlot : public QCustomPlot
{
    Q_OBJECT
public:
    explicit QMyParametricEqPlot(QWidget* parent = nullptr);

    // Builds the plot anew for that many bands, each a flat peaking band at
    // 1 kHz; draws them when `draw`.
    void init(unsigned int bands, bool draw = true);

    // Band settings; a band index out of range is ignored.
    void setFrequency(int band, double f, bool update = true);
    void setGain(int band, double g, bool update = true);
    void setQ(int band, double q, bool update = true);
    void setType(int band, QMyParametricEq::Type t, bool update = true);
    void setGraphPen(int band, QPen pen, bool update = true);
    void setGraphBrush(int band, QBrush brush, bool update = true);

    // Drawing.
    void drawAll();
    void drawFrequencyResponse(int band);
    void drawInfo();
    void drawDragHandle(int band);

    // Picking, dragging and retyping bands; off until enabled.
    void setMousDragEnabled(bool enabled);
    bool isMouseDragEnabled() const { return mouseDragEnabled; }
    // Points per response curve, used from the next drawing on.
    void setFrequencySamples(int samples);

    // For readers of the plot (and its tests).
    int getBandCount() const { return bandCount; }
    int getSelectedBand() const { return selectedBand; }
    const QMyParametricEq* band(int index) const;

signals:
    void eqChanged(int idx, double freq, double gain, double q, QMyParametricEq::Type type);

public slots:
    void showContextMenu(QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Runs the type menu and returns the chosen entry (null when dismissed).
    // Tests replace it, since the real menu blocks until the user answers.
    virtual QAction* execMenu(QMenu* menu, const QPoint& globalPos);

private:
    static QPen bandPen(int band);
    static QBrush bandBrush(int band);
    bool validBand(int band) const;
    bool validGraph(int band) const;

    QList<QMyParametricEq*> bands;
    QList<QCPItemEllipse*> dragHandles;
    QCPItemText* infoText = nullptr;
    QCPItemLine* frequencyLine = nullptr;
    QCPItemLine* gainLine = nullptr;
    bool mousePressed = false;
    bool mouseDragEnabled = false;
    int selectedBand = -1;
    int frequencySamples = 100;
    int bandCount = 0;
};
