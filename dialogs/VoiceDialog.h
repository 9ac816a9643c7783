#pragma once

// Stub: stands in for the voice chooser until the real one lands; it keeps
// the interface its openers rely on and shows nothing.

#include <QDialog>

#include <cstdint>

class VoiceDialog : public QDialog
{
    Q_OBJECT
public:
    VoiceDialog(QWidget* parent, uchar part, uchar family, uchar voice, bool withDrumFamily);
signals:
    void voiceChanged(uint8_t part, uint8_t family, uint8_t voice);
};
