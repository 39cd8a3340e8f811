#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class TCCManager;

// How a call is dialled: through the SIM country's access number, directly, or not at all (and
// why). The one rule every call follows, as a function of what it depends on, so that the
// keypad's preview and call placement cannot differ.
struct CallRoute
{
    enum Kind {
        CannotCall,      // this handset places no calls
        Direct,          // the destination alone
        ViaAccessNumber, // the access number, a pause, then the destination
        NoAccessNumber,  // to be routed, but the SIM country has no access number
        AccessNumbersDamaged, // to be routed, but the access number file cannot be read, or the
                              // access number chosen is none (no digits, letters)
        Refused,         // a number Farline must not dial (see KeypadNumber): `refusal` says why
    };

    // What the route depends on, gathered by call placement at the moment of the call.
    struct Inputs
    {
        QString number;                        // as the user, a list or the address book gave it
        std::optional<QString> simCountry;     // the SIM country's key, "-1" before one is chosen
        int useFarlineFor = 1;                 // 1 "Always", 0 "International calls"
        QStringList accessNumbers;             // the SIM country's, as listed
        int position = 0;                      // the one chosen in the settings
        bool accessNumbersReadable = true;     // whether the access number file deciphers
        const TCCManager *diallingTable = nullptr;
        bool canCall = true;                   // the telephony probe's answer
    };

    Kind kind = CannotCall;
    QString dialString;   // what follows "tel:" when the call is dialled
    QString accessNumber; // the access number used, as listed
    bool recorded = false; // an accepted call enters the recent calls
    QString refusal;      // for the user, when Refused

    static CallRoute of(const Inputs &inputs);
};
