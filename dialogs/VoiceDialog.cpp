#include "VoiceDialog.h"

#include "TGmWavetable.h"
#include "TProgram.h"
#include "TSoundBankDirEntry.h"
#include "ui_VoiceDialog.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSpacerItem>

namespace {

QString titleFor(uchar part, uchar family, int voice)
{
    return QString("Part %1: family %2 voice %3").arg(part).arg(family + 1).arg(voice + 1);
}

// An exclusive group will not let its checked button go by itself.
void uncheckAll(QButtonGroup& group)
{
    QAbstractButton* checked = group.checkedButton();
    if (!checked)
        return;
    group.setExclusive(false);
    checked->setChecked(false);
    group.setExclusive(true);
}

// Checkable push buttons, ids 0..count-1, stacked at the top of a column.
void fillColumn(QButtonGroup& group, QWidget* column, int count)
{
    group.setExclusive(true);
    for (int id = 0; id < count; ++id) {
        auto* button = new QPushButton(column);
        button->setCheckable(true);
        group.addButton(button, id);
        column->layout()->addWidget(button);
    }
    column->layout()->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding));
}

} // namespace

VoiceDialog::VoiceDialog(QWidget* parent, uchar part, uchar family, uchar voice, bool withDrumFamily)
    : QDialog(parent)
    , ui(new Ui_VoiceDialog)
    , part(part)
    , family(family)
    , voice(voice)
    , withDrumFamily(withDrumFamily)
    , initialFamily(family)
    , initialVoice(voice)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(titleFor(part, family, voice));
    connect(ui->showInfoCheckBox, &QCheckBox::stateChanged, this,
            [this](int state) { ui->groupBoxInfo->setVisible(state != Qt::Unchecked); });

    initFamilyButtons();
    initVoiceButtons();
    updateFamilyButtons();
    updateVoiceButtons();
    updateVoiceInfo();
    ui->groupBoxInfo->hide();
}

VoiceDialog::~VoiceDialog()
{
    delete ui;
}

void VoiceDialog::initFamilyButtons()
{
    fillColumn(familyGroup, ui->familyScrollAreaWidgetContents, withDrumFamily ? GmFamilyCount : GmVoiceFamilyCount);
    // The family column never scrolls: it keeps room for every family, and
    // the dialog grows instead when the info box takes space below.
    ui->scrollArea_2->setMinimumHeight(ui->familyScrollAreaWidgetContents->minimumSizeHint().height()
                                       + 2 * ui->scrollArea_2->frameWidth());
    connect(&familyGroup, &QButtonGroup::idClicked, this, &VoiceDialog::onFamilyButtonClicked);
}

void VoiceDialog::initVoiceButtons()
{
    fillColumn(voiceGroup, ui->voiceScrollAreaWidgetContents, GmMaxVoices);
    connect(&voiceGroup, &QButtonGroup::idClicked, this, &VoiceDialog::onVoiceButtonClicked);
}

void VoiceDialog::updateFamilyButtons()
{
    // A family without a button (the drum sets when not offered, or none)
    // leaves every button unchecked.
    uncheckAll(familyGroup);
    for (QAbstractButton* button : familyGroup.buttons()) {
        const int i = familyGroup.id(button);
        button->setText(getFamilyName(uchar(i)));
        button->show();
        if (i == family)
            button->setChecked(true);
    }
}

void VoiceDialog::updateVoiceButtons()
{
    const int count = getVoiceCount(family);
    for (QAbstractButton* button : voiceGroup.buttons()) {
        const int i = voiceGroup.id(button);
        if (i >= count) {
            button->hide();
            continue;
        }
        button->setText(getVoiceName(family, ushort(i)).replace('&', QLatin1String("&&")));
        button->show();
        if (i == voice)
            button->setChecked(true);
    }
}

void VoiceDialog::updateVoiceInfo()
{
    ui->bankLabel->setText(QString::number(getVoiceBank(family, voice)));
    ui->pchLabel->setText(QString::number(getVoicePch(family, voice)));
    ui->numLabel->setText(QString::number(getVoiceNum(family, voice)));
    const quint8 sbk = getVoiceSbk(family, voice);
    ui->sbkIdxLabel->setText(QString::number(sbk));
    if (sbk < SoundBankDirEntries)
        ui->sbkNameLabel->setText(getSoundbankName(sbk));
}

void VoiceDialog::setFamily(uchar value)
{
    family = value;
}

void VoiceDialog::setVoice(uchar value)
{
    voice = value;
}

void VoiceDialog::onFamilyButtonClicked(int id)
{
    // Browsing a family chooses nothing: no voice is checked unless the part
    // already plays one of this family.
    family = uchar(id);
    voice = 0;
    updateVoiceButtons();
    uncheckAll(voiceGroup);

    // Only parts 0..2 have a voice record in the program; any other part
    // (a GM channel) goes by the choice the dialog was opened with.
    uchar ownFamily = initialFamily, ownVoice = initialVoice;
    if (part < Layers) {
        if (!programPtr)
            return;
        ownFamily = programPtr->voice[part].family;
        ownVoice = programPtr->voice[part].voice;
    }
    if (ownFamily != family)
        return;
    voice = ownVoice;
    if (QAbstractButton* button = voiceGroup.button(voice))
        button->setChecked(true);
}

void VoiceDialog::onVoiceButtonClicked(int id)
{
    setWindowTitle(titleFor(part, family, id));
    voice = uchar(id);
    updateVoiceInfo();
    emit voiceChanged(part, family, uchar(id));
}
