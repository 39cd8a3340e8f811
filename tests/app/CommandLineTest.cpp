#include "app/support/Farline.h"

#include <gtest/gtest.h>

namespace {
TEST(CommandLineTest, VersionAndHelp)
{
    EXPECT_EQ(runFarline({"--version"}).all(), std::tuple(0, u"farline " FARLINE_VERSION "\n"_qs, QString()));

    const FarlineRun help = runFarline({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(u"Usage: farline [OPTIONS] [COMMAND [ARGS...]]\n"));
    for (const char *option : {"--home DIR", "--bundle DIR", "--telephone NAME", "--server URL"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(help.err.isEmpty());
}

TEST(CommandLineTest, BadUsageIsOneLineNamingTheCulpritAndExitStatusTwo)
{
    const std::pair<QStringList, const char *> cases[] = {
        {{"frobnicate"}, "frobnicate"},
        {{"--frobnicate"}, "frobnicate"},
        {{"--home"}, "home"},
        {{"--home=/tmp", "--colour", "x"}, "colour"},
        {{"--telephone", "sip"}, "sip"},
    };
    for (const auto &[arguments, named] : cases) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const FarlineRun run = runFarline(arguments);
        EXPECT_EQ(run.exitCode, 2);
        ASSERT_EQ(run.errLines().size(), 1);
        EXPECT_TRUE(run.err.contains(QLatin1String(named)));
        EXPECT_TRUE(run.out.isEmpty());
    }
}
} // namespace
