// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::samTest()
{
}

void LyrForm::samPanic()
{
}

void LyrForm::systemReset()
{
}

void LyrForm::samReset()
{
}

void LyrForm::test()
{
}

void LyrForm::testFlashReadWrite()
{
}

void LyrForm::sendSamData()
{
}

void LyrForm::on_insertOffRadioBtn_clicked()
{
}

void LyrForm::on_insert1RadioBtn_clicked()
{
}

void LyrForm::on_insert2RadioBtn_clicked()
{
}

void LyrForm::on_hqDist2OnBtn_clicked()
{
}

void LyrForm::on_hqDist2OffBtn_clicked()
{
}

void LyrForm::on_hqDist2DriveDial_sliderMoved(int position)
{
}

void LyrForm::on_secondRevSendDial_sliderMoved(int position)
{
}

void LyrForm::on_secondRevLevelDial_sliderMoved(int position)
{
}
