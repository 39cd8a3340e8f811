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
    ::lstat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 07777;
}

// flock works on any descriptor: another user who could open the lock file could hold the home.
// Through a link, the lock would be another file, and the holder written into it.
TEST(HomeLockTest, ANewHomeAndItsLockFileAreTheUsersAloneAndNoLinkIsFollowed)
{
    const QTemporaryDir dir;
    const Home home(dir.filePath(QStringLiteral("new/home")));
    const QString file = home.dir() + u'/' + HomeLock::fileName;
    ASSERT_TRUE(std::holds_alternative<HomeLock>(HomeLock::acquire(home, QStringLiteral("farline country"), 0)));
    EXPECT_EQ(std::tuple(modeOf(home.dir()), modeOf(file)), std::tuple(0700u, 0600u));
    ::chmod(QFile::encodeName(file).constData(), 0644); // as an earlier version made it
    ASSERT_TRUE(std::holds_alternative<HomeLock>(HomeLock::acquire(home, QStringLiteral("farline country"), 0)));
    EXPECT_EQ(modeOf(file), 0600u);

    const QString precious = writeFile(dir.filePath(QStringLiteral("precious")), "precious");
    ASSERT_TRUE(QFile::remove(file) && QFile::link(precious, file));
    const auto linked = HomeLock::acquire(home, QStringLiteral("farline country"), 0);
    ASSERT_TRUE(std::holds_alternative<QString>(linked));
    EXPECT_TRUE(std::get<QString>(linked).startsWith(u"cannot lock ")) << std::get<QString>(linked).toStdString();
    EXPECT_EQ(readFile(precious), "precious");
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
    EXPECT_EQ(std::get<QString>(refused), QStringLiteral("another farline run is using %1; try again when it has ended").arg(home.dir()));
}
} // namespace
