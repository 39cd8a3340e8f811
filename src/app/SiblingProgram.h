#pragma once

#include <QStringList>

// Replaces this process by `program`, a program of Farline's own (the window, the modem's
// question), started with the same arguments. They are programs of their own so that no other
// command pays for loading the libraries they need. Returns only when it could not be started,
// with the exit status after one line on standard error.
int execSibling(const QString &program, const QStringList &arguments);
