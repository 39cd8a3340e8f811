#include "platform/PhoneCall.h"

#include <algorithm>

PhoneCall::PhoneCall(const QString &number, const QString &tones, bool followed)
    : m_number(number)
    , m_tones(tones)
    , m_followed(followed)
{
}

std::unique_ptr<PhoneCall> PhoneCall::handedOver(const QString &dialString, bool accepted)
{
    std::unique_ptr<PhoneCall> call(new PhoneCall(dialString, QString(), false));
    call->m_accepted = accepted;
    call->m_state = Ended;
    return call;
}

int PhoneCall::digitCount() const { return int(m_tones.size() - m_tones.count(u',')); }

bool PhoneCall::succeeded() const
{
    if (!m_followed)
        return m_accepted;
    return m_accepted && m_answered && m_digitsSent == digitCount() && !m_failure;
}

void PhoneCall::setState(State state)
{
    if (state == m_state || m_state == Ended)
        return;
    m_state = state;
    m_answered = m_answered || state == Active;
    Q_EMIT changed();
}

void PhoneCall::setAccepted()
{
    if (m_accepted)
        return;
    m_accepted = true;
    Q_EMIT changed();
}

void PhoneCall::setDigitsSent(int digits, bool started)
{
    m_digitsSent = std::min(digits, digitCount());
    m_sendingStarted = started;
    Q_EMIT changed();
}

void PhoneCall::setFailure(const QString &reason)
{
    if (m_failure)
        return;
    m_failure = reason;
    Q_EMIT changed();
}

void PhoneCall::setAudio(bool controls, bool speakerOn, bool muted)
{
    if (controls == m_audioControls && speakerOn == m_speakerOn && muted == m_muted)
        return;
    m_audioControls = controls;
    m_speakerOn = speakerOn;
    m_muted = muted;
    Q_EMIT changed();
}
