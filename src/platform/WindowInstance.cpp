#include "platform/WindowInstance.h"

#include "log/Log.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

// One exchange per connection: the address as one UTF-8 line, answered "ok" once the window has
// it. A client that sends no line in time, or too long a one, is dropped.
namespace {
const QByteArray acknowledgement = QByteArrayLiteral("ok\n");
constexpr qint64 longestLine = 64 * 1024;
constexpr int clientMilliseconds = 2000;

// Why `dir` cannot hold the user's sockets: it must be a folder (not a link) of this user that
// no one else may enter. Empty when it can.
QString notPrivate(const QString &dir)
{
    struct stat status = {};
    if (::lstat(QFile::encodeName(dir).constData(), &status) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    if (!S_ISDIR(status.st_mode))
        return QStringLiteral("it is no folder");
    if (status.st_uid != ::geteuid())
        return QStringLiteral("it belongs to user %1").arg(status.st_uid);
    if (status.st_mode & (S_IRWXG | S_IRWXO))
        return QStringLiteral("other users may enter it, mode %1").arg(status.st_mode & 07777, 4, 8, QChar(u'0'));
    return {};
}

// The user's runtime folder, which the session makes private to the user. When it is missing,
// or another user made it or may enter it (a window listening there could be impersonated, a
// hand-off would fail unsaid), a private folder in the user's cache instead. Empty when
// neither is private.
QString runtimeFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString problem = runtime.isEmpty() ? QStringLiteral("XDG_RUNTIME_DIR is not set") : notPrivate(runtime);
    if (problem.isEmpty())
        return runtime;
    const QString fallback =
        QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + QStringLiteral("/farline-runtime");
    QDir().mkpath(QFileInfo(fallback).path());
    QDir().mkdir(fallback, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (const QString fallbackProblem = notPrivate(fallback); !fallbackProblem.isEmpty()) {
        qCWarning(lcHome).noquote() << "no private folder for the window's socket:" << runtime << problem << "," << fallback
                                    << fallbackProblem;
        return {};
    }
    if (runtime.isEmpty())
        qCDebug(lcHome).noquote() << problem << "; the window's socket is in" << fallback;
    else
        qCWarning(lcHome).noquote() << QStringLiteral("the runtime folder %1 is not private (%2); the window's socket is in %3")
                                           .arg(runtime, problem, fallback);
    return fallback;
}
} // namespace

WindowInstance::WindowInstance(QObject *parent)
    : QObject(parent)
{
}

QString WindowInstance::socketPath(const QString &home)
{
    // The home as the system names it, so that a home given through a link is the same home.
    const QFileInfo info(home);
    const QString canonical = info.canonicalFilePath();
    const QByteArray homePath = (canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(homePath, QCryptographicHash::Sha256).toHex().left(16);
    const QString folder = runtimeFolder();
    if (folder.isEmpty())
        return {};
    return folder + QStringLiteral("/farline-") + QString::fromLatin1(digest) + QStringLiteral(".socket");
}

bool WindowInstance::listen(const QString &home)
{
    // No socket options: with them Qt renames its socket into place, over a running window's.
    // The runtime folder is the user's own, which keeps other users out.
    delete m_server;
    m_server = new QLocalServer(this);
    const QString path = socketPath(home);
    if (!m_server->listen(path)) {
        if (m_server->serverError() != QAbstractSocket::AddressInUseError)
            return false;
        QLocalSocket probe;
        probe.connectToServer(path);
        if (probe.waitForConnected(clientMilliseconds))
            return false; // a window of this home is open
        QLocalServer::removeServer(path);
        if (!m_server->listen(path))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection())
            receive(socket);
    });
    return true;
}

void WindowInstance::receive(QLocalSocket *socket)
{
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(clientMilliseconds, socket, [socket] { socket->abort(); });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
        if (!socket->canReadLine()) {
            if (socket->bytesAvailable() > longestLine)
                socket->abort();
            return;
        }
        const QByteArray line = socket->readLine(longestLine);
        QObject::disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
        if (!line.endsWith('\n')) {
            socket->abort();
            return;
        }
        // Answered before the window acts on it: typing the number may take longer than the
        // sender waits, and the address has arrived.
        socket->write(acknowledgement);
        socket->flush();
        socket->disconnectFromServer();
        Q_EMIT addressReceived(QString::fromUtf8(line.chopped(1)));
    });
}

bool WindowInstance::handOver(const QString &home, const QString &address, int milliseconds)
{
    const QDeadlineTimer deadline(milliseconds);
    QLocalSocket socket;
    socket.connectToServer(socketPath(home));
    if (!socket.waitForConnected(int(deadline.remainingTime())))
        return false;
    // One line: a line break inside the address travels percent-encoded, as in any URI.
    QByteArray line = address.toUtf8();
    line.replace('\r', "%0D").replace('\n', "%0A");
    socket.write(line + '\n');
    while (!socket.canReadLine()) {
        if (deadline.hasExpired() || !socket.waitForReadyRead(int(deadline.remainingTime())))
            return false;
    }
    return socket.readLine() == acknowledgement;
}
