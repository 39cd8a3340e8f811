#pragma once

#include <QDBusConnection>
#include <QObject>
#include <functional>

// The sound of a modem call, through callaudiod (org.mobian_project.CallAudio on the session bus):
// the audio switched to the modem while the call is active and back after it, the speaker and
// the microphone. GNOME Calls and Plasma's telephony daemon switch the audio themselves for every
// ModemManager call: with one of them on the bus the audio mode is theirs, and Farline only works
// the speaker and the microphone.
class CallAudio : public QObject
{
    Q_OBJECT

public:
    // Looks at once who is on `session`; changed() follows.
    explicit CallAudio(const QDBusConnection &session, QObject *parent = nullptr);

    bool available() const { return m_callAudio; } // callaudiod is there
    bool speakerOn() const { return m_speakerOn; }
    bool muted() const { return m_muted; }

    // The call became active (true) or ended: the call's audio mode or the default one, unless a
    // dialer has the audio. An end also turns the speaker off and the microphone on again.
    void setCallMode(bool call);
    void setSpeakerOn(bool on);
    void setMuted(bool muted);
    // The end of the call as setCallMode(false), told at once, without the event loop: the program
    // ends.
    void endNow();

Q_SIGNALS:
    void changed();

private:
    void apply();
    // Calls callaudiod's `method` with `argument`; `done` gets whether it did so.
    void ask(const QString &method, const QVariant &argument, std::function<void(bool)> done);
    void tell(const QString &method, const QVariant &argument, bool now);

    QDBusConnection m_session;
    bool m_looked = false;
    bool m_callAudio = false;
    bool m_dialer = false;
    bool m_wantCallMode = false;
    bool m_callModeSelected = false;
    bool m_speakerOn = false;
    bool m_muted = false;
};
