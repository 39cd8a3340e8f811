#pragma once

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QStringList>

class QThread;
class QTcpServer;

// How the server answers a request for one path.
struct FaultResponse
{
    int status = 200;
    QByteArray body;
    int delayMs = 0;            // silence before the response starts
    int segmentSize = 0;        // > 0: the body goes out in pieces of this size...
    int pauseMs = 0;            // ...with this pause between them
    qint64 cutAfter = -1;       // >= 0: only this many bytes of the body are sent...
    bool stallAfterCut = false; // ...then the connection closes, or stays open in silence
    bool announceLength = true; // Content-Length, else the body ends when the connection closes
    QByteArray headers = {};    // more header lines, each ended by "\r\n"

    FaultResponse delayed(int ms) const { return with(&FaultResponse::delayMs, ms); }
    FaultResponse inPieces(int size, int pause) const { return with(&FaultResponse::segmentSize, size).with(&FaultResponse::pauseMs, pause); }
    FaultResponse cut(qint64 bytes, bool stall = false) const { return with(&FaultResponse::cutAfter, bytes).with(&FaultResponse::stallAfterCut, stall); }
    FaultResponse withoutLength() const { return with(&FaultResponse::announceLength, false); }
    FaultResponse withHeader(const QByteArray &line) const { return with(&FaultResponse::headers, QByteArray(headers + line + "\r\n")); }

private:
    template<typename T> FaultResponse with(T FaultResponse::*field, T value) const
    {
        FaultResponse changed = *this;
        changed.*field = value;
        return changed;
    }
};

// An HTTP/1.1 server on loopback for faults that a real server does not show on demand. It runs
// on a thread of its own, so it answers while the test's thread blocks, and answers each request
// by its path (the query left aside); unknown paths get a 404.
class FaultServer
{
public:
    FaultServer();
    ~FaultServer();

    // Set before the requests come.
    void respond(const QString &path, const FaultResponse &response);

    QString address() const; // "http://127.0.0.1:PORT"
    QStringList requests() const; // the request targets, path and query, in order
    int openConnections() const;  // connections that neither side has closed yet

    // An address at which nothing listens.
    static QString refusedAddress();

private:
    class Connection;

    QThread *m_thread = nullptr;
    QTcpServer *m_server = nullptr; // lives on m_thread
    quint16 m_port = 0;
    mutable QMutex m_mutex;
    QHash<QString, FaultResponse> m_responses;
    QStringList m_requests;
    int m_open = 0;
};
