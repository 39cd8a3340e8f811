#include "app/support/Farline.h"

#include <gtest/gtest.h>

namespace {
TEST(CommandLineTest, VersionAndHelp)
{
    const FarlineRun version = runFarline({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.outLines(), QStringList{QStringLiteral("farline " FARLINE_VERSION)});

    const FarlineRun help = runFarline({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: farline [OPTIONS] [COMMAND [ARGS...]]\n"));
    for (const char *option : {"--home DIR", "--bundle DIR", "--telephone NAME", "--server URL"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(help.err.isEmpty());
}

TEST(CommandLineTest, BadUsageIsOneLineNamingTheCulpritAndExitStatusTwo)
{
    struct Case
    {
        QStringList arguments;
        const char *named;
    };
    const Case cases[] = {
        {{QStringLiteral("frobnicate")}, "frobnicate"},
        {{QStringLiteral("--frobnicate")}, "frobnicate"},
        {{QStringLiteral("--home")}, "home"},
        {{QStringLiteral("--home=/tmp"), QStringLiteral("--colour"), QStringLiteral("x")}, "colour"},
        {{QStringLiteral("--telephone"), QStringLiteral("sip")}, "sip"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const FarlineRun run = runFarline(c.arguments);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(run.errLines().size(), 1);
        EXPECT_TRUE(run.err.contains(QLatin1String(c.named)));
        EXPECT_TRUE(run.out.isEmpty());
    }
}
} // namespace
