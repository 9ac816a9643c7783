#include "ColorMap.h"
#include "NotConnectedWarning.h"
#include "QMidiUtils.h"
#include "Startup.h"
#include "TPrograms.h"
#include "ui_LyrForm.h"

#include <QApplication>
#include <QMainWindow>
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
    QMainWindow window;
    Ui_LyrForm form;
    form.setupUi(&window);
    window.setWindowTitle("LYR Editor");
    QObject::connect(&midiUtils, &QMidiUtils::notConnected, &window, [&window] { showNotConnectedWarning(&window); });
    window.showMaximized();

    splash->finish(&window);
    splash->deleteLater();
    return app.exec();
}
