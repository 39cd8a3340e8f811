#pragma once

#include <QDateTime>
#include <optional>

// The current moment. Tests set it so that reminders and record dates are checked without waiting.
class Clock
{
public:
    QDateTime now() const;

    void set(const QDateTime &moment) { m_fixed = moment; }
    void advance(qint64 seconds);
    void release() { m_fixed.reset(); }

    // A wait that the environment variable `variable` sets in seconds (0 to 3600), in
    // milliseconds; `fallbackMs` when it is not set to such a number.
    static int waitFromEnvironment(const char *variable, int fallbackMs);

private:
    std::optional<QDateTime> m_fixed;
};
