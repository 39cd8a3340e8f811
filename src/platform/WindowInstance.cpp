#include "platform/WindowInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

// One exchange per connection: the address as one UTF-8 line, answered "ok" once the window has
// it. A client that sends no line in time, or too long a one, is dropped.
namespace {
const QByteArray acknowledgement = QByteArrayLiteral("ok\n");
constexpr qint64 longestLine = 64 * 1024;
constexpr int clientMilliseconds = 2000;
}

WindowInstance::WindowInstance(QObject *parent)
    : QObject(parent)
{
}

QString WindowInstance::socketPath(const QString &home)
{
    const QByteArray homePath = QDir::cleanPath(QFileInfo(home).absoluteFilePath()).toUtf8();
    const QByteArray digest = QCryptographicHash::hash(homePath, QCryptographicHash::Sha256).toHex().left(16);
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/farline-")
        + QString::fromLatin1(digest) + QStringLiteral(".socket");
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
        socket->write(acknowledgement);
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
