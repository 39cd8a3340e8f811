#include "platform/Clock.h"

QDateTime Clock::now() const { return m_fixed ? *m_fixed : QDateTime::currentDateTime(); }

void Clock::advance(qint64 seconds) { m_fixed = now().addSecs(seconds); }
