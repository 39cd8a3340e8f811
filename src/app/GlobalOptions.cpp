#include "app/GlobalOptions.h"

#include "datafile/UpdateSignature.h"
#include "log/Log.h"
#include "platform/PlatformServices.h"

#include <QCommandLineParser>
#include <QFile>
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

// The update key that the option, else its environment variable, names; the build's without
// either. The line saying what is wrong when the file holds no Ed25519 public key.
std::variant<QByteArray, QString> updateKey(const QCommandLineParser &parser, const QCommandLineOption &option)
{
    const QString path = resolved(parser, option, "FARLINE_UPDATE_KEY", QString());
    if (path.isEmpty())
        return GlobalOptions::builtInUpdateKey;
    QFile file(path);
    constexpr qint64 largestKeyFile = 64 * 1024;
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read the update key %1: %2").arg(path, file.errorString());
    const QByteArray pem = file.read(largestKeyFile + 1);
    if (!UpdateSignature::isPublicKey(pem))
        return QStringLiteral("the update key %1 is no Ed25519 public key in PEM form").arg(path);
    return pem;
}
}

std::variant<Launch, QString> parseLaunch(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption home(QStringLiteral("home"), {}, QStringLiteral("DIR"));
    const QCommandLineOption bundle(QStringLiteral("bundle"), {}, QStringLiteral("DIR"));
    const QCommandLineOption telephone(QStringLiteral("telephone"), {}, QStringLiteral("NAME"));
    const QCommandLineOption server(QStringLiteral("server"), {}, QStringLiteral("URL"));
    const QCommandLineOption updateKeyFile(QStringLiteral("update-key"), {}, QStringLiteral("FILE"));
    const QCommandLineOption screenshots(QStringLiteral("screenshots"), {}, QStringLiteral("DIR"));
    const QCommandLineOption selfTest(QStringLiteral("self-test"));
    const QCommandLineOption help(QStringLiteral("help"));
    const QCommandLineOption version(QStringLiteral("version"));
    parser.addOptions({home, bundle, telephone, server, updateKeyFile, screenshots, selfTest, help, version});
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
    auto key = updateKey(parser, updateKeyFile);
    if (const QString *error = std::get_if<QString>(&key))
        return *error;
    options.updateKey = std::get<QByteArray>(std::move(key));
    return launch;
}

PlatformServices servicesFrom(const GlobalOptions &options, Telephone::UrlOpener windowOpener)
{
    qCDebug(lcHome).noquote() << "home" << options.home << "bundle" << options.bundle << "update server" << options.server
                               << (options.updateKey.isEmpty() ? "(updates unsigned)" : "(updates signed)");
    return PlatformServices{.home = Home(options.home),
                            .bundle = Bundle(options.bundle),
                            .telephone = Telephone::create(options.telephone, windowOpener),
                            .updateServer = options.server,
                            .updateKey = options.updateKey,
                            .openUrl = windowOpener};
}
