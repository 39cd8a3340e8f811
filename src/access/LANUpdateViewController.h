#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "access/HTTPManager.h"

class FarlineAppDelegate;
class MainViewModalDelegate;
class QNetworkAccessManager;
class QThread;

// The modal screen "Update Farline": one update attempt, run on a worker thread shortly after the
// screen is shown, its progress and outcome in two text lines, and Cancel, later Done. After a
// successful download the new version and the first access number are saved and the access
// numbers reloaded. The view binds to the properties and calls the invokable operations.
//
// Threads: the attempt (startLANFileUpdate and what follows) runs on a QThread whose event loop
// carries the HTTP exchange and sleeps while the server is silent. It reaches this object only
// through the settings record's atomic mailbox flags and calls posted to the main thread, which
// it waits for (all but the alert and the final dismissal); a cancel posts a call back that
// wakes it at once. Destroying the screen cancels
// a running attempt and waits for the worker, answering its posted calls meanwhile, so the two
// threads never wait on each other.
class LANUpdateViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString mainInfo READ mainInfo NOTIFY mainInfoChanged)
    Q_PROPERTY(QString subInfo READ subInfo NOTIFY subInfoChanged)
    Q_PROPERTY(QString failureReason READ failureReason NOTIFY failureReasonChanged)
    Q_PROPERTY(bool spinning READ spinning NOTIFY spinningChanged)
    Q_PROPERTY(bool networkActivity READ networkActivity NOTIFY networkActivityChanged)
    Q_PROPERTY(QString leftButton READ leftButton NOTIFY leftButtonChanged)

public:
    static constexpr int startDelayMs = 200;

    // init: the screen clears the record's dialogDismissed. `updateServer` is the address of
    // the update server.
    LANUpdateViewController(FarlineAppDelegate &app, QString updateServer, QObject *parent = nullptr);
    ~LANUpdateViewController() override;

    QString title() const { return QStringLiteral("Update Farline"); }
    const QString &mainInfo() const { return m_mainInfo; }
    const QString &subInfo() const { return m_subInfo; }
    // What went wrong, one sentence shown under the status lines ("The server answered 404 for
    // http://..."); empty unless the attempt failed.
    const QString &failureReason() const { return m_failureReason; }
    bool spinning() const { return m_spinning; }
    // The status bar's network activity indicator.
    bool networkActivity() const { return m_networkActivity; }
    // "Cancel" while the attempt runs, "Done" once its outcome is shown.
    const QString &leftButton() const { return m_leftButton; }

    MainViewModalDelegate *delegate() const { return m_delegate; }
    void setDelegate(MainViewModalDelegate *delegate) { m_delegate = delegate; }

    // The worker of an attempt is running.
    bool isUpdating() const { return m_workerRunning; }
    // How long the server may take before the attempt fails (HTTPManager's defaults).
    void setDeadlines(const HTTPManager::Deadlines &deadlines) { m_deadlines = deadlines; }

    // The view is shown: the attempt starts 0.2 s later.
    Q_INVOKABLE void viewDidLoad();
    // Starts the attempt on a new worker thread; nothing when one ran already or the screen was
    // closed.
    Q_INVOKABLE void UpdateAction();
    // The left button while the attempt runs: stops it, saves nothing, and closes the screen.
    Q_INVOKABLE void CancelUpdateAction();
    // The left button once the outcome is shown: closes the screen.
    Q_INVOKABLE void DoneUpdateAction();

    // On the main thread, posted by the worker.
    void updateLabel(const QString &text);
    void updateSubInfo(const QString &text);
    void updateMainTable();
    void networkNotAvailable();
    void setRightNaviButtonAsDone();

Q_SIGNALS:
    void mainInfoChanged();
    void subInfoChanged();
    void failureReasonChanged();
    void spinningChanged();
    void networkActivityChanged();
    void leftButtonChanged();
    // The screen goes away (the view dismisses it, animated). Emitted once.
    void dismissUpdateDialog();

private:
    // On the worker thread.
    void startLANFileUpdate();
    void examineMailbox();
    void endAttempt();
    template<typename Call> void onMainThread(Call call);

    // On the main thread.
    // The new version and the first access number are saved and the table takes `numbers`, the
    // SIM country's numbers found in the installed file as it arrived.
    void adoptUpdate(int version, QStringList numbers, bool shown);
    void setFailureReason(const QString &reason);
    void setSpinning(bool spinning);
    void setNetworkActivity(bool visible);
    void wakeWorker();
    void dismiss();
    void workerFinished();

    FarlineAppDelegate &m_app;
    const QString m_updateServer;
    const QString m_lanFilePath;
    const QByteArray m_updateKey;
    QString m_loadKey; // the SIM country's key when the attempt began
    MainViewModalDelegate *m_delegate = nullptr;
    HTTPManager::Deadlines m_deadlines;

    // The view's state: main thread only.
    QString m_mainInfo;
    QString m_subInfo;
    QString m_failureReason;
    bool m_spinning = false;
    bool m_networkActivity = false;
    QString m_leftButton = QStringLiteral("Cancel");
    bool m_attempted = false;
    bool m_workerRunning = false;
    bool m_cancelRequested = false;
    bool m_dismissed = false;
    bool m_tearingDown = false;

    // The worker thread and an object living on it that carries calls to it. Made and deleted
    // on the main thread.
    std::unique_ptr<QThread> m_worker;
    std::unique_ptr<QObject> m_workerContext;

    // The exchange: made, used and deleted on the worker thread.
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<HTTPManager> m_http;
};
