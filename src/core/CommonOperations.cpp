#include "core/CommonOperations.h"

#include "platform/Alerts.h"

const QString CommonOperations::productWebAddress = QStringLiteral("https://www.farline.example/");

namespace {
// Only "0" to "9": characters above 255 are never digits, whatever script they come from.
bool isDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

void showWarning(Alerts &alerts, const QString &message)
{
    alerts.show(QStringLiteral("Farline"), message, {QStringLiteral("OK")});
}
}

QString CommonOperations::parseDigitsFromNumber(const QString &number, int &digitsCount)
{
    QString result;
    result.reserve(number.size() + 4);
    for (const QChar c : number) {
        if (isDigit(c)) {
            result.append(c);
            ++digitsCount;
        } else if (c == u'+') {
            result.append(QStringLiteral("00"));
        } else if (c == u',') {
            result.append(c);
        }
    }
    return result;
}

QString CommonOperations::parsedigitsFromLANNumber(const QString &lanNumber)
{
    QString result;
    result.reserve(lanNumber.size());
    for (const QChar c : lanNumber) {
        if (isDigit(c) || c == u'+')
            result.append(c);
    }
    return result;
}

void CommonOperations::showSIMCountryWarning(Alerts &alerts)
{
    showWarning(alerts, QStringLiteral("There is no Farline access numbers for your SIM country"));
}

void CommonOperations::showNoAvaliableNumberWarning(Alerts &alerts)
{
    showWarning(alerts, QStringLiteral("There is no Farline access number available"));
}

void CommonOperations::deviceDoesNotSupportsCall(Alerts &alerts)
{
    showWarning(alerts, QStringLiteral("You device does not support telephony functions"));
}

void CommonOperations::CountryNotInLanFileWarning(Alerts &alerts, const QString &countryName)
{
    showWarning(alerts, QStringLiteral("Farline does not offer calls from %1 yet. For more information "
                                       "visit our website at ")
                                .arg(countryName)
                            + productWebAddress);
}
