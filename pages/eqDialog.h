#pragma once

// The large insert-EQ editor: one equaliser graph whose band handles the
// user drags and retypes. It only reports changes (eqChanged); the window
// stores and sends them.

#include "QMyParametricEq.h"

#include <QDialog>

class Ui_eqDialog;

class eqDialog : public QDialog
{
    Q_OBJECT
public:
    eqDialog(QWidget* parent, int bands);
    ~eqDialog() override;

    // Builds the graph with dragging on; then each band is set from the
    // program (out-of-range bands are ignored) and drawn when next painted.
    void initEqPlot();
    void initEqGraph(int idx, double freq, double gain, double q, QMyParametricEq::Type type);
    void drawAll();

signals:
    // The graph's own change, passed on.
    void eqChanged(int idx, double freq, double gain, double q, QMyParametricEq::Type type);

protected:
    bool event(QEvent* e) override;

private:
    Ui_eqDialog* ui;
    int bands;
    // Bands set (or the size changed) but not drawn yet. The graph is drawn
    // on the next paint, once it has its size, and not on every paint: a
    // drawing queues a replot, whose paint would ask for the next drawing
    // without end.
    bool graphStale = true;
};
