#pragma once

#include <QString>
#include <QStringList>
#include <functional>

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
