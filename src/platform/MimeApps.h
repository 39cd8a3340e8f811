#pragma once

#include "platform/DesktopEntry.h"

#include <QList>

// Which applications open a MIME type (or a link scheme, "x-scheme-handler/tel") on this desktop,
// by the XDG rules the desktop itself follows: the mimeapps.list files in $XDG_CONFIG_HOME,
// $XDG_CONFIG_DIRS, $XDG_DATA_HOME/applications and $XDG_DATA_DIRS/applications (each current
// desktop's own list before the common one), then the mimeinfo.cache of the applications
// folders. Desktop files are looked up in those applications folders, the first found wins.
class MimeApps
{
public:
    MimeApps() = delete;

    // The launchable applications for `mimeType`, the default first, the others in the order
    // of preference: defaults of every list in turn (each one installed and associated with the
    // type), then added associations list by list and the caches, less the removed ones.
    static QList<DesktopEntry> handlersFor(const QString &mimeType);
};
