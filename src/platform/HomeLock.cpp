#include "platform/HomeLock.h"

#include "log/Log.h"
#include "platform/Home.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

const QString HomeLock::fileName = QStringLiteral("farline.lock");
const QString HomeLock::windowHolder = QStringLiteral("the Farline window");

namespace {
constexpr int pollIntervalMs = 50;

QString systemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

struct Holder
{
    qint64 pid = 0;
    QString what;
};

// What the lock file says of its holder: "PID\nWHAT\n". Nothing, when the holder has not yet
// written it, or when the process it names has gone (it was killed before it could erase it).
Holder holderOf(int fd)
{
    char buffer[1024];
    const ssize_t length = pread(fd, buffer, sizeof buffer, 0);
    const QStringList lines = QString::fromUtf8(buffer, length > 0 ? length : 0).split(u'\n');
    const qint64 pid = lines.value(0).toLongLong();
    if (pid <= 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH))
        return {};
    return {pid, lines.value(1).trimmed()};
}

// Only for the message of a refused run: a holder that cannot be written holds the lock all
// the same.
bool writeHolder(int fd, const QString &holder)
{
    QString what = holder;
    what.replace(u'\n', u' ');
    const QByteArray text = QByteArray::number(qint64(getpid())) + '\n' + what.toUtf8() + '\n';
    return ftruncate(fd, 0) == 0 && pwrite(fd, text.constData(), size_t(text.size()), 0) == text.size();
}

// A new home is made private to the user; an existing one is left as the user keeps it.
void makeHome(const QString &dir)
{
    if (QFileInfo::exists(dir))
        return;
    QDir().mkpath(QFileInfo(dir).path());
    QDir().mkdir(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString refusal(const Holder &holder, const QString &homeDir)
{
    const QString pid = QString::number(holder.pid);
    if (holder.what == HomeLock::windowHolder)
        return QStringLiteral("%1 (process %2) is using %3; close it and try again").arg(holder.what, pid, homeDir);
    const QString who = holder.pid > 0 ? QStringLiteral("another farline run (process %1, %2)").arg(pid, holder.what)
                                       : QStringLiteral("another farline run");
    return QStringLiteral("%1 is using %2; try again when it has ended").arg(who, homeDir);
}
} // namespace

HomeLock::HomeLock(int fd)
    : m_fd(fd)
{
}

HomeLock::HomeLock(HomeLock &&other) noexcept
    : m_fd(std::exchange(other.m_fd, -1))
{
}

HomeLock &HomeLock::operator=(HomeLock &&other) noexcept
{
    if (this != &other) {
        release();
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

HomeLock::~HomeLock() { release(); }

void HomeLock::release()
{
    if (m_fd < 0)
        return;
    // The holder's line is there only while the lock is held: a later refusal names no one gone.
    [[maybe_unused]] const int erased = ::ftruncate(m_fd, 0);
    ::close(m_fd); // lets go of the lock
    m_fd = -1;
}

std::variant<HomeLock, QString> HomeLock::acquire(const Home &home, const QString &holder, int waitMs)
{
    makeHome(home.dir()); // a failure shows when the file is opened
    const QByteArray path = QFile::encodeName(home.dir() + u'/' + fileName);
    // The user's alone: flock works on any descriptor, so another user who could open the file
    // could hold the home. Never through a link, which would lock (and write) another file.
    // Close-on-exec: a telephone handler started by this run must not inherit the lock and hold
    // the home after the run has ended.
    constexpr int flags = O_CLOEXEC | O_NOFOLLOW;
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | flags, 0600);
    const bool writable = fd >= 0;
    const int createError = errno;
    if (writable)
        ::fchmod(fd, 0600); // one made open to others by an earlier version
    else
        fd = ::open(path.constData(), O_RDONLY | flags); // a lock needs no write access
    if (fd < 0) {
        if (createError == EROFS) {
            qCDebug(lcHome) << "read-only home, nothing to lock:" << home.dir();
            return HomeLock(-1);
        }
        return QStringLiteral("cannot lock %1 (%2)").arg(QFile::decodeName(path), systemError(createError));
    }
    HomeLock lock(fd);
    QElapsedTimer waited;
    waited.start();
    bool waiting = false;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if (error == EINTR)
            continue;
        if (error != EWOULDBLOCK)
            return QStringLiteral("cannot lock %1 (%2)").arg(QFile::decodeName(path), systemError(error));
        const Holder current = holderOf(fd);
        if (current.what == windowHolder || waited.elapsed() >= waitMs) {
            qCInfo(lcHome).noquote() << "the home is held by process" << current.pid << current.what << "after waiting"
                                     << waited.elapsed() << "ms";
            return refusal(current, home.dir());
        }
        if (!waiting)
            qCDebug(lcHome).noquote() << "waiting for process" << current.pid << current.what;
        waiting = true;
        QThread::msleep(pollIntervalMs);
    }
    if (writable)
        writeHolder(fd, holder);
    qCDebug(lcHome).noquote() << "holding" << home.dir() << "as" << holder << "after" << waited.elapsed() << "ms";
    return lock;
}
