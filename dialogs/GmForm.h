#pragma once

// The GM mixer: sixteen channel strips (voice, mute, solo and eight dials)
// and the master GM volume. It edits gmData and setup item 5 in place and
// announces every edit by a signal; whoever opens it connects them.

#include "TControl.h"

#include <QButtonGroup>
#include <QHash>
#include <QMainWindow>

#include <cstdint>

class QMyDial;
class Ui_GmForm;

class GmForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit GmForm(QWidget* parent = nullptr);
    ~GmForm() override;

    // The form, for tests.
    Ui_GmForm* form() const { return ui; }

    // Set-up, run once by the constructor.
    void initButtons();
    void initDials();

    // gmData and setup item 5 -> widgets, never signalled; for callers that
    // changed either behind the window's back.
    void updateAll();
    void updateVoiceNames();
    void updateVoicesValues();
    void updateMuteButtons();
    void updateSoloButtons();
    void updateGlobalValues();
    void updateVoiceName(uchar channel);
    void updateVoiceValues(uchar channel);

    // The first dial bound to (part, command, param); null when none is.
    QMyDial* findDialByControl(uchar part, uchar command, uchar param);

public slots:
    void onVoiceChanged(uint8_t part, uint8_t family, uint8_t voice);
    void onVoiceButtonClicked(int id);
    void onMuteButtonToggled(int id, bool onOff);
    void onSoloButtonToggled(int id, bool onOff);
    void onDialValueChanged(int value);

signals:
    // Channel, family, voice index, bank and program change.
    void gmVoiceChanged(uint8_t voice, uint8_t group, uint8_t num, uint8_t bnk, uint8_t pch);
    // Channel, parameter number, value.
    void gmVoiceVariation(uint8_t voice, uint8_t com, uint8_t value);
    // Setup item, value.
    void setupVariation(uint8_t com, uint8_t value);

private:
    Ui_GmForm* ui = nullptr;
    // Voice buttons click, mute buttons toggle freely, one solo at a time;
    // ids are channels 0..15.
    QButtonGroup voiceButtonGroup;
    QButtonGroup muteButtonGroup;
    QButtonGroup soloButtonGroup;
    // The control record of every dial.
    QHash<QMyDial*, TControl> dialMap;
};
