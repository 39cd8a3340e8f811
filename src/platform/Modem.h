#pragma once

#include "platform/ModemManagerBus.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QString>
#include <optional>

// The handset's modem, as ModemManager publishes it on the system bus: the country of its SIM
// card and of the network it is registered on, each as a country key of the country list (the
// mobile country code of the operator). The question is asked asynchronously and ends within its
// time limit, so that a missing, empty or silent ModemManager delays nothing.
class Modem : public QObject
{
    Q_OBJECT
public:
    explicit Modem(QObject *parent = nullptr); // ModemManager on the system bus
    // ModemManager on the bus at `busAddress`, over a connection of this object's own.
    explicit Modem(const QString &busAddress, QObject *parent = nullptr);

    // Asks ModemManager (again, to follow a change of network); changed() follows within
    // `milliseconds`, with the answer or without one. The values of an earlier answer stay until
    // then.
    void start(int milliseconds = 2000);

    bool isAnswered() const { return m_answered; } // the last question has ended
    bool modemFound() const { return m_state.modemFound; }
    // A modem places voice calls (it has ModemManager's voice interface).
    bool voiceModemFound() const { return m_state.voiceModemFound; }
    std::optional<QString> simCountryKey() const { return m_state.simCountryKey; }
    std::optional<QString> networkCountryKey() const { return m_state.networkCountryKey; }

    // The country key of an operator code (mobile country code and network code, "26001"): the
    // mobile country code; a country's further codes are folded into the first, by which the
    // country list knows it. None for anything but five or six digits.
    static std::optional<QString> countryKeyOf(const QString &operatorCode);

Q_SIGNALS:
    // A question has ended.
    void changed();

private:
    struct State
    {
        bool modemFound = false;
        bool voiceModemFound = false;
        std::optional<QString> simCountryKey;
        std::optional<QString> networkCountryKey;
    };

    void askForSim(int question, const QString &simPath);
    void answer(int question);

    BusConnection m_connection;
    int m_question = 0;
    QDeadlineTimer m_deadline;
    State m_learnt; // by the question under way
    bool m_answered = false;
    State m_state;
};
