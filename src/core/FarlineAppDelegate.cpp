#include "core/FarlineAppDelegate.h"

#include "core/AppSettings.h"
#include "platform/KeyedArchive.h"

FarlineAppDelegate::FarlineAppDelegate(PlatformServices services, QObject *parent)
    : QObject(parent)
    , m_services(std::move(services))
    , m_appSettings(std::make_unique<AppSettings>(clock().now()))
{
}

FarlineAppDelegate::~FarlineAppDelegate() = default;

void FarlineAppDelegate::applicationDidFinishLaunching() { loadAppSettings(); }

void FarlineAppDelegate::applicationWillTerminate() { saveAppSettings(); }

bool FarlineAppDelegate::saveAppSettings()
{
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
    if (auto record = AppSettings::decode(*archived))
        m_appSettings = std::move(record);
}
