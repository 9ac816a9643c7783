#pragma once

// The preferences: how the module treats its 5-pin MIDI input, the receive
// channel of two of its inputs, and the editor's zoom. A port or channel
// change is written to the setup block of `programs` and sent at once, so
// there is nothing to apply or cancel; the zoom is stored in the setting
// "scale" and used from the next start.

#include <QButtonGroup>
#include <QDialog>

#include <cstdint>

class QGridLayout;
class QRadioButton;
class Ui_PreferencesDialog;

class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesDialog(QWidget* parent = nullptr);
    ~PreferencesDialog() override;

    // One debug line: the port's name and the state's name.
    void printPortState(int port, int state);

signals:
    // A setup item and its new value, once per change.
    void setupVariation(uint8_t com, uint8_t value);

public slots:
    // The setup block -> the buttons, signals held back.
    void updateMidiClassicRxChannels();
    void updateUsbHostRxChannels();
    void updatePortAssign();
    // The 17 receive-channel buttons of each grid, built once.
    void initUsbHostRxChannelsButtons();
    void initMidiClassicRxChannelButtons();
    // User changes -> the setup block and the module.
    void onUsbDevice1CheckBoxToggled(int id, bool state);
    void onUsbDevice2CheckBoxToggled(int id, bool state);
    void onUsbHostCheckBoxToggled(int id, bool state);
    void onMidiClassicCheckBoxToggled(int id, bool state);
    void onUsbHostRxChannelButtonClicked(int id);
    void onMidiClassicRxChannelButtonClicked(int id);
    // The zoom chosen -> the setting.
    void onZoomComboBoxIndexChanged(int idx);

private:
    // One row per port: its setup item, its two buttons, its group and the
    // slot the group's toggles go to.
    struct PortRow
    {
        uint8_t item;
        QRadioButton* Ui_PreferencesDialog::*keyboard;
        QRadioButton* Ui_PreferencesDialog::*gm;
        QButtonGroup PreferencesDialog::*group;
        void (PreferencesDialog::*toggled)(int id, bool state);
    };
    static const PortRow portRows[4];

    // What the port and channel slots share.
    void portToggled(uint8_t item, int id, bool state);
    void channelClicked(uint8_t item, int id);
    static void initRxChannelButtons(QButtonGroup& group, QGridLayout* grid);
    static void showRxChannel(QButtonGroup& group, uint8_t item);

    Ui_PreferencesDialog* ui;
    // Receive channels (ids 0..15 channels 1..16, 16 all), then the port
    // states (ids 1 GM, 2 keyboard).
    QButtonGroup usbHostRxChannelGroup;
    QButtonGroup midiClassicRxChannelGroup;
    QButtonGroup usbDevice1Group;
    QButtonGroup usbDevice2Group;
    QButtonGroup usbHostGroup;
    QButtonGroup midiClassicGroup;
};
