#pragma once

#include "platform/Telephone.h"

// The desktop's telephone: calls are possible when an application is registered for "tel:"
// links (a phone-link or softphone application), found as the desktop finds it (xdg-mime).
// In the window the address goes to QDesktopServices::openUrl; without one, to xdg-open,
// which is what Qt itself runs on a Unix desktop, and its exit status is the answer.
class SystemTelephone final : public Telephone
{
public:
    bool canPlaceCalls() override;
    bool open(const QUrl &address) override;
};
