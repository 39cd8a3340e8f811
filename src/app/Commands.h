#pragma once

#include "app/CommandLine.h"

#include <span>

// One command of the command line: `farline NAME ARGS...`.
struct Command
{
    const char *name;
    const char *synopsis;    // arguments, for the usage text
    const char *description; // one line, for the usage text
    int (*run)(const GlobalOptions &options, const QStringList &arguments);
    // Whether the command with these arguments places a call; none for a command that never does.
    bool (*placesCall)(const QStringList &arguments) = nullptr;
};

// The `placesCall` of a command whose action "call" places one (`recents call INDEX`...).
bool callAction(const QStringList &arguments);

// Every command, group by group.
std::span<const Command> commands();

// The command groups.
std::span<const Command> accessCommands(); // the SIM country and its access numbers
std::span<const Command> callCommands();   // call, mode
std::span<const Command> contactsCommands(); // contacts import, list, remove
std::span<const Command> listsCommands();    // recents, favorites
std::span<const Command> modemCommands();    // modem
std::span<const Command> updateCommands();   // update

// The exit status of bad usage, after one line on standard error.
int usageError(const QString &message);
