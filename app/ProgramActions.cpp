// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

QString LyrForm::getLastPath()
{
    return {};
}

void LyrForm::saveProgramsToDisk()
{
}

void LyrForm::loadProgramsFromDisk()
{
}

void LyrForm::loadFactoryPrograms()
{
}

void LyrForm::saveProgramsToModule()
{
}

void LyrForm::loadProgramsFromModule()
{
}

void LyrForm::initAllPrograms()
{
}

void LyrForm::initCurrentProgram()
{
}

void LyrForm::showCopyProgramDialog()
{
}

void LyrForm::onProgramNameTextChanged(QString text)
{
}

void LyrForm::loadProgramsFromModuleRam()
{
}

void LyrForm::loadProgramsFromModuleFlash()
{
}

void LyrForm::copyProgramsFromFlashToRam()
{
}
