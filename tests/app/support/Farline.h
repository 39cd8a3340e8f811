#pragma once

#include <QString>
#include <QStringList>

// One run of the farline program, as a script or an operator runs it.
struct FarlineRun
{
    int exitCode = -1;
    QString out;
    QString err;

    QStringList outLines() const;
    QStringList errLines() const;
};

// Runs the built farline with `arguments`, environment variables `environment` ("NAME=value")
// added, and waits for its end.
FarlineRun runFarline(const QStringList &arguments, const QStringList &environment = {});
