#include "window/WindowRun.h"

#include "app/GlobalOptions.h"
#include "core/FarlineAppDelegate.h"
#include "platform/PlatformServices.h"
#include "platform/QueuedAlerts.h"
#include "platform/TerminationSignals.h"
#include "window/DialerWindow.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QQuickWindow>

int runWindow(const Launch &launch)
{
    PlatformServices services =
        servicesFrom(launch.options, [](const QUrl &address) { return QDesktopServices::openUrl(address); });
    auto alerts = std::make_unique<QueuedAlerts>();
    QueuedAlerts &shownAlerts = *alerts;
    services.alerts = std::move(alerts);

    FarlineAppDelegate app(std::move(services));
    app.applicationDidFinishLaunching();
    DialerWindow window(app, shownAlerts);
    if (!window.window())
        return 1;

    // Closed by the shell: the window closes and the run ends as when the user closes it.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, window.window(), &QWindow::close);
    window.window()->show();
    const int status = QGuiApplication::exec();
    app.applicationWillTerminate();
    return status;
}
