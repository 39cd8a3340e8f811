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

void FarlineAppDelegate::InitateCall(const FavoriteRecordPtr &record)
{
    if (!record)
        return;
    if (callSupport() == 1) {
        CommonOperations::deviceDoesNotSupportsCall(alerts());
        return;
    }
    record->startTime = clock().now();
    int digits = 0;
    const QString number = CommonOperations::parseDigitsFromNumber(record->phoneNumber, digits);
    const bool abroad = m_tccManager->abroadNumber(number, m_appSettings->currentMCC);
    const bool routed = abroad || m_appSettings->useFarlineFor != 0;
    // One snapshot: the update may swap in a new list meanwhile.
    const QStringList lanNumbers = m_lanManager->lanNumbers();

    if (!lanNumbers.isEmpty() && digits >= shortestRoutedCall && routed) {
        int position = m_lanManager->currentLANpos();
        if (position < 0 || position >= lanNumbers.size())
            position = 0; // never outside the list
        dialNumber(CommonOperations::parsedigitsFromLANNumber(lanNumbers[position]) + u',' + number, record);
    } else if (digits < shortestRoutedCall) {
        dialNumber(number, nullptr);
    } else if (!routed) {
        dialNumber(number, record);
    } else if (m_lanManager->fileUnreadable()) {
        // Not a country without access numbers: the file itself cannot be read.
        alerts().show(QStringLiteral("Farline"),
                      QStringLiteral("The Farline access numbers file is damaged. Please update the access "
                                     "numbers in Settings."),
                      {QStringLiteral("OK")});
    } else {
        CommonOperations::showNoAvaliableNumberWarning(alerts());
    }
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
