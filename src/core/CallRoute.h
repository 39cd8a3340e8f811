#pragma once

#include <QString>

// How call placement would dial a number: through the SIM country's access number, directly, or
// not at all (and why).
struct CallRoute
{
    enum Kind {
        CannotCall,      // this handset places no calls
        Direct,          // the destination alone
        ViaAccessNumber, // the access number, a pause, then the destination
        NoAccessNumber,  // to be routed, but the SIM country has no access number
        AccessNumbersDamaged, // to be routed, but the access number file cannot be read
    };

    Kind kind = CannotCall;
    QString dialString;   // what follows "tel:" when the call is dialled
    QString accessNumber; // the access number used, as listed
    bool recorded = false; // an accepted call enters the recent calls
};
