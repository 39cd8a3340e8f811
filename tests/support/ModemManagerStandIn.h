#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A private system bus for one test, and on it, once started, a ModemManager stand-in:
// python3-dbusmock with modemmanager_template.py, which publishes the objects, interfaces and
// properties of ModemManager's D-Bus API, places its calls, and when asked stands in for
// callaudiod and a dialer of the system on the same bus (a test's session bus too). Needs
// dbus-daemon and python3-dbusmock.
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
    // "DBUS_SYSTEM_BUS_ADDRESS=..." for a program run on the bus, its session bus too.
    QStringList environment() const;

    // Puts ModemManager on the bus with the modems `parameters` describe (the template's JSON)
    // and waits until it owns its name.
    bool start(const QByteArray &parameters);
    // Stops the service's process: it keeps its name and answers nothing.
    void freeze();

    // What the stand-in was asked and did, in order (see the template): "CreateCall +4822...",
    // "Start", "State 4", "SendDtmf 0"..., each with its time in seconds.
    struct Event
    {
        double seconds;
        QString what;
    };
    QList<Event> events() const;
    QStringList eventNames() const; // the events' "what"
    // Moves the newest call to `state` (ModemManager's MMCallState) for `reason`.
    void setCallState(int state, uint reason = 0) const;

private:
    QTemporaryDir m_dir;
    QProcess m_bus;
    QProcess m_service;
    QString m_address;
    QString m_missing;
    QDBusConnection control() const; // the connection that asks the stand-in
    QString m_control = QStringLiteral("modem-stand-in-%1").arg(quintptr(this), 0, 16);
};
