#include "lists/CallRecordArchive.h"

#include "platform/KeyedArchive.h"

namespace {
QList<FavoriteRecordPtr> decoded(const std::optional<ArchiveList> &archived, qsizetype maxCount)
{
    QList<FavoriteRecordPtr> records;
    if (!archived)
        return records;
    for (const ArchiveObject &object : *archived) {
        if (records.size() == maxCount)
            break;
        if (auto record = FavoriteRecord::decode(object))
            records.append(std::make_shared<FavoriteRecord>(std::move(*record)));
    }
    return records;
}
} // namespace

QList<FavoriteRecordPtr> CallRecordArchive::read(const QString &path, const QString &rootKey, qsizetype maxCount)
{
    return decoded(KeyedArchive::readList(path, rootKey), maxCount);
}

QList<FavoriteRecordPtr> CallRecordArchive::fromBytes(QByteArrayView bytes, const QString &rootKey,
                                                      qsizetype maxCount)
{
    return decoded(KeyedArchive::listFromBytes(bytes, rootKey), maxCount);
}

bool CallRecordArchive::write(const QString &path, const QString &rootKey, const QList<FavoriteRecordPtr> &records)
{
    ArchiveList archived;
    archived.reserve(records.size());
    for (const FavoriteRecordPtr &record : records)
        archived.append(record->encode());
    return KeyedArchive::write(path, rootKey, archived);
}
