#pragma once

// Answers in place of the user: every box, file or input dialog, port
// chooser, modal dialog and pop-up menu the window opens is recorded, and
// answered from the queues below without anything blocking.

#include "Prompts.h"

#include <QList>
#include <QPair>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <tuple>

class ScriptedPrompts : public Prompts
{
public:
    // What was shown, oldest first, one "kind|title|text" line each; kinds
    // information, warning, critical, about, question, open, save, int,
    // item, ports, exec, popup. File and input dialogs record their caption,
    // then the start folder or label.
    QStringList asked;

    // Answers, each queue taken from the front. An empty queue answers as a
    // user who backs out: No, no file, cancelled input or chooser, no menu
    // entry.
    QList<QMessageBox::StandardButton> questions;
    QStringList files;
    QList<QVariant> inputs;                      // an int or a QString; an invalid QVariant cancels
    QList<QPair<QString, QString>> portChoices;
    // Runs in place of a modal dialog; without one the dialog is rejected
    // unseen.
    std::function<int(QDialog*)> onExec;

    // The recorded lines of one kind, "title|text" each.
    QStringList shown(const QString& kind) const;
    void clear();

    void information(QWidget*, const QString& title, const QString& text) override { record("information", title, text); }
    void warning(QWidget*, const QString& title, const QString& text) override { record("warning", title, text); }
    void critical(QWidget*, const QString& title, const QString& text) override { record("critical", title, text); }
    void about(QWidget*, const QString& title, const QString& text) override { record("about", title, text); }
    QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text) override;
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir, const QString& filter) override;
    int getInt(QWidget* parent, const QString& title, const QString& label, int value, int min, int max, int step,
               bool* ok) override;
    QString getItem(QWidget* parent, const QString& title, const QString& label, const QStringList& items,
                    int current, bool editable, bool* ok) override;
    bool chooseTwo(QWidget* parent, const QString& title, const QString& label1, const QStringList& items1,
                   int index1, const QString& label2, const QStringList& items2, int index2, QString* choice1,
                   QString* choice2) override;
    int exec(QDialog* dialog) override;
    QAction* popup(QMenu* menu, const QPoint& globalPos) override;

private:
    void record(const QString& kind, const QString& title, const QString& text) { asked << kind + "|" + title + "|" + text; }
    QVariant nextInput() { return inputs.isEmpty() ? QVariant() : inputs.takeFirst(); }
};
