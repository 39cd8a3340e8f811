#include "platform/DialString.h"

DialString DialString::split(const QString &dialString)
{
    const qsizetype pause = dialString.indexOf(u',');
    if (pause < 0)
        return {dialString, QString()};
    QString tones = dialString.mid(pause + 1);
    while (tones.endsWith(u','))
        tones.chop(1);
    return {dialString.left(pause), tones};
}
