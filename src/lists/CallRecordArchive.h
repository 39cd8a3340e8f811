#pragma once

#include "core/FavoriteRecord.h"
#include "platform/ArchiveFile.h"

#include <QByteArrayView>
#include <QList>

// The archive of a call list: the records under one root key, each archived as a call record.
// Reading takes what can be read: entries that are not call records are passed over (and the
// file counts as damaged, to be kept aside before it is written over), and a list longer than
// the screen keeps is cut to its first `maxCount` entries; a missing or unreadable archive is
// an empty list.
namespace CallRecordArchive {
QList<FavoriteRecordPtr> read(ArchiveFile &file, qsizetype maxCount);
QList<FavoriteRecordPtr> fromBytes(QByteArrayView bytes, const QString &rootKey, qsizetype maxCount);
ArchiveList encode(const QList<FavoriteRecordPtr> &records);
}
