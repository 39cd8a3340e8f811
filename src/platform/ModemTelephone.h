#pragma once

#include "platform/ModemCall.h"
#include "platform/Telephone.h"

#include <memory>
#include <optional>

class BusConnection;

// The handset's modem as a telephone: calls placed through ModemManager (ModemCall) while it has
// a modem that places voice calls, through `fallback` otherwise: "system" falls back on the
// desktop's "tel:" handler (a desktop with a softphone), "modem" on nothing.
class ModemTelephone final : public Telephone
{
    Q_OBJECT

public:
    // How the telephone learns whether the handset has a voice modem.
    enum class Learning {
        AsksWhenNeeded, // at the first question, waiting up to 2 s: the command line, whose work then is the call
        Told,           // from modemAnswered(): the window, whose watcher asks off the main thread
    };
    struct Settings
    {
        Learning learning = Learning::AsksWhenNeeded;
        ModemCall::Timing timing = ModemCall::Timing::fromEnvironment();
        // Private buses (a test's); empty for the system's own.
        QString systemBus;
        QString sessionBus;
    };

    ModemTelephone(Settings settings, std::unique_ptr<Telephone> fallback);
    ~ModemTelephone() override;

    bool canPlaceCalls() override;
    std::unique_ptr<PhoneCall> dial(const QString &dialString) override;
    void modemAnswered(bool voiceModemFound) override;

    // This program's "system" and "modem" telephones are the modem's.
    static void install(Learning learning);

private:
    bool hasVoiceModem();

    Settings m_settings;
    std::unique_ptr<Telephone> m_fallback;
    std::optional<bool> m_voiceModem;
    // Made at the first call: the window's watcher has connected to the system bus by then, off
    // the main thread.
    std::unique_ptr<BusConnection> m_system;
    std::unique_ptr<BusConnection> m_session;
};
