#include "ScriptedPrompts.h"

#include <QAction>
#include <QDialog>
#include <QMenu>

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
    const QVariant answer = nextInput();
    *ok = answer.isValid();
    return *ok ? answer.toInt() : value;
}

QString ScriptedPrompts::getItem(QWidget*, const QString& title, const QString& label, const QStringList& items,
                                 int, bool, bool* ok)
{
    record("item", title, label + "|" + items.join(","));
    const QVariant answer = nextInput();
    *ok = answer.isValid();
    return answer.toString();
}

bool ScriptedPrompts::chooseTwo(QWidget*, const QString& title, const QString& label1, const QStringList&, int,
                                const QString&, const QStringList&, int, QString* choice1, QString* choice2)
{
    record("ports", title, label1);
    if (portChoices.isEmpty())
        return false;
    std::tie(*choice1, *choice2) = portChoices.takeFirst();
    return true;
}

int ScriptedPrompts::exec(QDialog* dialog)
{
    record("exec", dialog->windowTitle(), dialog->metaObject()->className());
    return onExec ? onExec(dialog) : int(QDialog::Rejected);
}

QAction* ScriptedPrompts::popup(QMenu* menu, const QPoint&)
{
    record("popup", menu->title(), QString());
    return nullptr;
}
