#pragma once

#include "platform/CallAudio.h"
#include "platform/DialString.h"
#include "platform/PhoneCall.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QTimer>
#include <optional>

class QDBusError;
class QDBusMessage;

// A call placed through ModemManager's voice interface: the number before the first "," is
// dialled; once the far end answers, after a pause, the rest goes out as tones, one character
// per SendDtmf (ModemManager before 1.26 sends only the first character of each), each after
// the previous one was answered, a further "," pausing again. No tone goes out before the call is
// active, and none after it ended. A call not answered in time is hung up.
// GNOME Calls and Plasma's modem daemon start every new outgoing call themselves and show their
// own in-call screen: a Start that finds the call started is no error.
class ModemCall final : public PhoneCall
{
    Q_OBJECT

public:
    struct Timing
    {
        int pauseMs = 2000;        // what "," means, as ModemManager 1.26 has it
        int answerLimitMs = 60000; // from Start to the answer
        // The defaults, or $FARLINE_CALL_PAUSE and $FARLINE_CALL_ANSWER_LIMIT (seconds).
        static Timing fromEnvironment();
    };

    // Places the call through the first voice modem of ModemManager on `system`, its sound through
    // callaudiod on `session`.
    ModemCall(const DialString &dialString, const QDBusConnection &system, const QDBusConnection &session, Timing timing);
    // A call still going on is hung up: it never outlives Farline's hold on it.
    ~ModemCall() override;

    void hangUp() override;
    void endNow() override;
    void sendTone(QChar key) override;
    void setSpeakerOn(bool on) override;
    void setMuted(bool muted) override;

private Q_SLOTS:
    void stateChanged(const QDBusMessage &message);

private:
    void create(const QString &modemPath);
    void start();
    void moveTo(int modemState, uint reason);
    void end(uint reason);
    void sendNext();
    // A call of the call object's own interface.
    QDBusMessage callMethod(const QString &name) const;
    void failAndEnd(const QDBusError &error);

    QDBusConnection m_system;
    Timing m_timing;
    CallAudio m_audio;
    QString m_modemPath;
    std::optional<QDBusPendingCall> m_creating; // CreateCall, once asked
    QString m_path; // of the call, once ModemManager made it
    QTimer m_answerLimit;
    QTimer m_pause;
    QString m_steps;          // tones and pauses still to go, in order: the destination's first
    int m_destinationSteps = 0; // of m_steps
    bool m_toneGoing = false; // a SendDtmf waits for its answer
    bool m_hangingUp = false; // asked here: the end is no failure
    bool m_endingNow = false;
};
