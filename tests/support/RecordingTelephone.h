#pragma once

#include "platform/Telephone.h"

#include <QStringList>
#include <QUrl>

// A telephone for tests: answers as configured and keeps every address it was asked to open.
class RecordingTelephone final : public HandOffTelephone
{
public:
    bool canCall = true;
    bool accepts = true;
    QStringList opened;

    bool canPlaceCalls() override { return canCall; }
    bool open(const QUrl &address) override
    {
        opened.append(address.toString());
        return accepts;
    }
};
