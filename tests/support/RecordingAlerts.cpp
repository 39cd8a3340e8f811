#include "support/RecordingAlerts.h"

void RecordingAlerts::showActionSheet(const QStringList &buttons, int destructiveButton, int cancelButton,
                                      Answer onAnswer)
{
    m_shown.push_back({QString(), QString(), buttons, std::move(onAnswer), false, true, destructiveButton, cancelButton});
}

void RecordingAlerts::show(const QString &title, const QString &message, const QStringList &buttons,
                           Answer onAnswer)
{
    m_shown.push_back({title, message, buttons, std::move(onAnswer)});
}

bool RecordingAlerts::tap(int button, int index)
{
    if (index < 0)
        index = int(m_shown.size()) - 1;
    if (index < 0 || index >= int(m_shown.size()))
        return false;
    Shown &alert = m_shown[size_t(index)];
    if (alert.answered || button < 0 || button >= alert.buttons.size())
        return false;
    alert.answered = true;
    if (alert.onAnswer) {
        const Answer answer = alert.onAnswer; // the answer may show another alert
        answer(button);
    }
    return true;
}
