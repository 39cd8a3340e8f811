// Call placement: how a call record becomes a dial address for the telephone.

#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/CallRoute.h"
#include "core/CommonOperations.h"
#include "core/FarlineAppDelegate.h"
#include "core/TCCManager.h"
#include "lists/RecentViewController.h"
#include "platform/TerminationSignals.h"
#include "screens/InCallViewController.h"

void FarlineAppDelegate::deviceSupportCalls() { m_callSupport = telephone().canPlaceCalls() ? 0 : 1; }

int FarlineAppDelegate::callSupport()
{
    if (!m_callSupport)
        deviceSupportCalls();
    return *m_callSupport;
}

CallRoute FarlineAppDelegate::routeFor(const QString &phoneNumber)
{
    // One snapshot of the access numbers: the update may swap in a new list meanwhile.
    return CallRoute::of({phoneNumber, m_appSettings->currentMCC, m_appSettings->useFarlineFor,
                          m_lanManager->lanNumbers(), m_lanManager->currentLANpos(),
                          !m_lanManager->fileUnreadable(), m_tccManager.get(), callSupport() == 0});
}

void FarlineAppDelegate::InitateCall(const FavoriteRecordPtr &record)
{
    if (!record)
        return;
    // One call at a time: the in-call screen covers the tabs while one lasts.
    if (m_call && m_call->state() != PhoneCall::Ended) {
        alerts().show(QStringLiteral("Farline"), QStringLiteral("A call is going on. Hang it up first."), {QStringLiteral("OK")});
        return;
    }
    const CallRoute route = routeFor(record->phoneNumber);
    // A run asked to end (SIGTERM...) places no more calls, however late the event loop hears of
    // it, nor while the telephony probe waited.
    if (TerminationSignals::received())
        return;
    if (route.kind == CallRoute::CannotCall) {
        CommonOperations::deviceDoesNotSupportsCall(alerts());
        return;
    }
    if (route.kind == CallRoute::Refused) {
        alerts().show(QStringLiteral("Farline"), route.refusal, {QStringLiteral("OK")});
        return;
    }
    record->startTime = clock().now();
    if (route.kind == CallRoute::NoAccessNumber)
        CommonOperations::showNoAvaliableNumberWarning(alerts());
    else if (route.kind == CallRoute::AccessNumbersDamaged)
        alerts().show(QStringLiteral("Farline"),
                      QStringLiteral("The Farline access numbers file is damaged. Please update the access "
                                     "numbers in Settings."),
                      {QStringLiteral("OK")});
    else
        dialNumber(route.dialString, route.recorded ? record : nullptr);
}

void FarlineAppDelegate::dialNumber(const QString &dialString, const FavoriteRecordPtr &record)
{
    follow(telephone().dial(dialString), record);
}

void FarlineAppDelegate::follow(std::unique_ptr<PhoneCall> placed, const FavoriteRecordPtr &record)
{
    m_call = std::move(placed);
    PhoneCall *call = m_call.get();
    // Taken at once by a hand-off, by the modem once ModemManager made the call. A later failure
    // is said, and the record stays.
    auto follow = [this, call, record, taken = false, ended = false]() mutable {
        if (!taken && call->accepted()) {
            taken = true;
            if (record && m_recents) {
                m_recents->addCall(record);
                m_recents->saveDataToDisk();
            }
        }
        if (!ended && call->state() == PhoneCall::Ended) {
            ended = true;
            if (call->failure())
                alerts().show(QStringLiteral("Farline"), *call->failure(), {QStringLiteral("OK")});
        }
    };
    follow();
    connect(call, &PhoneCall::changed, this, follow);

    if (call->isFollowed()) {
        if (m_inCallScreen)
            retire(m_inCallScreen.release(), this);
        const QString destination = record ? record->displayName.trimmed() : call->number();
        m_inCallScreen = std::make_unique<InCallViewController>(m_call, destination);
        connect(m_inCallScreen.get(), &InCallViewController::finished, this, [this] {
            retire(m_inCallScreen.release(), this);
            Q_EMIT inCallScreenChanged();
        });
        Q_EMIT inCallScreenChanged();
    }
    Q_EMIT callPlaced(call);
}

void FarlineAppDelegate::endCall()
{
    if (m_call)
        m_call->endNow();
}
