#include "app/support/Farline.h"
#include "support/FaultServer.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

// What each fault of the exchange does is tested with the exchange and the update dialog; here,
// whole runs of the command.
namespace {
const QStringList failed = {"Searching for updates", "Impossible to connect with update server",
                            "No internet connection Check your connection"};

// python's http.server over a folder, on a free port of the loopback.
class StaticServer
{
public:
    explicit StaticServer(const QString &root)
    {
        QDir().mkpath(root);
        m_process.start(QStringLiteral("python3"), {"-u", "-m", "http.server", "0", "--bind", "127.0.0.1", "--directory", root});
        static const QRegularExpression serving(QStringLiteral("port (\\d+)"));
        while (m_address.isEmpty() && m_process.waitForReadyRead(10000)) {
            const auto match = serving.match(QString::fromLatin1(m_process.readAllStandardOutput()));
            if (match.hasMatch())
                m_address = QStringLiteral("http://127.0.0.1:") + match.captured(1);
        }
    }
    ~StaticServer()
    {
        m_process.kill();
        m_process.waitForFinished();
    }
    const QString &address() const { return m_address; }

private:
    QProcess m_process;
    QString m_address;
};

class UpdateCommandsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(m_home.run({"country", "234"}).exitCode, 0);
        installed = m_home.document(QStringLiteral("LANFile.txt"));
    }

    FarlineHome m_home;
    QByteArray installed;
};

TEST_F(UpdateCommandsTest, APublishedTreeUpdatesOnceThenHasNothingNewer)
{
    const StaticServer web(m_home.path(QStringLiteral("tree")));
    ASSERT_FALSE(web.address().isEmpty()) << "python3 -m http.server did not start";
    QProcess publish;
    publish.start(QStringLiteral(FARLINE_DATA_BIN),
                  {"publish", m_home.write(QStringLiteral("plain"), "234 +44 20 7946 0999\n234 +44 20 7946 0998\n260 +48 22 000\n"),
                   "--version", "5", "--url", web.address() + "/files/LANFile-5.txt", "--out", m_home.path(QStringLiteral("tree"))});
    ASSERT_TRUE(publish.waitForFinished());
    ASSERT_EQ(publish.exitCode(), 0) << publish.readAllStandardError().toStdString();

    EXPECT_EQ(m_home.run({"--server", web.address(), "update"}).all(),
              std::tuple(0, u"Searching for updates\nUpdating Farline access numbers\nFarline updated successfully\n"_qs, QString()));
    EXPECT_EQ(m_home.run({"access"}).outLines(), (QStringList{"* +442079460999", "  +442079460998"}));
    EXPECT_EQ(m_home.run({"--server", web.address(), "update"}, {"FARLINE_UPDATE_SERVER=http://x.invalid"}).all(),
              std::tuple(1, u"Searching for updates\nNo updates available\nTry again later\n"_qs, QString()));
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
    EXPECT_EQ(m_home.run({"update", "now"}).exitCode, 2);
}

TEST_F(UpdateCommandsTest, ATerminationSignalCancelsAndKeepsTheInstalledFile)
{
    FaultServer slow;
    slow.respond(QStringLiteral("/server.php"),
                 FaultResponse{200, "<Books><file>" + slow.address().toUtf8() + "/f</file><version>5</version></Books>"});
    slow.respond(QStringLiteral("/f"), FaultResponse{200, QByteArray(4096, 'x')}.cut(1000, true));
    QProcess process;
    process.start(QStringLiteral(FARLINE_BIN), {"--home", m_home.home(), "--server", slow.address(), "update"});
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
