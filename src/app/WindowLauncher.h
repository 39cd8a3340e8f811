#pragma once

#include <QStringList>

// Replaces this process by the dialer window, started with the same arguments. The window is a
// program of its own, so that no command pays for loading the GUI libraries. Returns only when
// it could not be started, with the exit status after one line on standard error.
int openWindow(const QStringList &arguments);
