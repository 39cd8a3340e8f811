#include "app/CommandLine.h"

#include "app/Commands.h"
#include "app/OpenTelAddress.h"
#include "app/SiblingProgram.h"
#include "core/TelAddress.h"
#include "platform/Console.h"
#include "platform/Home.h"
#include "platform/PlatformServices.h"
#include "platform/Telephone.h"

namespace {
QString usage()
{
    QString text = QStringLiteral(
        "Usage: farline [OPTIONS] [COMMAND [ARGS...]]\n"
        "Farline dials calls abroad through a local access number of the SIM country.\n"
        "Without a command it opens the dialer window; each command does the work of one of its\n"
        "screens without it.\n"
        "\n"
        "Options:\n"
        "  --home DIR        application home (default: $FARLINE_HOME, else the per-user data folder)\n"
        "  --bundle DIR      resource folder to use instead of the built-in one ($FARLINE_BUNDLE)\n"
        "  --telephone NAME  telephone backend: %1 ($FARLINE_TELEPHONE)\n"
        "  --server URL      access number update server ($FARLINE_UPDATE_SERVER)\n"
        "  --update-key FILE Ed25519 public key (PEM) that updates must be signed with\n"
        "                    ($FARLINE_UPDATE_KEY; default: the build's, if it has one)\n"
        "  --screenshots DIR (window) render each screen into DIR as a PNG file, then exit\n"
        "  --self-test       (window) show each screen once; exit 1 on any QML warning\n"
        "  --help            show this text\n"
        "  --version         show the version\n").arg(Telephone::names().join(QStringLiteral(", ")));
    if (!commands().empty()) {
        text += QStringLiteral("\nCommands:\n");
        for (const Command &command : commands()) {
            text += QStringLiteral("  %1 %2\n      %3\n")
                        .arg(QLatin1String(command.name), QLatin1String(command.synopsis),
                             QLatin1String(command.description));
        }
    }
    return text;
}

const Command *findCommand(const QString &name)
{
    for (const Command &command : commands()) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

} // namespace

int runCommandLine(const QStringList &arguments)
{
    const auto parsed = parseLaunch(arguments);
    if (const QString *error = std::get_if<QString>(&parsed))
        return usageError(*error);
    const Launch &launch = std::get<Launch>(parsed);
    if (launch.help) {
        Console::out(usage().chopped(1));
        return 0;
    }
    if (launch.version) {
        Console::out(QStringLiteral("farline " FARLINE_VERSION "\n") + PlatformServices::updatesText(launch.options.updateKey));
        return 0;
    }
    // The window is a program of its own: no command loads the GUI libraries.
    const auto openWindow = [&] { return execSibling(QStringLiteral("farline-window"), arguments); };
    if (launch.command.isEmpty())
        return openWindow();

    // A "tel:" address is no command: it is for the window, the open one if there is one.
    if (TelAddress::isTelAddress(launch.command.first()))
        return openTelAddress(Home(launch.options.home).dir(), launch.command.first(),
                              openWindow);
    QStringList rest = launch.command;
    const QString name = rest.takeFirst();
    const Command *command = findCommand(name);
    if (!command)
        return usageError(QStringLiteral("unknown command '%1'").arg(name));
    // The modem's calls need the D-Bus libraries, which only farline-modem loads: no other command
    // pays for them.
    if (command->placesCall && command->placesCall(rest) && Telephone::needsModemProgram(launch.options.telephone))
        return execSibling(QStringLiteral("farline-modem"), arguments);
    return command->run(launch.options, rest);
}
