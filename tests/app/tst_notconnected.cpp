// A command sent while the module is not connected: the user is told once,
// unless the warning was turned off.

#include "TestSupport.h"
#include "NotConnectedWarning.h"
#include "QMidiUtils.h"

#include <QSettings>
#include <QWidget>

class TestNotConnected : public QObject
{
    Q_OBJECT
private:
    struct Shown
    {
        QWidget* parent;
        QString title, text;
    };
    QList<Shown> shown;

private slots:
    void init()
    {
        shown.clear();
        setNotConnectedWarningBox([this](QWidget* parent, const QString& title, const QString& text) {
            shown << Shown { parent, title, text };
        });
    }
    void cleanup()
    {
        QSettings().remove("showNotConnectedWarning");
    }

    void commandWithoutModuleWarnsOnce_data()
    {
        QTest::addColumn<QVariant>("setting");
        QTest::addColumn<int>("boxes");
        QTest::newRow("never chosen") << QVariant() << 1;
        QTest::newRow("wanted") << QVariant(true) << 1;
        QTest::newRow("turned off") << QVariant(false) << 0;
    }
    void commandWithoutModuleWarnsOnce()
    {
        QFETCH(QVariant, setting);
        QFETCH(int, boxes);
        if (setting.isValid())
            QSettings().setValue("showNotConnectedWarning", setting);

        QWidget window;
        QMidiUtils link;
        QObject::connect(&link, &QMidiUtils::notConnected, &window, [&window] { showNotConnectedWarning(&window); });
        unsigned char edit[3] = { 0x15, 0x04, 0x64 };
        link.sendCommand(0x21, 3, edit);

        QCOMPARE(shown.size(), boxes);
        if (boxes) {
            QCOMPARE(shown[0].parent, &window);
            QCOMPARE(shown[0].title, QString("Warning"));
            QCOMPARE(shown[0].text, QString("Not connected"));
        }
    }
};

LYR_TEST_MAIN(TestNotConnected)
#include "tst_notconnected.moc"
