#include "TestSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QRandomGenerator>
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
    // The editor logs every frame, voice and drag; none of it tells a test anything.
    QLoggingCategory::setFilterRules("*.debug=false");
}

QString scratchDir() { return scratch()->path(); }

quint32 fuzzSeed()
{
    bool ok = false;
    quint32 seed = qEnvironmentVariable("LYR_FUZZ_SEED").toUInt(&ok);
    if (!ok)
        seed = QRandomGenerator::global()->generate();
    qInfo("LYR_FUZZ_SEED=%u", seed);
    return seed;
}

int fuzzIterations(int fallback)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue("LYR_FUZZ_ITERATIONS", &ok);
    return ok && n > 0 ? n : fallback;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
    return written ? path : QString();
}

} // namespace lyrtest
