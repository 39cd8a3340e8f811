#include "app/GlobalOptions.h"

#include "platform/Bundle.h"

#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {
struct Source
{
    const char *option;
    const char *variable;
    QString GlobalOptions::*field;
    QString fallback;
};

// Each option wins over its environment variable, which wins over the default; an empty value
// counts as none.
TEST(GlobalOptionsTest, EachOptionThenItsVariableThenTheDefault)
{
    const Source sources[] = {
        {"--home", "FARLINE_HOME", &GlobalOptions::home,
         QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)},
        {"--bundle", "FARLINE_BUNDLE", &GlobalOptions::bundle, QString::fromLatin1(Bundle::builtIn)},
        {"--telephone", "FARLINE_TELEPHONE", &GlobalOptions::telephone, QStringLiteral("system")},
        {"--server", "FARLINE_UPDATE_SERVER", &GlobalOptions::server, QStringLiteral(FARLINE_UPDATE_SERVER)},
    };
    const auto parsed = [](QStringList arguments) {
        arguments.prepend(QStringLiteral("farline"));
        return std::get<Launch>(parseLaunch(arguments)).options;
    };
    for (const Source &source : sources) {
        SCOPED_TRACE(source.option);
        const bool telephone = source.field == &GlobalOptions::telephone;
        const QString fromOption = telephone ? QStringLiteral("print") : QStringLiteral("/from/option");
        const QString fromVariable = telephone ? QStringLiteral("refuse") : QStringLiteral("/from/variable");
        qputenv(source.variable, fromVariable.toUtf8());
        EXPECT_EQ(parsed({QLatin1String(source.option), fromOption}).*source.field, fromOption);
        EXPECT_EQ(parsed({}).*source.field, fromVariable);
        EXPECT_EQ(parsed({QLatin1String(source.option), QString()}).*source.field, fromVariable);
        qunsetenv(source.variable);
        EXPECT_EQ(parsed({}).*source.field, source.fallback);
    }
}

TEST(GlobalOptionsTest, WindowOptionsAreRefusedWithACommand)
{
    const auto launch = parseLaunch({QStringLiteral("farline"), QStringLiteral("--self-test"), QStringLiteral("country")});
    ASSERT_TRUE(std::holds_alternative<QString>(launch));
    EXPECT_TRUE(std::get<QString>(launch).contains(u"--self-test"));
}
} // namespace
