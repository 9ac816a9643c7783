#include "DevicePath.h"

#include <QDebug>
#include <QRegularExpression>

void parseDevicePath(const QString& path)
{
    static const QRegularExpression pattern(
        "#VID_([0-9A-Fa-f]+)&PID_([0-9A-Fa-f]+)#([A-Za-z0-9#&]+)#\\{([a-f0-9-]+)\\}");
    qDebug().noquote() << "Device path:" << path;
    const QRegularExpressionMatch m = pattern.match(path);
    if (!m.hasMatch())
        return;
    qDebug().noquote() << "Vendor ID:" << m.captured(1);
    qDebug().noquote() << "Product ID:" << m.captured(2);
    qDebug().noquote() << "Serial:" << m.captured(3);
    qDebug().noquote() << "GUID:" << m.captured(4);
}

QString extractVendorId(const QString& path)
{
    static const QRegularExpression pattern("#VID_([0-9A-Fa-f]+)");
    return pattern.match(path).captured(1);
}

QString extractProductId(const QString& path)
{
    static const QRegularExpression pattern("&PID_([0-9A-Fa-f]+)");
    return pattern.match(path).captured(1);
}
