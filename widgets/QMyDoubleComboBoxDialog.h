#pragma once

// A small modal dialog that asks for two choices at once, each from its own
// drop-down list (the MIDI input and output ports, for one). The caller reads
// both lists after the dialog was accepted.

#include <QDialog>
#include <QList>
#include <QString>

class QComboBox;

class QMyDoubleComboBoxDialog : public QDialog
{
    Q_OBJECT
public:
    // An index of -1 leaves a list without a current item; one past the end
    // leaves its first item current.
    QMyDoubleComboBoxDialog(QWidget* parent, QString title,
                            QString label1, QList<QString> items1, int index1,
                            QString label2, QList<QString> items2, int index2);

    // The two lists, in the order they are shown.
    QComboBox* firstComboBox = nullptr;
    QComboBox* secondComboBox = nullptr;
};
