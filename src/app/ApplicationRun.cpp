#include "app/ApplicationRun.h"

#include "core/FarlineAppDelegate.h"
#include "platform/PlatformServices.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <csignal>

namespace {
int terminationSignal = 0;
}

int runWithApplication(const GlobalOptions &options,
                       const std::function<int(FarlineAppDelegate &)> &operation)
{
    // A file size limit then fails the write, which is said, instead of ending the run unsaid.
    std::signal(SIGXFSZ, SIG_IGN);
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
    // A save that failed was said as it happened; the run is no success then.
    return status == 0 && app.failed() ? 1 : status;
}

int receivedTerminationSignal() { return terminationSignal; }
