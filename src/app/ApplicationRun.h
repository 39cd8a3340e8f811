#pragma once

#include "app/CommandLine.h"

#include <functional>

class FarlineAppDelegate;

// Runs `operation` as a command does: the application's start-up, the operation, then the
// end-of-application saving. Returns the operation's exit status, or 1 when the operation
// succeeded but a save failed on the way. SIGTERM,
// SIGINT and SIGHUP end every waiting event loop, so that the operation comes to its end and
// the state is saved.
int runWithApplication(const GlobalOptions &options,
                       const std::function<int(FarlineAppDelegate &)> &operation);

// The termination signal received during the run, 0 for none.
int receivedTerminationSignal();
