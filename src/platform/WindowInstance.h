#pragma once

#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// One dialer window per application home. The open window listens on a local socket named after
// its home, in the user's runtime folder; a later start hands its "tel:" address to that window
// instead of opening a second one. A runtime folder that is not the user's alone (another user
// made it, or may enter it) is passed over, with a warning, for a private folder in the user's
// cache.
class WindowInstance : public QObject
{
    Q_OBJECT
public:
    explicit WindowInstance(QObject *parent = nullptr);

    // Starts listening for `home`. False when a window of that home already answers there, or the
    // socket cannot be made. A socket left behind by a window that crashed is replaced.
    bool listen(const QString &home);

    // Hands `address` to the window open for `home` and waits for its acknowledgement, which the
    // window sends as soon as the address has arrived, at most `milliseconds`; false when no
    // window took it. Blocks the calling thread.
    static bool handOver(const QString &home, const QString &address, int milliseconds = 500);

    // The socket for `home`: in the runtime folder, named after the home's canonical path (one
    // reached through a link is the same home); empty when no private folder can hold it.
    static QString socketPath(const QString &home);

Q_SIGNALS:
    // An address handed over by a later start, as it was given there.
    void addressReceived(const QString &address);

private:
    void receive(QLocalSocket *socket);

    QLocalServer *m_server = nullptr;
};
