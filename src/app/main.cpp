// tovik-viewer: plays the recordings of a dashcam card. An optional argument
// names a folder to open at start; --settings FILE edits a config.bin alone.
// The one place that wires the viewer and the settings window together.
#include "disk/TKUDisks2Service.h"
#include "maps/TKViewerIdentity.h"
#include "settings/VRDSettingController.h"
#include "viewer/VRDAppDelegate.h"
#include "widgets/TKImage.h"
#include "widgets/TKLocalization.h"
#include "widgets/TKTileSchemeHandler.h"

extern "C" {
#include <libavutil/log.h>
}

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <clocale>

int main(int argc, char **argv)
{
    // Qt WebEngine and video views moved between windows share GL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The map page's tile scheme must be known before the web engine starts.
    TKTileSchemeHandler::registerScheme();
    QApplication application(argc, argv);
    // libmpv parses numbers with the C locale.
    std::setlocale(LC_NUMERIC, "C");
    // Recovery tries out frames with libavcodec; the ones it rejects are no errors.
    av_log_set_level(AV_LOG_QUIET);
    QCoreApplication::setOrganizationName(QString::fromLatin1(TKViewerIdentity::kOrganization));
    QCoreApplication::setApplicationName(QString::fromLatin1(TKViewerIdentity::kApplication));
    QCoreApplication::setApplicationVersion(QStringLiteral(TOVIK_VERSION));
    QGuiApplication::setApplicationDisplayName(QStringLiteral("Tovik Viewer"));
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tovik.Viewer"));
    QGuiApplication::setWindowIcon(TKImage::named(QStringLiteral("app_icon")).icon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Plays the recordings of a Tovik dashcam card."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Folder of recordings to open, such as the card."),
                                 QStringLiteral("[folder]"));
    const QCommandLineOption settingsOption(
        QStringLiteral("settings"),
        QStringLiteral("Open only the settings window on this config.bin (a copy of the card's, or the card's own)."),
        QStringLiteral("FILE"));
    parser.addOption(settingsOption);
    parser.process(application);
    TKLocalization::install(application);
    if (parser.isSet(settingsOption)) {
        VRDSettingController::Environment environment;
        environment.settingFilePath = QFileInfo(parser.value(settingsOption)).absoluteFilePath();
        VRDSettingController settings(std::move(environment));
        settings.show();
        return application.exec();
    }
    if (parser.positionalArguments().size() > 1) {
        qCritical("tovik-viewer: give at most one folder");
        return 2;
    }

    VRDAppDelegate::Options options;
    options.makeSettingsWindow = [](QWidget *parent) { return new VRDSettingController(parent); };
    options.diskService = std::make_shared<TKUDisks2Service>();
    VRDAppDelegate appDelegate(std::move(options));
    appDelegate.applicationDidFinishLaunching();
    appDelegate.window().show();

    if (!parser.positionalArguments().isEmpty()) {
        const QFileInfo folder(parser.positionalArguments().constFirst());
        if (!folder.isDir()) {
            qCritical("tovik-viewer: %s is not a folder", qUtf8Printable(folder.filePath()));
            return 2;
        }
        appDelegate.openMediaDirectory(folder.absoluteFilePath());
    } else {
        appDelegate.openRememberedFolder();
    }
    return application.exec();
}
