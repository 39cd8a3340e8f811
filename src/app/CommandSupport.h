#pragma once

#include <QString>
#include <functional>
#include <optional>

class FarlineAppDelegate;

// A text as one field of a command's output line: tabs and line breaks become blanks.
QString outputField(QString text);

// A country as the country commands print it: KEY, a tab, and the display name without the space
// that ends it.
QString countryLine(const QString &key, QString name);

// A whole decimal number, or none.
std::optional<int> numberArgument(const QString &text);

// Runs `place`, which hands a call to call placement as a screen does, and gives the command's
// exit status: 0 when the telephone accepted the call, 1 when no call was placed, 128 + the
// signal when a termination signal came before the call. A call that Farline follows (the
// modem's) is followed to its end, one line per change on standard output: 0 when it was answered
// and every tone sent, 1 when it failed; a termination signal hangs it up, 128 + the signal.
int placedCallStatus(FarlineAppDelegate &app, const std::function<void()> &place);
