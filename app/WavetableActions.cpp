// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::loadWavetableFromFile()
{
}

void LyrForm::loadWavetable(QString path)
{
}

void LyrForm::loadWavetableFactory()
{
}

void LyrForm::clearWavetable()
{
}

void LyrForm::saveWavetableToFile()
{
}

void LyrForm::saveCurrentProgramAsDefault()
{
}

void LyrForm::clearDefaultProgram()
{
}
