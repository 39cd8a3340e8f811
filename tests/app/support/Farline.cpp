#include "app/support/Farline.h"
#include "support/Files.h"

#include <QDir>
#include <QMap>

FarlineRun runFarline(const QStringList &arguments, const QStringList &environment)
{
    return runProcess(QStringLiteral(FARLINE_BIN), arguments, environment);
}

QStringList FarlineHome::commandLine(const QStringList &arguments) const
{
    return QStringList{QStringLiteral(FARLINE_BIN), QStringLiteral("--home"), m_home} + arguments;
}

void FarlineHome::start(QProcess &process, const QStringList &arguments, const QStringList &environment) const
{
    process.setProcessEnvironment(environmentWith(environment));
    process.start(QStringLiteral(FARLINE_BIN), commandLine(arguments).mid(1));
}

FarlineRun FarlineHome::run(const QStringList &arguments, const QStringList &environment, const QStringList &wrapper) const
{
    const QStringList command = wrapper + commandLine(arguments);
    return runProcess(command.first(), command.mid(1), environment);
}

QString FarlineHome::write(const QString &name, const QByteArray &bytes) const
{
    return writeFile(m_dir.filePath(name), bytes);
}

QByteArray FarlineHome::document(const QString &name) const
{
    return readFile(m_home + QStringLiteral("/Documents/") + name);
}

void FarlineHome::writeDocument(const QString &name, const QByteArray &bytes) const
{
    write(QStringLiteral("home/Documents/") + name, bytes);
}

QMap<QString, QByteArray> FarlineHome::documents() const
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(m_home + QStringLiteral("/Documents")).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, document(name));
    return files;
}
