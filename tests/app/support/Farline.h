#pragma once

#include "support/Process.h"

#include <QProcess>
#include <QTemporaryDir>

using FarlineRun = ProcessRun;

// Runs the built farline with `arguments` and environment variables `environment` added.
FarlineRun runFarline(const QStringList &arguments, const QStringList &environment = {});

// A temporary folder with an application home in it ("home"), for running farline over it.
class FarlineHome
{
public:
    // `farline --home HOME ARGUMENTS...`, with `environment` added; with `wrapper`, that command
    // line is handed to it as its arguments (a shell, setpriv, unshare...).
    FarlineRun run(const QStringList &arguments, const QStringList &environment = {}, const QStringList &wrapper = {}) const;
    // Starts that run in `process`, for a test that acts while it runs.
    void start(QProcess &process, const QStringList &arguments, const QStringList &environment = {}) const;

    const QString &home() const { return m_home; }
    // `name` in the temporary folder that holds the home.
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A file beside the home (relative to the temporary folder), made with its folders; its path.
    QString write(const QString &name, const QByteArray &bytes) const;
    // A file of the home's documents folder; empty when it is missing.
    QByteArray document(const QString &name) const;
    void writeDocument(const QString &name, const QByteArray &bytes) const;
    // Every file of the documents folder with its bytes.
    QMap<QString, QByteArray> documents() const;

private:
    QStringList commandLine(const QStringList &arguments) const;

    QTemporaryDir m_dir;
    QString m_home = m_dir.filePath(QStringLiteral("home"));
};
