#pragma once

#include "platform/PlatformServices.h"

#include <QObject>
#include <memory>

struct AppSettings;
class LANManger;
class TCCManager;

// The application object: exists once per run and owns the settings record, the access number
// table, the country dialling table and the platform services; every screen reaches the shared
// objects through it.
class FarlineAppDelegate : public QObject
{
    Q_OBJECT

public:
    explicit FarlineAppDelegate(PlatformServices services, QObject *parent = nullptr);
    ~FarlineAppDelegate() override;

    AppSettings &appSettings() { return *m_appSettings; }
    // Empty until start-up, which replaces them with the tables read from the documents folder.
    LANManger &lanManager() { return *m_lanManager; }
    TCCManager &tccManager() { return *m_tccManager; }
    const Home &home() const { return m_services.home; }
    const Bundle &bundle() const { return m_services.bundle; }
    Clock &clock() { return *m_services.clock; }
    Alerts &alerts() { return *m_services.alerts; }

    // Start-up: provisions the data files, creates the settings record and the two tables,
    // restores the record from its archive and loads the SIM country's access numbers. Runs
    // once, before any screen or command uses the application.
    void applicationDidFinishLaunching();
    // End of the application: writes what must survive the run.
    void applicationWillTerminate();

    // Ends the first start once the start screen has stored the SIM country: the 30-day update
    // reminder counts from now.
    void startMainApplication();

    // Writes the settings record, with the access number table's current position, to
    // "settings.archive" in the documents folder, atomically. False when it could not be
    // written; the previous archive then stays as it was.
    bool saveAppSettings();
    // Replaces the record by the archived one when a readable archive exists and restores the
    // access number table's position from it; a missing or damaged archive leaves both.
    void loadAppSettings();

private:
    // Copies each data file missing from the documents folder from the bundle; an existing
    // file, perhaps a downloaded update, is never replaced.
    void provisionDataFiles();

    PlatformServices m_services;
    std::unique_ptr<AppSettings> m_appSettings;
    std::unique_ptr<LANManger> m_lanManager;
    std::unique_ptr<TCCManager> m_tccManager;
};
