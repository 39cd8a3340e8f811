#include "access/LANUpdateViewController.h"

#include "access/HTTPManager.h"
#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "core/MainViewModalDelegate.h"
#include "datafile/CryptoManager.h"

#include <QCoreApplication>
#include <QNetworkAccessManager>
#include <QThread>
#include <QTimer>

LANUpdateViewController::LANUpdateViewController(FarlineAppDelegate &app, QString updateServer, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_updateServer(std::move(updateServer))
    , m_lanFilePath(app.home().documentPath(LANManger::fileName))
    , m_updateKey(app.updateKey())
{
    m_app.appSettings().dialogDismissed = false;
}

LANUpdateViewController::~LANUpdateViewController()
{
    if (!m_worker)
        return;
    m_tearingDown = true;
    if (m_workerRunning) {
        AppSettings &settings = m_app.appSettings();
        settings.dialogDismissed = true;
        settings.updatedLANFileReceived = true;
        wakeWorker();
    }
    // The worker may be waiting for a call posted to this object: answer those until it ends.
    while (!m_worker->wait(QDeadlineTimer(5)))
        QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

void LANUpdateViewController::viewDidLoad()
{
    QTimer::singleShot(startDelayMs, this, &LANUpdateViewController::UpdateAction);
}

void LANUpdateViewController::UpdateAction()
{
    if (m_attempted || m_dismissed)
        return; // one attempt per presentation
    m_attempted = true;
    m_app.appSettings().updatedLANFileReceived = false;
    m_loadKey = m_app.appSettings().currentMCC.value_or(QString());
    m_worker = std::make_unique<QThread>();
    m_workerContext = std::make_unique<QObject>();
    m_workerContext->moveToThread(m_worker.get());
    connect(m_worker.get(), &QThread::finished, this, &LANUpdateViewController::workerFinished);
    // On the worker itself, as it ends: it checked and verified the download with OpenSSL.
    connect(m_worker.get(), &QThread::finished, m_worker.get(), &CryptoManager::releaseThreadState, Qt::DirectConnection);
    m_workerRunning = true;
    m_worker->start();
    QMetaObject::invokeMethod(m_workerContext.get(), [this] { startLANFileUpdate(); }, Qt::QueuedConnection);
}

void LANUpdateViewController::CancelUpdateAction()
{
    AppSettings &settings = m_app.appSettings();
    // In this order: whoever sees the second flag sees the first.
    settings.dialogDismissed = true;
    settings.updatedLANFileReceived = true;
    m_cancelRequested = true;
    if (m_workerRunning)
        wakeWorker(); // it stops the exchange and closes the screen
    else
        dismiss();
}

void LANUpdateViewController::DoneUpdateAction()
{
    CancelUpdateAction();
    dismiss();
}

void LANUpdateViewController::wakeWorker()
{
    QMetaObject::invokeMethod(m_workerContext.get(), [this] { examineMailbox(); }, Qt::QueuedConnection);
}

// ---- the worker thread

template<typename Call> void LANUpdateViewController::onMainThread(Call call)
{
    QMetaObject::invokeMethod(this, std::move(call), Qt::BlockingQueuedConnection);
}

void LANUpdateViewController::startLANFileUpdate()
{
    AppSettings &settings = m_app.appSettings();
    if (settings.dialogDismissed)
        return endAttempt(); // closed before the attempt began
    onMainThread([this] {
        setSpinning(true);
        setNetworkActivity(true);
    });
    m_network = std::make_unique<QNetworkAccessManager>();
    m_http = std::make_unique<HTTPManager>(settings, m_lanFilePath, m_updateServer, *m_network);
    m_http->setDeadlines(m_deadlines);
    m_http->setUpdateKey(m_updateKey);
    m_http->setLoadKey(m_loadKey);
    // Queued: the exchange is never deleted from inside its own handlers.
    connect(m_http.get(), &HTTPManager::mailboxChanged, m_workerContext.get(), [this] { examineMailbox(); },
            Qt::QueuedConnection);
    if (m_http->UpdateLANFile() != 0) {
        onMainThread([this, reason = m_http->failureReason()] {
            setFailureReason(reason);
            updateLabel(QStringLiteral("No internet connection"));
            updateSubInfo(QStringLiteral("Please check your connection"));
        });
        return endAttempt();
    }
    onMainThread([this] { updateLabel(QStringLiteral("Searching for updates")); });
    examineMailbox(); // a cancel may have come meanwhile
}

void LANUpdateViewController::examineMailbox()
{
    if (!m_http)
        return; // the attempt has ended
    AppSettings &settings = m_app.appSettings();
    if (settings.pathForUpdateReceived && !settings.dialogDismissed) {
        onMainThread([this] { updateLabel(QStringLiteral("Updating Farline access numbers")); });
        settings.pathForUpdateReceived = false;
    }
    if (settings.updatedLANFileReceived && !settings.dialogDismissed) {
        switch (settings.errorOccured) {
        case 2: {
            const int version = m_http->currentVersionNumber();
            onMainThread([this, version, numbers = m_http->takeInstalledNumbers()] {
                updateLabel(QStringLiteral("Farline updated successfully"));
                adoptUpdate(version, numbers, true);
            });
            break;
        }
        case 1:
            onMainThread([this] {
                updateLabel(QStringLiteral("No updates available"));
                updateSubInfo(QStringLiteral("Try again later"));
            });
            break;
        case 0:
            onMainThread([this, reason = m_http->failureReason()] {
                setFailureReason(reason);
                updateLabel(QStringLiteral("Impossible to connect with update server"));
                updateSubInfo(QStringLiteral("No internet connection\nCheck your connection"));
            });
            QMetaObject::invokeMethod(this, [this] { networkNotAvailable(); }, Qt::QueuedConnection);
            break;
        default:
            break;
        }
        settings.updatedLANFileReceived = false;
        settings.pathForUpdateReceived = false;
        settings.errorOccured = 2;
        return endAttempt();
    }
    if (settings.dialogDismissed) {
        // Closed meanwhile: nothing more is shown. A working copy replaced just before the cancel
        // is adopted all the same, so that the file and its recorded version agree.
        if (m_http->replacedWorkingCopy()) {
            const int version = m_http->currentVersionNumber();
            onMainThread([this, version, numbers = m_http->takeInstalledNumbers()] {
                adoptUpdate(version, numbers, false);
            });
        }
        endAttempt();
    }
}

void LANUpdateViewController::endAttempt()
{
    AppSettings &settings = m_app.appSettings();
    const bool dismissed = settings.dialogDismissed;
    onMainThread([this, dismissed] {
        if (!dismissed) {
            setRightNaviButtonAsDone();
            setSpinning(false);
        }
        setNetworkActivity(false);
    });
    m_http.reset(); // stops a transfer still in flight
    m_network.reset();
    // The worker's last call: nothing waits for it, so a screen being destroyed meanwhile does
    // not have to answer it.
    if (settings.dialogDismissed)
        QMetaObject::invokeMethod(this, [this] { dismiss(); }, Qt::QueuedConnection);
    QThread::currentThread()->quit();
}

// ---- the main thread

void LANUpdateViewController::adoptUpdate(int version, QStringList numbers, bool shown)
{
    AppSettings &settings = m_app.appSettings();
    settings.currentVersionNumber = version;
    LANManger &table = m_app.lanManager();
    table.setCurrentLANpos(0);
    m_app.saveAppSettings();
    const QString key = settings.currentMCC.value_or(QString());
    if (key == m_loadKey)
        m_app.adoptAccessNumbers(std::move(numbers));
    else
        m_app.loadAccessNumbers(key); // the SIM country changed meanwhile: read from the installed file
    if (shown && !m_tearingDown)
        updateMainTable();
}

void LANUpdateViewController::updateLabel(const QString &text)
{
    if (m_tearingDown)
        return;
    m_mainInfo = text;
    Q_EMIT mainInfoChanged(); // also when the same text comes again: it is shown anew
}

void LANUpdateViewController::updateSubInfo(const QString &text)
{
    if (m_tearingDown)
        return;
    m_subInfo = text;
    Q_EMIT subInfoChanged();
}

void LANUpdateViewController::setFailureReason(const QString &reason)
{
    if (m_tearingDown)
        return;
    m_failureReason = reason;
    Q_EMIT failureReasonChanged();
}

void LANUpdateViewController::updateMainTable()
{
    if (m_delegate)
        m_delegate->SelectCountryDidFinish();
}

void LANUpdateViewController::networkNotAvailable()
{
    if (m_tearingDown)
        return;
    m_app.alerts().show(QStringLiteral("Farline"), QStringLiteral("No network available!Please check your connection"),
                        {QStringLiteral("OK")});
}

void LANUpdateViewController::setRightNaviButtonAsDone()
{
    if (m_tearingDown || m_leftButton == u"Done")
        return;
    m_leftButton = QStringLiteral("Done");
    Q_EMIT leftButtonChanged();
}

void LANUpdateViewController::setSpinning(bool spinning)
{
    if (m_tearingDown || m_spinning == spinning)
        return;
    m_spinning = spinning;
    Q_EMIT spinningChanged();
}

void LANUpdateViewController::setNetworkActivity(bool visible)
{
    if (m_tearingDown || m_networkActivity == visible)
        return;
    m_networkActivity = visible;
    Q_EMIT networkActivityChanged();
}

void LANUpdateViewController::dismiss()
{
    if (m_tearingDown || m_dismissed)
        return;
    m_dismissed = true;
    Q_EMIT dismissUpdateDialog();
}

void LANUpdateViewController::workerFinished()
{
    if (m_tearingDown)
        return;
    m_workerRunning = false;
    // A cancel that came as the worker was ending found no one left to close the screen.
    if (m_cancelRequested)
        dismiss();
}
