#include "app/CommandLine.h"

#include "app/Commands.h"
#include "app/OpenTelAddress.h"
#include "core/TelAddress.h"
#include "platform/Console.h"
#include "platform/Home.h"
#include "platform/Telephone.h"

#include <QCommandLineParser>

namespace {
QString usage()
{
    QString text = QStringLiteral(
        "Usage: farline [OPTIONS] [COMMAND [ARGS...]]\n"
        "Farline dials calls abroad through a local access number of the SIM country.\n"
        "Each command does the work of one of the dialer's screens; without one, this text.\n"
        "\n"
        "Options:\n"
        "  --home DIR        application home (default: $FARLINE_HOME, else the per-user data folder)\n"
        "  --bundle DIR      resource folder to use instead of the built-in one ($FARLINE_BUNDLE)\n"
        "  --telephone NAME  telephone backend: system, print, unsupported, refuse ($FARLINE_TELEPHONE)\n"
        "  --server URL      access number update server ($FARLINE_UPDATE_SERVER)\n"
        "  --help            show this text\n"
        "  --version         show the version\n");
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

std::optional<QString> valueOf(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    return parser.isSet(option) ? std::optional(parser.value(option)) : std::nullopt;
}
} // namespace

int runCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption bundle(QStringLiteral("bundle"), {}, QStringLiteral("DIR"));
    const QCommandLineOption telephone(QStringLiteral("telephone"), {}, QStringLiteral("NAME"));
    const QCommandLineOption server(QStringLiteral("server"), {}, QStringLiteral("URL"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({home, bundle, telephone, server, help, version});
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    if (parser.isSet(help)) {
        Console::out(usage().chopped(1));
        return 0;
    }
    if (parser.isSet(version)) {
        Console::out(QStringLiteral("farline " FARLINE_VERSION));
        return 0;
    }

    QString telephoneName = parser.value(telephone);
    if (!parser.isSet(telephone))
        telephoneName = qEnvironmentVariable("FARLINE_TELEPHONE", Telephone::defaultName);
    if (!Telephone::create(telephoneName))
        return usageError(QStringLiteral("unknown telephone '%1'").arg(telephoneName));

    const GlobalOptions options{valueOf(parser, home), valueOf(parser, bundle), telephoneName,
                                valueOf(parser, server)};
    QStringList positional = parser.positionalArguments();
    const auto openWindow = [] { // until the window is built, the usage text
        Console::out(usage().chopped(1));
        return 0;
    };
    if (positional.isEmpty())
        return openWindow();
    // A "tel:" address is no command: it is for the window.
    if (TelAddress::isTelAddress(positional.first()))
        return openTelAddress(Home::resolve(options.home).dir(), positional.first(), openWindow);
    const QString name = positional.takeFirst();
    const Command *command = findCommand(name);
    if (!command)
        return usageError(QStringLiteral("unknown command '%1'").arg(name));
    return command->run(options, positional);
}
