#include "support/TestApp.h"

#include "core/AppSettings.h"
#include "support/DataFiles.h"
#include "support/Files.h"

QDateTime testEpoch() { return QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26, 535), Qt::UTC); }

TestApp::TestApp(const QString &bundleDir, bool windowAlerts)
    : m_homeDir(m_dir.path() + QStringLiteral("/home"))
    , m_bundleDir(bundleDir)
    , m_queueAlerts(windowAlerts)
{
    restart();
}

void TestApp::restart()
{
    m_app.reset();
    std::unique_ptr<Alerts> alerts;
    if (m_queueAlerts)
        alerts = std::unique_ptr<Alerts>(m_windowAlerts = new QueuedAlerts);
    else
        alerts = std::unique_ptr<Alerts>(m_alerts = new RecordingAlerts);
    std::unique_ptr<Telephone> telephone;
    if (m_makeTelephone) {
        telephone = m_makeTelephone();
        m_telephone = nullptr;
    } else {
        auto recording = std::make_unique<RecordingTelephone>();
        m_telephone = recording.get();
        telephone = std::move(recording);
    }
    auto clock = std::make_unique<Clock>();
    clock->set(testEpoch());
    PlatformServices services{Home(m_homeDir), Bundle(m_bundleDir), std::move(clock), std::move(alerts),
                              std::move(telephone)};
    if (!m_updateServer.isEmpty())
        services.updateServer = m_updateServer;
    services.openUrl = [this](const QUrl &address) {
        m_openedUrls.append(address);
        return m_systemTakesUrls;
    };
    m_app = std::make_unique<FarlineAppDelegate>(std::move(services));
}

void TestApp::useTelephone(std::function<std::unique_ptr<Telephone>()> make)
{
    m_makeTelephone = std::move(make);
    restart();
}

QStringList TestApp::alertMessages() const
{
    QStringList messages;
    for (const RecordingAlerts::Shown &alert : m_alerts->shown())
        messages.append(alert.message);
    return messages;
}

QString TestApp::documentPath(const QString &name) const { return m_app->home().documentPath(name); }

void TestApp::writeDocument(const QString &name, const QByteArray &bytes) const
{
    writeFile(documentPath(name), bytes);
}

QByteArray TestApp::readDocument(const QString &name) const
{
    return readFile(documentPath(name));
}

void TestApp::launch(const QByteArray &lanPlain, const QByteArray &mccPlain, const QString &simCountry,
                     int useFarlineFor)
{
    writeDocument(QStringLiteral("LANFile.txt"), sealedDataFile(lanPlain));
    writeDocument(QStringLiteral("MCCFile.txt"), sealedDataFile(mccPlain));
    m_app->appSettings().currentMCC = simCountry;
    m_app->appSettings().useFarlineFor = useFarlineFor;
    m_app->saveAppSettings();
    m_app->applicationDidFinishLaunching();
}

QString warningText(const std::function<void(Alerts &)> &show)
{
    RecordingAlerts alerts;
    show(alerts);
    return alerts.shown().empty() ? QString() : alerts.shown().front().message;
}
