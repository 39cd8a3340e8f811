#include "app/ApplicationRun.h"

#include "core/ApplicationLifetime.h"
#include "datafile/CryptoManager.h"
#include "platform/Clock.h"
#include "platform/Console.h"
#include "platform/HomeLock.h"
#include "platform/PlatformServices.h"
#include "platform/TerminationSignals.h"

#include <QCoreApplication>
#include <csignal>

namespace {
// How long a run waits for another one on the same home.
int lockWaitMs() { return Clock::waitFromEnvironment("FARLINE_LOCK_WAIT", HomeLock::defaultWaitMs); }

// What this run is, for the message of a run that finds the home taken: the command as typed.
QString holderName()
{
    const auto launch = parseLaunch(QCoreApplication::arguments());
    const Launch *parsed = std::get_if<Launch>(&launch);
    return (QStringList{QStringLiteral("farline")} + (parsed ? parsed->command : QStringList())).join(u' ');
}
} // namespace

int runWithApplication(const GlobalOptions &options,
                       const std::function<int(FarlineAppDelegate &)> &operation)
{
    // A file size limit then fails the write, which is said, instead of ending the run unsaid.
    std::signal(SIGXFSZ, SIG_IGN);
    // The application reads the data files as it starts.
    const std::jthread crypto = CryptoManager::prepareMeanwhile();
    // Taken before anything is read, so that this run starts from the state the previous one
    // saved. A signal while waiting ends the process as it ends any program: nothing is loaded.
    auto lock = HomeLock::acquire(Home(options.home), holderName(), lockWaitMs());
    if (const QString *refused = std::get_if<QString>(&lock)) {
        Console::err(QStringLiteral("farline: ") + *refused);
        return 1;
    }

    // Closed by the shell: the application saves as at any end.
    TerminationSignals termination;
    QObject::connect(&termination, &TerminationSignals::terminationRequested, [] { QCoreApplication::exit(); });

    ApplicationLifetime run(servicesFrom(options));
    return run.end(operation(run.app()));
}

int receivedTerminationSignal() { return TerminationSignals::received(); }
