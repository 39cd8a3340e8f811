#pragma once

#include "core/FavoriteRecord.h"

// Where the screens hand a call: the application object places it (or shows why it cannot)
// and, when the telephone accepts it, records the very same record in the recent calls.
class CallInitiator
{
public:
    virtual ~CallInitiator() = default;
    virtual void InitateCall(const FavoriteRecordPtr &record) = 0;
};
