#include "app/ApplicationRun.h"

#include "core/FarlineAppDelegate.h"

PlatformServices servicesFrom(const GlobalOptions &options)
{
    return PlatformServices{Home::resolve(options.home), Bundle::resolve(options.bundle)};
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
