// Call placement: how a call record becomes a dial address for the telephone.

#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/CallRoute.h"
#include "core/CommonOperations.h"
#include "core/FarlineAppDelegate.h"
#include "core/TCCManager.h"
#include "lists/RecentViewController.h"
#include "platform/TerminationSignals.h"

#include <QUrl>

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
    // A run asked to end (SIGTERM...) places no more calls, however late the event loop hears of it.
    if (!record || TerminationSignals::received())
        return;
    const CallRoute route = routeFor(record->phoneNumber);
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
    const QString address = QStringLiteral("tel:") + dialString;
    const bool accepted = telephone().open(QUrl(address));
    Q_EMIT dialled(address, accepted);
    if (!accepted || !record || !m_recents)
        return;
    m_recents->addCall(record);
    m_recents->saveDataToDisk();
}
