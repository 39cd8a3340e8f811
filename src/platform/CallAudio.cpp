#include "platform/CallAudio.h"

#include "log/Log.h"
#include "platform/ModemManagerBus.h"

#include <QDBusPendingReply>

namespace {
const QString service = QStringLiteral("org.mobian_project.CallAudio");
const QString path = QStringLiteral("/org/mobian_project/CallAudio");
// GNOME Calls, and Plasma Dialer's modem daemon under its two names.
const QStringList dialers = {QStringLiteral("org.gnome.Calls"), QStringLiteral("org.kde.telephony"),
                             QStringLiteral("org.kde.modemdaemon")};
constexpr int answerMs = 2000;
constexpr uint defaultMode = 0, callMode = 1;
} // namespace

CallAudio::CallAudio(const QDBusConnection &session, QObject *parent)
    : QObject(parent)
    , m_session(session)
{
    const QDBusMessage question = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("ListNames"));
    ModemManagerBus::call(this, m_session, question, answerMs, [this](const QDBusPendingCallWatcher &watcher) {
        const QDBusPendingReply<QStringList> names = watcher;
        m_looked = true;
        m_callAudio = !names.isError() && names.value().contains(service);
        m_dialer = !names.isError() && std::any_of(dialers.begin(), dialers.end(),
                                                   [&](const QString &name) { return names.value().contains(name); });
        qCDebug(lcModem) << "callaudiod" << m_callAudio << "a dialer of the system" << m_dialer;
        apply();
        Q_EMIT changed();
    });
}

void CallAudio::setCallMode(bool call)
{
    m_wantCallMode = call;
    apply();
}

void CallAudio::apply()
{
    if (!m_looked || !m_callAudio)
        return;
    if (m_wantCallMode && !m_dialer && !m_callModeSelected) {
        m_callModeSelected = true;
        tell(QStringLiteral("SelectMode"), callMode, false);
    } else if (!m_wantCallMode) {
        if (m_speakerOn)
            setSpeakerOn(false);
        if (m_muted)
            setMuted(false);
        if (m_callModeSelected) {
            m_callModeSelected = false;
            tell(QStringLiteral("SelectMode"), defaultMode, false);
        }
    }
}

void CallAudio::endNow()
{
    m_wantCallMode = false;
    if (!m_callAudio)
        return;
    if (m_speakerOn)
        tell(QStringLiteral("EnableSpeaker"), false, true);
    if (m_muted)
        tell(QStringLiteral("MuteMic"), false, true);
    if (m_callModeSelected)
        tell(QStringLiteral("SelectMode"), defaultMode, true);
    m_speakerOn = m_muted = m_callModeSelected = false;
}

void CallAudio::setSpeakerOn(bool on)
{
    ask(QStringLiteral("EnableSpeaker"), on, [this, on](bool done) {
        if (done)
            m_speakerOn = on;
    });
}

void CallAudio::setMuted(bool muted)
{
    ask(QStringLiteral("MuteMic"), muted, [this, muted](bool done) {
        if (done)
            m_muted = muted;
    });
}

void CallAudio::ask(const QString &method, const QVariant &argument, std::function<void(bool)> done)
{
    if (!m_callAudio)
        return;
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, service, method);
    message << argument;
    ModemManagerBus::call(this, m_session, message, answerMs, [this, method, done](const QDBusPendingCallWatcher &watcher) {
        const QDBusPendingReply<bool> reply = watcher;
        qCDebug(lcModem).noquote() << "callaudiod" << method << (reply.isError() ? reply.error().message() : QString());
        done(!reply.isError() && reply.value());
        Q_EMIT changed();
    });
}

void CallAudio::tell(const QString &method, const QVariant &argument, bool now)
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, service, method);
    message << argument;
    qCDebug(lcModem).noquote() << "callaudiod" << method << argument.toString();
    m_session.call(message, now ? QDBus::Block : QDBus::NoBlock, answerMs);
}
