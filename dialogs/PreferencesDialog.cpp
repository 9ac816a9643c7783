#include "PreferencesDialog.h"

#include "Parameters.h"
#include "TPrograms.h"
#include "ui_PreferencesDialog.h"

#include <QDebug>
#include <QLabel>
#include <QRadioButton>
#include <QSettings>

namespace {

// Port states as stored; off travels as 0x7F.
constexpr int StateSys = 0;
constexpr int StateGm = 1;
constexpr int StateKeyboard = 2;
constexpr int StateOff = 255;

// Channels 1..16, then "All".
constexpr int RxChannelButtons = 17;

// The zoom choices and the "scale" each stores.
struct ZoomRow
{
    const char* text;
    double scale;
};
const ZoomRow zoomRows[] = {
    { "100%", 1.0 }, { "125%", 1.25 }, { "150%", 1.5 }, { "175%", 1.75 }, { "200%", 2.0 },
};

quint8& setupByte(uint8_t item)
{
    return reinterpret_cast<quint8*>(&programs.setup)[item];
}

bool knownPortState(int state)
{
    return state == StateSys || state == StateGm || state == StateKeyboard || state == StateOff;
}

} // namespace

using Form = Ui_PreferencesDialog;
using Dlg = PreferencesDialog;

const PreferencesDialog::PortRow PreferencesDialog::portRows[4] = {
    // item                   keyboard button                   GM button                    group                   toggled
    { SetupItem::usbDevice1,  &Form::usbDevice1KeyboardButton,  &Form::usbDevice1GmButton,   &Dlg::usbDevice1Group,  &Dlg::onUsbDevice1CheckBoxToggled },
    { SetupItem::usbDevice2,  &Form::usbDevice2KeyboardButton,  &Form::usbDevice2GmButton,   &Dlg::usbDevice2Group,  &Dlg::onUsbDevice2CheckBoxToggled },
    { SetupItem::usbHost,     &Form::usbHostKeyboardButton,     &Form::usbHostGmButton,      &Dlg::usbHostGroup,     &Dlg::onUsbHostCheckBoxToggled },
    { SetupItem::midiClassic, &Form::midiClassicKeyboardButton, &Form::midiClassicGmButton,  &Dlg::midiClassicGroup, &Dlg::onMidiClassicCheckBoxToggled },
};

PreferencesDialog::PreferencesDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_PreferencesDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(tr("Preferences"));

    initUsbHostRxChannelsButtons();
    initMidiClassicRxChannelButtons();
    updateUsbHostRxChannels();
    updateMidiClassicRxChannels();
    updatePortAssign();

    for (const PortRow& row : portRows) {
        QButtonGroup& group = this->*row.group;
        group.addButton(ui->*row.keyboard, StateKeyboard);
        group.addButton(ui->*row.gm, StateGm);
        connect(&group, &QButtonGroup::idToggled, this, row.toggled);
    }
    connect(&usbHostRxChannelGroup, &QButtonGroup::idClicked, this, &Dlg::onUsbHostRxChannelButtonClicked);
    connect(&midiClassicRxChannelGroup, &QButtonGroup::idClicked, this, &Dlg::onMidiClassicRxChannelButtonClicked);

    // The stored zoom is shown before the combo box is listened to, so
    // showing it writes nothing.
    const double scale = QSettings().value("scale", 1.0).toDouble();
    for (const ZoomRow& row : zoomRows)
        ui->zoomComboBox->addItem(row.text, row.scale);
    int current = -1;
    for (int i = 0; i < ui->zoomComboBox->count(); ++i)
        if (ui->zoomComboBox->itemData(i).toDouble() == scale)
            current = i;
    ui->zoomComboBox->setCurrentIndex(current);
    connect(ui->zoomComboBox, &QComboBox::currentIndexChanged, this, &Dlg::onZoomComboBoxIndexChanged);

    // The module fixes these three ports; only the 5-pin input is the user's.
    ui->groupBoxUsbDevice0->hide();
    ui->groupBoxUsbDevice1->hide();
    ui->groupBoxUsbHost->hide();
}

PreferencesDialog::~PreferencesDialog()
{
    delete ui;
}

void PreferencesDialog::initRxChannelButtons(QButtonGroup& group, QGridLayout* grid)
{
    group.setExclusive(true);
    for (int i = 0; i < RxChannelButtons; ++i) {
        auto* button = new QRadioButton;
        button->setCheckable(true);
        group.addButton(button, i);
        auto* label = new QLabel(i < 16 ? QString::number(i + 1) : QStringLiteral("All"));
        grid->addWidget(label, 0, i);
        grid->addWidget(button, 1, i);
    }
}

void PreferencesDialog::initUsbHostRxChannelsButtons()
{
    initRxChannelButtons(usbHostRxChannelGroup, ui->keyboardRxChannelsGridLayout);
}

void PreferencesDialog::initMidiClassicRxChannelButtons()
{
    initRxChannelButtons(midiClassicRxChannelGroup, ui->gmRxChannelsGridLayout);
}

void PreferencesDialog::showRxChannel(QButtonGroup& group, uint8_t item)
{
    // A channel no button stands for shows none checked.
    const quint8 value = setupByte(item);
    if (value < group.buttons().size())
        group.button(value)->setChecked(true);
}

void PreferencesDialog::updateUsbHostRxChannels()
{
    showRxChannel(usbHostRxChannelGroup, SetupItem::usbHostChannel);
}

void PreferencesDialog::updateMidiClassicRxChannels()
{
    showRxChannel(midiClassicRxChannelGroup, SetupItem::midiChannel);
}

void PreferencesDialog::updatePortAssign()
{
    for (const PortRow& row : portRows) {
        (ui->*row.keyboard)->blockSignals(true);
        (ui->*row.gm)->blockSignals(true);
    }
    for (const PortRow& row : portRows) {
        const int state = setupByte(row.item);
        if (!knownPortState(state))
            continue;
        (ui->*row.keyboard)->setChecked(state == StateKeyboard);
        (ui->*row.gm)->setChecked(state == StateGm);
    }
    for (const PortRow& row : portRows) {
        (ui->*row.keyboard)->blockSignals(false);
        (ui->*row.gm)->blockSignals(false);
    }
}

void PreferencesDialog::portToggled(uint8_t item, int id, bool state)
{
    // Each toggle also unchecks the other button; only the checked one counts.
    if (!state || !knownPortState(id))
        return;
    const uint8_t value = id & 0x7F;
    setupByte(item) = value;
    emit setupVariation(item, value);
    printPortState(item, value);
}

void PreferencesDialog::onUsbDevice1CheckBoxToggled(int id, bool state)
{
    portToggled(SetupItem::usbDevice1, id, state);
}

void PreferencesDialog::onUsbDevice2CheckBoxToggled(int id, bool state)
{
    portToggled(SetupItem::usbDevice2, id, state);
}

void PreferencesDialog::onUsbHostCheckBoxToggled(int id, bool state)
{
    portToggled(SetupItem::usbHost, id, state);
}

void PreferencesDialog::onMidiClassicCheckBoxToggled(int id, bool state)
{
    portToggled(SetupItem::midiClassic, id, state);
}

void PreferencesDialog::channelClicked(uint8_t item, int id)
{
    const uint8_t value = id & 0x7F;
    setupByte(item) = value;
    emit setupVariation(item, value);
}

void PreferencesDialog::onUsbHostRxChannelButtonClicked(int id)
{
    channelClicked(SetupItem::usbHostChannel, id);
}

void PreferencesDialog::onMidiClassicRxChannelButtonClicked(int id)
{
    channelClicked(SetupItem::midiChannel, id);
}

void PreferencesDialog::onZoomComboBoxIndexChanged(int idx)
{
    if (idx < 0)
        return;
    const double scale = ui->zoomComboBox->itemData(idx).toDouble();
    QSettings().setValue("scale", QString::number(scale, 'g', 6));
}

void PreferencesDialog::printPortState(int port, int state)
{
    static const QString ports[] = { "USB DEVICE 1", "USB DEVICE 2", "USB HOST", "MIDI CLASSIC" };
    QString portName = port >= 0 && port < 4 ? ports[port] : QStringLiteral("INVALID");
    QString stateName;
    switch (state) {
    case StateSys:      stateName = "SYS"; break;
    case StateGm:       stateName = "GM"; break;
    case StateKeyboard: stateName = "KEYB"; break;
    case StateOff:      stateName = "OFF"; break;
    default:            stateName = "INVALID"; break;
    }
    qDebug() << portName << "->" << stateName;
}
