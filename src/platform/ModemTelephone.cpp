#include "platform/ModemTelephone.h"

#include "log/Log.h"
#include "platform/Modem.h"
#include "platform/SystemTelephone.h"

#include <QEventLoop>

namespace {
// As long as `farline modem` waits for ModemManager.
constexpr int questionMs = 2000;
}

ModemTelephone::ModemTelephone(Settings settings, std::unique_ptr<Telephone> fallback)
    : m_settings(std::move(settings))
    , m_fallback(std::move(fallback))
{
}

ModemTelephone::~ModemTelephone() = default;

bool ModemTelephone::hasVoiceModem()
{
    if (!m_voiceModem && m_settings.learning == Learning::AsksWhenNeeded) {
        auto modem = m_settings.systemBus.isEmpty() ? std::make_unique<Modem>() : std::make_unique<Modem>(m_settings.systemBus);
        QEventLoop wait;
        connect(modem.get(), &Modem::changed, &wait, &QEventLoop::quit);
        modem->start(questionMs);
        if (!modem->isAnswered())
            wait.exec();
        m_voiceModem = modem->voiceModemFound();
    }
    return m_voiceModem.value_or(false);
}

bool ModemTelephone::canPlaceCalls() { return hasVoiceModem() || (m_fallback && m_fallback->canPlaceCalls()); }

std::unique_ptr<PhoneCall> ModemTelephone::dial(const QString &dialString)
{
    if (!hasVoiceModem()) {
        qCDebug(lcTelephone) << "no voice modem:" << (m_fallback ? "the tel: hand-off" : "no telephone");
        return m_fallback ? m_fallback->dial(dialString) : PhoneCall::handedOver(dialString, false);
    }
    if (!m_system) {
        m_system = std::make_unique<BusConnection>(BusConnection::System, m_settings.systemBus);
        m_session = std::make_unique<BusConnection>(BusConnection::Session, m_settings.sessionBus);
    }
    qCDebug(lcTelephone) << "placing the call through the modem";
    return std::make_unique<ModemCall>(DialString::split(dialString), m_system->bus(), m_session->bus(), m_settings.timing);
}

void ModemTelephone::modemAnswered(bool voiceModemFound)
{
    if (m_voiceModem == voiceModemFound)
        return;
    m_voiceModem = voiceModemFound;
    Q_EMIT canPlaceCallsChanged();
}

void ModemTelephone::install(Learning learning)
{
    Telephone::setModemTelephones([learning](const QString &name, UrlOpener windowOpener) {
        Settings settings;
        settings.learning = learning;
        std::unique_ptr<Telephone> fallback;
        if (name == u"system")
            fallback = std::make_unique<SystemTelephone>(std::move(windowOpener));
        return std::make_unique<ModemTelephone>(std::move(settings), std::move(fallback));
    });
}
