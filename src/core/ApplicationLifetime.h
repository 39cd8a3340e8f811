#pragma once

#include <memory>

class FarlineAppDelegate;
struct PlatformServices;

// One run of the application as every face of the program runs it (a command, the window, the
// screenshot tour): the application object made over the platform's services and started, and
// at the end the end-of-application saving, after which a run whose saves failed is no success.
class ApplicationLifetime
{
public:
    explicit ApplicationLifetime(PlatformServices services);
    // Ends the application when end() was not called.
    ~ApplicationLifetime();

    FarlineAppDelegate &app() { return *m_app; }

    // Ends the application, once: the favourites and the settings are saved. Gives the exit
    // status of the run: `status`, or 1 when it was 0 but a save failed during the run.
    int end(int status = 0);

private:
    std::unique_ptr<FarlineAppDelegate> m_app;
    bool m_ended = false;
};
