// Start-up: the stored zoom reaching Qt, and the warning for a command sent
// while the module is not connected.

#include "TestSupport.h"
#include "NotConnectedWarning.h"
#include "QMidiUtils.h"
#include "ScriptedPrompts.h"
#include "Startup.h"

#include <QSettings>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    // A zoom Qt would apply literally (0, negative, huge) would leave a
    // window too small or too big to change it back from.
    void scaleSettingReachesQt_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QByteArray>("factor");
        QTest::newRow("absent") << QVariant() << QByteArray("1.0");
        QTest::newRow("lowest") << QVariant("0.5") << QByteArray("0.5");
        QTest::newRow("highest") << QVariant("4") << QByteArray("4");
        QTest::newRow("zero") << QVariant("0") << QByteArray("1.0");
        QTest::newRow("huge") << QVariant("1e6") << QByteArray("1.0");
        QTest::newRow("not a number") << QVariant("big") << QByteArray("1.0");
        QTest::newRow("stored as a number") << QVariant(2.0) << QByteArray("2");
    }

    void scaleSettingReachesQt()
    {
        QFETCH(QVariant, stored);
        QSettings settings;
        settings.remove("scale");
        if (stored.isValid())
            settings.setValue("scale", stored);
        qunsetenv("QT_SCALE_FACTOR");
        applyScaleSetting(settings);
        QTEST(qgetenv("QT_SCALE_FACTOR"), "factor");
    }

    // A command sent while the module is not connected: the user is told
    // once, unless the warning was turned off.
    void commandWithoutModuleWarnsOnce_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<QStringList>("shown"); // title and text of each box
        QTest::newRow("never chosen") << QVariant() << QStringList { "Warning|Not connected" };
        QTest::newRow("turned off") << QVariant(false) << QStringList();
    }

    void commandWithoutModuleWarnsOnce()
    {
        QFETCH(QVariant, setting);
        QSettings().remove("showNotConnectedWarning");
        if (setting.isValid())
            QSettings().setValue("showNotConnectedWarning", setting);
        ScriptedPrompts prompts;
        QWidget window;
        QMidiUtils link;
        QObject::connect(&link, &QMidiUtils::notConnected, &window, [&] { showNotConnectedWarning(&window, prompts); });
        unsigned char edit[3] = { 0x15, 0x04, 0x64 };
        link.sendCommand(0x21, 3, edit);
        QTEST(prompts.shown("warning"), "shown");
    }
};

LYR_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
