#include "app/support/Farline.h"

#include <QProcess>
#include <QProcessEnvironment>

namespace {
QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
}

QStringList FarlineRun::outLines() const { return linesOf(out); }
QStringList FarlineRun::errLines() const { return linesOf(err); }

FarlineRun runFarline(const QStringList &arguments, const QStringList &environment)
{
    QProcess process;
    QProcessEnvironment processEnvironment = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : environment)
        processEnvironment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    process.setProcessEnvironment(processEnvironment);
    process.start(QStringLiteral(FARLINE_BIN), arguments);
    FarlineRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
