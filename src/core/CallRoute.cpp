#include "core/CallRoute.h"

#include "core/CommonOperations.h"
#include "core/KeypadNumber.h"
#include "core/TCCManager.h"
#include "datafile/DataFileCheck.h"

namespace {
// Calls of five digits or fewer (emergency and service numbers) are always dialled directly.
constexpr int shortestRoutedCall = 6;
}

CallRoute CallRoute::of(const Inputs &inputs)
{
    CallRoute route;
    if (!inputs.canCall)
        return route;
    // Every road reads the number as the keypad would type it, so none is dialled as another.
    const KeypadNumber keys = KeypadNumber::read(inputs.number);
    if (!keys.text) {
        route.kind = Refused;
        route.refusal = keys.refusal;
        return route;
    }
    int digits = 0;
    const QString number = CommonOperations::parseDigitsFromNumber(*keys.text, digits);
    const bool abroad = inputs.diallingTable && inputs.diallingTable->abroadNumber(number, inputs.simCountry);
    const bool routed = abroad || inputs.useFarlineFor != 0;
    const QStringList &lanNumbers = inputs.accessNumbers;

    if (!lanNumbers.isEmpty() && digits >= shortestRoutedCall && routed) {
        int position = inputs.position;
        if (position < 0 || position >= lanNumbers.size())
            position = 0; // never outside the list
        route.accessNumber = lanNumbers[position];
        // A table line without a real number ("208 +") would put the destination on the line
        // after a bare "+": such a table is damaged.
        if (!DataFileCheck::isAccessNumber(QLatin1StringView(route.accessNumber.toLatin1()))) {
            route.kind = AccessNumbersDamaged;
            route.accessNumber.clear();
            return route;
        }
        route.kind = ViaAccessNumber;
        route.dialString = CommonOperations::parsedigitsFromLANNumber(route.accessNumber) + u',' + number;
        route.recorded = true;
    } else if (digits < shortestRoutedCall || !routed) {
        route.kind = Direct;
        route.dialString = number;
        route.recorded = digits >= shortestRoutedCall; // short service numbers are not kept
    } else if (!inputs.accessNumbersReadable) {
        // Not a country without access numbers: the file itself cannot be read.
        route.kind = AccessNumbersDamaged;
    } else {
        route.kind = NoAccessNumber;
    }
    return route;
}
