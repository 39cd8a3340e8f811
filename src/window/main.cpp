// The dialer window's program, which `farline` without a command starts with its own arguments.

#include "app/GlobalOptions.h"
#include "core/TelAddress.h"
#include "datafile/CryptoManager.h"
#include "platform/Console.h"
#include "window/ScreenTour.h"
#include "window/StartTrail.h"
#include "window/WindowRun.h"

#include <QGuiApplication>
#include <csignal>
#include <QtQml/qqmlextensionplugin.h>

Q_IMPORT_QML_PLUGIN(Farline_WindowPlugin)

namespace {
bool hasDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsSet("DISPLAY")
           || qEnvironmentVariableIsSet("WAYLAND_DISPLAY");
}
}

int main(int argc, char *argv[])
{
    StartTrail::begin();
    QCoreApplication::setApplicationName(QStringLiteral("farline"));
    QCoreApplication::setApplicationVersion(QStringLiteral(FARLINE_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const auto parsed = parseLaunch(arguments);
    if (const QString *error = std::get_if<QString>(&parsed)) {
        Console::err(QStringLiteral("farline: ") + *error);
        return 2;
    }
    const Launch &launch = std::get<Launch>(parsed);
    // The one argument the window takes: a "tel:" address for its keypad.
    const bool telAddress = launch.command.size() == 1 && TelAddress::isTelAddress(launch.command.first());
    if ((!launch.command.isEmpty() && !telAddress) || launch.help || launch.version) {
        Console::err(QStringLiteral("farline: the window takes no command; 'farline --help' lists them"));
        return 2;
    }
    // The screenshots and the self-test draw offscreen, whatever display there is.
    if (launch.screenshots || launch.selfTest)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    else if (!hasDisplay()) {
        Console::err(QStringLiteral("farline: no display to open the window on; 'farline --help' lists the commands"));
        return 1;
    }

    // A file size limit makes a save fail, said as any failed save, instead of ending the run.
    std::signal(SIGXFSZ, SIG_IGN);
    // The window reads the data files as it starts: OpenSSL gets ready beside the application
    // object.
    const std::jthread crypto = CryptoManager::prepareMeanwhile();
    QGuiApplication application(argc, argv);
    StartTrail::mark("the application object is made");
    if (launch.screenshots)
        return ScreenTour::screenshots(launch.options, *launch.screenshots);
    if (launch.selfTest)
        return ScreenTour::selfTest(launch.options);
    return runWindow(launch);
}
