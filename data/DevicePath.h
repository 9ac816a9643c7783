#pragma once

// Pieces of a USB device interface path ("...#VID_0A1B&PID_00FF#serial#{guid}"),
// kept for telling modules apart by their USB identity.

#include <QString>

// Path, vendor, product, serial and interface GUID to the debug log.
void parseDevicePath(const QString& path);
// The hexadecimal vendor / product id as written in the path, or empty.
QString extractVendorId(const QString& path);
QString extractProductId(const QString& path);
