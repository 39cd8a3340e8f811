#include "platform/ModemCall.h"

#include "log/Log.h"
#include "platform/Clock.h"
#include "platform/ModemManagerBus.h"

#include <QDBusPendingReply>
#include <QDBusVariant>

using namespace ModemManagerBus;

namespace {
// ModemManager's call states (MMCallState) and the reasons of a change (MMCallStateReason).
namespace ModemState {
enum { Dialing = 1, RingingOut = 2, Active = 4, Terminated = 7 };
}
enum Reason : uint { Hungup = 4, RefusedOrBusy = 5, Error = 6, AudioSetupFailed = 7 };

constexpr int questionMs = 5000; // for ModemManager's answers, which come from the modem

// The words for a call that ended before it was answered.
QString unansweredReason(uint reason)
{
    switch (reason) {
    case RefusedOrBusy:
        return QStringLiteral("The line is busy or the call was refused");
    case Error:
        return QStringLiteral("The call failed: a wrong number or a network error");
    case AudioSetupFailed:
        return QStringLiteral("The call failed: its sound could not be set up");
    default:
        return QStringLiteral("The call ended before it was answered");
    }
}

QString refusal(const QDBusError &error)
{
    // polkit's refusal of org.freedesktop.ModemManager1.Voice, or the bus's own.
    if (error.name() == u"org.freedesktop.ModemManager1.Error.Core.Unauthorized" || error.type() == QDBusError::AccessDenied)
        return QStringLiteral("Farline may not place calls through the modem: ") + error.message();
    return QStringLiteral("The modem could not place the call: ") + error.message();
}
} // namespace

ModemCall::Timing ModemCall::Timing::fromEnvironment()
{
    const Timing defaults;
    return {Clock::waitFromEnvironment("FARLINE_CALL_PAUSE", defaults.pauseMs),
            Clock::waitFromEnvironment("FARLINE_CALL_ANSWER_LIMIT", defaults.answerLimitMs)};
}

ModemCall::ModemCall(const DialString &dialString, const QDBusConnection &system, const QDBusConnection &session,
                     Timing timing)
    : PhoneCall(dialString.number, dialString.tones, true)
    , m_system(system)
    , m_timing(timing)
    , m_audio(session)
{
    m_answerLimit.setSingleShot(true);
    m_pause.setSingleShot(true);
    m_pause.setTimerType(Qt::PreciseTimer); // never shorter than asked
    connect(&m_answerLimit, &QTimer::timeout, this, [this] {
        qCInfo(lcModem) << "no answer within" << m_timing.answerLimitMs << "ms: hanging up";
        setFailure(QStringLiteral("The call was not answered"));
        hangUp();
    });
    connect(&m_pause, &QTimer::timeout, this, &ModemCall::sendNext);
    connect(&m_audio, &CallAudio::changed, this,
            [this] { setAudio(m_audio.available(), m_audio.speakerOn(), m_audio.muted()); });
    // Every call's changes, from before the call exists: one that a dialer of the system starts at
    // once is followed from its first state. Those of other calls are passed over.
    m_system.connect(service, QString(), callInterface, QStringLiteral("StateChanged"), this,
                     SLOT(stateChanged(QDBusMessage)));

    call(this, m_system, managedObjectsQuestion(), questionMs, [this](const QDBusPendingCallWatcher &watcher) {
        const QDBusPendingReply<ManagedObjects> reply = watcher;
        if (reply.isError())
            return failAndEnd(reply.error());
        const ManagedObjects objects = reply.value();
        const auto modem = std::find_if(objects.begin(), objects.end(),
                                        [](const InterfaceProperties &interfaces) { return interfaces.contains(voiceInterface); });
        if (modem == objects.end()) {
            setFailure(QStringLiteral("The modem could not place the call: no modem places voice calls now"));
            return end(0);
        }
        create(modem.key().path());
    });
}

ModemCall::~ModemCall()
{
    blockSignals(true); // nobody follows it any more
    endNow();
}

void ModemCall::create(const QString &modemPath)
{
    if (m_hangingUp)
        return end(Hungup);
    m_modemPath = modemPath;
    QDBusMessage message = QDBusMessage::createMethodCall(service, modemPath, voiceInterface, QStringLiteral("CreateCall"));
    message << QVariantMap{{QStringLiteral("number"), number()}};
    qCDebug(lcModem).noquote() << "creating a call to" << number() << "on" << modemPath;
    m_creating = m_system.asyncCall(message, questionMs);
    auto *watcher = new QDBusPendingCallWatcher(*m_creating, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        const QDBusPendingReply<QDBusObjectPath> reply = *watcher;
        if (state() == PhoneCall::Ended)
            return;
        if (reply.isError())
            return failAndEnd(reply.error());
        m_path = reply.value().path();
        setAccepted();
        if (m_hangingUp) // hung up while it was being made
            return hangUp();
        start();
    });
}

void ModemCall::start()
{
    m_answerLimit.start(m_timing.answerLimitMs);
    call(this, m_system, callMethod(QStringLiteral("Start")), questionMs, [this](const QDBusPendingCallWatcher &watcher) {
        const QDBusPendingReply<> reply = watcher;
        if (!reply.isError())
            return;
        if (!reply.error().name().endsWith(u".WrongState")) {
            setFailure(refusal(reply.error()));
            return hangUp();
        }
        // Started by a dialer of the system: its state may have changed before this call knew
        // its own path.
        qCDebug(lcModem) << "the call was started by another program";
        QDBusMessage question = QDBusMessage::createMethodCall(service, m_path, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                               QStringLiteral("Get"));
        question << callInterface << QStringLiteral("State");
        call(this, m_system, question, questionMs, [this](const QDBusPendingCallWatcher &watcher) {
            const QDBusPendingReply<QDBusVariant> state = watcher;
            if (!state.isError())
                moveTo(state.value().variant().toInt(), 0);
        });
    });
}

void ModemCall::stateChanged(const QDBusMessage &message)
{
    const QVariantList arguments = message.arguments();
    if (message.path() != m_path || m_path.isEmpty() || arguments.size() != 3)
        return;
    moveTo(arguments[1].toInt(), arguments[2].toUInt());
}

void ModemCall::moveTo(int modemState, uint reason)
{
    qCDebug(lcModem) << "call state" << modemState << "reason" << reason;
    switch (modemState) {
    case ModemState::Dialing:
        setState(PhoneCall::Dialing);
        break;
    case ModemState::RingingOut:
        setState(PhoneCall::Ringing);
        break;
    case ModemState::Active:
        if (state() == PhoneCall::Active || state() == PhoneCall::Ended)
            break;
        m_answerLimit.stop();
        setState(PhoneCall::Active);
        m_audio.setCallMode(true);
        if (!tones().isEmpty()) {
            // The first "," before the destination: the calling service answers with a prompt.
            m_steps = u',' + tones();
            m_destinationSteps = int(m_steps.size());
            sendNext();
        }
        break;
    case ModemState::Terminated:
        end(reason);
        break;
    default:
        break; // held or waiting: an outgoing call comes back from them as it was
    }
}

void ModemCall::sendNext()
{
    if (state() != PhoneCall::Active || m_toneGoing || m_pause.isActive() || m_steps.isEmpty())
        return;
    const QChar step = m_steps.front();
    m_steps.remove(0, 1);
    const bool destination = m_destinationSteps > 0;
    if (destination)
        --m_destinationSteps;
    if (step == u',') {
        m_pause.start(m_timing.pauseMs);
        return;
    }
    if (destination)
        setDigitsSent(digitsSent(), true);
    m_toneGoing = true;
    QDBusMessage message = callMethod(QStringLiteral("SendDtmf"));
    message << QString(step);
    call(this, m_system, message, questionMs, [this, destination](const QDBusPendingCallWatcher &watcher) {
        m_toneGoing = false;
        const QDBusPendingReply<> reply = watcher;
        if (reply.isError()) {
            if (state() == PhoneCall::Active)
                setFailure(QStringLiteral("The number could not be sent as tones: ") + reply.error().message());
            m_steps.clear();
            m_destinationSteps = 0;
            setDigitsSent(digitsSent(), false);
            return;
        }
        if (destination)
            setDigitsSent(digitsSent() + 1, true);
        sendNext();
    });
}

void ModemCall::sendTone(QChar key)
{
    if (state() != PhoneCall::Active)
        return;
    m_steps += key;
    sendNext();
}

void ModemCall::hangUp()
{
    if (state() == PhoneCall::Ended)
        return;
    m_hangingUp = true;
    if (m_path.isEmpty())
        return; // hung up as soon as ModemManager has made it, or ended with its refusal
    qCDebug(lcModem) << "hanging up";
    // The end comes as a state change; should it not, the answer ends the call.
    call(this, m_system, callMethod(QStringLiteral("Hangup")), questionMs,
         [this](const QDBusPendingCallWatcher &) { end(Hungup); });
}

void ModemCall::endNow()
{
    if (state() == PhoneCall::Ended)
        return;
    m_hangingUp = true;
    m_endingNow = true;
    // A call ModemManager is making would be left ringing, or waiting for a dialer to start it.
    if (m_path.isEmpty() && m_creating) {
        m_creating->waitForFinished();
        const QDBusPendingReply<QDBusObjectPath> reply = *m_creating;
        if (!reply.isError())
            m_path = reply.value().path();
    }
    if (!m_path.isEmpty())
        m_system.call(callMethod(QStringLiteral("Hangup")), QDBus::Block, questionMs);
    end(Hungup);
}

void ModemCall::end(uint reason)
{
    if (state() == PhoneCall::Ended)
        return;
    m_answerLimit.stop();
    m_pause.stop();
    if (!answered() && !m_hangingUp)
        setFailure(unansweredReason(reason));
    else if (answered() && digitsSent() < digitCount() && !m_hangingUp)
        setFailure(QStringLiteral("The call ended before the number was sent"));
    if (m_endingNow)
        m_audio.endNow();
    else
        m_audio.setCallMode(false);
    if (!m_path.isEmpty()) {
        // ModemManager keeps ended calls until they are deleted.
        QDBusMessage message = QDBusMessage::createMethodCall(service, m_modemPath, voiceInterface, QStringLiteral("DeleteCall"));
        message << QVariant::fromValue(QDBusObjectPath(m_path));
        m_system.call(message, m_endingNow ? QDBus::Block : QDBus::NoBlock, questionMs);
    }
    qCDebug(lcModem) << "the call ended" << (failure() ? *failure() : QString());
    setState(PhoneCall::Ended);
}

void ModemCall::failAndEnd(const QDBusError &error)
{
    qCInfo(lcModem).noquote() << "ModemManager refused the call:" << error.name() << error.message();
    setFailure(refusal(error));
    end(0);
}

void ModemCall::setSpeakerOn(bool on) { m_audio.setSpeakerOn(on); }

void ModemCall::setMuted(bool muted) { m_audio.setMuted(muted); }

QDBusMessage ModemCall::callMethod(const QString &name) const
{
    return QDBusMessage::createMethodCall(service, m_path, callInterface, name);
}
