// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::initInstrument()
{
}

void LyrForm::identify()
{
}

void LyrForm::about()
{
}

void LyrForm::manual()
{
}

void LyrForm::onDeviceAdded(QString vendorId, QString productId)
{
}

void LyrForm::onDeviceRemoved(QString vendorId, QString productId)
{
}

void LyrForm::closeEvent(QCloseEvent* event)
{
}
