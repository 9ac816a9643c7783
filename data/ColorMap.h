#pragma once

// Names of the colours a program can be tagged with. The program keeps the
// Qt::GlobalColor value in its colour byte; Qt::transparent stands for no
// colour.

#include <QMap>
#include <QString>
#include <qnamespace.h>

extern QMap<Qt::GlobalColor, QString> colorMap;

// Fills colorMap once; later calls leave it as it is.
void initColorMap();
