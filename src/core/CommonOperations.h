#pragma once

#include <QString>
#include <optional>

class Alerts;
struct Person;

// Shared helpers without state: number normalisation, the user warnings and contact names.
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

    // The name the call lists show for a person: first, middle and last name in that order,
    // each present one followed by a blank; without any of them the organisation; without that
    // either, none, or with `phoneFallback` the first number, or "[No name supplied]".
    static std::optional<QString> getName(const Person &person, bool phoneFallback);
};
