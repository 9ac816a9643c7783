// Stub: stands in for the voice chooser until the real one lands.

#include "VoiceDialog.h"

VoiceDialog::VoiceDialog(QWidget* parent, uchar part, uchar family, uchar voice, bool withDrumFamily)
    : QDialog(parent)
{
    Q_UNUSED(part);
    Q_UNUSED(family);
    Q_UNUSED(voice);
    Q_UNUSED(withDrumFamily);
}
