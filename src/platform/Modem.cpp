#include "platform/Modem.h"

#include "log/Log.h"

#include <QDBusPendingReply>
#include <QDBusVariant>

#include <algorithm>
#include <array>
#include <utility>

namespace {
using namespace ModemManagerBus;

// The mobile country codes of countries that have more than one (ITU-T E.212), to the first.
constexpr std::array<std::pair<int, int>, 11> furtherCountryCodes = {{
    {235, 234}, // United Kingdom
    {311, 310}, {312, 310}, {313, 310}, {314, 310}, {315, 310}, {316, 310}, // United States
    {405, 404}, {406, 404}, // India
    {441, 440}, // Japan
    {461, 460}, // China
}};
} // namespace

Modem::Modem(QObject *parent)
    : QObject(parent)
    , m_connection(BusConnection::System)
{
}

Modem::Modem(const QString &busAddress, QObject *parent)
    : QObject(parent)
    , m_connection(BusConnection::System, busAddress)
{
}

std::optional<QString> Modem::countryKeyOf(const QString &operatorCode)
{
    if (operatorCode.size() < 5 || operatorCode.size() > 6
        || !std::all_of(operatorCode.begin(), operatorCode.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    int code = operatorCode.first(3).toInt();
    for (const auto &[further, first] : furtherCountryCodes) {
        if (code == further)
            code = first;
    }
    return QString::number(code);
}

void Modem::start(int milliseconds)
{
    const int question = ++m_question;
    m_answered = false;
    m_learnt = {};
    // Each call has the time that is left: an unanswered one ends with an error then, and the
    // question with what has been learnt by then.
    m_deadline = QDeadlineTimer(milliseconds);
    if (!m_connection.bus().isConnected()) {
        QMetaObject::invokeMethod(this, [this, question] { answer(question); }, Qt::QueuedConnection);
        return;
    }
    call(this, m_connection.bus(), managedObjectsQuestion(), milliseconds, [this, question](const QDBusPendingCallWatcher &watcher) {
        if (question != m_question)
            return;
        const QDBusPendingReply<ManagedObjects> reply = watcher;
        if (reply.isError()) {
            qCDebug(lcModem).noquote() << "ModemManager did not answer:" << reply.error().message();
            answer(question);
            return;
        }
        // The first modem with a SIM card, else the first one.
        QString simPath;
        const ManagedObjects objects = reply.value();
        for (auto object = objects.begin(); object != objects.end(); ++object) {
            const auto modem = object->constFind(modemInterface);
            if (modem == object->constEnd())
                continue;
            m_learnt.voiceModemFound = m_learnt.voiceModemFound || object->contains(voiceInterface);
            const QString sim = modem->value(QStringLiteral("Sim")).value<QDBusObjectPath>().path();
            const bool hasSim = !sim.isEmpty() && sim != u"/";
            if (m_learnt.modemFound && (!simPath.isEmpty() || !hasSim))
                continue;
            m_learnt.modemFound = true;
            const QString operatorCode = object->value(modem3gppInterface).value(QStringLiteral("OperatorCode")).toString();
            qCDebug(lcModem).noquote() << "modem" << object.key().path() << "network operator" << operatorCode << "SIM" << sim;
            m_learnt.networkCountryKey = countryKeyOf(operatorCode);
            simPath = hasSim ? sim : QString();
        }
        if (simPath.isEmpty())
            answer(question);
        else
            askForSim(question, simPath);
    });
}

void Modem::askForSim(int question, const QString &simPath)
{
    // ModemManager publishes SIM cards beside its object manager, not in it.
    QDBusMessage message = QDBusMessage::createMethodCall(
        service, simPath, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    message << simInterface << QStringLiteral("OperatorIdentifier");
    const int milliseconds = int(m_deadline.remainingTime());
    call(this, m_connection.bus(), message, milliseconds, [this, question](const QDBusPendingCallWatcher &watcher) {
        if (question != m_question)
            return;
        const QDBusPendingReply<QDBusVariant> reply = watcher;
        if (!reply.isError())
            m_learnt.simCountryKey = countryKeyOf(reply.value().variant().toString());
        qCDebug(lcModem).noquote() << "SIM operator"
                                   << (reply.isError() ? reply.error().message() : reply.value().variant().toString());
        answer(question);
    });
}

void Modem::answer(int question)
{
    if (question != m_question || m_answered)
        return; // a later question is under way, or this one has ended
    m_answered = true;
    m_state = m_learnt;
    qCDebug(lcModem) << "answer: modem" << m_state.modemFound << "voice calls" << m_state.voiceModemFound << "SIM country" << m_state.simCountryKey.value_or("?")
                     << "network country" << m_state.networkCountryKey.value_or("?");
    Q_EMIT changed();
}
