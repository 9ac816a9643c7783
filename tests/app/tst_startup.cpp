// Start-up: the stored zoom reaching Qt.

#include "TestSupport.h"
#include "Startup.h"

#include <QSettings>
#include <QStyle>

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
        QTest::newRow("negative") << QVariant("-2") << QByteArray("1.0");
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
};

LYR_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
