#include "platform/Telephone.h"

#include "log/Log.h"
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

struct Backend
{
    QLatin1StringView name;
    std::unique_ptr<Telephone> (*make)(Telephone::UrlOpener windowOpener);
};

const Backend backends[] = {
    {QLatin1StringView("system"), [](Telephone::UrlOpener opener) -> std::unique_ptr<Telephone> {
         return std::make_unique<SystemTelephone>(std::move(opener));
     }},
    {QLatin1StringView("print"), [](Telephone::UrlOpener) -> std::unique_ptr<Telephone> { return std::make_unique<PrintTelephone>(); }},
    {QLatin1StringView("unsupported"),
     [](Telephone::UrlOpener) -> std::unique_ptr<Telephone> { return std::make_unique<UnsupportedTelephone>(); }},
    {QLatin1StringView("refuse"), [](Telephone::UrlOpener) -> std::unique_ptr<Telephone> { return std::make_unique<RefusingTelephone>(); }},
};
} // namespace

QStringList Telephone::names()
{
    QStringList list;
    for (const Backend &backend : backends)
        list.append(backend.name);
    return list;
}

std::unique_ptr<Telephone> Telephone::create(const QString &name, UrlOpener windowOpener)
{
    for (const Backend &backend : backends) {
        if (name == backend.name) {
            qCDebug(lcTelephone).noquote() << "telephone:" << name;
            return backend.make(std::move(windowOpener));
        }
    }
    return nullptr;
}
