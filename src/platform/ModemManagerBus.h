#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QDBusPendingCallWatcher>
#include <QMap>
#include <QVariantMap>
#include <algorithm>

// ModemManager's D-Bus API as Farline's modem classes use it, and the buses they reach it on.
namespace ModemManagerBus {
inline const QString service = QStringLiteral("org.freedesktop.ModemManager1");
inline const QString managerPath = QStringLiteral("/org/freedesktop/ModemManager1");
inline const QString modemInterface = QStringLiteral("org.freedesktop.ModemManager1.Modem");
inline const QString modem3gppInterface = QStringLiteral("org.freedesktop.ModemManager1.Modem.Modem3gpp");
inline const QString voiceInterface = QStringLiteral("org.freedesktop.ModemManager1.Modem.Voice");
inline const QString callInterface = QStringLiteral("org.freedesktop.ModemManager1.Call");
inline const QString simInterface = QStringLiteral("org.freedesktop.ModemManager1.Sim");

using InterfaceProperties = QMap<QString, QVariantMap>;
using ManagedObjects = QMap<QDBusObjectPath, InterfaceProperties>;

// ObjectManager.GetManagedObjects of ModemManager: its modems with their interfaces.
QDBusMessage managedObjectsQuestion();

// A call whose reply, or its error after `milliseconds` without one, goes to `receive` on
// `context`'s thread; nothing once `context` has gone.
template<typename Receive>
void call(QObject *context, const QDBusConnection &bus, const QDBusMessage &message, int milliseconds, Receive receive)
{
    auto *watcher = new QDBusPendingCallWatcher(bus.asyncCall(message, std::max(milliseconds, 1)), context);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, context, [watcher, receive] {
        watcher->deleteLater();
        receive(*watcher);
    });
}
} // namespace ModemManagerBus

// A connection to a bus: the system's own system or session bus, or, for a test's private bus at
// an address, a connection of this object's own that goes with it.
class BusConnection
{
public:
    enum Kind { System, Session };
    explicit BusConnection(Kind kind, const QString &address = {});
    ~BusConnection();
    BusConnection(const BusConnection &) = delete;
    BusConnection &operator=(const BusConnection &) = delete;

    const QDBusConnection &bus() const { return m_bus; }

private:
    QString m_ownName; // empty for the system's own bus
    QDBusConnection m_bus;
};
