#pragma once

#include <memory>

class FarlineAppDelegate;
class QQmlApplicationEngine;
class QQuickWindow;
class QueuedAlerts;
class SystemContacts;
class WindowSupport;

// The dialer's window over an application object that has started: its controllers handed to
// the QML module, the window loaded (not yet shown).
class DialerWindow
{
public:
    // `alerts` are the application object's alerts, which the window shows. Without animations
    // every screen shows its final state at once.
    DialerWindow(FarlineAppDelegate &app, QueuedAlerts &alerts, bool animated = true);
    ~DialerWindow();

    // Null when the QML could not be loaded (the reason went to the log).
    QQuickWindow *window() const { return m_window; }
    QQmlApplicationEngine &engine() { return *m_engine; }
    // The system's contacts and the imports of the contacts tab; the sync waits for start().
    SystemContacts &systemContacts() { return *m_contacts; }

private:
    std::unique_ptr<WindowSupport> m_support;
    std::unique_ptr<SystemContacts> m_contacts;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow *m_window = nullptr;
};
