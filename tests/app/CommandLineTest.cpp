#include "app/support/Farline.h"
#include "platform/WindowInstance.h"
#include "support/TelHandler.h"

#include <QDir>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
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
TEST(CommandLineTest, ATelAddressGoesToTheWindowOpenForTheHome)
{
    const FarlineHome home;
    const QString runtime = home.path(QStringLiteral("runtime"));
    ASSERT_TRUE(QDir().mkdir(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    const ScopedEnvironment environment({QStringLiteral("XDG_RUNTIME_DIR=") + runtime});
    WindowInstance window;
    ASSERT_TRUE(window.listen(home.home()));
    QSignalSpy received(&window, &WindowInstance::addressReceived);

    // The window answers from this event loop while farline runs.
    QProcess farline;
    farline.start(QStringLiteral(FARLINE_BIN), {"--home", home.home(), "TEL:+49-30-1234567"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return farline.state() == QProcess::NotRunning; }, 10000));
    EXPECT_EQ(farline.exitCode(), 0);
    EXPECT_TRUE(farline.readAllStandardOutput().isEmpty());
    EXPECT_TRUE(farline.readAllStandardError().isEmpty());
    EXPECT_EQ(received.size(), 1);
    EXPECT_EQ(received.value(0).value(0).toString(), QStringLiteral("TEL:+49-30-1234567"));
}
} // namespace
