#include "core/AppSettings.h"

#include "platform/KeyedArchive.h"

const QString AppSettings::archiveFileName = QStringLiteral("settings.archive");
const QString AppSettings::archiveRootKey = QStringLiteral("App settings");

namespace {
const QString className = QStringLiteral("AppSettings");
const QString keypadKey = QStringLiteral("Keypad number");
const QString tabKey = QStringLiteral("Selected tab index");
const QString positionKey = QStringLiteral("LAN number pos");
const QString versionKey = QStringLiteral("LAN version number");
const QString countryKey = QStringLiteral("MCC");
const QString lastUpdateKey = QStringLiteral("Last update time");
const QString modeKey = QStringLiteral("useFarlineFor");
}

AppSettings::AppSettings(const QDateTime &now)
    : lastUpdate(now)
{
}

ArchiveObject AppSettings::encode() const
{
    ArchiveObject archived(className);
    archived.setText(keypadKey, keypadPhoneNumber);
    archived.setInt(tabKey, selectedTabIndex);
    archived.setInt(positionKey, lanNumberPos);
    archived.setInt(versionKey, currentVersionNumber);
    archived.setText(countryKey, currentMCC);
    archived.setDate(lastUpdateKey, lastUpdate);
    archived.setInt(modeKey, useFarlineFor);
    return archived;
}

std::unique_ptr<AppSettings> AppSettings::decode(const ArchiveObject &archived)
{
    using Kind = ArchiveObject::Kind;
    if (archived.className() != className
        || !archived.conforms({{keypadKey, Kind::Text},
                               {tabKey, Kind::Int},
                               {positionKey, Kind::Int},
                               {versionKey, Kind::Int},
                               {countryKey, Kind::Text},
                               {lastUpdateKey, Kind::Date},
                               {modeKey, Kind::Int}}))
        return nullptr;

    std::unique_ptr<AppSettings> record(new AppSettings);
    record->keypadPhoneNumber = archived.text(keypadKey).value_or(QString());
    record->selectedTabIndex = archived.integer(tabKey).value_or(0);
    record->lanNumberPos = archived.integer(positionKey).value_or(0);
    record->currentVersionNumber = archived.integer(versionKey).value_or(0);
    record->currentMCC = archived.text(countryKey);
    record->lastUpdate = archived.date(lastUpdateKey);
    record->useFarlineFor = archived.integer(modeKey).value_or(0);
    record->currentLANFileURL.reset();
    return record;
}
