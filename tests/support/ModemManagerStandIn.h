#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A private system bus for one test, and on it, once started, a ModemManager stand-in:
// python3-dbusmock with modemmanager_template.py, which publishes the objects, interfaces and
// properties of ModemManager's D-Bus API. Needs dbus-daemon and python3-dbusmock.
class ModemManagerStandIn
{
public:
    ModemManagerStandIn(); // starts the bus, with no ModemManager on it
    ~ModemManagerStandIn();
    ModemManagerStandIn(const ModemManagerStandIn &) = delete;
    ModemManagerStandIn &operator=(const ModemManagerStandIn &) = delete;

    // What is missing for the stand-in to run here; empty when nothing is.
    const QString &missing() const { return m_missing; }
    const QString &busAddress() const { return m_address; }
    QStringList environment() const; // "DBUS_SYSTEM_BUS_ADDRESS=..." for a program run on the bus

    // Puts ModemManager on the bus with the modems `parameters` describe (the template's JSON)
    // and waits until it owns its name.
    bool start(const QByteArray &parameters);
    // Stops the service's process: it keeps its name and answers nothing.
    void freeze();

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_service;
    QString m_address;
    QString m_missing;
};
