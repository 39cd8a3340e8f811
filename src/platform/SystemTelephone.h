#pragma once

#include "platform/Telephone.h"

// The desktop's telephone: the application registered for "tel:" links (a phone-link or
// softphone application), chosen by the desktop's rules (MimeApps). Farline registers for those
// links itself, so its own entry is passed over: the default handler when that is another
// application, else the next one registered.
// The default goes through the window system's opener that the window hands in
// (QDesktopServices::openUrl), else through xdg-open, which is what Qt itself runs on a Unix
// desktop; either would hand the address back to Farline when Farline is the default, so then
// the chosen handler's Exec line is run directly. A handler run here answers with its exit
// status. The command line needs no GUI library.
class SystemTelephone final : public HandOffTelephone
{
public:
    explicit SystemTelephone(UrlOpener windowOpener = {});

    bool canPlaceCalls() override;
    bool open(const QUrl &address) override;

    // Farline's own desktop file id.
    static const QString ownDesktopId;

private:
    UrlOpener m_windowOpener;
};
