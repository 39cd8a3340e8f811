#pragma once

#include <QString>

// A dial string as call placement gives it ("+48225000000,0049301234567,12"), as the modem places
// it: the number before the first "," is dialled; what follows is sent as tones once the call is
// answered, after a pause, each further "," a pause more. A dial string without "," (a direct
// call) has no tones. No Linux telephone honours "," itself: the modem would dial it all as one
// number.
struct DialString
{
    QString number;
    QString tones; // without the pauses that would end it: nothing follows them

    static DialString split(const QString &dialString);
};
