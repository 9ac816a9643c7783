#pragma once

// The stored presets of one insert-effect kind, by name; a double-click
// reports which one the user wants.

#include "PresetType.h"

#include <QDialog>
#include <QList>
#include <QString>

class Ui_PresetsDialog;

class PresetsDialog : public QDialog
{
    Q_OBJECT
public:
    // names in the order they are listed.
    PresetsDialog(QWidget* parent, PresetType type, QList<QString> names);
    ~PresetsDialog() override;

    // The form, for tests.
    Ui_PresetsDialog* form() const { return ui; }

signals:
    // The dialog's kind and the row of the double-clicked name.
    void presetSelected(PresetType type, int idx);

private:
    Ui_PresetsDialog* ui = nullptr;
    PresetType type;
};
