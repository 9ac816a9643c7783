#include "TestSupport.h"

#include <QCoreApplication>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace lyrtest {

static QTemporaryDir* scratch()
{
    static QTemporaryDir dir;
    return &dir;
}

void isolate()
{
    qputenv("JACK_NO_START_SERVER", "1");
    qputenv("XDG_CONFIG_HOME", scratchDir().toUtf8() + "/config");
    qputenv("XDG_DATA_HOME", scratchDir().toUtf8() + "/data");
    qputenv("XDG_CACHE_HOME", scratchDir().toUtf8() + "/cache");
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, scratchDir() + "/settings");
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratchDir() + "/settings");
    QCoreApplication::setOrganizationName("Borvan");
    QCoreApplication::setApplicationName("LYR Editor");
}

QString scratchDir()
{
    return scratch()->path();
}

} // namespace lyrtest
