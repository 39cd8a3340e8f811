#include "WindowDriver.h"

#include "support/TestApp.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QTest>
#include <functional>

namespace {
// Depth first, in the window's order, over the controls that are shown.
void visit(QAccessibleInterface *node, const std::function<bool(QAccessibleInterface *)> &stop, bool &stopped)
{
    for (int i = 0; i < node->childCount() && !stopped; ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child || child->state().invisible)
            continue;
        stopped = stop(child);
        visit(child, stop, stopped);
    }
}
}

WindowDriver::WindowDriver(TestApp &test)
    : m_window(test.app(), test.windowAlerts() ? *test.windowAlerts() : m_alerts, false)
{
    window().show();
    if (!QTest::qWaitForWindowExposed(&window()))
        qFatal("the window did not show");
}

QAccessibleInterface *WindowDriver::find(const QString &name, QAccessible::Role role) const
{
    QAccessibleInterface *found = nullptr;
    bool stopped = false;
    // The last in the window's order is the one in front: a modal screen covers the tabs.
    visit(QAccessible::queryAccessibleInterface(&window()), [&](QAccessibleInterface *node) {
        if (node->text(QAccessible::Name) == name && (role == QAccessible::NoRole || node->role() == role))
            found = node;
        return false;
    }, stopped);
    return found;
}

QStringList WindowDriver::names(QAccessible::Role role) const
{
    QStringList names;
    bool stopped = false;
    visit(QAccessible::queryAccessibleInterface(&window()), [&](QAccessibleInterface *node) {
        if (node->role() == role)
            names.append(node->text(QAccessible::Name));
        return false;
    }, stopped);
    return names;
}

bool WindowDriver::enabled(const QString &name) const
{
    const QAccessibleInterface *control = find(name);
    const auto *item = control ? qobject_cast<QQuickItem *>(control->object()) : nullptr;
    return item && item->isEnabled();
}

QPoint WindowDriver::centre(const QString &name) const
{
    const QAccessibleInterface *control = find(name);
    return control ? window().mapFromGlobal(control->rect().center()) : QPoint(-1, -1);
}

bool WindowDriver::press(const QString &name)
{
    if (!find(name))
        return false;
    // A list that has just made its rows may still move them (its section headers come later):
    // the finger goes where the control has come to rest.
    QPoint at = centre(name);
    for (int tries = 0; tries < 50; ++tries) {
        QTest::qWait(10);
        const QPoint now = centre(name);
        if (now == at)
            break;
        at = now;
    }
    QTest::mousePress(&window(), Qt::LeftButton, {}, at);
    return true;
}

void WindowDriver::release(QPoint at) { QTest::mouseRelease(&window(), Qt::LeftButton, {}, at); }

bool WindowDriver::tap(const QString &name)
{
    if (!press(name))
        return false;
    release(centre(name));
    return true;
}
