#include "support/FaultServer.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>

// One connection: reads the request head, then plays the scripted response.
class FaultServer::Connection : public QObject
{
public:
    Connection(FaultServer &server, QTcpSocket *socket)
        : QObject(socket)
        , m_server(server)
        , m_socket(socket)
    {
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1); // each piece its own segment
        connect(socket, &QTcpSocket::readyRead, this, &Connection::readHead);
        connect(socket, &QTcpSocket::disconnected, this, [this] {
            const QMutexLocker lock(&m_server.m_mutex);
            --m_server.m_open;
            m_socket->deleteLater();
        });
    }

private:
    void readHead()
    {
        m_head += m_socket->readAll();
        if (m_answered || !m_head.contains("\r\n\r\n"))
            return;
        m_answered = true;
        const QByteArray target = m_head.split(' ').value(1);
        FaultResponse response{404, "no such path"};
        {
            const QMutexLocker lock(&m_server.m_mutex);
            m_server.m_requests.append(QString::fromLatin1(target));
            response = m_server.m_responses.value(QString::fromLatin1(target.split('?').first()), response);
        }
        m_response = response;
        m_rest = "HTTP/1.1 " + QByteArray::number(response.status) + " Scripted\r\nConnection: close\r\n";
        if (response.announceLength)
            m_rest += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        m_rest += response.headers + "\r\n";
        m_headSize = m_rest.size();
        m_rest += response.cutAfter < 0 ? response.body : response.body.first(response.cutAfter);
        QTimer::singleShot(response.delayMs, this, &Connection::sendPiece);
    }

    void sendPiece()
    {
        // The head goes whole with the first piece: a client's silence timer counts from it.
        const qsizetype size = m_response.segmentSize > 0
            ? std::min<qsizetype>(std::exchange(m_headSize, 0) + m_response.segmentSize, m_rest.size())
            : m_rest.size();
        m_socket->write(m_rest.first(size));
        m_socket->flush();
        m_rest.remove(0, size);
        if (!m_rest.isEmpty())
            QTimer::singleShot(m_response.pauseMs, this, &Connection::sendPiece);
        else if (!m_response.stallAfterCut)
            m_socket->disconnectFromHost();
    }

    FaultServer &m_server;
    QTcpSocket *m_socket;
    QByteArray m_head, m_rest;
    FaultResponse m_response;
    qsizetype m_headSize = 0; // not sent yet
    bool m_answered = false;
};

FaultServer::FaultServer()
    : m_thread(new QThread)
{
    m_thread->start();
    auto *context = new QObject; // carries the set-up to the thread, and ends there
    context->moveToThread(m_thread);
    QMetaObject::invokeMethod(
        context,
        [this, context] {
            context->deleteLater();
            m_server = new QTcpServer;
            if (!m_server->listen(QHostAddress::LocalHost))
                qFatal("the test server cannot listen");
            m_port = m_server->serverPort();
            QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] {
                while (QTcpSocket *socket = m_server->nextPendingConnection()) {
                    const QMutexLocker lock(&m_mutex);
                    ++m_open;
                    new Connection(*this, socket);
                }
            });
        },
        Qt::BlockingQueuedConnection);
}

FaultServer::~FaultServer()
{
    QMetaObject::invokeMethod(m_server, [this] { delete m_server; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

void FaultServer::respond(const QString &path, const FaultResponse &response)
{
    const QMutexLocker lock(&m_mutex);
    m_responses.insert(path, response);
}

QString FaultServer::address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_port); }

QStringList FaultServer::requests() const
{
    const QMutexLocker lock(&m_mutex);
    return m_requests;
}

int FaultServer::openConnections() const
{
    const QMutexLocker lock(&m_mutex);
    return m_open;
}

QString FaultServer::refusedAddress()
{
    QTcpServer closed;
    closed.listen(QHostAddress::LocalHost);
    const quint16 port = closed.serverPort();
    closed.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}
