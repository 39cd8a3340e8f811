#pragma once

#include "platform/Alerts.h"

#include <vector>

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
