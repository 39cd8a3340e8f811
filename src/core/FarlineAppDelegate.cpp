#include "core/FarlineAppDelegate.h"

#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/TCCManager.h"
#include "platform/KeyedArchive.h"

#include <QFileInfo>
#include <QSaveFile>

FarlineAppDelegate::FarlineAppDelegate(PlatformServices services, QObject *parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_appSettings(std::make_unique<AppSettings>(clock().now()))
    , m_lanManager(std::make_unique<LANManger>(home().documentPath(LANManger::fileName)))
    , m_tccManager(std::make_unique<TCCManager>())
{
}

FarlineAppDelegate::~FarlineAppDelegate() = default;

void FarlineAppDelegate::applicationDidFinishLaunching()
{
    // The telephony probe comes first, once call placement exists.
    provisionDataFiles();
    m_appSettings = std::make_unique<AppSettings>(clock().now());
    m_lanManager = std::make_unique<LANManger>(home().documentPath(LANManger::fileName));
    m_tccManager = std::make_unique<TCCManager>(home().documentPath(TCCManager::fileName));
    loadAppSettings();
    m_lanManager->loadLANArray(m_appSettings->currentMCC.value_or(QString()));
    // A position restored from the archive may lie beyond the list loaded now (the file
    // changed, or the archive was edited): nothing may read outside the list.
    const int position = m_lanManager->currentLANpos();
    if (position < 0 || position >= m_lanManager->lanNumbers().size())
        m_lanManager->setCurrentLANpos(0);
    // The tab shell, the first-start picker and the 30-day reminder follow here once the window
    // exists.
}

void FarlineAppDelegate::applicationWillTerminate()
{
    // The favourites list writes its archive first, once it exists.
    saveAppSettings();
}

void FarlineAppDelegate::startMainApplication()
{
    m_appSettings->lastUpdate = clock().now();
    // The window then removes the start screen and shows the contacts tab.
}

bool FarlineAppDelegate::saveAppSettings()
{
    m_appSettings->lanNumberPos = m_lanManager->currentLANpos();
    home().ensureDocuments();
    return KeyedArchive::write(home().documentPath(AppSettings::archiveFileName),
                               AppSettings::archiveRootKey, m_appSettings->encode());
}

void FarlineAppDelegate::loadAppSettings()
{
    const auto archived = KeyedArchive::readObject(home().documentPath(AppSettings::archiveFileName),
                                                   AppSettings::archiveRootKey);
    if (!archived)
        return;
    if (auto record = AppSettings::decode(*archived)) {
        m_appSettings = std::move(record);
        m_lanManager->setCurrentLANpos(m_appSettings->lanNumberPos);
    }
}

void FarlineAppDelegate::provisionDataFiles()
{
    for (const QString &fileName : {LANManger::fileName, TCCManager::fileName}) {
        const QString target = home().documentPath(fileName);
        if (QFileInfo::exists(target))
            continue;
        const QFileInfo resource(fileName);
        const auto contents =
            bundle().contentsOfResource(resource.completeBaseName(), resource.suffix(), QStringLiteral("/"));
        if (!contents || !home().ensureDocuments())
            continue;
        // Whole or not at all: a half-written copy would never be replaced by a later start.
        QSaveFile copy(target);
        if (copy.open(QIODevice::WriteOnly) && copy.write(*contents) == contents->size())
            copy.commit();
    }
}
