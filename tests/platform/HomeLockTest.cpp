#include "platform/Home.h"
#include "platform/HomeLock.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
mode_t modeOf(const QString &path)
{
    struct stat status = {};
    EXPECT_EQ(::lstat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
    return status.st_mode & 07777;
}

// flock works on any descriptor: another user who could open the lock file could hold the home.
TEST(HomeLockTest, ANewHomeAndItsLockFileAreTheUsersAlone)
{
    const QTemporaryDir dir;
    const Home home(dir.filePath(QStringLiteral("new/home")));
    const QString file = home.dir() + u'/' + HomeLock::fileName;
    {
        const auto lock = HomeLock::acquire(home, QStringLiteral("farline country"), 0);
        ASSERT_TRUE(std::holds_alternative<HomeLock>(lock));
        EXPECT_EQ(modeOf(home.dir()), 0700);
        EXPECT_EQ(modeOf(file), 0600);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0644), 0); // as an earlier version made it
    EXPECT_TRUE(std::holds_alternative<HomeLock>(HomeLock::acquire(home, QStringLiteral("farline country"), 0)));
    EXPECT_EQ(modeOf(file), 0600);
}

// A link would lock, and write the holder into, another file.
TEST(HomeLockTest, ALockFileThatIsALinkIsRefused)
{
    const QTemporaryDir dir;
    const Home home(dir.filePath(QStringLiteral("home")));
    const QString target = writeFile(dir.filePath(QStringLiteral("precious")), "precious");
    ASSERT_TRUE(QDir().mkpath(home.dir()));
    ASSERT_TRUE(QFile::link(target, home.dir() + u'/' + HomeLock::fileName));
    const auto lock = HomeLock::acquire(home, QStringLiteral("farline country"), 0);
    ASSERT_TRUE(std::holds_alternative<QString>(lock));
    EXPECT_TRUE(std::get<QString>(lock).startsWith(u"cannot lock ")) << std::get<QString>(lock).toStdString();
    EXPECT_EQ(readFile(target), "precious");
}

// A refused run names the holder only while it holds the home, never a process long gone.
TEST(HomeLockTest, TheHolderIsNamedOnlyWhileItHoldsTheHome)
{
    const QTemporaryDir dir;
    const Home home(dir.path());
    const QString file = home.dir() + u'/' + HomeLock::fileName;
    {
        const auto lock = HomeLock::acquire(home, QStringLiteral("farline call 1"), 0);
        EXPECT_EQ(readFile(file), QByteArray::number(::getpid()) + "\nfarline call 1\n");
    }
    EXPECT_EQ(readFile(file), "");

    // A killed run's line, and a holder that could not write its own.
    writeFile(file, "2147483646\nfarline gone\n");
    const int holder = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    const auto refused = HomeLock::acquire(home, QStringLiteral("farline recents"), 0);
    ::close(holder);
    ASSERT_TRUE(std::holds_alternative<QString>(refused));
    EXPECT_EQ(std::get<QString>(refused), QStringLiteral("another farline run is using %1; try again when it has ended").arg(home.dir()));
}
} // namespace
