#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class PhoneCall;

// The in-call screen, over the tabs while a call that Farline follows (the modem's) lasts: whom
// it calls and through which access number, how the call stands in words, a keypad that sends
// tones (calling services ask for PINs and menu choices), the speaker and the microphone where
// the handset lets Farline switch them, and "Hang up". It closes itself 2 s after the call ended.
class InCallViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString destination READ destination CONSTANT)
    // The access number dialled, empty for a direct call.
    Q_PROPERTY(QString accessNumber READ accessNumber CONSTANT)
    Q_PROPERTY(QString stateText READ stateText NOTIFY changed)
    // Why the call failed, empty when it did not.
    Q_PROPERTY(QString reason READ reason NOTIFY changed)
    Q_PROPERTY(bool ended READ ended NOTIFY changed)
    // The keys typed on the in-call keypad.
    Q_PROPERTY(QString typed READ typed NOTIFY changed)
    Q_PROPERTY(bool audioControls READ audioControls NOTIFY changed)
    Q_PROPERTY(bool speakerOn READ speakerOn NOTIFY changed)
    Q_PROPERTY(bool muted READ muted NOTIFY changed)

public:
    // `destination`: the name or number the user called.
    InCallViewController(std::shared_ptr<PhoneCall> call, const QString &destination, QObject *parent = nullptr);
    ~InCallViewController() override;

    const QString &destination() const { return m_destination; }
    QString accessNumber() const;
    QString stateText() const;
    QString reason() const;
    bool ended() const;
    const QString &typed() const { return m_typed; }
    bool audioControls() const;
    bool speakerOn() const;
    bool muted() const;

    Q_INVOKABLE void hangUp();
    // A key of the in-call keypad: "0"-"9", "*" or "#".
    Q_INVOKABLE void sendTone(const QString &key);
    Q_INVOKABLE void toggleSpeaker();
    Q_INVOKABLE void toggleMute();

Q_SIGNALS:
    void changed();
    // 2 s after the call ended: the screen goes.
    void finished();

private:
    std::shared_ptr<PhoneCall> m_call;
    QString m_destination;
    QString m_typed;
    QTimer m_closing;
};
