#pragma once

#include "platform/QueuedAlerts.h"
#include "window/DialerWindow.h"

#include <QAccessible>
#include <QPoint>
#include <QString>

class QQuickWindow;
class TestApp;

// The real window over a test's application object, offscreen and without animations, driven
// as a screen reader or a finger drives it: controls found by their accessible names among the
// ones shown, touched at their centre.
class WindowDriver
{
public:
    explicit WindowDriver(TestApp &test);

    QQuickWindow &window() const { return *m_window.window(); }
    DialerWindow &dialerWindow() { return m_window; }

    // The shown control with that accessible name (and role, unless NoRole), the one in front when
    // there are several; null for none.
    QAccessibleInterface *find(const QString &name, QAccessible::Role role = QAccessible::NoRole) const;
    // The accessible names of the shown controls of `role`, in the window's order.
    QStringList names(QAccessible::Role role) const;
    bool shows(const QString &name, QAccessible::Role role = QAccessible::NoRole) const
    {
        return find(name, role) != nullptr;
    }
    bool enabled(const QString &name) const;

    // Press and release inside the control; false when it is not shown within 5 s.
    bool tap(const QString &name);
    // A finger put down on the control, and lifted at `at` (window coordinates).
    bool press(const QString &name);
    void release(QPoint at);
    QPoint centre(const QString &name) const;
    // Where the shown control, or the shown items of that object name, stand in window coordinates.
    QRectF rect(const QString &name, QAccessible::Role role = QAccessible::NoRole) const;
    QList<QRectF> itemRects(const QString &objectName) const;
    // The window made `width` wide, laid out and drawn anew.
    void resize(int width);

private:
    QueuedAlerts m_alerts; // shown when the test records its alerts instead
    DialerWindow m_window;
};
