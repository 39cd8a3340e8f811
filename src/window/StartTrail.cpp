#include "window/StartTrail.h"

#include "log/Log.h"

#include <QElapsedTimer>

namespace {
QElapsedTimer &sinceMain()
{
    static QElapsedTimer started;
    return started;
}
}

void StartTrail::begin() { sinceMain().start(); }

void StartTrail::mark(const char *step)
{
    if (sinceMain().isValid())
        qCDebug(lcWindow, "%6.1f ms  %s", double(sinceMain().nsecsElapsed()) / 1e6, step);
}
