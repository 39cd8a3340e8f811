#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QUrl;

// The handset's telephone as call placement needs it: can this handset place calls at all, and
// open a "tel:" address, answering whether the request was accepted.
class Telephone
{
public:
    virtual ~Telephone() = default;
    virtual bool canPlaceCalls() = 0;
    virtual bool open(const QUrl &address) = 0;

    // How a window system opens an address (QDesktopServices::openUrl in the window).
    using UrlOpener = std::function<bool(const QUrl &)>;

    static const QString defaultName; // "system"
    // The backends' names: "system", "print", "unsupported", "refuse".
    static QStringList names();
    // The backend of that name; null for any other. The system telephone hands addresses for the
    // desktop's default handler to `windowOpener` when there is one.
    static std::unique_ptr<Telephone> create(const QString &name, UrlOpener windowOpener = {});
};
