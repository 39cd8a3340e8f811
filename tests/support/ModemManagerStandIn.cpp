#include "support/ModemManagerStandIn.h"
#include "support/Files.h"
#include "support/Process.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusReply>
#include <QFile>
#include <QStandardPaths>
#include <QTest>
#include <csignal>

namespace {
const QString python = QStringLiteral("/usr/bin/python3"); // Debian's, which has python3-dbusmock

// A bus of its own: no service activation, everyone may own any name.
const QByteArray busConfiguration = R"(<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=%DIR</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
)";

void stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.kill(); // also ends a stopped process
    process.waitForFinished();
}
}

ModemManagerStandIn::ModemManagerStandIn()
{
    if (QStandardPaths::findExecutable(QStringLiteral("dbus-daemon")).isEmpty()) {
        m_missing = QStringLiteral("dbus-daemon");
        return;
    }
    if (QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import dbusmock")}) != 0) {
        m_missing = QStringLiteral("python3-dbusmock");
        return;
    }
    const QString configuration = writeFile(m_dir.filePath(QStringLiteral("bus.conf")),
                                            QByteArray(busConfiguration).replace("%DIR", QFile::encodeName(m_dir.path())));

    m_bus.setStandardErrorFile(QProcess::nullDevice()); // complaints about the limits of a user's bus
    m_bus.start(QStringLiteral("dbus-daemon"),
                {QStringLiteral("--config-file=") + configuration, QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
    while (!m_bus.canReadLine() && m_bus.waitForReadyRead(10000)) {
    }
    m_address = QString::fromUtf8(m_bus.readLine()).trimmed();
    if (m_address.isEmpty())
        qFatal("the private bus did not start");
}

ModemManagerStandIn::~ModemManagerStandIn()
{
    QDBusConnection::disconnectFromBus(m_control);
    stop(m_service);
    stop(m_bus);
}

QStringList ModemManagerStandIn::environment() const
{
    return {QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS=") + m_address, QStringLiteral("DBUS_SESSION_BUS_ADDRESS=") + m_address};
}

bool ModemManagerStandIn::start(const QByteArray &parameters)
{
    m_service.setProcessEnvironment(environmentWith(environment()));
    m_service.setStandardOutputFile(QProcess::nullDevice()); // its log of the calls
    m_service.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_service.start(python, {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--system"),
                             QStringLiteral("--template"), QStringLiteral(FARLINE_MODEMMANAGER_TEMPLATE),
                             QStringLiteral("--parameters"), QString::fromUtf8(parameters)});
    const QString connectionName = QStringLiteral("modem-stand-in-watch");
    bool owned = false;
    {
        const QDBusConnection bus = QDBusConnection::connectToBus(m_address, connectionName);
        owned = QTest::qWaitFor([&] {
            return m_service.state() != QProcess::NotRunning
                && bus.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.ModemManager1"));
        }, 10000);
    }
    QDBusConnection::disconnectFromBus(connectionName);
    return owned;
}

void ModemManagerStandIn::freeze() { ::kill(pid_t(m_service.processId()), SIGSTOP); }

QDBusConnection ModemManagerStandIn::control() const { return QDBusConnection::connectToBus(m_address, m_control); }

namespace {
QDBusMessage standInCall(const char *method)
{
    return QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.ModemManager1"), QStringLiteral("/org/freedesktop/ModemManager1"),
                                          QStringLiteral("org.farline.StandIn"), QLatin1String(method));
}
}

QList<ModemManagerStandIn::Event> ModemManagerStandIn::events() const
{
    const QDBusReply<QStringList> reply = control().call(standInCall("Events"));
    QList<Event> events;
    for (const QString &line : reply.value())
        events.append({line.section(u' ', 0, 0).toDouble(), line.section(u' ', 1)});
    return events;
}

QStringList ModemManagerStandIn::eventNames() const
{
    QStringList names;
    for (const Event &event : events())
        names.append(event.what);
    return names;
}

void ModemManagerStandIn::setCallState(int state, uint reason) const
{
    QDBusMessage message = standInCall("SetCallState");
    message << state << reason;
    control().call(message);
}
