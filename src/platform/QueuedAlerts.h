#pragma once

#include "platform/Alerts.h"

#include <QObject>
#include <deque>

// The window's alerts: requests wait in turn, the view shows the first and answers it with the
// tapped button, then the next one shows.
class QueuedAlerts : public QObject, public Alerts
{
    Q_OBJECT
    Q_PROPERTY(bool showing READ showing NOTIFY currentChanged)
    Q_PROPERTY(QString title READ title NOTIFY currentChanged)
    Q_PROPERTY(QString message READ message NOTIFY currentChanged)
    Q_PROPERTY(QStringList buttons READ buttons NOTIFY currentChanged)
    // An action sheet rises from the bottom, its destructive button red, its cancel button apart.
    Q_PROPERTY(bool actionSheet READ actionSheet NOTIFY currentChanged)
    Q_PROPERTY(int destructiveButton READ destructiveButton NOTIFY currentChanged)
    Q_PROPERTY(int cancelButton READ cancelButton NOTIFY currentChanged)

public:
    using QObject::QObject;

    void show(const QString &title, const QString &message, const QStringList &buttons,
              Answer onAnswer) override;
    void showActionSheet(const QStringList &buttons, int destructiveButton, int cancelButton,
                         Answer onAnswer) override;

    bool showing() const { return !m_queue.empty(); }
    QString title() const { return showing() ? m_queue.front().title : QString(); }
    QString message() const { return showing() ? m_queue.front().message : QString(); }
    QStringList buttons() const { return showing() ? m_queue.front().buttons : QStringList(); }
    bool actionSheet() const { return showing() && m_queue.front().actionSheet; }
    int destructiveButton() const { return showing() ? m_queue.front().destructiveButton : -1; }
    int cancelButton() const { return showing() ? m_queue.front().cancelButton : -1; }

    // The user tapped `button` of the alert shown: it closes, its answer runs, the next shows.
    Q_INVOKABLE void answer(int button);
    // Every alert still waiting, as "Title: message", taken off the queue unanswered: what the
    // window can no longer show once it has closed.
    QStringList takeWaiting();

Q_SIGNALS:
    void currentChanged();

private:
    struct Request
    {
        QString title;
        QString message;
        QStringList buttons;
        Answer onAnswer;
        bool actionSheet = false;
        int destructiveButton = -1;
        int cancelButton = 0;
    };
    void enqueue(Request request);
    std::deque<Request> m_queue;
};
