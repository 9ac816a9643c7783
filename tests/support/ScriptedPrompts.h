#pragma once

// Answers in place of the user: every box, file or input dialog, port
// chooser, modal dialog and pop-up menu the window opens is recorded, and
// answered from the queues below without anything blocking.

#include "Prompts.h"

#include <QDialog>
#include <QList>
#include <QMenu>
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
    // then the start folder and filter, or the label.
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
    QStringList shown(const QString& kind) const
    {
        QStringList lines;
        for (const QString& line : asked)
            if (line.startsWith(kind + "|"))
                lines << line.mid(kind.size() + 1);
        return lines;
    }
    // Forgets what was shown and every answer not yet taken.
    void clear() { asked.clear(); questions.clear(); files.clear(); inputs.clear(); portChoices.clear(); }

    void information(QWidget*, const QString& title, const QString& text) override { record("information", title, text); }
    void warning(QWidget*, const QString& title, const QString& text) override { record("warning", title, text); }
    void critical(QWidget*, const QString& title, const QString& text) override { record("critical", title, text); }
    void about(QWidget*, const QString& title, const QString& text) override { record("about", title, text); }
    QMessageBox::StandardButton question(QWidget*, const QString& title, const QString& text) override
    {
        record("question", title, text);
        return questions.isEmpty() ? QMessageBox::No : questions.takeFirst();
    }
    QString openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override
    {
        return file("open", caption, dir + "|" + filter);
    }
    QString saveFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter) override
    {
        return file("save", caption, dir + "|" + filter);
    }
    int getInt(QWidget*, const QString& title, const QString& label, int value, int, int, int, bool* ok) override
    {
        const QVariant answer = input("int", title, label, ok);
        return *ok ? answer.toInt() : value;
    }
    QString getItem(QWidget*, const QString& title, const QString& label, const QStringList& items, int, bool,
                    bool* ok) override
    {
        return input("item", title, label + "|" + items.join(","), ok).toString();
    }
    bool chooseTwo(QWidget*, const QString& title, const QString& label1, const QStringList&, int, const QString&,
                   const QStringList&, int, QString* choice1, QString* choice2) override
    {
        record("ports", title, label1);
        if (portChoices.isEmpty())
            return false;
        std::tie(*choice1, *choice2) = portChoices.takeFirst();
        return true;
    }
    int exec(QDialog* dialog) override
    {
        record("exec", dialog->windowTitle(), dialog->metaObject()->className());
        return onExec ? onExec(dialog) : int(QDialog::Rejected);
    }
    QAction* popup(QMenu* menu, const QPoint&) override { record("popup", menu->title(), QString()); return nullptr; }

private:
    void record(const QString& kind, const QString& title, const QString& text) { asked << kind + "|" + title + "|" + text; }
    QString file(const QString& kind, const QString& caption, const QString& where)
    {
        record(kind, caption, where);
        return files.isEmpty() ? QString() : files.takeFirst();
    }
    QVariant input(const QString& kind, const QString& title, const QString& label, bool* ok)
    {
        record(kind, title, label);
        const QVariant answer = inputs.isEmpty() ? QVariant() : inputs.takeFirst();
        *ok = answer.isValid();
        return answer;
    }
};
