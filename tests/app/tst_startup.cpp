// Start-up pieces that a user notices: the stored zoom reaching Qt, and the
// light Fusion look.

#include "TestSupport.h"
#include "Startup.h"

#include <QSettings>
#include <QStyle>

namespace {

QStringList reported;

void collect(QtMsgType, const QMessageLogContext&, const QString& text)
{
    reported << text;
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT
private slots:
    void scaleSettingReachesQt_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QByteArray>("factor");
        QTest::newRow("absent") << QVariant() << QByteArray("1.0");
        QTest::newRow("1.5") << QVariant("1.5") << QByteArray("1.5");
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
        QFETCH(QByteArray, factor);
        QSettings settings;
        if (stored.isValid())
            settings.setValue("scale", stored);
        else
            settings.remove("scale");
        qunsetenv("QT_SCALE_FACTOR");
        applyScaleSetting(settings);
        QCOMPARE(qgetenv("QT_SCALE_FACTOR"), factor);
        qunsetenv("QT_SCALE_FACTOR");
    }

    void fusionStyleWithLightPalette()
    {
        configurePalette();
        QCOMPARE(QApplication::style()->name().toLower(), QString("fusion"));
        const QPalette p = QApplication::palette();
        QCOMPARE(p.color(QPalette::Active, QPalette::Window), QColor(245, 245, 245));
        QCOMPARE(p.color(QPalette::Inactive, QPalette::Button), QColor(240, 240, 240));
        QCOMPARE(p.color(QPalette::Active, QPalette::Highlight), QColor(76, 163, 224));
        QCOMPARE(p.color(QPalette::Disabled, QPalette::Highlight), QColor(Qt::gray));
        QCOMPARE(p.color(QPalette::Active, QPalette::WindowText), QColor(Qt::black));
        QCOMPARE(p.color(QPalette::Disabled, QPalette::WindowText), QColor(Qt::lightGray));
        QCOMPARE(p.color(QPalette::Disabled, QPalette::ButtonText), QColor(Qt::lightGray));
        QCOMPARE(p.color(QPalette::Active, QPalette::Link), QColor(Qt::magenta));
        QCOMPARE(p.color(QPalette::Active, QPalette::Dark), QColor(Qt::gray));
    }

    void startupReportShowsRecordSizes()
    {
        reported.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collect);
        printStartupReport();
        qInstallMessageHandler(previous);
        QCOMPARE(reported.size(), 17);
        QCOMPARE(reported.at(0), QString("Version: 1.1.0"));
        QCOMPARE(reported.at(2), QString("sizeof(TGmWavetable) 65536 / 65536"));
        QCOMPARE(reported.at(3), QString("sizeof(TGmFamily) 5034"));
        QCOMPARE(reported.at(4), QString("free: 94"));
        QCOMPARE(reported.at(11), QString("64*1024 - MAX_PROGRAMS*sizeof(TProgram) - SIZEOFSETUP - SIZEOFHEADER: 96"));
        QCOMPARE(reported.at(13), QString("sizeof(TGmWavetable) 65536"));
        QCOMPARE(reported.at(14), QString("sizeof(TSetup) 16"));
    }

    void applicationNamesForSettings()
    {
        setApplicationNames();
        QCOMPARE(QCoreApplication::organizationName(), QString("Borvan"));
        QCOMPARE(QCoreApplication::applicationName(), QString("LYR Editor"));
        QCOMPARE(QCoreApplication::applicationVersion(), QString("1.1.0"));
    }
};

LYR_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
