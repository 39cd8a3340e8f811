#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The options that every command accepts.
struct GlobalOptions
{
    std::optional<QString> home;
    std::optional<QString> bundle;
    QString telephone; // the backend's name, checked: --telephone, $FARLINE_TELEPHONE, "system"
    std::optional<QString> server;
};

// Runs `farline` with its arguments (the program name first) and returns the exit status:
// 0 done, 1 the operation did not succeed, 2 bad usage.
int runCommandLine(const QStringList &arguments);
