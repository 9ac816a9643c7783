#include "NotConnectedWarning.h"

#include "Prompts.h"

#include <QSettings>

void showNotConnectedWarning(QWidget* parent, Prompts& prompts)
{
    if (QSettings().value("showNotConnectedWarning", true).toBool())
        prompts.warning(parent, "Warning", "Not connected");
}
