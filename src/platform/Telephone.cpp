#include "platform/Telephone.h"

#include "log/Log.h"
#include "platform/Console.h"
#include "platform/SystemTelephone.h"

#include <QUrl>

const QString Telephone::defaultName = QStringLiteral("system");

std::unique_ptr<PhoneCall> HandOffTelephone::dial(const QString &dialString)
{
    return PhoneCall::handedOver(dialString, open(QUrl(QStringLiteral("tel:") + dialString)));
}

namespace {
// Accepts every address and writes it to standard output: for trying Farline without a phone.
class PrintTelephone final : public HandOffTelephone
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
class UnsupportedTelephone final : public HandOffTelephone
{
public:
    bool canPlaceCalls() override { return false; }
    bool open(const QUrl &) override { return false; }
};

// A telephone that can call but refuses every address.
class RefusingTelephone final : public HandOffTelephone
{
public:
    bool canPlaceCalls() override { return true; }
    bool open(const QUrl &) override { return false; }
};

Telephone::Maker &modemTelephones()
{
    static Telephone::Maker maker;
    return maker;
}

bool usesModem(const QString &name) { return name == u"system" || name == u"modem"; }

struct Backend
{
    QLatin1StringView name;
    std::unique_ptr<Telephone> (*make)(Telephone::UrlOpener windowOpener);
};

// "system" and "modem" as a program without the modem makes them (see setModemTelephones): the
// desktop's "tel:" handler, and no telephone.
const Backend backends[] = {
    {QLatin1StringView("system"), [](Telephone::UrlOpener opener) -> std::unique_ptr<Telephone> {
         return std::make_unique<SystemTelephone>(std::move(opener));
     }},
    {QLatin1StringView("modem"), [](Telephone::UrlOpener) -> std::unique_ptr<Telephone> { return std::make_unique<UnsupportedTelephone>(); }},
    {QLatin1StringView("tel"), [](Telephone::UrlOpener opener) -> std::unique_ptr<Telephone> {
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
    if (usesModem(name) && modemTelephones()) {
        qCDebug(lcTelephone).noquote() << "telephone:" << name << "(with the modem)";
        return modemTelephones()(name, std::move(windowOpener));
    }
    for (const Backend &backend : backends) {
        if (name == backend.name) {
            qCDebug(lcTelephone).noquote() << "telephone:" << name;
            return backend.make(std::move(windowOpener));
        }
    }
    return nullptr;
}

void Telephone::setModemTelephones(Maker maker) { modemTelephones() = std::move(maker); }

bool Telephone::needsModemProgram(const QString &name) { return usesModem(name) && !modemTelephones(); }
