#pragma once

#include "lists/FavoriteRecord.h"

#include <QByteArrayView>
#include <QList>

// The archive of a call list: the records under one root key, each archived as a call record.
// Reading takes what can be read: entries that are not call records are passed over, and a
// list longer than the screen keeps is cut to its first `maxCount` entries; a missing or
// damaged archive is an empty list.
namespace CallRecordArchive {
QList<FavoriteRecordPtr> read(const QString &path, const QString &rootKey, qsizetype maxCount);
QList<FavoriteRecordPtr> fromBytes(QByteArrayView bytes, const QString &rootKey, qsizetype maxCount);
// Atomic; false when the file could not be written, which then keeps its previous content.
bool write(const QString &path, const QString &rootKey, const QList<FavoriteRecordPtr> &records);
}
