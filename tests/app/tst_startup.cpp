// Start-up: the stored zoom reaching Qt and the preferences, and the warning
// for a command sent while the module is not connected.

#include "TestSupport.h"
#include "NotConnectedWarning.h"
#include "PreferencesDialog.h"
#include "QMidiUtils.h"
#include "ScriptedPrompts.h"
#include "Startup.h"

#include <QComboBox>
#include <QSettings>

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    // The stored zoom: what a start hands to Qt (a zoom Qt would apply
    // literally, 0, negative or huge, would leave a window too small or too
    // big to change it back from), what the preferences show (only a zoom of
    // theirs), and a choice there stored at once for the next start.
    void zoom_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QByteArray>("applied");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("choose");
        QTest::addColumn<QByteArray>("next");
        QTest::newRow("absent") << QVariant() << QByteArray("1.0") << "100%" << 1 << QByteArray("1.25");
        QTest::newRow("lowest") << QVariant("0.5") << QByteArray("0.5") << "" << 4 << QByteArray("2");
        QTest::newRow("highest") << QVariant("4") << QByteArray("4") << "" << 0 << QByteArray("1");
        QTest::newRow("no zoom of the list") << QVariant("1.3") << QByteArray("1.3") << "" << 0 << QByteArray("1");
        QTest::newRow("zero") << QVariant("0") << QByteArray("1.0") << "" << 0 << QByteArray("1");
        QTest::newRow("huge") << QVariant("1e6") << QByteArray("1.0") << "" << 0 << QByteArray("1");
        QTest::newRow("not a number") << QVariant("big") << QByteArray("1.0") << "" << 0 << QByteArray("1");
        QTest::newRow("stored as a number") << QVariant(2.0) << QByteArray("2") << "200%" << 0 << QByteArray("1");
    }

    void zoom()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, choose);
        QSettings settings;
        stored.isValid() ? settings.setValue("scale", stored) : settings.remove("scale");
        qunsetenv("QT_SCALE_FACTOR");
        applyScaleSetting(settings);
        QTEST(qgetenv("QT_SCALE_FACTOR"), "applied");
        PreferencesDialog dialog;
        auto* zoom = dialog.findChild<QComboBox*>("zoomComboBox");
        QTEST(zoom->currentText(), "shown");
        QCOMPARE(settings.value("scale"), stored);
        zoom->setCurrentIndex(choose);
        applyScaleSetting(settings);
        QTEST(qgetenv("QT_SCALE_FACTOR"), "next");
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
