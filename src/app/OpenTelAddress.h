#pragma once

#include <QString>
#include <functional>

// `farline tel:ADDRESS`, as a browser runs it for a tapped link: the address goes to the window
// already open for `home`; when no window takes it, `startWindow` opens one, which reads the
// address from its arguments. Returns the exit status.
int openTelAddress(const QString &home, const QString &address, const std::function<int()> &startWindow);
