#include "screens/InCallViewController.h"

#include "platform/PhoneCall.h"

namespace {
// Long enough to read how the call ended.
constexpr int closeAfterMs = 2000;
}

InCallViewController::InCallViewController(std::shared_ptr<PhoneCall> call, const QString &destination, QObject *parent)
    : QObject(parent)
    , m_call(std::move(call))
    , m_destination(destination)
{
    m_closing.setSingleShot(true);
    connect(&m_closing, &QTimer::timeout, this, &InCallViewController::finished);
    connect(m_call.get(), &PhoneCall::changed, this, [this] {
        if (ended() && !m_closing.isActive())
            m_closing.start(closeAfterMs);
        Q_EMIT changed();
    });
}

InCallViewController::~InCallViewController() = default;

QString InCallViewController::accessNumber() const { return m_call->tones().isEmpty() ? QString() : m_call->number(); }

QString InCallViewController::stateText() const
{
    switch (m_call->state()) {
    case PhoneCall::Placing:
    case PhoneCall::Dialing:
        return QStringLiteral("Calling…");
    case PhoneCall::Ringing:
        return QStringLiteral("Ringing…");
    case PhoneCall::Active:
        if (m_call->sendingTones())
            return QStringLiteral("Sending the number… %1 of %2").arg(m_call->digitsSent()).arg(m_call->digitCount());
        return QStringLiteral("Connected");
    case PhoneCall::Ended:
        break;
    }
    return QStringLiteral("Call ended");
}

QString InCallViewController::reason() const { return m_call->failure().value_or(QString()); }

bool InCallViewController::ended() const { return m_call->state() == PhoneCall::Ended; }

bool InCallViewController::audioControls() const { return m_call->hasAudioControls(); }

bool InCallViewController::speakerOn() const { return m_call->speakerOn(); }

bool InCallViewController::muted() const { return m_call->muted(); }

void InCallViewController::hangUp() { m_call->hangUp(); }

void InCallViewController::sendTone(const QString &key)
{
    static const QString keys = QStringLiteral("0123456789*#");
    if (key.size() != 1 || !keys.contains(key) || m_call->state() != PhoneCall::Active)
        return;
    m_typed += key;
    m_call->sendTone(key.front());
    Q_EMIT changed();
}

void InCallViewController::toggleSpeaker() { m_call->setSpeakerOn(!m_call->speakerOn()); }

void InCallViewController::toggleMute() { m_call->setMuted(!m_call->muted()); }
