#include "app/CommandSupport.h"

#include "app/ApplicationRun.h"
#include "core/FarlineAppDelegate.h"
#include "platform/Console.h"

#include <QEventLoop>

QString outputField(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

QString countryLine(const QString &key, QString name)
{
    if (name.endsWith(u' '))
        name.chop(1); // every display name ends with the space after its last word
    return key + u'\t' + name;
}

std::optional<int> numberArgument(const QString &text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    return isNumber ? std::optional(number) : std::nullopt;
}

namespace {
// One line per change of a call that Farline follows: "Calling NUMBER", "Ringing", "Connected",
// "Sending TONES", "Sent", "Call ended".
class CallLines
{
public:
    explicit CallLines(const PhoneCall &call)
        : m_call(call)
    {
    }
    void update()
    {
        const auto say = [](bool &said, bool now, const QString &line) {
            if (said || !now)
                return;
            said = true;
            Console::out(line);
        };
        const PhoneCall::State state = m_call.state();
        const bool answered = m_call.answered();
        say(m_calling, state == PhoneCall::Dialing, QStringLiteral("Calling ") + m_call.number());
        say(m_ringing, state == PhoneCall::Ringing, QStringLiteral("Ringing"));
        say(m_connected, answered, QStringLiteral("Connected"));
        say(m_sending, m_call.sendingTones(), QStringLiteral("Sending ") + m_call.tones());
        say(m_sent, answered && m_call.digitCount() > 0 && m_call.digitsSent() == m_call.digitCount(), QStringLiteral("Sent"));
        say(m_ended, m_call.accepted() && state == PhoneCall::Ended, QStringLiteral("Call ended"));
    }

private:
    const PhoneCall &m_call;
    bool m_calling = false, m_ringing = false, m_connected = false, m_sending = false, m_sent = false, m_ended = false;
};
} // namespace

int placedCallStatus(FarlineAppDelegate &app, const std::function<void()> &place)
{
    PhoneCall *call = nullptr;
    const QMetaObject::Connection connection =
        QObject::connect(&app, &FarlineAppDelegate::callPlaced, [&call](PhoneCall *placed) { call = placed; });
    place();
    QObject::disconnect(connection);
    // A run asked to end before its call was taken.
    const int notPlaced = receivedTerminationSignal() ? 128 + receivedTerminationSignal() : 1;
    if (!call)
        return notPlaced;
    if (!call->isFollowed()) {
        // The window shows nothing then; a script is told why nothing happened.
        if (!call->accepted())
            Console::err(QStringLiteral("farline: the telephone did not take the call tel:%1").arg(call->number()));
        return call->accepted() ? 0 : notPlaced;
    }
    // The run owns the call, as the window does, and ends with it. Its failure is said by the
    // application's alert.
    CallLines lines(*call);
    QEventLoop wait;
    QObject::connect(call, &PhoneCall::changed, &wait, [&] {
        lines.update();
        if (call->state() == PhoneCall::Ended)
            wait.quit();
    });
    lines.update();
    if (call->state() != PhoneCall::Ended)
        wait.exec();
    if (const int signalNumber = receivedTerminationSignal(); call->state() != PhoneCall::Ended && signalNumber) {
        app.endCall(); // hung up before the run ends
        return 128 + signalNumber;
    }
    return call->succeeded() ? 0 : 1;
}
