#include "window/WindowRun.h"

#include "app/GlobalOptions.h"
#include "core/ApplicationLifetime.h"
#include "core/FarlineAppDelegate.h"
#include "platform/Console.h"
#include "platform/ModemTelephone.h"
#include "platform/PlatformServices.h"
#include "platform/QueuedAlerts.h"
#include "platform/TerminationSignals.h"
#include "platform/WindowInstance.h"
#include "window/DialerWindow.h"
#include "window/ModemWatcher.h"
#include "window/StartTrail.h"
#include "window/SystemContacts.h"

#include <QDesktopServices>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QQuickWindow>
#include <QThread>

WindowSession::WindowSession(const Launch &launch)
    // Reading the system's font configuration is the longest single step before the first frame:
    // done meanwhile, beside the start-up and the loading of the screens.
    : m_fonts(QThread::create([] { QFontDatabase::families(); }))
{
    m_fonts->start();
    // Glyphs drawn by the font engine at their size cost the first frame less than the distance
    // fields Qt Quick makes by default for text that may scale, and no text here scales.
    QQuickWindow::setTextRenderType(QQuickWindow::NativeTextRendering);
    // The window holds the home while it is open: a command started meanwhile is refused.
    const Home home(launch.options.home);
    const QString address = launch.command.value(0);
    auto lock = HomeLock::acquire(home, HomeLock::windowHolder);
    if (const QString *refused = std::get_if<QString>(&lock)) {
        // The window open for this home takes the start over: it comes forward.
        if (!WindowInstance::handOver(home.dir(), address))
            m_refusal = *refused;
        return;
    }
    m_lock = std::move(std::get<HomeLock>(lock));
    StartTrail::mark("the home is held");
    // Calls go through the modem once the watcher (below) found one that places voice calls.
    ModemTelephone::install(ModemTelephone::Learning::Told);
    PlatformServices services =
        servicesFrom(launch.options, [](const QUrl &address) { return QDesktopServices::openUrl(address); });
    auto alerts = std::make_unique<QueuedAlerts>();
    m_alerts = alerts.get();
    services.alerts = std::move(alerts);

    m_run = std::make_unique<ApplicationLifetime>(std::move(services));
    FarlineAppDelegate &app = m_run->app();
    StartTrail::mark("the application has started");
    m_window = std::make_unique<DialerWindow>(app, *m_alerts);
    StartTrail::mark("the QML is loaded");
    if (!m_window->window()) {
        m_refusal = QStringLiteral("the window could not be loaded");
        return;
    }
    QQuickWindow *window = m_window->window();
    // Closed by the shell: the window closes and the run ends as when the user closes it.
    m_termination = std::make_unique<TerminationSignals>();
    QObject::connect(m_termination.get(), &TerminationSignals::terminationRequested, window, &QWindow::close);
    window->show();
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [] { StartTrail::mark("first frame"); },
                     Qt::SingleShotConnection);

    const auto forward = [window] {
        window->raise();
        window->requestActivate();
    };
    m_instance = std::make_unique<WindowInstance>();
    m_instance->listen(home.dir());
    QObject::connect(m_instance.get(), &WindowInstance::addressReceived, window, [&app, forward](const QString &later) {
        if (!later.isEmpty())
            app.openTelAddress(later);
        forward();
    });
    if (!address.isEmpty())
        app.openTelAddress(address);
    m_modem = std::make_unique<ModemWatcher>(app);
    // The system's contacts are read once the first frame shows: the window never waits for them.
    SystemContacts &contacts = m_window->systemContacts();
    QObject::connect(window, &QQuickWindow::frameSwapped, &contacts, [&contacts] { contacts.start(); },
                     Qt::ConnectionType(Qt::QueuedConnection | Qt::SingleShotConnection));
}

WindowSession::~WindowSession()
{
    m_modem.reset();
    m_fonts->wait();
}

QQuickWindow *WindowSession::window() const { return m_window ? m_window->window() : nullptr; }

int WindowSession::exec()
{
    const int status = m_run->end(QGuiApplication::exec());
    // The window has gone: what is left to say (the end's failed saves) goes to standard error.
    for (const QString &text : m_alerts->takeWaiting())
        Console::err(text);
    return status;
}

int runWindow(const Launch &launch)
{
    WindowSession session(launch);
    if (!session.window()) {
        if (session.refusal().isEmpty())
            return 0; // the open window took it over
        Console::err(QStringLiteral("farline: ") + session.refusal());
        return 1;
    }
    return session.exec();
}
