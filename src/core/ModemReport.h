#pragma once

#include <QString>
#include <optional>

// What the handset's modem says: the country keys of its SIM card and of the network it is
// registered on, each none when unknown (no modem, no SIM card, not registered).
struct ModemReport
{
    std::optional<QString> simCountryKey;
    std::optional<QString> networkCountryKey;

    // On a network of another country than the SIM card's.
    bool roaming() const { return simCountryKey && networkCountryKey && *simCountryKey != *networkCountryKey; }
    bool operator==(const ModemReport &) const = default;
};
