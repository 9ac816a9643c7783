#pragma once

// Names of the colours a program can be tagged with. The program keeps the
// Qt::GlobalColor value in its colour byte; Qt::transparent stands for no
// colour.

#include <QMap>
#include <QString>
#include <qnamespace.h>

#include <optional>

extern QMap<Qt::GlobalColor, QString> colorMap;

// The Qt colour a program's colour byte holds. The byte comes from files and
// the module: past Qt's global colours it holds none, and is never read as
// one.
std::optional<Qt::GlobalColor> programColor(quint8 byte);
// The colour list's name for the byte; empty when the list has none.
QString programColorName(quint8 byte);

// Fills colorMap once; later calls leave it as it is.
void initColorMap();
