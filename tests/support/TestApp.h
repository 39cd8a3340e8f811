#pragma once

#include "core/FarlineAppDelegate.h"
#include "platform/QueuedAlerts.h"
#include "support/RecordingAlerts.h"
#include "support/RecordingTelephone.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <QUrl>
#include <functional>
#include <memory>

// An application object over a fresh temporary home, with recorded alerts, a recording
// telephone and a fixed clock.
class TestApp
{
public:
    // With `windowAlerts`, the alerts queue for a window to show (see windowAlerts()) instead
    // of being recorded.
    explicit TestApp(const QString &bundleDir = QString::fromLatin1(Bundle::builtIn), bool windowAlerts = false);

    FarlineAppDelegate &app() { return *m_app; }
    RecordingAlerts &alerts() { return *m_alerts; }
    QueuedAlerts *windowAlerts() { return m_windowAlerts; }
    QStringList alertMessages() const; // of every alert shown, in order
    RecordingTelephone &telephone() { return *m_telephone; }
    // The application's telephone made by `make` from now on, at a restart, instead of the
    // recording one.
    void useTelephone(std::function<std::unique_ptr<Telephone>()> make);
    Clock &clock() { return m_app->clock(); }
    // The addresses handed to the system (links of the pages), and whether it takes them.
    const QList<QUrl> &openedUrls() const { return m_openedUrls; }
    void setSystemTakesUrls(bool takes) { m_systemTakesUrls = takes; }

    QString documentPath(const QString &name) const;
    void writeDocument(const QString &name, const QByteArray &bytes) const;
    QByteArray readDocument(const QString &name) const;

    // A new application object over the same home, as at the next start of the program.
    void restart();
    void useUpdateServer(const QString &address) { m_updateServer = address; restart(); }

    // A normal start: the data files hold `lanPlain` and `mccPlain` (plain lines, sealed here),
    // the settings archive the SIM country `simCountry` and the usage mode `useFarlineFor`.
    void launch(const QByteArray &lanPlain, const QByteArray &mccPlain, const QString &simCountry,
                int useFarlineFor = 1);

private:
    QTemporaryDir m_dir;
    QString m_homeDir;
    QString m_bundleDir;
    RecordingAlerts *m_alerts = nullptr;
    QueuedAlerts *m_windowAlerts = nullptr;
    bool m_queueAlerts = false;
    RecordingTelephone *m_telephone = nullptr;
    std::function<std::unique_ptr<Telephone>()> m_makeTelephone;
    QList<QUrl> m_openedUrls;
    bool m_systemTakesUrls = true;
    QString m_updateServer;
    std::unique_ptr<FarlineAppDelegate> m_app;
};

// The moment every TestApp's clock starts at.
QDateTime testEpoch();

// The message of the warning that `show` puts up, for the tests of those who show it.
QString warningText(const std::function<void(Alerts &)> &show);
