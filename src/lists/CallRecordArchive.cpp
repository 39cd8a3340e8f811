#include "lists/CallRecordArchive.h"

namespace {
// The records of `archived`; `whole` is cleared when objects that are not call records were
// passed over.
QList<FavoriteRecordPtr> decoded(const std::optional<ArchiveList> &archived, qsizetype maxCount, bool &whole)
{
    QList<FavoriteRecordPtr> records;
    if (!archived)
        return records;
    for (const ArchiveObject &object : *archived) {
        if (records.size() == maxCount)
            break;
        if (auto record = FavoriteRecord::decode(object))
            records.append(std::make_shared<FavoriteRecord>(std::move(*record)));
        else
            whole = false;
    }
    return records;
}
} // namespace

QList<FavoriteRecordPtr> CallRecordArchive::read(ArchiveFile &file, qsizetype maxCount)
{
    bool whole = true;
    QList<FavoriteRecordPtr> records = decoded(file.readList(), maxCount, whole);
    if (!whole)
        file.setDamaged();
    return records;
}

QList<FavoriteRecordPtr> CallRecordArchive::fromBytes(QByteArrayView bytes, const QString &rootKey,
                                                      qsizetype maxCount)
{
    bool whole = true;
    return decoded(KeyedArchive::listFromBytes(bytes, rootKey).value, maxCount, whole);
}

ArchiveList CallRecordArchive::encode(const QList<FavoriteRecordPtr> &records)
{
    ArchiveList archived;
    archived.reserve(records.size());
    for (const FavoriteRecordPtr &record : records)
        archived.append(record->encode());
    return archived;
}
