#include "platform/SystemTelephone.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QUrl>

namespace {
// Long enough for a handler to take the address over: a handler still running then has it.
constexpr int handOverMilliseconds = 5000;

// xdg-open runs a generic desktop's handler in the foreground. One that outlives the wait is
// left running, never killed with its QProcess: the object is kept here until it ends.
// (Never destroyed, so that the objects stay held through the program's exit.)
void letRunOn(QProcess *opener)
{
    static auto *running = new QList<QProcess *>;
    running->append(opener);
    QObject::connect(opener, &QProcess::finished, opener, [opener] {
        running->removeOne(opener);
        opener->deleteLater();
    });
}
}

SystemTelephone::SystemTelephone(UrlOpener windowOpener)
    : m_windowOpener(std::move(windowOpener))
{
}

bool SystemTelephone::canPlaceCalls()
{
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), QStringLiteral("x-scheme-handler/tel")});
    if (!query.waitForFinished(handOverMilliseconds) || query.exitStatus() != QProcess::NormalExit
        || query.exitCode() != 0)
        return false;
    return QString::fromLocal8Bit(query.readAllStandardOutput()).trimmed().endsWith(u".desktop");
}

bool SystemTelephone::open(const QUrl &address)
{
    if (m_windowOpener)
        return m_windowOpener(address);

    auto *opener = new QProcess;
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    opener->start(QStringLiteral("xdg-open"), {address.toString(QUrl::FullyEncoded)});
    if (!opener->waitForStarted()) {
        delete opener;
        return false;
    }
    // Wait in an event loop, so that a termination request still ends the wait.
    QEventLoop wait;
    QObject::connect(opener, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(handOverMilliseconds, &wait, &QEventLoop::quit);
    wait.exec();
    if (opener->state() != QProcess::NotRunning) {
        letRunOn(opener);
        return true;
    }
    const bool accepted = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    delete opener;
    return accepted;
}
