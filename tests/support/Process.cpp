#include "support/Process.h"

#include <QProcess>

namespace {
QStringList linesOf(const QString &text)
{
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
}

QStringList ProcessRun::outLines() const { return linesOf(out); }
QStringList ProcessRun::errLines() const { return linesOf(err); }

QProcessEnvironment environmentWith(const QStringList &variables)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : variables)
        environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    return environment;
}

ProcessRun runProcess(const QString &program, const QStringList &arguments, const QStringList &environment,
                      const QByteArray &input)
{
    QProcess process;
    process.setProcessEnvironment(environmentWith(environment));
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    ProcessRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.rawOut = process.readAllStandardOutput();
    run.out = QString::fromUtf8(run.rawOut);
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}
