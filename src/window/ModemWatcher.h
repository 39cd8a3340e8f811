#pragma once

#include <QObject>
#include <memory>

class FarlineAppDelegate;
class QThread;

// Asks the modem for the countries of the SIM card and of the network, now and every few minutes
// (a phone crosses borders), and tells the application object, and its telephone whether the
// handset has a voice modem. The questions run on a thread of their own: a system bus that is
// missing or does not answer never holds up the window.
class ModemWatcher : public QObject
{
    Q_OBJECT

public:
    explicit ModemWatcher(FarlineAppDelegate &app, QObject *parent = nullptr);
    ~ModemWatcher() override;

private:
    FarlineAppDelegate &m_app;
    std::unique_ptr<QThread> m_thread;
    QObject *m_context; // lives on the thread, with the modem
};
