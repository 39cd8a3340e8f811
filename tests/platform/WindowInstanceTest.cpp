#include "platform/WindowInstance.h"
#include "support/TelHandler.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <future>
#include <pwd.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {
// Each test in a runtime folder of its own.
class WindowInstanceTest : public ::testing::Test
{
protected:
    // handOver blocks its thread: it runs aside while this thread's event loop lets the window
    // answer.
    static bool handOver(const QString &home, const QString &address)
    {
        std::future<bool> handedOver = std::async(std::launch::async, [=] { return WindowInstance::handOver(home, address); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return handedOver.wait_for(std::chrono::seconds(0)) == std::future_status::ready; }, 10000));
        return handedOver.get();
    }

    QTemporaryDir m_runtime;
    const ScopedEnvironment m_environment{{QStringLiteral("XDG_RUNTIME_DIR=") + m_runtime.path()}};
    const QString m_home = m_runtime.filePath(QStringLiteral("home"));
};

TEST_F(WindowInstanceTest, TheOpenWindowOfTheHomeTakesTheAddress)
{
    EXPECT_FALSE(handOver(m_home, QStringLiteral("tel:1"))); // no window yet
    {
        WindowInstance window;
        ASSERT_TRUE(window.listen(m_home));
        QSignalSpy received(&window, &WindowInstance::addressReceived);
        EXPECT_TRUE(handOver(m_home, QStringLiteral("tel:+49-30-1234567")));
        EXPECT_TRUE(handOver(m_home + QStringLiteral("/../home/"), QStringLiteral("tel:+49%0A30")));
        EXPECT_FALSE(handOver(m_runtime.filePath(QStringLiteral("other")), QStringLiteral("tel:2")));
        ASSERT_TRUE(QTest::qWaitFor([&] { return received.size() == 2; }));
        EXPECT_EQ(received[0][0].toString(), QStringLiteral("tel:+49-30-1234567"));
        EXPECT_EQ(received[1][0].toString(), QStringLiteral("tel:+49%0A30"));

        WindowInstance second;
        EXPECT_FALSE(second.listen(m_home));
        EXPECT_TRUE(handOver(m_home, QStringLiteral("tel:3"))); // still the first window's
    }
    EXPECT_FALSE(handOver(m_home, QStringLiteral("tel:4"))); // closed
}

TEST_F(WindowInstanceTest, ASocketLeftByACrashedWindowIsReplaced)
{
    // A socket file that nobody listens on any more.
    const QByteArray path = WindowInstance::socketPath(m_home).toUtf8();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(size_t(path.size()), sizeof(address.sun_path));
    std::copy(path.begin(), path.end(), address.sun_path);
    const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(stale, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
    ::close(stale);

    EXPECT_FALSE(handOver(m_home, QStringLiteral("tel:1")));
    WindowInstance window;
    ASSERT_TRUE(window.listen(m_home));
    QSignalSpy received(&window, &WindowInstance::addressReceived);
    EXPECT_TRUE(handOver(m_home, QStringLiteral("tel:2")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return received.size() == 1; }));
}

// A home given through a link is the same home. Typing the number may take the window longer
// than the sender waits: it answers first.
TEST_F(WindowInstanceTest, TheWindowOfAHomeGivenThroughALinkTakesTheAddressBeforeTypingIt)
{
    ASSERT_TRUE(QDir().mkpath(m_home));
    const QString link = m_runtime.filePath(QStringLiteral("link"));
    ASSERT_TRUE(QFile::link(m_home, link));
    WindowInstance window;
    ASSERT_TRUE(window.listen(link));
    QObject::connect(&window, &WindowInstance::addressReceived, [] { QThread::msleep(1000); });
    EXPECT_TRUE(handOver(m_home, QStringLiteral("tel:1")));
}

// A runtime folder others may enter (or another user made) is passed over, and said; so is Qt's
// own fallback in the temporary folder.
TEST_F(WindowInstanceTest, ARuntimeFolderNotTheUsersAloneIsPassedOver)
{
    const QTemporaryDir shared;
    const QString qtFallback = shared.filePath(QStringLiteral("runtime-") + QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name));
    ASSERT_TRUE(QDir().mkpath(qtFallback));
    for (const QString &folder : {shared.path(), qtFallback})
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0755), 0);
    const ScopedEnvironment environment({QStringLiteral("XDG_RUNTIME_DIR=") + shared.path(), QStringLiteral("TMPDIR=") + shared.path()});
    static QStringList warnings;
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) { warnings.append(text); });
    const QString folder = QFileInfo(WindowInstance::socketPath(m_home)).path();
    qInstallMessageHandler(previous);

    struct stat status = {};
    ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &status), 0);
    EXPECT_EQ(std::tuple(status.st_uid, status.st_mode & 0777), std::tuple(::geteuid(), 0700u)) << folder.toStdString();
    EXPECT_TRUE(warnings.value(0).startsWith(QStringLiteral("the runtime folder %1 is not private").arg(shared.path())))
        << warnings.join(u'\n').toStdString();
    WindowInstance window;
    ASSERT_TRUE(window.listen(m_home));
    EXPECT_TRUE(handOver(m_home, QStringLiteral("tel:1")));
}

TEST_F(WindowInstanceTest, AWindowThatDoesNotAnswerTakesNothing)
{
    QLocalServer hung; // accepts connections and never reads them
    ASSERT_TRUE(hung.listen(WindowInstance::socketPath(m_home)));
    EXPECT_FALSE(handOver(m_home, QStringLiteral("tel:1")));
}
} // namespace
