#pragma once

// Chooser of a wavetable voice for one part: a column of families, a column
// of the chosen family's voices and an optional info box. It changes no
// record itself; every click on a voice is reported and the opener applies
// it, so the dialog stays open while the user tries voice after voice.

#include <QButtonGroup>
#include <QDialog>

#include <cstdint>

class Ui_VoiceDialog;

class VoiceDialog : public QDialog
{
    Q_OBJECT
public:
    // family and voice are the part's current choice, shown checked. Parts
    // 0..2 are program layers; with withDrumFamily the drum sets are offered.
    VoiceDialog(QWidget* parent, uchar part, uchar family, uchar voice, bool withDrumFamily);
    ~VoiceDialog() override;

    // Buttons: created once, then filled from the wavetable.
    void initFamilyButtons();
    void initVoiceButtons();
    void updateFamilyButtons();
    void updateVoiceButtons();
    void updateVoiceInfo();

    // Store the value only; nothing is refreshed.
    void setFamily(uchar value);
    void setVoice(uchar value);

signals:
    void voiceChanged(uint8_t part, uint8_t family, uint8_t voice);

public slots:
    void onFamilyButtonClicked(int id);
    void onVoiceButtonClicked(int id);

private:
    Ui_VoiceDialog* ui = nullptr;
    uchar part = 0;
    uchar family = 0;
    uchar voice = 0;
    bool withDrumFamily = true;
    QButtonGroup familyGroup;
    QButtonGroup voiceGroup;
    // The choice the dialog was opened with: what browsing back to its family
    // shows for a part that is no program layer.
    uchar initialFamily = 0;
    uchar initialVoice = 0;
};
