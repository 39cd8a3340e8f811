#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <tuple>

// One run of the farline program, as a script or an operator runs it.
struct FarlineRun
{
    int exitCode = -1;
    QString out;
    QString err;

    QStringList outLines() const;
    QStringList errLines() const;
    std::tuple<int, QString, QString> all() const { return {exitCode, out, err}; }
};

// Runs the built farline with `arguments`, environment variables `environment` ("NAME=value")
// added, and waits for its end.
FarlineRun runFarline(const QStringList &arguments, const QStringList &environment = {});

// A temporary folder with an application home in it ("home"), for running farline over it.
class FarlineHome
{
public:
    // `farline --home HOME ARGUMENTS...`, with `environment` added.
    FarlineRun run(QStringList arguments, const QStringList &environment = {}) const;

    const QString &home() const { return m_home; }
    // `name` in the temporary folder that holds the home.
    QString path(const QString &name) const { return m_dir.filePath(name); }
    // A file beside the home (relative to the temporary folder), made with its folders; its path.
    QString write(const QString &name, const QByteArray &bytes) const;
    // A file of the home's documents folder; empty when it is missing.
    QByteArray document(const QString &name) const;
    void writeDocument(const QString &name, const QByteArray &bytes) const;

private:
    QTemporaryDir m_dir;
    QString m_home = m_dir.filePath(QStringLiteral("home"));
};
