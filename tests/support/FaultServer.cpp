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
        connect(socket, &QTcpSocket::readyRead, this, [this] { readHead(); });
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
        if (m_answering || !m_head.contains("\r\n\r\n"))
            return;
        m_answering = true;
        const QByteArray target = m_head.split(' ').value(1);
        const QString path = QString::fromLatin1(target.split('?').first());
        FaultResponse response{404, "no such path"};
        {
            const QMutexLocker lock(&m_server.m_mutex);
            m_server.m_requests.append(QString::fromLatin1(target));
            response = m_server.m_responses.value(path, response);
        }
        m_stall = response.stallAfterCut;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + " Scripted\r\nConnection: close\r\n";
        if (response.announceLength)
            head += "Content-Length: " + QByteArray::number(response.body.size()) + "\r\n";
        const QByteArray body = response.cutAfter >= 0 ? response.body.first(std::min(response.cutAfter, response.body.size()))
                                                       : response.body;
        m_rest = head + "\r\n" + body;
        m_segmentSize = response.segmentSize > 0 ? response.segmentSize : int(m_rest.size());
        m_pauseMs = response.pauseMs;
        QTimer::singleShot(response.delayMs, this, [this] { sendPiece(); });
    }

    void sendPiece()
    {
        m_socket->write(m_rest.first(std::min<qsizetype>(m_segmentSize, m_rest.size())));
        m_rest.remove(0, std::min<qsizetype>(m_segmentSize, m_rest.size()));
        m_socket->flush();
        if (!m_rest.isEmpty())
            QTimer::singleShot(m_pauseMs, this, [this] { sendPiece(); });
        else if (!m_stall)
            m_socket->disconnectFromHost();
    }

    FaultServer &m_server;
    QTcpSocket *m_socket;
    QByteArray m_head;
    QByteArray m_rest;
    bool m_answering = false;
    bool m_stall = false;
    int m_segmentSize = 0;
    int m_pauseMs = 0;
};

FaultServer::FaultServer()
    : m_thread(new QThread)
{
    m_thread->start();
    QObject *context = new QObject;
    context->moveToThread(m_thread);
    QMetaObject::invokeMethod(
        context,
        [this, context] {
            m_server = new QTcpServer;
            if (!m_server->listen(QHostAddress::LocalHost))
                qFatal("the test server cannot listen");
            m_port = m_server->serverPort();
            QObject::connect(m_server, &QTcpServer::newConnection, m_server, [this] {
                while (QTcpSocket *socket = m_server->nextPendingConnection()) {
                    {
                        const QMutexLocker lock(&m_mutex);
                        ++m_open;
                    }
                    new Connection(*this, socket);
                }
            });
            delete context;
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
