#include "window/DialerWindow.h"

#include "addressbook/ContactFolder.h"
#include "window/QmlTypes.h"
#include "log/Log.h"

#include <QElapsedTimer>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

DialerWindow::DialerWindow(FarlineAppDelegate &app, QueuedAlerts &alerts, bool animated)
    : m_support(std::make_unique<WindowSupport>(app.bundle(), animated))
    , m_contacts(std::make_unique<SystemContacts>(app, ContactFolder::defaultPath()))
{
    // Each engine asks for the singletons once: they must stand before it loads.
    AppSingleton::instance = &app;
    TabsSingleton::instance = &app.tbarController();
    KeypadSingleton::instance = &app.keypadViewController();
    RecentsSingleton::instance = &app.recentViewController();
    FavoritesSingleton::instance = &app.favoritesViewController();
    ContactsSingleton::instance = &app.myContactsViewController();
    SettingsSingleton::instance = &app.mainViewController();
    AlertsSingleton::instance = &alerts;
    SupportSingleton::instance = m_support.get();
    SystemContactsSingleton::instance = m_contacts.get();

    QElapsedTimer loading;
    loading.start();
    m_engine = std::make_unique<QQmlApplicationEngine>();
    m_engine->addImageProvider(QStringLiteral("bundle"), new BundleImageProvider(app.bundle()));
    m_engine->load(QUrl(QStringLiteral("qrc:/Farline/Window/Main.qml")));
    const auto roots = m_engine->rootObjects();
    m_window = roots.isEmpty() ? nullptr : qobject_cast<QQuickWindow *>(roots.first());
    if (!m_window)
        qCCritical(lcWindow) << "the window's QML did not load";
    else
        qCDebug(lcWindow) << "the window's QML loaded in" << loading.elapsed() << "ms";
}

DialerWindow::~DialerWindow() = default;
