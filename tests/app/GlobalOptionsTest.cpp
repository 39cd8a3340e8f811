#include "app/GlobalOptions.h"

#include "platform/Bundle.h"

#include <QStandardPaths>
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
} // namespace
