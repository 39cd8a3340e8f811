#include "app/GlobalOptions.h"

#include "datafile/UpdateSignature.h"
#include "platform/Bundle.h"
#include "support/Files.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Source
{
    const char *name, *option, *variable;
    QString GlobalOptions::*field;
    QString (*fallback)(); // the default, known once the application object stands
};

using GlobalOptionsTest = ::testing::TestWithParam<Source>;

// Each option wins over its environment variable, which wins over the default; an empty value
// counts as none.
TEST_P(GlobalOptionsTest, TheOptionThenItsVariableThenTheDefault)
{
    const Source &source = GetParam();
    const auto parsed = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("farline"));
        return std::get<Launch>(parseLaunch(arguments)).options;
    };
    const bool telephone = source.field == &GlobalOptions::telephone;
    const QString fromOption = telephone ? QStringLiteral("print") : QStringLiteral("/from/option");
    const QString fromVariable = telephone ? QStringLiteral("refuse") : QStringLiteral("/from/variable");
    qputenv(source.variable, fromVariable.toUtf8());
    EXPECT_EQ(parsed({QLatin1String(source.option), fromOption}).*source.field, fromOption);
    EXPECT_EQ(parsed({}).*source.field, fromVariable);
    EXPECT_EQ(parsed({QLatin1String(source.option), QString()}).*source.field, fromVariable);
    qunsetenv(source.variable);
    EXPECT_EQ(parsed({}).*source.field, source.fallback());
}

INSTANTIATE_TEST_SUITE_P(, GlobalOptionsTest,
                         ::testing::Values(Source{"Home", "--home", "FARLINE_HOME", &GlobalOptions::home,
                                                  [] { return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation); }},
                                           Source{"Bundle", "--bundle", "FARLINE_BUNDLE", &GlobalOptions::bundle, [] { return QString::fromLatin1(Bundle::builtIn); }},
                                           Source{"Telephone", "--telephone", "FARLINE_TELEPHONE", &GlobalOptions::telephone, [] { return u"system"_qs; }},
                                           Source{"Server", "--server", "FARLINE_UPDATE_SERVER", &GlobalOptions::server,
                                                  [] { return QStringLiteral(FARLINE_UPDATE_SERVER); }}),
                         [](const auto &row) { return std::string(row.param.name); });

// The update key: the option's file, else the variable's, else the build's. A file that holds no
// Ed25519 public key is bad usage, never updates taken unsigned.
TEST(UpdateKeyOptionTest, TheOptionThenItsVariableThenTheBuildsAndOnlyAPublicKey)
{
    QTemporaryDir dir;
    const auto pair = UpdateSignature::generateKeyPair();
    ASSERT_TRUE(pair);
    const auto file = [&](const char *name, const QByteArray &bytes) { return writeFile(dir.filePath(QLatin1String(name)), bytes); };
    const auto parsed = [](const QStringList &arguments) { return parseLaunch(QStringList{"farline"} + arguments); };
    const auto key = [&](const QStringList &arguments) { return std::get<Launch>(parsed(arguments)).options.updateKey; };
    qputenv("FARLINE_UPDATE_KEY", file("variable.pem", pair->publicKey + '\n').toUtf8());
    EXPECT_EQ(key({"--update-key", file("option.pem", pair->publicKey)}), pair->publicKey);
    EXPECT_EQ(key({}), pair->publicKey + '\n');
    qunsetenv("FARLINE_UPDATE_KEY");
    EXPECT_EQ(key({}), GlobalOptions::builtInUpdateKey);
    for (const QString &path : {file("private.pem", pair->privateKey), file("empty.pem", {}), dir.filePath(QStringLiteral("missing.pem"))}) {
        const auto refused = parsed({"--update-key", path});
        EXPECT_TRUE(std::holds_alternative<QString>(refused) && std::get<QString>(refused).contains(path)) << path.toStdString();
    }
}
} // namespace
