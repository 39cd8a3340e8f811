#include "app/GlobalOptions.h"

#include "log/Log.h"
#include "platform/PlatformServices.h"

#include <QCommandLineParser>
#include <QStandardPaths>

namespace {
// The option's value, else the environment variable's, else `fallback`; an empty value counts
// as none.
QString resolved(const QCommandLineParser &parser, const QCommandLineOption &option, const char *variable,
                 const QString &fallback)
{
    if (const QString value = parser.value(option); !value.isEmpty())
        return value;
    if (const QString value = qEnvironmentVariable(variable); !value.isEmpty())
        return value;
    return fallback;
}
}

std::variant<Launch, QString> parseLaunch(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption bundle(QStringLiteral("bundle"), {}, QStringLiteral("DIR"));
    const QCommandLineOption telephone(QStringLiteral("telephone"), {}, QStringLiteral("NAME"));
    const QCommandLineOption server(QStringLiteral("server"), {}, QStringLiteral("URL"));
    const QCommandLineOption screenshots(QStringLiteral("screenshots"), {}, QStringLiteral("DIR"));
    const QCommandLineOption selfTest(QStringLiteral("self-test"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({home, bundle, telephone, server, screenshots, selfTest, help, version});
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(arguments))
        return parser.errorText();

    Launch launch;
    launch.help = parser.isSet(help);
    launch.version = parser.isSet(version);
    launch.command = parser.positionalArguments();
    launch.selfTest = parser.isSet(selfTest);
    if (parser.isSet(screenshots))
        launch.screenshots = parser.value(screenshots);
    if ((launch.selfTest || launch.screenshots) && !launch.command.isEmpty())
        return QStringLiteral("--screenshots and --self-test are for the window, not for a command");

    GlobalOptions &options = launch.options;
    options.home = resolved(parser, home, "FARLINE_HOME",
                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    options.bundle = resolved(parser, bundle, "FARLINE_BUNDLE", QString::fromLatin1(Bundle::builtIn));
    options.telephone = resolved(parser, telephone, "FARLINE_TELEPHONE", Telephone::defaultName);
    options.server = resolved(parser, server, "FARLINE_UPDATE_SERVER", PlatformServices::defaultUpdateServer);
    if (!Telephone::names().contains(options.telephone))
        return QStringLiteral("unknown telephone '%1'").arg(options.telephone);
    return launch;
}

PlatformServices servicesFrom(const GlobalOptions &options, Telephone::UrlOpener windowOpener)
{
    qCDebug(lcHome).noquote() << "home" << options.home << "bundle" << options.bundle << "update server" << options.server;
    return PlatformServices{.home = Home(options.home),
                            .bundle = Bundle(options.bundle),
                            .telephone = Telephone::create(options.telephone, windowOpener),
                            .updateServer = options.server,
                            .openUrl = windowOpener};
}
