#include "ColorMap.h"

QMap<Qt::GlobalColor, QString> colorMap;

void initColorMap()
{
    if (!colorMap.isEmpty())
        return;
    // Dark cyan is not among the choices; "Dark Yello" keeps the spelling the
    // colour list has always had.
    static const struct
    {
        Qt::GlobalColor color;
        const char* name;
    } entries[] = {
        { Qt::black,       "Black" },
        { Qt::white,       "White" },
        { Qt::darkGray,    "Dark Gray" },
        { Qt::gray,        "Gray" },
        { Qt::lightGray,   "Light Gray" },
        { Qt::red,         "Red" },
        { Qt::green,       "Green" },
        { Qt::blue,        "Blue" },
        { Qt::cyan,        "Cyan" },
        { Qt::magenta,     "Magenta" },
        { Qt::yellow,      "Yellow" },
        { Qt::darkRed,     "Dark Red" },
        { Qt::darkGreen,   "Dark Green" },
        { Qt::darkBlue,    "Dark Blue" },
        { Qt::darkMagenta, "Dark Magenta" },
        { Qt::darkYellow,  "Dark Yello" },
        { Qt::transparent, "None" },
    };
    for (const auto& e : entries)
        colorMap.insert(e.color, QString::fromLatin1(e.name));
}

std::optional<Qt::GlobalColor> programColor(quint8 byte)
{
    if (byte > Qt::transparent)
        return std::nullopt;
    return Qt::GlobalColor(byte);
}

QString programColorName(quint8 byte)
{
    const std::optional<Qt::GlobalColor> color = programColor(byte);
    return color ? colorMap.value(*color) : QString();
}
