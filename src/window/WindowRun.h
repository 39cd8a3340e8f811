#pragma once

#include <memory>

struct Launch;
class FarlineAppDelegate;
class DialerWindow;
class QQuickWindow;
class QThread;
class QueuedAlerts;
class TerminationSignals;

// One run of the dialer window: the application started over the launch's home, the window
// loaded and shown; SIGTERM, SIGINT and SIGHUP close it as the user does.
class WindowSession
{
public:
    explicit WindowSession(const Launch &launch);
    ~WindowSession();

    // Null when the window could not be loaded.
    QQuickWindow *window() const;
    // Runs until the window closes, then saves as every run ends. Returns the exit status.
    int exec();

private:
    std::unique_ptr<QThread> m_fonts;
    std::unique_ptr<FarlineAppDelegate> m_app;
    std::unique_ptr<DialerWindow> m_window;
    std::unique_ptr<TerminationSignals> m_termination;
};

// Opens the dialer window for `launch` and runs it until it is closed. Returns the exit status.
int runWindow(const Launch &launch);
