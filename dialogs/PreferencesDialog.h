#pragma once

// Stub: replaced by the real dialog.

#include <QDialog>

#include <cstdint>

class PreferencesDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PreferencesDialog(QWidget* parent = nullptr);
signals:
    void setupVariation(uint8_t com, uint8_t value);
};
