#include "platform/Telephone.h"

#include "platform/Console.h"
#include "platform/SystemTelephone.h"

#include <QUrl>

const QString Telephone::defaultName = QStringLiteral("system");

namespace {
// Accepts every address and writes it to standard output: for trying Farline without a phone.
class PrintTelephone final : public Telephone
{
public:
    bool canPlaceCalls() override { return true; }
    bool open(const QUrl &address) override
    {
        Console::out(address.toString());
        return true;
    }
};

// A handset without telephony.
class UnsupportedTelephone final : public Telephone
{
public:
    bool canPlaceCalls() override { return false; }
    bool open(const QUrl &) override { return false; }
};

// A telephone that can call but refuses every address.
class RefusingTelephone final : public Telephone
{
public:
    bool canPlaceCalls() override { return true; }
    bool open(const QUrl &) override { return false; }
};
}

std::unique_ptr<Telephone> Telephone::create(const QString &name, UrlOpener windowOpener)
{
    if (name == defaultName)
        return std::make_unique<SystemTelephone>(std::move(windowOpener));
    if (name == u"print")
        return std::make_unique<PrintTelephone>();
    if (name == u"unsupported")
        return std::make_unique<UnsupportedTelephone>();
    if (name == u"refuse")
        return std::make_unique<RefusingTelephone>();
    return nullptr;
}
