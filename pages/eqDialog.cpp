#include "eqDialog.h"

#include "ui_eqDialog.h"

#include <QEvent>

eqDialog::eqDialog(QWidget* parent, int bands)
    : QDialog(parent)
    , ui(new Ui_eqDialog)
    , bands(bands)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(tr("Equalizer"));
}

eqDialog::~eqDialog()
{
    delete ui;
}

void eqDialog::initEqPlot()
{
    ui->eqPlot->init(bands, false);
    ui->eqPlot->setMousDragEnabled(true);
    connect(ui->eqPlot, &QMyParametricEqPlot::eqChanged, this, &eqDialog::eqChanged);
    graphStale = true;
    update();
}

void eqDialog::initEqGraph(int idx, double freq, double gain, double q, QMyParametricEq::Type type)
{
    if (idx < 0 || idx >= bands)
        return;
    ui->eqPlot->setFrequency(idx, freq, false);
    ui->eqPlot->setGain(idx, gain, false);
    ui->eqPlot->setQ(idx, q, false);
    ui->eqPlot->setType(idx, type, false);
    graphStale = true;
    update();
}

void eqDialog::drawAll()
{
    ui->eqPlot->drawAll();
}

bool eqDialog::event(QEvent* e)
{
    // Changes made by the user are drawn by the graph itself; a new size
    // moves the handles' pixels, so they are placed again.
    if (e->type() == QEvent::Resize)
        graphStale = true;
    if (e->type() == QEvent::UpdateRequest && graphStale) {
        graphStale = false;
        drawAll();
    }
    return QDialog::event(e);
}
