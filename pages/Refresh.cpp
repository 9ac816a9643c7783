// Stub: replaced by the real implementation.

#include "LyrForm.h"

#include "ui_LyrForm.h"
#include <QModelIndex>
#include <QFile>

void LyrForm::updateAll()
{
}

void LyrForm::updateProgramButtons()
{
}

void LyrForm::updateProgramLabels()
{
}

void LyrForm::updateProgramLabel(unsigned short n)
{
}

void LyrForm::updateProgramName()
{
}

void LyrForm::updateVoiceValues()
{
}

void LyrForm::updateVoiceNames()
{
}

void LyrForm::updateVoiceName(unsigned char part)
{
}

void LyrForm::updateVoiceEnabled()
{
}

void LyrForm::updateVelocityRange()
{
}

void LyrForm::updateNoteRange()
{
}

void LyrForm::updateAdsrPlot()
{
}

void LyrForm::updateMorphing()
{
}

void LyrForm::updateEffects()
{
}

void LyrForm::updateEffectsSlotConfiguration()
{
}

void LyrForm::updateInsertCompressor()
{
}

void LyrForm::updateInsertDistorsor()
{
}

void LyrForm::updateInsertHqDistorsor()
{
}

void LyrForm::updateInsertDelay()
{
}

void LyrForm::updateInsertEq()
{
}

void LyrForm::updateEqPlot()
{
}

void LyrForm::updateInsertMod()
{
}

void LyrForm::updateInsertTremolo()
{
}

void LyrForm::updateInsertWah()
{
}

void LyrForm::updateReverb()
{
}

void LyrForm::updateChorus()
{
}

void LyrForm::updateOrganPage()
{
}

void LyrForm::updateDrawbars()
{
}

void LyrForm::updateRotaryPage()
{
}

void LyrForm::updateMainPage()
{
}

void LyrForm::updateProgress(int value, int min, int max)
{
}

void LyrForm::updateProgressLabelText(QString text)
{
}
