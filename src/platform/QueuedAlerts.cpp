#include "platform/QueuedAlerts.h"

void QueuedAlerts::show(const QString &title, const QString &message, const QStringList &buttons,
                        Answer onAnswer)
{
    enqueue({title, message, buttons.isEmpty() ? QStringList{QStringLiteral("OK")} : buttons, std::move(onAnswer)});
}

void QueuedAlerts::showActionSheet(const QStringList &buttons, int destructiveButton, int cancelButton,
                                   Answer onAnswer)
{
    enqueue({QString(), QString(), buttons, std::move(onAnswer), true, destructiveButton, cancelButton});
}

void QueuedAlerts::enqueue(Request request)
{
    m_queue.push_back(std::move(request));
    if (m_queue.size() == 1)
        Q_EMIT currentChanged();
}

void QueuedAlerts::answer(int button)
{
    if (m_queue.empty() || button < 0 || button >= m_queue.front().buttons.size())
        return;
    const Answer onAnswer = std::move(m_queue.front().onAnswer);
    m_queue.pop_front();
    Q_EMIT currentChanged();
    // After the alert has gone: the answer may show another one, which then waits its turn.
    if (onAnswer)
        onAnswer(button);
}

QStringList QueuedAlerts::takeWaiting()
{
    QStringList texts;
    for (const Request &request : m_queue) {
        if (!request.actionSheet)
            texts.append(request.title + QStringLiteral(": ") + request.message);
    }
    const bool wasShowing = showing();
    m_queue.clear();
    if (wasShowing)
        Q_EMIT currentChanged();
    return texts;
}
