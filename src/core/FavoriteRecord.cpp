#include "core/FavoriteRecord.h"

#include "platform/KeyedArchive.h"

const QString FavoriteRecord::className = QStringLiteral("FavoriteRecord");

namespace {
const QString numberKey = QStringLiteral("Phone number");
const QString nameKey = QStringLiteral("Display name");
const QString typeKey = QStringLiteral("Phone type");
const QString contactKey = QStringLiteral("Contact ID");
const QString identifierKey = QStringLiteral("Contact identifier");
const QString dateKey = QStringLiteral("Record date");

const QString openMarker = QStringLiteral("_$!<");
const QString closeMarker = QStringLiteral(">!$_");
}

QString FavoriteRecord::phoneTypeFromLabel(const QString &label)
{
    if (!label.startsWith(openMarker))
        return label;
    const qsizetype close = label.indexOf(closeMarker);
    if (close < 0 || close != label.size() - closeMarker.size())
        return label;
    return label.mid(openMarker.size(), label.size() - openMarker.size() - closeMarker.size());
}

ArchiveObject FavoriteRecord::encode() const
{
    ArchiveObject archived(className);
    archived.setText(numberKey, phoneNumber);
    archived.setText(nameKey, displayName);
    archived.setText(typeKey, phoneType);
    archived.setInt(contactKey, contactID);
    archived.setInt(identifierKey, identifier);
    archived.setDate(dateKey, startTime);
    return archived;
}

std::optional<FavoriteRecord> FavoriteRecord::decode(const ArchiveObject &archived)
{
    using Kind = ArchiveObject::Kind;
    if (archived.className() != className
        || !archived.conforms({{numberKey, Kind::Text},
                               {nameKey, Kind::Text},
                               {typeKey, Kind::Text},
                               {contactKey, Kind::Int},
                               {identifierKey, Kind::Int},
                               {dateKey, Kind::Date}}))
        return std::nullopt;
    FavoriteRecord record;
    record.phoneNumber = archived.text(numberKey).value_or(QString());
    record.displayName = archived.text(nameKey).value_or(QString());
    record.phoneType = archived.text(typeKey).value_or(QString());
    record.contactID = archived.integer(contactKey).value_or(0);
    record.identifier = archived.integer(identifierKey).value_or(0);
    record.startTime = archived.date(dateKey);
    return record;
}
