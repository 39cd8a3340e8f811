#include "app/ApplicationRun.h"

#include "core/FarlineAppDelegate.h"

PlatformServices servicesFrom(const GlobalOptions &options)
{
    PlatformServices services{Home::resolve(options.home), Bundle::resolve(options.bundle)};
    services.telephone = Telephone::create(options.telephone);
    services.updateServer = UpdateServer::resolve(options.server);
    return services;
}

int runWithApplication(const GlobalOptions &options,
                       const std::function<int(FarlineAppDelegate &)> &operation)
{
    FarlineAppDelegate app(servicesFrom(options));
    app.applicationDidFinishLaunching();
    const int status = operation(app);
    app.applicationWillTerminate();
    return status;
}
