// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"

void LyrForm::initEqPlot()
{
}

bool LyrForm::eventFilter(QObject* watched, QEvent* event)
{
    return QMainWindow::eventFilter(watched, event);
}

void LyrForm::initDials()
{
}

void LyrForm::initButtons()
{
}

void LyrForm::initProgramsButtons()
{
}

void LyrForm::initProgramsLabels()
{
}

void LyrForm::initComboBoxes()
{
}

void LyrForm::initCheckBoxes()
{
}

void LyrForm::initRangeSliders()
{
}

void LyrForm::initLineEdits()
{
}

void LyrForm::initSliders()
{
}
