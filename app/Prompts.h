#pragma once

// Everything the editor asks the user goes through here: message boxes,
// file and input dialogs, the port chooser and dialogs run modally. The
// application uses QtPrompts; tests install scripted answers and read back
// what was asked.

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QAction;
class QDialog;
class QMenu;
class QPoint;
class QWidget;

class Prompts
{
public:
    virtual ~Prompts() = default;

    // Boxes with one OK button, and a Yes/No question.
    virtual void information(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void critical(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual void about(QWidget* parent, const QString& title, const QString& text) = 0;
    virtual QMessageBox::StandardButton question(QWidget* parent, const QString& title, const QString& text) = 0;

    // File dialogs: the chosen path, empty when cancelled.
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;

    // Input dialogs; *ok tells whether the user accepted.
    virtual int getInt(QWidget* parent, const QString& title, const QString& label, int value, int min, int max,
                       int step, bool* ok) = 0;
    virtual QString getItem(QWidget* parent, const QString& title, const QString& label, const QStringList& items,
                            int current, bool editable, bool* ok) = 0;

    // Two lists at once (the MIDI ports): true with both choices when
    // accepted.
    virtual bool chooseTwo(QWidget* parent, const QString& title, const QString& label1, const QStringList& items1,
                           int index1, const QString& label2, const QStringList& items2, int index2,
                           QString* choice1, QString* choice2) = 0;

    // Runs a dialog modally and returns its result code.
    virtual int exec(QDialog* dialog) = 0;

    // Pops a menu up at a global position; the action chosen, or null.
    virtual QAction* popup(QMenu* menu, const QPoint& globalPos) = 0;
};

// The real boxes and dialogs.
class QtPrompts : public Prompts
{
public:
    void information(QWidget* parent, const QString& title, const QString& text) override;
    void warning(QWidget* parent, const QString& title, const QString& text) override;
    void critical(QWidget* parent, const QString& title, const QString& text) override;
    void about(QWidget* parent, const QString& title, const QString& text) override;
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
};
