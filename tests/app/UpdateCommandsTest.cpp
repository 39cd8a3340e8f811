#include "app/support/Farline.h"
#include "support/FaultServer.h"
#include "support/Files.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <gtest/gtest.h>

// What each fault of the exchange does is tested with the exchange and the update dialog; here,
// whole runs of the command.
namespace {
const QStringList failed = {"Searching for updates", "Impossible to connect with update server",
                            "No internet connection Check your connection"};

class UpdateCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_home.run({"country", "234"}).exitCode, 0);
        installed = m_home.document(QStringLiteral("LANFile.txt"));
    }

    // farline-data publishes version 5 with `options`, and `web` serves the tree as a static
    // server does.
    void publish(FaultServer &web, const QStringList &options = {})
    {
        const QString tree = m_home.path(QStringLiteral("tree"));
        const QString plain = m_home.write(QStringLiteral("plain"), "234 +44 20 7946 0999\n234 +44 20 7946 0998\n260 +48 22 000\n");
        const ProcessRun published = farlineData(QStringList{"publish", plain, "--version", "5", "--url", web.address() + "/files/LANFile-5.txt",
                                                             "--out", tree} + options);
        ASSERT_EQ(published.exitCode, 0) << published.err.toStdString();
        for (QDirIterator it(tree, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            web.respond(path.mid(tree.size()), FaultResponse{200, readFile(path)});
        }
    }
    static ProcessRun farlineData(const QStringList &arguments) { return runProcess(QStringLiteral(FARLINE_DATA_BIN), arguments); }

    FarlineHome m_home;
    QByteArray installed;
};

TEST_F(UpdateCommandsTest, APublishedTreeUpdatesOnceThenHasNothingNewer)
{
    FaultServer web;
    publish(web);
    EXPECT_EQ(m_home.run({"--server", web.address(), "update"}).all(),
              std::tuple(0, u"Searching for updates\nUpdating Farline access numbers\nFarline updated successfully\n"_qs, QString()));
    EXPECT_EQ(m_home.run({"access"}).outLines(), (QStringList{"* +442079460999", "  +442079460998"}));
    EXPECT_EQ(m_home.run({"--server", web.address(), "update"}, {"FARLINE_UPDATE_SERVER=http://x.invalid"}).all(),
              std::tuple(1, u"Searching for updates\nNo updates available\nTry again later\n"_qs, QString()));
}

// A tree signed with a key updates a run given its public key, and never a run given another.
TEST_F(UpdateCommandsTest, ASignedTreeUpdatesOnlyWithItsKey)
{
    for (const char *keys : {"keys", "other"})
        ASSERT_EQ(farlineData({"keygen", m_home.path(QLatin1String(keys))}).exitCode, 0);
    FaultServer web;
    publish(web, {"--sign", m_home.path(QStringLiteral("keys/update-key.pem"))});
    const auto update = [&](const char *keys) {
        return m_home.run({"--server", web.address(), "--update-key", m_home.path(QLatin1String(keys)) + "/update-key.pub.pem", "update"});
    };
    const FarlineRun forged = update("other");
    EXPECT_EQ(std::tuple(forged.exitCode, forged.outLines(), forged.errLines().value(1)),
              std::tuple(2, QStringList{"Searching for updates", "Updating Farline access numbers"} + failed.mid(1),
                         u"farline: update: the access number file's signature does not verify"_qs));
    EXPECT_EQ(m_home.document(QStringLiteral("LANFile.txt")), installed);
    EXPECT_EQ(update("keys").all(),
              std::tuple(0, u"Searching for updates\nUpdating Farline access numbers\nFarline updated successfully\n"_qs, QString()));
}

TEST_F(UpdateCommandsTest, ARefusedConnectionExitsWith2SaysWhyAndKeepsTheInstalledFile)
{
    const QString server = FaultServer::refusedAddress();
    const FarlineRun run = m_home.run({"update"}, {"FARLINE_UPDATE_SERVER=" + server});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.outLines(), failed);
    EXPECT_EQ(run.errLines(), (QStringList{"Farline: No network available!Please check your connection",
                                           "farline: update: the connection to " + server
                                               + "/server.php?getfile=conf&version=0&device=iph failed: Connection refused"}));
    EXPECT_EQ(m_home.document(QStringLiteral("LANFile.txt")), installed);
}

TEST_F(UpdateCommandsTest, ATerminationSignalCancelsAndKeepsTheInstalledFile)
{
    FaultServer slow;
    slow.respond(QStringLiteral("/server.php"),
                 FaultResponse{200, "<Books><file>" + slow.address().toUtf8() + "/f</file><version>5</version></Books>"});
    slow.respond(QStringLiteral("/f"), FaultResponse{200, QByteArray(4096, 'x')}.cut(1000, true));
    QProcess process;
    m_home.start(process, {"--server", slow.address(), "update"});
    ASSERT_TRUE(process.waitForStarted());
    QByteArray out;
    while (!out.contains("Updating") && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    ASSERT_TRUE(out.contains("Updating Farline access numbers"));
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    EXPECT_EQ(m_home.document(QStringLiteral("LANFile.txt")), installed);
    EXPECT_EQ(QDir(m_home.home() + "/Documents").entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"LANFile.txt", "MCCFile.txt", "favorites.archive", "settings.archive"}));
    EXPECT_EQ(slow.openConnections(), 0);
}
} // namespace
