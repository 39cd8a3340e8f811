#pragma once

#include "platform/Telephone.h"

// The desktop's telephone: calls are possible when an application is registered for "tel:"
// links (a phone-link or softphone application), found as the desktop finds it (xdg-mime).
// The window hands in its window system's opener (QDesktopServices::openUrl); without one the
// address goes to xdg-open, which is what Qt itself runs on a Unix desktop, and its exit status
// is the answer. So the command line needs no GUI library.
class SystemTelephone final : public Telephone
{
public:
    explicit SystemTelephone(UrlOpener windowOpener = {});

    bool canPlaceCalls() override;
    bool open(const QUrl &address) override;

private:
    UrlOpener m_windowOpener;
};
