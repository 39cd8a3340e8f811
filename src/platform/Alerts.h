#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

// Shows a titled message with buttons and reports the tapped button later. Button 0 is the
// cancel button where the alert has one ("Cancel"), or the only button ("OK").
class Alerts
{
public:
    using Answer = std::function<void(int button)>;

    virtual ~Alerts() = default;
    virtual void show(const QString &title, const QString &message, const QStringList &buttons,
                      Answer onAnswer = {}) = 0;
    // An action sheet: a choice among `buttons`, the one at `destructiveButton` drawn as
    // destroying something, the one at `cancelButton` set apart; dismissing it answers
    // `cancelButton`.
    virtual void showActionSheet(const QStringList &buttons, int destructiveButton, int cancelButton,
                                 Answer onAnswer) = 0;
};

// The command line's alerts: "Title: message" as one line on standard error, answered at once
// with button 0, as a user who dismisses every alert.
class CommandLineAlerts final : public Alerts
{
public:
    void show(const QString &title, const QString &message, const QStringList &buttons,
              Answer onAnswer) override;
    // Says nothing and answers the cancel button.
    void showActionSheet(const QStringList &buttons, int destructiveButton, int cancelButton,
                         Answer onAnswer) override;
};

// Keeps every alert shown so that tests can read it and tap one of its buttons.
class RecordingAlerts final : public Alerts
{
public:
    struct Shown
    {
        QString title;
        QString message;
        QStringList buttons;
        Answer onAnswer;
        bool answered = false;
        bool actionSheet = false;
        int destructiveButton = -1;
        int cancelButton = 0;
    };

    void show(const QString &title, const QString &message, const QStringList &buttons,
              Answer onAnswer) override;
    void showActionSheet(const QStringList &buttons, int destructiveButton, int cancelButton,
                         Answer onAnswer) override;

    const std::vector<Shown> &shown() const { return m_shown; }
    // Taps `button` of alert `index` (the last one shown by default); false when there is no such
    // alert or it was already answered.
    bool tap(int button, int index = -1);
    void clear() { m_shown.clear(); }

private:
    std::vector<Shown> m_shown;
};
