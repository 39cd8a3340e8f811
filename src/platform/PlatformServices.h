#pragma once

#include "platform/Alerts.h"
#include "platform/Bundle.h"
#include "platform/Clock.h"
#include "platform/Home.h"
#include "platform/Telephone.h"

#include <memory>

// What the platform gives the application object for a run: where its files live, the
// resources it ships with, the clock, the alerts, the telephone, the update server and its key,
// and how the system opens addresses (none on the command line).
struct PlatformServices
{
    // The build's update server, unless the options name another.
    static inline const QString defaultUpdateServer = QStringLiteral(FARLINE_UPDATE_SERVER);
    // Whether updates are checked with the update key `key`, as the About page and
    // `farline --version` say it: "updates: signed" or "updates: unsigned".
    static QString updatesText(const QByteArray &key)
    {
        return key.isEmpty() ? QStringLiteral("updates: unsigned") : QStringLiteral("updates: signed");
    }

    Home home;
    Bundle bundle;
    std::unique_ptr<Clock> clock = std::make_unique<Clock>();
    std::unique_ptr<Alerts> alerts = std::make_unique<CommandLineAlerts>();
    std::unique_ptr<Telephone> telephone = Telephone::create(Telephone::defaultName);
    QString updateServer = defaultUpdateServer;
    // The Ed25519 public key (PEM) that updates must be signed with; empty: taken unsigned.
    QByteArray updateKey = {};
    Telephone::UrlOpener openUrl = {};
};
