#include "PresetsDialog.h"

#include "ui_PresetsDialog.h"

#include <iterator>

namespace {

// Window titles by kind.
const char* const presetTitles[] = {
    "Compressor", "Distorsor", "Eq", "Modulation", "Wah Wah", "Tremolo", "Delay", "Hq Distorsor",
};

} // namespace

PresetsDialog::PresetsDialog(QWidget* parent, PresetType type, QList<QString> names)
    : QDialog(parent)
    , ui(new Ui_PresetsDialog)
    , type(type)
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    ui->listWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    if (type >= 0 && type < int(std::size(presetTitles)))
        setWindowTitle(presetTitles[type]);
    ui->listWidget->addItems(names);
    connect(ui->listWidget, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { emit presetSelected(this->type, ui->listWidget->row(item)); });
}

PresetsDialog::~PresetsDialog()
{
    delete ui;
}
