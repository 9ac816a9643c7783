#include "Prompts.h"

#include "QMyDoubleComboBoxDialog.h"

#include <QComboBox>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>

void QtPrompts::information(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void QtPrompts::warning(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::warning(parent, title, text, QMessageBox::Ok);
}

void QtPrompts::critical(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

void QtPrompts::about(QWidget* parent, const QString& title, const QString& text)
{
    QMessageBox::about(parent, title, text);
}

QMessageBox::StandardButton QtPrompts::question(QWidget* parent, const QString& title, const QString& text)
{
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No);
}

QString QtPrompts::openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString QtPrompts::saveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

int QtPrompts::getInt(QWidget* parent, const QString& title, const QString& label, int value, int min, int max,
                      int step, bool* ok)
{
    return QInputDialog::getInt(parent, title, label, value, min, max, step, ok);
}

QString QtPrompts::getItem(QWidget* parent, const QString& title, const QString& label, const QStringList& items,
                           int current, bool editable, bool* ok)
{
    return QInputDialog::getItem(parent, title, label, items, current, editable, ok);
}

bool QtPrompts::chooseTwo(QWidget* parent, const QString& title, const QString& label1, const QStringList& items1,
                          int index1, const QString& label2, const QStringList& items2, int index2,
                          QString* choice1, QString* choice2)
{
    QMyDoubleComboBoxDialog dialog(parent, title, label1, items1, index1, label2, items2, index2);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *choice1 = dialog.firstComboBox->currentText();
    *choice2 = dialog.secondComboBox->currentText();
    return true;
}

int QtPrompts::exec(QDialog* dialog)
{
    return dialog->exec();
}

QAction* QtPrompts::popup(QMenu* menu, const QPoint& globalPos)
{
    return menu->exec(globalPos);
}
