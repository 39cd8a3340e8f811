#include "app/OpenTelAddress.h"

#include "platform/WindowInstance.h"

int openTelAddress(const QString &home, const QString &address, const std::function<int()> &startWindow)
{
    if (WindowInstance::handOver(home, address))
        return 0;
    return startWindow();
}
