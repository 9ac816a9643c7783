#include "NotConnectedWarning.h"

#include <QMessageBox>
#include <QSettings>

static WarningBox& warningBox()
{
    static WarningBox box;
    return box;
}

void setNotConnectedWarningBox(WarningBox box)
{
    warningBox() = std::move(box);
}

void showNotConnectedWarning(QWidget* parent)
{
    if (!QSettings().value("showNotConnectedWarning", true).toBool())
        return;
    if (warningBox())
        warningBox()(parent, "Warning", "Not connected");
    else
        QMessageBox::warning(parent, "Warning", "Not connected", QMessageBox::Ok);
}
