#pragma once

#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (how a handset shell closes an application) into a signal on
// the main thread's event loop, so that the program can end the loop and save as it does on a
// normal end. Only one may exist at a time.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

    // The signal received while one exists, 0 for none. Known at once, before the event loop
    // hears of it: work that does not return to the loop asks before it acts.
    static int received();

Q_SIGNALS:
    void terminationRequested(int signalNumber);

private:
    void readSignal();
    QSocketNotifier *m_notifier = nullptr;
};
