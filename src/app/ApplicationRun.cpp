#include "app/ApplicationRun.h"

#include "core/FarlineAppDelegate.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>

PlatformServices servicesFrom(const GlobalOptions &options)
{
    PlatformServices services{Home::resolve(options.home), Bundle::resolve(options.bundle)};
    services.telephone = Telephone::create(options.telephone);
    return services;
}

int runWithApplication(const GlobalOptions &options,
                       const std::function<int(FarlineAppDelegate &)> &operation)
{
    // Closed by the shell (SIGTERM, SIGINT, SIGHUP): every waiting event loop ends, the operation
    // comes to its end and the application saves as at any end.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [] { QCoreApplication::exit(); });

    FarlineAppDelegate app(servicesFrom(options));
    app.applicationDidFinishLaunching();
    const int status = operation(app);
    app.applicationWillTerminate();
    return status;
}
