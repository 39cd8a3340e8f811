#include "platform/SystemTelephone.h"

#include "log/Log.h"
#include "platform/MimeApps.h"

#include <QEventLoop>
#include <QProcess>
#include <QTimer>
#include <QUrl>

const QString SystemTelephone::ownDesktopId = QStringLiteral(FARLINE_APP_ID ".desktop");

namespace {
// Long enough for a handler to take the address over: a handler still running then has it.
constexpr int handOverMilliseconds = 5000;

struct Handler
{
    DesktopEntry entry;
    bool isDefault; // the one the desktop's opener starts
};

std::optional<Handler> telHandler()
{
    const QList<DesktopEntry> handlers = MimeApps::handlersFor(QStringLiteral("x-scheme-handler/tel"));
    for (qsizetype i = 0; i < handlers.size(); ++i) {
        if (handlers[i].id() == SystemTelephone::ownDesktopId) {
            qCDebug(lcTelephone) << "passing over Farline's own tel: entry";
            continue;
        }
        qCDebug(lcTelephone).noquote() << "tel: handler" << handlers[i].id()
                                       << (i == 0 ? "(the default)" : "(registered, not the default)");
        return Handler{handlers[i], i == 0};
    }
    qCDebug(lcTelephone) << "no tel: handler among" << handlers.size() << "registered";
    return std::nullopt;
}

// A handler runs in the foreground, as xdg-open runs it. One that outlives the wait is left
// running, never killed with its QProcess: the object is kept here until it ends.
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

// Runs `command` and answers whether it took the address: its exit status, or still running
// after the hand-over time.
bool run(const QStringList &command, const QString &workingDirectory = {})
{
    auto *opener = new QProcess;
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    opener->setWorkingDirectory(workingDirectory);
    qCDebug(lcTelephone).noquote() << "running" << command.join(u' ');
    opener->start(command.first(), command.mid(1));
    if (!opener->waitForStarted()) {
        qCInfo(lcTelephone).noquote() << "could not start" << command.first() << opener->errorString();
        delete opener;
        return false;
    }
    // Wait in an event loop, so that a termination request still ends the wait.
    QEventLoop wait;
    QObject::connect(opener, &QProcess::finished, &wait, &QEventLoop::quit);
    QTimer::singleShot(handOverMilliseconds, &wait, &QEventLoop::quit);
    wait.exec();
    if (opener->state() != QProcess::NotRunning) {
        qCDebug(lcTelephone) << "the handler still runs: it has the address";
        letRunOn(opener);
        return true;
    }
    const bool accepted = opener->exitStatus() == QProcess::NormalExit && opener->exitCode() == 0;
    qCDebug(lcTelephone) << "the handler ended with status" << opener->exitCode() << (accepted ? "(accepted)" : "(refused)");
    delete opener;
    return accepted;
}
}

SystemTelephone::SystemTelephone(UrlOpener windowOpener)
    : m_windowOpener(std::move(windowOpener))
{
}

bool SystemTelephone::canPlaceCalls() { return telHandler().has_value(); }

bool SystemTelephone::open(const QUrl &address)
{
    const std::optional<Handler> handler = telHandler();
    if (!handler)
        return false;
    const QString url = address.toString(QUrl::FullyEncoded);
    if (handler->isDefault) {
        if (!m_windowOpener)
            return run({QStringLiteral("xdg-open"), url});
        const bool accepted = m_windowOpener(address);
        qCDebug(lcTelephone) << "handed to the window system's opener:" << (accepted ? "accepted" : "refused");
        return accepted;
    }
    const std::optional<QStringList> command = handler->entry.commandFor(url);
    return command && !command->isEmpty() && run(*command, handler->entry.workingDirectory());
}
