#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

// One call that a telephone was asked to place, from the request to its end.
// A call handed to another program (the desktop's "tel:" handler) is decided at once and ends
// there: that program has it. A call Farline follows (the modem's) goes through its states, says
// every change, sends the destination as tones once answered, and can be hung up.
class PhoneCall : public QObject
{
    Q_OBJECT

public:
    enum State {
        Placing, // asked for; the telephone has not taken it yet
        Dialing,
        Ringing, // at the far end
        Active,  // answered
        Ended,
    };
    Q_ENUM(State)

    // A call handed over to another program, which took it or not.
    static std::unique_ptr<PhoneCall> handedOver(const QString &dialString, bool accepted);

    State state() const { return m_state; }
    // Farline follows the call to its end; false for one handed over.
    bool isFollowed() const { return m_followed; }
    // The telephone took the call: it belongs among the recent calls, whatever becomes of it.
    bool accepted() const { return m_accepted; }
    bool answered() const { return m_answered; }
    // What the telephone dials, and the tones it sends once the call is answered ("," a pause).
    const QString &number() const { return m_number; }
    const QString &tones() const { return m_tones; }
    // The digits of tones() (pauses aside), and how many of them have gone out.
    int digitCount() const;
    int digitsSent() const { return m_digitsSent; }
    // Between the first tone of the destination and its last.
    bool sendingTones() const { return m_answered && m_digitsSent < digitCount() && m_sendingStarted; }
    // Why the call failed, in words for the user; none for a call that went as asked or was hung
    // up here.
    const std::optional<QString> &failure() const { return m_failure; }
    // Taken, and for a followed call answered with every tone sent, and not failed.
    bool succeeded() const;

    // The speaker and the microphone, where the handset lets Farline switch them.
    bool hasAudioControls() const { return m_audioControls; }
    bool speakerOn() const { return m_speakerOn; }
    bool muted() const { return m_muted; }

    virtual void hangUp() {}
    // Ends the call before the program ends: hangs up and waits for the telephone's answer
    // without the event loop (which may be ending), briefly.
    virtual void endNow() {}
    // A key pressed during the call ("0"-"9", "*", "#"), sent after the tones before it.
    virtual void sendTone(QChar key) { Q_UNUSED(key) }
    virtual void setSpeakerOn(bool on) { Q_UNUSED(on) }
    virtual void setMuted(bool muted) { Q_UNUSED(muted) }

Q_SIGNALS:
    // Any of the above changed.
    void changed();

protected:
    PhoneCall(const QString &number, const QString &tones, bool followed);

    void setState(State state);
    void setAccepted();
    void setDigitsSent(int digits, bool started);
    // Keeps the first reason only: what went wrong first is what the user needs.
    void setFailure(const QString &reason);
    void setAudio(bool controls, bool speakerOn, bool muted);

private:
    QString m_number;
    QString m_tones;
    bool m_followed;
    State m_state = Placing;
    bool m_accepted = false;
    bool m_answered = false;
    int m_digitsSent = 0;
    bool m_sendingStarted = false;
    std::optional<QString> m_failure;
    bool m_audioControls = false;
    bool m_speakerOn = false;
    bool m_muted = false;
};
