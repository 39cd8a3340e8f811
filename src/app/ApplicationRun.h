#pragma once

#include "app/CommandLine.h"

#include <functional>

class FarlineAppDelegate;

// Runs `operation` as a command does: takes the home's lock (HomeLock), waiting for a run that
// holds it for $FARLINE_LOCK_WAIT seconds (5 by default); then the application's start-up, the
// operation and the end-of-application saving, after which the lock is let go. Returns the
// operation's exit status, or 1 when the lock could not be taken (one line on standard error,
// nothing changed) or when the operation succeeded but a save failed on the way. SIGTERM,
// SIGINT and SIGHUP end every waiting event loop, so that the operation comes to its end and
// the state is saved.
int runWithApplication(const GlobalOptions &options,
                       const std::function<int(FarlineAppDelegate &)> &operation);

// The termination signal received during the run, 0 for none.
int receivedTerminationSignal();
