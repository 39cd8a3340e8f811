#pragma once

#include <QStringList>
#include <span>

// One subcommand of farline-data: `farline-data NAME ARGS...`. Exit status 0 done, 1 the
// operation failed, 2 bad usage; a failure is one line on standard error.
struct DataCommand
{
    const char *name;
    const char *synopsis;    // arguments, for the usage text
    const char *description; // one line, for the usage text
    int (*run)(const QStringList &arguments);
};

std::span<const DataCommand> dataCommands();

int runEncrypt(const QStringList &arguments);
int runDecrypt(const QStringList &arguments);
int runPublish(const QStringList &arguments);
int runKeygen(const QStringList &arguments);

// The lines of `input`, each ended by "\n" or "\r\n" (the last one perhaps by nothing), joined
// with "\r\n" as the readers split them: the plain text of a data file.
QByteArray dataFileText(const QByteArray &input);

// One line "farline-data: MESSAGE" on standard error; the status of bad usage (2) or of a
// failed operation (1).
int usageError(const QString &message);
int failure(const QString &message);
