#include "Startup.h"

#include "LyrForm.h"
#include "NotConnectedWarning.h"
#include "QMidiUtils.h"
#include "TGmWavetable.h"
#include "TPrograms.h"

#include <QApplication>
#include <QDebug>
#include <QPalette>
#include <QSettings>
#include <QStyleFactory>

void printStartupReport()
{
    qDebug() << "Version:" << EditorVersion;
    qDebug() << "----------------------";
    qDebug() << "sizeof(TGmWavetable)" << sizeof(TGmWavetable) << "/" << 64 * 1024;
    qDebug() << "sizeof(TGmFamily)" << sizeof(TGmFamily);
    qDebug() << "free:" << sizeof(TGmWavetable::free);
    qDebug() << "sizeof(TDrawbar)" << sizeof(TDrawbar);
    qDebug() << "sizeof(TInsert)" << sizeof(TInsert);
    qDebug() << "sizeof(TGmReverb)" << sizeof(TGmReverb);
    qDebug() << "sizeof(TGmChorus)" << sizeof(TGmChorus);
    qDebug() << "sizeof(TProgram)" << sizeof(TProgram);
    qDebug() << "sizeof(TPrograms)" << sizeof(TPrograms);
    qDebug() << "64*1024 - MAX_PROGRAMS*sizeof(TProgram) - SIZEOFSETUP - SIZEOFHEADER:" << SIZEOFFREE;
    qDebug() << "----------------------";
    qDebug() << "sizeof(TGmWavetable)" << sizeof(TGmWavetable);
    qDebug() << "sizeof(TSetup)" << sizeof(TSetup);
    qDebug() << "sizeof(THeader)" << sizeof(THeader);
    qDebug() << "----------------------";
}

void setApplicationNames()
{
    QCoreApplication::setApplicationName("LYR Editor");
    QCoreApplication::setOrganizationName("Borvan");
    QCoreApplication::setApplicationVersion(EditorVersion);
}

QByteArray scaleFactorFor(const QString& setting)
{
    bool ok = false;
    const double factor = setting.trimmed().toDouble(&ok);
    if (ok && factor >= 0.5 && factor <= 4.0)
        return setting.toUtf8();
    return "1.0";
}

void applyScaleSetting(QSettings& settings)
{
    qputenv("QT_SCALE_FACTOR", scaleFactorFor(settings.value("scale", "1.0").toString()));
}

void configurePalette()
{
    QApplication::setStyle(QStyleFactory::create("Fusion"));

    struct Entry
    {
        QPalette::ColorGroup group;
        QPalette::ColorRole role;
        QColor color;
    };
    const QPalette::ColorGroup all = QPalette::All, disabled = QPalette::Disabled;
    const Entry entries[] = {
        { all,      QPalette::Window,          QColor(245, 245, 245) },
        { all,      QPalette::WindowText,      Qt::black },
        { disabled, QPalette::WindowText,      Qt::lightGray },
        { all,      QPalette::Base,            Qt::white },
        { all,      QPalette::AlternateBase,   Qt::lightGray },
        { all,      QPalette::Text,            Qt::black },
        { disabled, QPalette::Text,            Qt::lightGray },
        { all,      QPalette::ButtonText,      Qt::black },
        { disabled, QPalette::ButtonText,      Qt::lightGray },
        { all,      QPalette::Button,          QColor(240, 240, 240) },
        { all,      QPalette::Link,            Qt::magenta },
        { all,      QPalette::ToolTipBase,     Qt::white },
        { all,      QPalette::ToolTipText,     Qt::black },
        { all,      QPalette::Highlight,       QColor(76, 163, 224) },
        { disabled, QPalette::Highlight,       Qt::gray },
        { all,      QPalette::HighlightedText, Qt::white },
        { all,      QPalette::BrightText,      Qt::red },
        { all,      QPalette::Mid,             Qt::lightGray },
        { all,      QPalette::Light,           Qt::lightGray },
        { all,      QPalette::Midlight,        Qt::lightGray },
        { all,      QPalette::Dark,            Qt::gray },
        { disabled, QPalette::Mid,             Qt::lightGray },
    };

    QPalette palette = QApplication::palette();
    for (const Entry& e : entries)
        palette.setBrush(e.group, e.role, QBrush(e.color));
    QApplication::setPalette(palette);
}

void connectWindowToLink(LyrForm& window, QMidiUtils& link)
{
    QObject::connect(&window, &LyrForm::organVariation, &link, &QMidiUtils::sendOrganVariation);
    QObject::connect(&window, &LyrForm::voiceVariation, &link, &QMidiUtils::sendVoiceVariation);
    QObject::connect(&window, &LyrForm::voiceVariation16, &link, &QMidiUtils::sendVoiceVariation16);
    QObject::connect(&window, &LyrForm::setupVariation, &link, &QMidiUtils::sendSetupVariation);
    QObject::connect(&window, &LyrForm::voiceChanged, &link, &QMidiUtils::sendVoiceChange);
    QObject::connect(&link, &QMidiUtils::midiCommandReceived, &window, &LyrForm::onCommandReceived);
    QObject::connect(&link, &QMidiUtils::infoMessage, &window, &LyrForm::message);
    QObject::connect(&link, &QMidiUtils::updateProgress, &window, &LyrForm::updateProgress);
    QObject::connect(&link, &QMidiUtils::notConnected, &window,
                     [&window] { showNotConnectedWarning(&window, window.ask()); });
}
