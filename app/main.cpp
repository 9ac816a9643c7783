#include "ColorMap.h"
#include "LyrForm.h"
#include "QMidiUtils.h"
#include "Startup.h"
#include "TPrograms.h"

#include <QApplication>
#include <QPixmap>
#include <QSettings>
#include <QSplashScreen>

static void splashMessage(QSplashScreen* splash, const QString& text)
{
    splash->showMessage(text, Qt::AlignRight | Qt::AlignBottom, Qt::black);
}

int main(int argc, char* argv[])
{
    printStartupReport();
    setApplicationNames();

    QSettings settings;
    applyScaleSetting(settings);

    QApplication app(argc, argv);
    configurePalette();

    QPixmap splashImage(":/psplash.png");
    auto* splash = new QSplashScreen(splashImage);
    splash->show();
    app.processEvents();

    initColorMap();

    splashMessage(splash, "Init programs ...");
    initPrograms();

    // The link lives for the whole run and goes after the window, closing
    // the ports as it goes.
    splashMessage(splash, "Init midi ...");
    QMidiUtils midiUtils;
    midiUtilsPtr = &midiUtils;

    splashMessage(splash, "Init interface ...");
    LyrForm window;
    const QMetaObject::Connection toSplash =
        QObject::connect(&window, &LyrForm::infoMessage, splash, [splash](const QString& text) { splashMessage(splash, text); });
    connectWindowToLink(window, midiUtils);

    const QPair<QString, QString> ports = LyrForm::storedMidiPorts();
    splashMessage(splash, "Connecting to module ...");
    window.connectToModule(ports.first, ports.second, false);

    window.updateAll();
    window.showMaximized();
    window.initEqPlot();

    QObject::disconnect(toSplash);
    splash->finish(&window);
    splash->deleteLater();
    return app.exec();
}
