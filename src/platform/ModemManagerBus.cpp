#include "platform/ModemManagerBus.h"

#include <QDBusMetaType>

namespace {
// Qt D-Bus sets up its types at their first use. Done before a connection's thread starts, that
// cannot race with the thread's first replies, which would then come out as invalid types.
void registerTypes()
{
    static const bool registered = [] {
        qDBusRegisterMetaType<ModemManagerBus::InterfaceProperties>();
        qDBusRegisterMetaType<ModemManagerBus::ManagedObjects>();
        return true;
    }();
    Q_UNUSED(registered);
}

QDBusConnection connection(BusConnection::Kind kind, const QString &address, const QString &ownName)
{
    registerTypes();
    if (!address.isEmpty())
        return QDBusConnection::connectToBus(address, ownName);
    return kind == BusConnection::System ? QDBusConnection::systemBus() : QDBusConnection::sessionBus();
}
} // namespace

QDBusMessage ModemManagerBus::managedObjectsQuestion()
{
    return QDBusMessage::createMethodCall(service, managerPath, QStringLiteral("org.freedesktop.DBus.ObjectManager"),
                                          QStringLiteral("GetManagedObjects"));
}

BusConnection::BusConnection(Kind kind, const QString &address)
    : m_ownName(address.isEmpty() ? QString() : QStringLiteral("farline-bus-%1").arg(quintptr(this), 0, 16))
    , m_bus(connection(kind, address, m_ownName))
{
}

BusConnection::~BusConnection()
{
    if (!m_ownName.isEmpty())
        QDBusConnection::disconnectFromBus(m_ownName);
}
