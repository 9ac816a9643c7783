// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

bool LyrForm::writeOperation(QString const& dialogTitle, QString const& fileFilter, int operation, bool reconnect, bool choosePorts)
{
    return false;
}

void LyrForm::writeOperationFromUsb(QString const& dialogTitle, QString const& fileFilter, int operation)
{
}
