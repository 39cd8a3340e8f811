#include "app/support/Farline.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

FarlineRun FarlineHome::run(QStringList arguments, const QStringList &environment) const
{
    arguments.prepend(m_home);
    arguments.prepend(QStringLiteral("--home"));
    return runFarline(arguments, environment);
}

QString FarlineHome::write(const QString &name, const QByteArray &bytes) const
{
    const QString path = m_dir.filePath(name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

QByteArray FarlineHome::document(const QString &name) const
{
    QFile file(m_home + QStringLiteral("/Documents/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void FarlineHome::writeDocument(const QString &name, const QByteArray &bytes) const
{
    write(QStringLiteral("home/Documents/") + name, bytes);
}
