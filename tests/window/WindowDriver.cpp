#include "WindowDriver.h"

#include "support/TestApp.h"

#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QTest>
#include <functional>

namespace {
// Depth first, in the window's order, over the controls that are shown.
void visit(QAccessibleInterface *node, const std::function<void(QAccessibleInterface *)> &each)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface *child = node->child(i);
        if (!child || child->state().invisible)
            continue;
        each(child);
        visit(child, each);
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
    // The last in the window's order is the one in front: a modal screen covers the tabs.
    QAccessibleInterface *found = nullptr;
    visit(QAccessible::queryAccessibleInterface(&window()), [&](QAccessibleInterface *node) {
        if (node->text(QAccessible::Name) == name && (role == QAccessible::NoRole || node->role() == role))
            found = node;
    });
    return found;
}

QStringList WindowDriver::names(QAccessible::Role role) const
{
    QStringList names;
    visit(QAccessible::queryAccessibleInterface(&window()), [&](QAccessibleInterface *node) {
        if (node->role() == role)
            names.append(node->text(QAccessible::Name));
    });
    return names;
}

bool WindowDriver::enabled(const QString &name) const
{
    const QAccessibleInterface *control = find(name);
    const auto *item = control ? qobject_cast<QQuickItem *>(control->object()) : nullptr;
    return item && item->isEnabled();
}

QPoint WindowDriver::centre(const QString &name) const { return rect(name).center().toPoint(); }

bool WindowDriver::press(const QString &name)
{
    // A list makes its rows when it next lays out: the control may come a moment later.
    if (!QTest::qWaitFor([&] { return find(name) != nullptr; }, 5000))
        return false;
    // Rows just made are laid out when the next frame is drawn (their section headers and
    // wrapped texts move them): the finger goes where the control stands after a drawn frame
    // that did not move it.
    QPoint at = centre(name);
    for (int frames = 0; frames < 20; ++frames) {
        QSignalSpy drawn(&window(), &QQuickWindow::frameSwapped);
        window().update();
        drawn.wait(1000);
        const QPoint now = centre(name);
        if (now == at)
            break;
        at = now;
    }
    QTest::mousePress(&window(), Qt::LeftButton, {}, at);
    return true;
}

QRectF WindowDriver::rect(const QString &name, QAccessible::Role role) const
{
    const QAccessibleInterface *control = find(name, role);
    return control ? QRectF(window().mapFromGlobal(control->rect().topLeft()), control->rect().size()) : QRectF();
}

QList<QRectF> WindowDriver::itemRects(const QString &objectName) const
{
    QList<QRectF> rects;
    const std::function<void(QQuickItem *)> visit = [&](QQuickItem *item) {
        if (item->objectName() == objectName)
            rects.append(item->mapRectToScene(item->boundingRect()));
        for (QQuickItem *child : item->childItems())
            if (child->isVisible())
                visit(child);
    };
    visit(window().contentItem());
    return rects;
}

void WindowDriver::resize(int width)
{
    window().resize(width, window().height());
    QSignalSpy drawn(&window(), &QQuickWindow::frameSwapped);
    drawn.wait(1000);
}

void WindowDriver::release(QPoint at) { QTest::mouseRelease(&window(), Qt::LeftButton, {}, at); }

bool WindowDriver::tap(const QString &name)
{
    if (!press(name))
        return false;
    release(centre(name));
    return true;
}
