#include "support/EvolutionDataServer.h"
#include "support/Process.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {
const QString python = QStringLiteral("/usr/bin/python3"); // Debian's, which has python3-gi
}

EvolutionDataServer::EvolutionDataServer()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty())
        m_missing = QStringLiteral("dbus-daemon");
    else if (!QFile::exists(QStringLiteral("/usr/libexec/evolution-addressbook-factory")))
        m_missing = QStringLiteral("evolution-data-server");
    else if (QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import gi; gi.require_version('EBook', '1.2')")}) != 0)
        m_missing = QStringLiteral("gir1.2-ebook-1.2");
    if (!m_missing.isEmpty())
        return;
    for (const char *folder : {"data", "config", "cache", "run"})
        QDir(m_dir.path()).mkdir(QLatin1String(folder));
    QFile(m_dir.filePath(QStringLiteral("run"))).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Exported before the bus starts: the services it starts take its environment.
    QStringList variables = environment();
    variables.removeFirst();
    m_bus.setProcessEnvironment(environmentWith(variables));
    m_bus.setStandardErrorFile(QProcess::nullDevice()); // complaints about the limits of a user's bus
    m_bus.start(QStringLiteral("dbus-daemon"), {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    while (!m_bus.canReadLine() && m_bus.waitForReadyRead(10000)) {
    }
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    if (m_address.isEmpty())
        qFatal("the private session bus did not start");
}

EvolutionDataServer::~EvolutionDataServer()
{
    // EDS's programs end with the bus they were started on.
    m_bus.kill();
    m_bus.waitForFinished();
}

QStringList EvolutionDataServer::environment() const
{
    return {QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") + m_address,
            QStringLiteral("XDG_DATA_HOME=") + dataHome(),
            QStringLiteral("XDG_CONFIG_HOME=") + m_dir.filePath(QStringLiteral("config")),
            QStringLiteral("XDG_CACHE_HOME=") + m_dir.filePath(QStringLiteral("cache")),
            QStringLiteral("XDG_RUNTIME_DIR=") + m_dir.filePath(QStringLiteral("run")),
            QStringLiteral("GSETTINGS_BACKEND=memory")};
}

QString EvolutionDataServer::change(const QString &action, const QStringList &items)
{
    const ProcessRun run = runProcess(python, QStringList{QStringLiteral(FARLINE_EDS_CONTACTS), action} + items, environment());
    if (run.exitCode != 0)
        qCritical("eds_contacts.py %s: %s", qPrintable(action), qPrintable(run.err));
    return run.exitCode == 0 ? run.out : QString();
}

QStringList EvolutionDataServer::add(const QStringList &vcards) { return change(QStringLiteral("add"), vcards).split(u'\n', Qt::SkipEmptyParts); }

void EvolutionDataServer::modify(const QStringList &vcards) { change(QStringLiteral("modify"), vcards); }

void EvolutionDataServer::remove(const QStringList &uids) { change(QStringLiteral("remove"), uids); }
