#pragma once

#include <QDateTime>
#include <QString>
#include <atomic>
#include <memory>
#include <optional>

class ArchiveObject;

// The one record of user choices and program state that survives a restart, plus the
// mailbox of an update in progress (the fields that are never archived).
struct AppSettings
{
    // A fresh record: no SIM country chosen yet ("-1"), mode "Always", reminder counted from now.
    explicit AppSettings(const QDateTime &now);

    QString keypadPhoneNumber;
    int selectedTabIndex = 0;
    std::optional<QString> currentMCC = QStringLiteral("-1");
    int lanNumberPos = 0;
    int currentVersionNumber = 0;
    std::optional<QDateTime> lastUpdate;
    int useFarlineFor = 1; // 1 "Always", 0 "International calls"

    // Never archived: the state of an update attempt, shared by the update thread and the
    // main thread.
    std::optional<QString> currentLANFileURL = QString();
    std::atomic<bool> updatedLANFileReceived = false;
    std::atomic<bool> pathForUpdateReceived = false;
    std::atomic<int> errorOccured = 0;
    std::atomic<bool> dialogDismissed = false;

    static const QString archiveFileName; // "settings.archive"
    static const QString archiveRootKey;  // "App settings"

    ArchiveObject encode() const;
    // The archived record, or none when the object is not a settings record. Missing numbers
    // read as 0, missing texts and dates as none. An entry of the wrong kind is passed over on
    // its own: the fresh record's default stands for it (the reminder counting from `now`) and
    // `whole` is cleared. The update fields start over (with no file address).
    static std::unique_ptr<AppSettings> decode(const ArchiveObject &archived, const QDateTime &now, bool &whole);
};
