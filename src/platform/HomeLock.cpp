#include "platform/HomeLock.h"

#include "log/Log.h"
#include "platform/Home.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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
// written it.
Holder holderOf(int fd)
{
    char buffer[1024];
    const ssize_t length = pread(fd, buffer, sizeof buffer, 0);
    const QStringList lines = QString::fromUtf8(buffer, length > 0 ? length : 0).split(u'\n');
    return {lines.value(0).toLongLong(), lines.value(1).trimmed()};
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
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

HomeLock::~HomeLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock
}

std::variant<HomeLock, QString> HomeLock::acquire(const Home &home, const QString &holder, int waitMs)
{
    QDir().mkpath(home.dir()); // a failure shows when the file is opened
    const QByteArray path = QFile::encodeName(home.dir() + u'/' + fileName);
    // Close-on-exec: a telephone handler started by this run must not inherit the lock and hold
    // the home after the run has ended.
    int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    const bool writable = fd >= 0;
    const int createError = errno;
    if (!writable)
        fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC); // a lock needs no write access
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
