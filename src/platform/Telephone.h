#pragma once

#include <QString>
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

    static const QString defaultName; // "system"
    // The backend of that name: "system", "print", "unsupported" or "refuse"; null for any other.
    static std::unique_ptr<Telephone> create(const QString &name);
};
