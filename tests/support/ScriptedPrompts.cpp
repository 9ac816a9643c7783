#include "ScriptedPrompts.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

void ScriptedPrompts::record(const QString& kind, const QString& title, const QString& text)
{
    asked << kind + "|" + title + "|" + text;
}

QStringList ScriptedPrompts::shown(const QString& kind) const
{
    QStringList lines;
    for (const QString& line : asked)
        if (line.startsWith(kind + "|"))
            lines << line.mid(kind.size() + 1);
    return lines;
}

void ScriptedPrompts::clear()
{
    asked.clear();
    questions.clear();
    files.clear();
    inputs.clear();
    portChoices.clear();
    lastMenu.clear();
}

void ScriptedPrompts::information(QWidget*, const QString& title, const QString& text)
{
    record("information", title, text);
}

void ScriptedPrompts::warning(QWidget*, const QString& title, const QString& text)
{
    record("warning", title, text);
}

void ScriptedPrompts::critical(QWidget*, const QString& title, const QString& text)
{
    record("critical", title, text);
}

void ScriptedPrompts::about(QWidget*, const QString& title, const QString& text)
{
    record("about", title, text);
}

QMessageBox::StandardButton ScriptedPrompts::question(QWidget*, const QString& title, const QString& text)
{
    record("question", title, text);
    return questions.isEmpty() ? QMessageBox::No : questions.takeFirst();
}

QString ScriptedPrompts::openFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    record("open", caption, dir + "|" + filter);
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString ScriptedPrompts::saveFileName(QWidget*, const QString& caption, const QString& dir, const QString& filter)
{
    record("save", caption, dir + "|" + filter);
    return files.isEmpty() ? QString() : files.takeFirst();
}

int ScriptedPrompts::getInt(QWidget*, const QString& title, const QString& label, int value, int, int, int, bool* ok)
{
    record("int", title, label);
    const QVariant answer = inputs.isEmpty() ? QVariant() : inputs.takeFirst();
    *ok = answer.isValid();
    return *ok ? answer.toInt() : value;
}

QString ScriptedPrompts::getItem(QWidget*, const QString& title, const QString& label, const QStringList& items,
                                 int, bool, bool* ok)
{
    record("item", title, label + "|" + items.join(","));
    const QVariant answer = inputs.isEmpty() ? QVariant() : inputs.takeFirst();
    *ok = answer.isValid();
    return *ok ? answer.toString() : QString();
}

bool ScriptedPrompts::chooseTwo(QWidget*, const QString& title, const QString& label1, const QStringList& items1,
                                int index1, const QString& label2, const QStringList& items2, int index2,
                                QString* choice1, QString* choice2)
{
    record("ports", title,
           QString("%1 %2 [%3]|%4 %5 [%6]").arg(label1).arg(index1).arg(items1.join(","), label2).arg(index2)
               .arg(items2.join(",")));
    if (portChoices.isEmpty())
        return false;
    const QPair<QString, QString> choice = portChoices.takeFirst();
    *choice1 = choice.first;
    *choice2 = choice.second;
    return true;
}

int ScriptedPrompts::exec(QDialog* dialog)
{
    record("exec", dialog->windowTitle(), dialog->metaObject()->className());
    return onExec ? onExec(dialog) : int(QDialog::Rejected);
}

QAction* ScriptedPrompts::popup(QMenu* menu, const QPoint&)
{
    lastMenu.clear();
    for (QAction* action : menu->actions())
        lastMenu << action->text();
    record("popup", menu->title(), lastMenu.join(","));
    return onPopup ? onPopup(menu) : nullptr;
}
