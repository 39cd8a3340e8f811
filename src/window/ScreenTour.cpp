#include "window/ScreenTour.h"

#include "access/LANUpdateViewController.h"
#include "access/SelectCountryViewController.h"
#include "access/StartScreen.h"
#include "app/GlobalOptions.h"
#include "core/ApplicationLifetime.h"
#include "core/FarlineAppDelegate.h"
#include "core/TabBarController.h"
#include "lists/FavoritesViewController.h"
#include "lists/MyContactsViewController.h"
#include "platform/Console.h"
#include "platform/PlatformServices.h"
#include "platform/QueuedAlerts.h"
#include "screens/KeypadViewController.h"
#include "screens/MainViewController.h"
#include "window/DialerWindow.h"
#include "window/SampleHome.h"

#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickWindow>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>

namespace {
// Takes every call and says nothing: the pictures need placed calls, no telephone.
class SilentTelephone final : public HandOffTelephone
{
public:
    bool canPlaceCalls() override { return true; }
    bool open(const QUrl &) override { return true; }
};

// Runs the event loop until `done` holds or `timeoutMs` passed; whether it holds.
bool waitUntil(const std::function<bool()> &done, int timeoutMs = 3000)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(10);
    if (!done())
        loop.exec();
    return done();
}

void settle()
{
    waitUntil([] { return false; }, 60);
}

// An update server that takes the request and never answers: the update dialog stays at its
// search, with the spinner turning.
class SilentServer
{
public:
    SilentServer()
    {
        m_server.listen(QHostAddress::LocalHost);
        QObject::connect(&m_server, &QTcpServer::newConnection, [this] {
            while (QTcpSocket *socket = m_server.nextPendingConnection())
                socket->setParent(&m_server);
        });
    }
    QString address() const { return QStringLiteral("http://127.0.0.1:%1").arg(m_server.serverPort()); }

private:
    QTcpServer m_server;
};

class Tour
{
public:
    Tour(const GlobalOptions &options, const QString &home, const QString &server)
    {
        auto clock = std::make_unique<Clock>();
        clock->set(QDateTime(QDate(2026, 12, 5), QTime(9, 41)));
        m_clock = clock.get();
        PlatformServices services{Home(home), Bundle(options.bundle), std::move(clock)};
        services.telephone = std::make_unique<SilentTelephone>();
        services.updateServer = server;
        services.updateKey = options.updateKey;
        auto alerts = std::make_unique<QueuedAlerts>();
        m_alerts = alerts.get();
        services.alerts = std::move(alerts);
        m_run = std::make_unique<ApplicationLifetime>(std::move(services));
        m_window = std::make_unique<DialerWindow>(app(), *m_alerts, false);
        if (QQuickWindow *window = m_window->window())
            window->show();
    }
    ~Tour() { m_window.reset(); } // before the application ends

    FarlineAppDelegate &app() { return m_run->app(); }
    Clock &clock() { return *m_clock; }
    QQuickWindow *window() { return m_window->window(); }
    QQmlEngine &engine() { return m_window->engine(); }

private:
    QueuedAlerts *m_alerts = nullptr;
    Clock *m_clock = nullptr;
    std::unique_ptr<ApplicationLifetime> m_run;
    std::unique_ptr<DialerWindow> m_window;
};

// Walks the screens, handing each, once it shows, to `shown` with its name. False when the walk
// could not go on.
bool walk(const GlobalOptions &options, const std::function<bool(const QString &, QQuickWindow &)> &shown)
{
    QTemporaryDir home;
    SilentServer server;
    Tour tour(options, home.path(), server.address());
    if (!tour.window())
        return false;
    FarlineAppDelegate &app = tour.app();
    const auto show = [&](const QString &name) {
        settle();
        return shown(name, *tour.window());
    };

    // The first start, a country chosen on the wheel.
    StartScreen *start = app.startScreen();
    if (!start)
        return false;
    start->didSelectRow(start->countries()->rowForKey(QStringLiteral("260")));
    if (!show(QStringLiteral("start")))
        return false;
    start->startApplication();

    TabBarController &tabs = app.tbarController();
    if (!SampleHome::importPersons(app, home.path()) || !SampleHome::fillLists(app, tour.clock()))
        return false;
    tabs.didSelectTab(TabBarController::KeypadTab);
    app.keypadViewController().typeNumber(QStringLiteral("+4930901820"));
    if (!show(QStringLiteral("keypad")))
        return false;

    tabs.didSelectTab(TabBarController::RecentsTab);
    if (!show(QStringLiteral("recents")))
        return false;
    tabs.didSelectTab(TabBarController::FavoritesTab);
    if (!show(QStringLiteral("favorites")))
        return false;
    FavoritesViewController &favorites = app.favoritesViewController();
    favorites.setEditing(true);
    if (!show(QStringLiteral("favorites-editing")))
        return false;
    favorites.setEditing(false);
    tabs.didSelectTab(TabBarController::ContactsTab);
    if (!show(QStringLiteral("contacts")))
        return false;
    const auto anna = SampleHome::firstNumber(app, QStringLiteral("Anna Kowalska"));
    if (!anna || !app.myContactsViewController().selectPerson(anna->first))
        return false;
    if (!show(QStringLiteral("contact")))
        return false;

    MainViewController &settings = app.mainViewController();
    tabs.didSelectTab(TabBarController::SettingsTab);
    if (!show(QStringLiteral("settings")))
        return false;
    settings.didSelectRow(0, 1);
    if (!show(QStringLiteral("usage-mode")))
        return false;
    tabs.didSelectTab(TabBarController::SettingsTab); // back to the list
    settings.didSelectRow(0, 0);
    if (!show(QStringLiteral("sim-country")))
        return false;
    settings.countryScreen()->CancelAction();

    settings.didSelectRow(1, 0);
    LANUpdateViewController *update = app.updateDialog();
    if (!update || !waitUntil([&] { return update->mainInfo() == u"Searching for updates"; }))
        return false;
    if (!show(QStringLiteral("update")))
        return false;
    update->CancelUpdateAction();
    waitUntil([&] { return !app.updateDialog(); });

    for (const auto &[row, name] : {std::pair(1, "help"), std::pair(2, "about")}) {
        tabs.didSelectTab(TabBarController::SettingsTab);
        settings.didSelectRow(1, row);
        if (!show(QLatin1String(name)))
            return false;
    }
    return true;
}

// Counts the QML warnings and errors printed meanwhile.
class QmlMessages
{
public:
    QmlMessages() { s_previous = qInstallMessageHandler(&QmlMessages::handle); }
    ~QmlMessages() { qInstallMessageHandler(s_previous); }
    static int count() { return s_count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        const QLatin1String category(context.category ? context.category : "");
        // A component that cannot be made says so without naming its file.
        const bool fromQml = category == u"qml" || category == u"js" || category.startsWith(u"qt.qml")
                             || message.contains(u".qml:") || message.startsWith(u"QQmlComponent:");
        if (type != QtDebugMsg && type != QtInfoMsg && fromQml)
            ++s_count;
        s_previous(type, context, message);
    }
    static inline QtMessageHandler s_previous = nullptr;
    static inline int s_count = 0;
};
}

int ScreenTour::screenshots(const GlobalOptions &options, const QString &dir)
{
    if (!QDir().mkpath(dir)) {
        Console::err(QStringLiteral("farline: cannot make the folder %1").arg(dir));
        return 1;
    }
    bool written = true;
    const bool walked = walk(options, [&](const QString &name, QQuickWindow &window) {
        const QString path = QDir(dir).filePath(name + QStringLiteral(".png"));
        if (!window.grabWindow().save(path)) {
            Console::err(QStringLiteral("farline: cannot write %1").arg(path));
            written = false;
        }
        return written;
    });
    if (!walked && written)
        Console::err(QStringLiteral("farline: the screens could not all be shown"));
    return walked && written ? 0 : 1;
}

int ScreenTour::selfTest(const GlobalOptions &options)
{
    QmlMessages messages;
    {
        QQmlEngine engine;
        QDirIterator files(QStringLiteral(":/Farline/Window"), {QStringLiteral("*.qml")});
        while (files.hasNext()) {
            QFile file(files.next());
            // A singleton is compiled where it is used; a component cannot be made of it.
            if (file.open(QIODevice::ReadOnly) && file.readAll().contains("pragma Singleton"))
                continue;
            QQmlComponent component(&engine, QUrl(QStringLiteral("qrc") + file.fileName()));
            for (const QQmlError &error : component.errors())
                Console::err(error.toString());
            if (component.isError())
                return 1;
        }
    }
    QStringList shown;
    const bool walked = walk(options, [&](const QString &name, QQuickWindow &window) {
        shown.append(name);
        return !window.grabWindow().isNull();
    });
    if (!walked || QmlMessages::count() > 0) {
        Console::err(QStringLiteral("farline: self-test failed after %1 (%2 QML messages)")
                         .arg(shown.join(QStringLiteral(", ")), QString::number(QmlMessages::count())));
        return 1;
    }
    Console::out(QStringLiteral("farline: self-test passed: %1").arg(shown.join(QStringLiteral(", "))));
    return 0;
}
