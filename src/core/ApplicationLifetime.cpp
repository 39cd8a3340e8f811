#include "core/ApplicationLifetime.h"

#include "core/FarlineAppDelegate.h"

ApplicationLifetime::ApplicationLifetime(PlatformServices services)
    : m_app(std::make_unique<FarlineAppDelegate>(std::move(services)))
{
    m_app->applicationDidFinishLaunching();
}

ApplicationLifetime::~ApplicationLifetime() { end(); }

int ApplicationLifetime::end(int status)
{
    if (!m_ended) {
        m_ended = true;
        m_app->applicationWillTerminate();
    }
    // A save that failed was said as it happened; the run is no success then.
    return status == 0 && m_app->failed() ? 1 : status;
}
