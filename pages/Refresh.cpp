// The page refresh: the whole window at once, the program list, the Main page
// and the progress display. The pages themselves are in RefreshEdit.cpp,
// RefreshEffects.cpp and RefreshOrgan.cpp. A refresh only reads the program
// and the setup bytes; it never writes them and never sends anything.

#include "LyrForm.h"
#include "RefreshRows.h"

#include "ColorMap.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

#include <algorithm>
#include <cstring>

namespace pages {

void showIndex(QComboBox* combo, int index)
{
    const QSignalBlocker blocker(combo);
    combo->setCurrentIndex(index);
}

void showChecked(QCheckBox* box, bool on)
{
    const QSignalBlocker blocker(box);
    box->setChecked(on);
}

void enable(bool on, std::initializer_list<QWidget*> widgets)
{
    for (QWidget* w : widgets)
        w->setEnabled(on);
}

static int dialValue(const quint8* program, const ShowRow& row)
{
    const int b = program[row.offset];
    switch (row.shown) {
    case Shown::Word:        return wordAt(program, row.offset);
    case Shown::Shift:       return b - ShiftZero;
    case Shown::Tune:        return b - TuneZero;
    case Shown::Pan:         return PanCentre - b;
    case Shown::OrganVolume: return organVolume(quint8(b));
    default:                 return b;
    }
}

static int comboIndex(QComboBox* combo, const quint8* program, const ShowRow& row)
{
    const int b = program[row.offset];
    switch (row.shown) {
    case Shown::BitIndex: return (b & row.mask) ? 1 : 0;
    case Shown::Data:     return combo->findData(b);
    case Shown::DataOrKeep: {
        const int found = combo->findData(b);
        return found >= 0 ? found : combo->currentIndex();
    }
    default:              return b < combo->count() ? b : -1;
    }
}

void showRows(Ui_LyrForm* ui, const quint8* program, const ShowRow* rows, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) {
        const ShowRow& row = rows[i];
        switch (row.kind) {
        case ShowRow::Dial:
            (ui->*row.dial)->setValue(dialValue(program, row), true, false);
            break;
        case ShowRow::Check:
            showChecked(ui->*row.check, program[row.offset] & row.mask);
            break;
        case ShowRow::Combo: {
            QComboBox* combo = ui->*row.combo;
            showIndex(combo, comboIndex(combo, program, row));
            break;
        }
        }
    }
}

void forEachShowRow(const RowVisit& visit)
{
    forEachEditRow(visit);
    forEachEffectsRow(visit);
    forEachOrganRow(visit);
}

} // namespace pages

void LyrForm::updateAll()
{
    loadProgram(currentProgram);
    updateProgramButtons();
    updateProgramLabels();
    updateProgramName();
    updateVoiceValues();
    updateVoiceNames();
    updateEffects();
    updateVoiceEnabled();
    updateSoundbankModel();
    updateOrganPage();
    updateRotaryPage();
    updateMainPage();
}

void LyrForm::updateProgramButtons()
{
    for (int n = 0; n < MAX_PROGRAMS; ++n) {
        QAbstractButton* button = programButtonGroup->button(n);
        if (!button)
            continue;
        // A name is shown as typed: "&" would make a keyboard mnemonic.
        button->setText(getProgramName(n).replace('&', QLatin1String("&&")) + QString(" [%1]").arg(n));
        if (n == currentProgram) {
            const QSignalBlocker blocker(button);
            button->setChecked(true);
        }
    }
    // The list widens to the longest name: the centred text must clear the
    // colour marker on the button's left, so each button keeps that much
    // room on both sides of its text.
    int widest = 0;
    for (QAbstractButton* button : programButtonGroup->buttons()) {
        button->setMinimumWidth(button->sizeHint().width() + 2 * (programMarkerGeometry.right() + 1));
        widest = std::max(widest, button->minimumWidth());
    }
    // The list's least width holds the widest button, so that no window size
    // squeezes a name under the scroll bar. The list itself stays seated: its
    // scroll position and focus survive every refresh.
    QScrollArea* area = ui->programsScrollArea;
    const QMargins margins = area->widget()->layout()->contentsMargins();
    const int needed = widest + margins.left() + margins.right() + 2 * area->frameWidth()
                       + area->verticalScrollBar()->sizeHint().width();
    const int least = std::max(programListLeastWidth, needed);
    if (area->minimumWidth() != least)
        area->setMinimumWidth(least);
}

void LyrForm::updateProgramLabels()
{
    for (unsigned short n = 0; n < MAX_PROGRAMS; ++n)
        updateProgramLabel(n);
}

void LyrForm::updateProgramLabel(unsigned short n)
{
    if (n >= MAX_PROGRAMS || n >= programLabels.size() || !programLabels[n])
        return;
    // A byte that holds no colour shows as none.
    const QColor color(programColor(programs.program[n].color).value_or(Qt::transparent));
    const QString sheet = QString("background-color:rgba(%1,%2,%3,%4);")
                              .arg(color.red())
                              .arg(color.green())
                              .arg(color.blue())
                              .arg(color.alpha());
    // A style sheet is costly to apply; most refreshes leave it as it was.
    if (programLabels[n]->styleSheet() != sheet)
        programLabels[n]->setStyleSheet(sheet);
}

void LyrForm::updateProgramName()
{
    // Blocked: the name handler would otherwise write the shown text back,
    // cut to what the edit holds.
    const QSignalBlocker blocker(ui->programLineEdit);
    const char* name = programPtr->name;
    ui->programLineEdit->setText(QString::fromUtf8(name, qsizetype(strnlen(name, sizeof(programPtr->name)))));
}

void LyrForm::updateMainPage()
{
    ui->mainVolDial->setValue(programs.setup.masterVolume, true, false);
    ui->gmVolDial->setValue(programs.setup.gmVolume, true, false);
}

void LyrForm::updateProgress(int value, int min, int max)
{
    if (progressDialog) {
        progressDialog->setMinimum(min);
        progressDialog->setMaximum(max);
        progressDialog->setValue(value);
    }
    if (ui->progressBar->maximum() != max)
        ui->progressBar->setMaximum(max);
    if (ui->progressBar->minimum() != min)
        ui->progressBar->setMinimum(min);
    if (ui->progressBar->value() != value)
        ui->progressBar->setValue(value);
}

void LyrForm::updateProgressLabelText(QString text)
{
    if (progressDialog)
        progressDialog->setLabelText(text);
}
