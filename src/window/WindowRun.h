#pragma once

#include "platform/HomeLock.h"

#include <QString>
#include <memory>
#include <optional>

struct Launch;
class ApplicationLifetime;
class DialerWindow;
class QQuickWindow;
class QThread;
class ModemWatcher;
class QueuedAlerts;
class TerminationSignals;
class WindowInstance;

// One run of the dialer window: the home held for the run, the application started over it, the
// window loaded and shown; SIGTERM, SIGINT and SIGHUP close it as the user does. A later start
// for the same home hands its "tel:" address (or nothing, to bring it forward) to this window;
// a "tel:" address among the launch's arguments is typed on the keypad at once.
class WindowSession
{
public:
    explicit WindowSession(const Launch &launch);
    ~WindowSession();

    // Null when the window could not be opened: see refusal().
    QQuickWindow *window() const;
    // Why the window did not open: the home is held by another run, or the QML did not load;
    // empty when the window open for the home took the start over.
    const QString &refusal() const { return m_refusal; }
    // Runs until the window closes, then saves as every run ends. Returns the exit status.
    int exec();

private:
    std::optional<HomeLock> m_lock;
    QString m_refusal;
    std::unique_ptr<QThread> m_fonts;
    std::unique_ptr<ApplicationLifetime> m_run;
    QueuedAlerts *m_alerts = nullptr; // the application's
    std::unique_ptr<DialerWindow> m_window;
    std::unique_ptr<TerminationSignals> m_termination;
    std::unique_ptr<WindowInstance> m_instance;
    std::unique_ptr<ModemWatcher> m_modem;
};

// Opens the dialer window for `launch` and runs it until it is closed. Returns the exit status.
int runWindow(const Launch &launch);
