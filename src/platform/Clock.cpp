#include "platform/Clock.h"

QDateTime Clock::now() const { return m_fixed ? *m_fixed : QDateTime::currentDateTime(); }

void Clock::advance(qint64 seconds) { m_fixed = now().addSecs(seconds); }

int Clock::waitFromEnvironment(const char *variable, int fallbackMs)
{
    bool isNumber = false;
    const double seconds = qEnvironmentVariable(variable).toDouble(&isNumber);
    return isNumber && seconds >= 0 && seconds <= 3600 ? int(seconds * 1000) : fallbackMs;
}
