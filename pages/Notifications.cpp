// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::onCommandReceived(uchar com, ushort size, const QByteArray& data)
{
}

void LyrForm::onProgramChangeNotify(QByteArray data)
{
}

void LyrForm::onControlChangeNotify(QByteArray data)
{
}

void LyrForm::secondReverbControl(uchar param, uchar value)
{
}
