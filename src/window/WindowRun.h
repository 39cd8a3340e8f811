#pragma once

struct Launch;

// Opens the dialer window for `launch` and runs it until it is closed, or until the shell ends
// it with SIGTERM, SIGINT or SIGHUP; then saves as every run ends. Returns the exit status.
int runWindow(const Launch &launch);
