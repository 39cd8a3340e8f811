#pragma once

#include <QString>

class Alerts;

// Shared helpers without state: number normalisation and the user warnings.
class CommonOperations
{
public:
    CommonOperations() = delete;

    // The destination reduced to what the telephone may receive: digits kept, "+" turned into
    // "00" wherever it stands, "," (pause) kept, everything else dropped. `digitsCount` is
    // raised by the number of digits kept; the caller sets it to 0 first.
    static QString parseDigitsFromNumber(const QString &number, int &digitsCount);
    // An access number reduced to its digits and "+"; a pause is dropped.
    static QString parsedigitsFromLANNumber(const QString &lanNumber);

    static const QString productWebAddress;

    static void showSIMCountryWarning(Alerts &alerts);
    static void showNoAvaliableNumberWarning(Alerts &alerts);
    static void deviceDoesNotSupportsCall(Alerts &alerts);
    static void CountryNotInLanFileWarning(Alerts &alerts, const QString &countryName);
};
