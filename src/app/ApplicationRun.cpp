#include "app/ApplicationRun.h"

#include "core/FarlineAppDelegate.h"
#include "platform/PlatformServices.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>

namespace {
int terminationSignal = 0;
}

int runWithApplication(const GlobalOptions &options,
                       const std::function<int(FarlineAppDelegate &)> &operation)
{
    // Closed by the shell: the application saves as at any end.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [](int signalNumber) {
        terminationSignal = signalNumber;
        QCoreApplication::exit();
    });

    FarlineAppDelegate app(servicesFrom(options));
    app.applicationDidFinishLaunching();
    const int status = operation(app);
    app.applicationWillTerminate();
    return status;
}

int receivedTerminationSignal() { return terminationSignal; }
