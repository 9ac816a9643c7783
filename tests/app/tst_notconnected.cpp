// A command sent while the module is not connected: the user is told once,
// unless the warning was turned off.

#include "TestSupport.h"
#include "NotConnectedWarning.h"
#include "ScriptedPrompts.h"
#include "QMidiUtils.h"

#include <QSettings>
#include <QWidget>

class TestNotConnected : public QObject
{
    Q_OBJECT
private slots:
    void commandWithoutModuleWarnsOnce_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<QStringList>("shown"); // title and text of each box
        QTest::newRow("never chosen") << QVariant() << QStringList { "Warning: Not connected" };
        QTest::newRow("wanted") << QVariant(true) << QStringList { "Warning: Not connected" };
        QTest::newRow("turned off") << QVariant(false) << QStringList();
    }

    void commandWithoutModuleWarnsOnce()
    {
        QFETCH(QVariant, setting);
        QSettings().remove("showNotConnectedWarning");
        if (setting.isValid())
            QSettings().setValue("showNotConnectedWarning", setting);
        QWidget window;
        ScriptedPrompts prompts;
        QMidiUtils link;
        QObject::connect(&link, &QMidiUtils::notConnected, &window,
                         [&] { showNotConnectedWarning(&window, prompts); });
        unsigned char edit[3] = { 0x15, 0x04, 0x64 };
        link.sendCommand(0x21, 3, edit);
        QStringList shown;
        for (const QString& line : prompts.shown("warning"))
            shown << QString(line).replace("|", ": ");
        QTEST(shown, "shown");
    }
};

LYR_TEST_MAIN(TestNotConnected)
#include "tst_notconnected.moc"
