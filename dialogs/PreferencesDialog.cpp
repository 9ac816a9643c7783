// Stub: replaced by the real dialog.

#include "PreferencesDialog.h"

PreferencesDialog::PreferencesDialog(QWidget* parent)
    : QDialog(parent)
{
}
