#pragma once

#include "platform/PlatformServices.h"

#include <QObject>
#include <memory>

struct AppSettings;

// The application object: exists once per run and owns the settings record and the platform
// services; every screen reaches the shared objects through it.
class FarlineAppDelegate : public QObject
{
    Q_OBJECT

public:
    explicit FarlineAppDelegate(PlatformServices services, QObject *parent = nullptr);
    ~FarlineAppDelegate() override;

    AppSettings &appSettings() { return *m_appSettings; }
    const Home &home() const { return m_services.home; }
    const Bundle &bundle() const { return m_services.bundle; }
    Clock &clock() { return *m_services.clock; }
    Alerts &alerts() { return *m_services.alerts; }

    // Start-up: restores the settings record from its archive. Runs once, before any screen
    // or command uses the application.
    void applicationDidFinishLaunching();
    // End of the application: writes what must survive the run.
    void applicationWillTerminate();

    // Writes the settings record to "settings.archive" in the documents folder, atomically.
    // False when it could not be written; the previous archive then stays as it was.
    bool saveAppSettings();
    // Replaces the record by the archived one when a readable archive exists; a missing or
    // damaged archive leaves the current record.
    void loadAppSettings();

private:
    PlatformServices m_services;
    std::unique_ptr<AppSettings> m_appSettings;
};
