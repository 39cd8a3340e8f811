#pragma once

#include "app/GlobalOptions.h"

// Runs `farline` with its arguments (the program name first) and returns the exit status:
// 0 done, 1 the operation did not succeed, 2 bad usage. Without a command the window opens in
// place of this process.
int runCommandLine(const QStringList &arguments);
