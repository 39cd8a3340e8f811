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

std::unique_ptr<AppSettings> AppSettings::decode(const ArchiveObject &archived, const QDateTime &now, bool &whole)
{
    if (archived.className() != className)
        return nullptr;
    std::unique_ptr<AppSettings> record(new AppSettings(now));
    // Each entry on its own: absent gives none (0 for a number), the wrong kind the default.
    const auto take = [&](const QString &key, ArchiveObject::Kind kind, auto &field, auto value) {
        const ArchiveObject::Kind found = archived.kind(key);
        if (found == ArchiveObject::Kind::Absent)
            field = {};
        else if (found == kind)
            field = *value;
        else
            whole = false;
    };
    using Kind = ArchiveObject::Kind;
    take(keypadKey, Kind::Text, record->keypadPhoneNumber, archived.text(keypadKey));
    take(tabKey, Kind::Int, record->selectedTabIndex, archived.integer(tabKey));
    take(positionKey, Kind::Int, record->lanNumberPos, archived.integer(positionKey));
    take(versionKey, Kind::Int, record->currentVersionNumber, archived.integer(versionKey));
    take(countryKey, Kind::Text, record->currentMCC, archived.text(countryKey));
    take(lastUpdateKey, Kind::Date, record->lastUpdate, archived.date(lastUpdateKey));
    take(modeKey, Kind::Int, record->useFarlineFor, archived.integer(modeKey));
    record->currentLANFileURL.reset();
    return record;
}
