#pragma once

#include "app/CommandLine.h"

#include <QStringList>
#include <optional>

// Replaces this process by `program`, a program of Farline's own (the window, the modem's
// question), started with the same arguments. They are programs of their own so that no other
// command pays for loading the libraries they need. Returns only when it could not be started,
// with the exit status after one line on standard error.
int execSibling(const QString &program, const QStringList &arguments);

// In such a program: how it was launched, for one of `commands` ("modem"; "contacts sync"...);
// none, after a line on standard error, when it was started otherwise than by `farline`.
std::optional<Launch> siblingLaunch(const QString &program, const QStringList &commands);
