#pragma once

// Names of the command and reply codes, for the debug log only: nothing
// decides anything on a name.

#include <QString>

// The command's name, "ComUnknown" for a code the module does not know.
QString comOutToString(unsigned char com);
// The reply's name, "Unknown" for a code outside the reply table.
QString comInToString(unsigned char com);
