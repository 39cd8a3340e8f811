// Runs on one home take turns: each waits for the one before it, so that none writes over the
// changes of another; a run that cannot get the home in time changes nothing and says who has it.
#include "app/support/Farline.h"
#include "platform/Home.h"
#include "platform/HomeLock.h"
#include "support/FaultServer.h"

#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {
TEST(SharedHomeTest, ParallelRunsEachKeepTheirChange)
{
    const FarlineHome home;
    ASSERT_EQ(home.run({"country", "234"}).exitCode, 0);
    std::vector<std::unique_ptr<QProcess>> calls;
    for (int i = 0; i < 20; ++i) {
        // However slow this machine is, every run gets its turn.
        home.start(*calls.emplace_back(std::make_unique<QProcess>()),
                     {"--telephone", "print", "call", QStringLiteral("2212345%1").arg(i, 2, 10, QLatin1Char('0'))}, {"FARLINE_LOCK_WAIT=300"});
    }
    for (const auto &call : calls)
        EXPECT_TRUE(call->waitForFinished(300000) && call->exitStatus() == QProcess::NormalExit && call->exitCode() == 0);
    EXPECT_EQ(home.run({"recents"}).outLines().size(), 20);
}

TEST(SharedHomeTest, ARunThatCannotGetTheHomeChangesNothingAndNamesTheHolder)
{
    const FarlineHome home;
    ASSERT_EQ(home.run({"country", "234"}).exitCode, 0);
    QByteArray settings = home.document(QStringLiteral("settings.archive"));

    // An update waiting for a silent server holds the home meanwhile.
    FaultServer silent;
    silent.respond(QStringLiteral("/server.php"), FaultResponse{}.delayed(60000));
    QProcess update;
    home.start(update, {"--server", silent.address(), "update"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !silent.requests().isEmpty(); }, 30000));
    EXPECT_EQ(home.run({"mode", "international"}, {"FARLINE_LOCK_WAIT=0.3"}).all(),
              std::tuple(1, QString(),
                         QStringLiteral("farline: another farline run (process %1, farline update) is using %2; try again when it has ended\n")
                             .arg(update.processId())
                             .arg(home.home())));
    EXPECT_EQ(home.document(QStringLiteral("settings.archive")), settings);
    update.terminate();
    ASSERT_TRUE(update.waitForFinished(30000));
    settings = home.document(QStringLiteral("settings.archive"));

    // The window holds the home while it is open; a command is refused at once.
    auto window = HomeLock::acquire(Home(home.home()), HomeLock::windowHolder, 0);
    ASSERT_TRUE(std::holds_alternative<HomeLock>(window));
    EXPECT_EQ(home.run({"mode", "international"}).all(),
              std::tuple(1, QString(),
                         QStringLiteral("farline: the Farline window (process %1) is using %2; close it and try again\n")
                             .arg(getpid())
                             .arg(home.home())));
    EXPECT_EQ(home.document(QStringLiteral("settings.archive")), settings);
    window = QString(); // closed
    EXPECT_EQ(home.run({"mode", "international"}).all(), std::tuple(0, u"International calls\n"_qs, QString()));
}
} // namespace
