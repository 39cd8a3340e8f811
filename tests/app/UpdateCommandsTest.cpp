#include "app/support/Farline.h"
#include "core/AppSettings.h"
#include "platform/KeyedArchive.h"
#include "support/FaultServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QStringList updated = {"Searching for updates", "Updating Farline access numbers", "Farline updated successfully"};
const QStringList nothingNewer = {"Searching for updates", "No updates available", "Try again later"};
const QStringList failed = {"Searching for updates", "Impossible to connect with update server",
                            "No internet connection Check your connection"};
const QStringList alert = {"Farline: No network available!Please check your connection"};

// python's http.server over a folder, on a free port of the loopback.
class StaticServer
{
public:
    explicit StaticServer(const QString &root)
    {
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
        ASSERT_FALSE(web.address().isEmpty()) << "python3 -m http.server did not start";
        ASSERT_EQ(farline({"country", "234"}).exitCode, 0);
        installed = lanFile();
        QFile plain(dir.filePath("plain"));
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
        plain.write("234 +44 20 7946 0999\n234 +44 20 7946 0998\n260 +48 22 000\n");
    }
    FarlineRun farline(QStringList arguments, const QStringList &environment = {}) const
    {
        return runFarline(QStringList{"--home", home} + arguments, environment);
    }
    void publish(int version, const QStringList &options = {}) const
    {
        QProcess tool;
        tool.start(QStringLiteral(FARLINE_DATA_BIN),
                   QStringList{"publish", dir.filePath("plain"), "--version", QString::number(version), "--url",
                               web.address() + QStringLiteral("/files/LANFile-%1.txt").arg(version), "--out", tree}
                       + options);
        ASSERT_TRUE(tool.waitForFinished());
        ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    }
    QByteArray lanFile() const
    {
        QFile file(home + "/Documents/LANFile.txt");
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    std::optional<int> archivedVersion() const
    {
        const auto object = KeyedArchive::readObject(home + "/Documents/settings.archive", AppSettings::archiveRootKey);
        return object ? object->integer(QStringLiteral("LAN version number")) : std::nullopt;
    }
    QStringList documents() const { return QDir(home + "/Documents").entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    QTemporaryDir dir;
    QString home = dir.filePath("home");
    QString tree = dir.filePath("tree");
    StaticServer web{(QDir().mkpath(tree), tree)};
    QByteArray installed;
};

TEST_F(UpdateCommandsTest, APublishedTreeUpdatesOnceThenHasNothingNewer)
{
    publish(5);
    const FarlineRun first = farline({"--server", web.address(), "update"});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.outLines(), updated);
    EXPECT_TRUE(first.err.isEmpty()) << first.err.toStdString();
    EXPECT_EQ(archivedVersion(), 5);
    EXPECT_EQ(farline({"access"}).outLines(), (QStringList{"* +442079460999", "  +442079460998"}));

    const FarlineRun second = farline({"--server", web.address(), "update"}, {"FARLINE_UPDATE_SERVER=http://x.invalid"});
    EXPECT_EQ(second.exitCode, 1);
    EXPECT_EQ(second.outLines(), nothingNewer);

    publish(6, {"--refuse"});
    EXPECT_EQ(farline({"--server", web.address(), "update"}).outLines(), nothingNewer);
    EXPECT_EQ(archivedVersion(), 5);
}

TEST_F(UpdateCommandsTest, FailuresExitWith2AndKeepTheInstalledFile)
{
    publish(5);
    QFile::remove(tree + "/files/LANFile-5.txt");
    QStringList downloadFailed = failed;
    downloadFailed.insert(1, "Updating Farline access numbers");
    const std::tuple<QString, QStringList, QStringList> cases[] = {
        {FaultServer::refusedAddress(), failed, alert},
        {web.address(), downloadFailed, alert}, // the announced file is missing
        {"update.example", {"No internet connection", "Please check your connection"}, {}},
    };
    for (const auto &[server, out, err] : cases) {
        SCOPED_TRACE(server.toStdString());
        const FarlineRun run = farline({"update"}, {"FARLINE_UPDATE_SERVER=" + server});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.outLines(), out);
        EXPECT_EQ(run.errLines(), err);
        EXPECT_EQ(lanFile(), installed);
        EXPECT_EQ(archivedVersion(), 0);
    }
    EXPECT_EQ(farline({"update", "now"}).exitCode, 2);
}

TEST_F(UpdateCommandsTest, ATerminationSignalCancelsAndKeepsTheInstalledFile)
{
    FaultServer slow;
    slow.respond(QStringLiteral("/server.php"),
                 FaultResponse{200, "<Books><file>" + slow.address().toUtf8() + "/f</file><version>5</version></Books>"});
    slow.respond(QStringLiteral("/f"), FaultResponse{200, QByteArray(4096, 'x')}.cut(1000, true));
    QProcess process;
    process.start(QStringLiteral(FARLINE_BIN), {"--home", home, "--server", slow.address(), "update"});
    ASSERT_TRUE(process.waitForStarted());
    QByteArray out;
    while (!out.contains("Updating") && process.waitForReadyRead(10000))
        out += process.readAllStandardOutput();
    ASSERT_TRUE(out.contains("Updating Farline access numbers"));
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    EXPECT_EQ(lanFile(), installed);
    EXPECT_EQ(documents(), (QStringList{"LANFile.txt", "MCCFile.txt", "favorites.archive", "settings.archive"}));
    EXPECT_EQ(slow.openConnections(), 0);
}
} // namespace
