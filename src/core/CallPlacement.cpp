// Call placement: how a call record becomes a dial address for the telephone.

#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/CommonOperations.h"
#include "core/FarlineAppDelegate.h"
#include "core/TCCManager.h"
#include "lists/RecentViewController.h"

#include <QUrl>

namespace {
// Calls of five digits or fewer (emergency and service numbers) are always dialled directly.
constexpr int shortestRoutedCall = 6;
}

void FarlineAppDelegate::deviceSupportCalls() { m_callSupport = telephone().canPlaceCalls() ? 0 : 1; }

int FarlineAppDelegate::callSupport()
{
    if (!m_callSupport)
        deviceSupportCalls();
    return *m_callSupport;
}

CallRoute FarlineAppDelegate::routeFor(const QString &phoneNumber)
{
    CallRoute route;
    if (callSupport() == 1)
        return route;
    int digits = 0;
    const QString number = CommonOperations::parseDigitsFromNumber(phoneNumber, digits);
    const bool abroad = m_tccManager->abroadNumber(number, m_appSettings->currentMCC);
    const bool routed = abroad || m_appSettings->useFarlineFor != 0;
    // One snapshot: the update may swap in a new list meanwhile.
    const QStringList lanNumbers = m_lanManager->lanNumbers();

    if (!lanNumbers.isEmpty() && digits >= shortestRoutedCall && routed) {
        int position = m_lanManager->currentLANpos();
        if (position < 0 || position >= lanNumbers.size())
            position = 0; // never outside the list
        route.kind = CallRoute::ViaAccessNumber;
        route.accessNumber = lanNumbers[position];
        route.dialString = CommonOperations::parsedigitsFromLANNumber(route.accessNumber) + u',' + number;
        route.recorded = true;
    } else if (digits < shortestRoutedCall || !routed) {
        route.kind = CallRoute::Direct;
        route.dialString = number;
        route.recorded = digits >= shortestRoutedCall; // short service numbers are not kept
    } else if (m_lanManager->fileUnreadable()) {
        // Not a country without access numbers: the file itself cannot be read.
        route.kind = CallRoute::AccessNumbersDamaged;
    } else {
        route.kind = CallRoute::NoAccessNumber;
    }
    return route;
}

void FarlineAppDelegate::InitateCall(const FavoriteRecordPtr &record)
{
    if (!record)
        return;
    const CallRoute route = routeFor(record->phoneNumber);
    if (route.kind == CallRoute::CannotCall) {
        CommonOperations::deviceDoesNotSupportsCall(alerts());
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
