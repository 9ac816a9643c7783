// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::connectToModule()
{
}

void LyrForm::connectToModule(QString inPort, QString outPort, bool verbose)
{
}

QPair<QString, QString> LyrForm::chooseMidiPorts()
{
    return {};
}

void LyrForm::showProgressDialog()
{
}

void LyrForm::closeProgressDialog()
{
}

void LyrForm::message(QString text)
{
}
