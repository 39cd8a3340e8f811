#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

class ArchiveObject;

// One telephone number of one party with the text shown for it: an entry of the recent calls
// and of the favourites, and the call request that every screen hands to call placement.
// Records are shared, never copied into lists: see FavoriteRecordPtr.
struct FavoriteRecord
{
    QString phoneNumber; // as the user or the address book gave it, never normalised here
    QString displayName;
    QString phoneType;   // a cleaned address book label, "unknown", or ""
    int contactID = 0;   // the address book person; -1 for none
    int identifier = 0;  // the phone entry within the person's list
    std::optional<QDateTime> startTime = QDateTime::currentDateTime();

    static const QString className; // "FavoriteRecord"

    // The phone type taken from an address book label: "_$!<Mobile>!$_" gives "Mobile"; a label
    // without both markers at its two ends is used whole.
    static QString phoneTypeFromLabel(const QString &label);

    ArchiveObject encode() const;
    // The archived record, or none when the object is not a call record or an entry has the
    // wrong kind. Missing numbers read as 0, missing texts as "", a missing date as none.
    static std::optional<FavoriteRecord> decode(const ArchiveObject &archived);
};

using FavoriteRecordPtr = std::shared_ptr<FavoriteRecord>;
