#pragma once

#include "platform/KeyedArchive.h"

#include <QJsonValue>

// One archive file as its owner uses it for a run: read at the start, written whole after
// changes. A write of what the file already holds (read whole, or written, during this run) is
// done without touching it: every run saves its state at its end, and a flash memory's flushes
// are slow and wear it. A file found damaged is never lost: the first write that replaces it keeps a copy
// aside ("favorites.archive.damaged-YYYYMMDD-HHMMSS") for the user to look at; a write that fails
// leaves the damaged file in its place and keeps no copy.
class ArchiveFile
{
public:
    ArchiveFile(QString path, QString rootKey);

    const QString &path() const { return m_path; }
    bool isDamaged() const { return m_damaged; }
    // The owner could not use all that was read (objects of another class): damaged as well.
    void setDamaged() { m_damaged = true; }

    // What the file holds; none when it is missing or nothing could be read.
    std::optional<ArchiveObject> readObject();
    std::optional<ArchiveList> readList();

    struct Written
    {
        bool ok = false;
        QString reason;                   // why it was not written
        bool failedBefore = false;        // the previous write failed too: the user knows
        std::optional<QString> keptAside; // the copy of the damaged file this write replaced
    };
    // `moment` names the kept copy of a damaged file.
    Written write(const ArchiveObject &root, const QDateTime &moment);
    Written write(const ArchiveList &root, const QDateTime &moment);

private:
    template<typename Root>
    Written writeRoot(const Root &root, const QDateTime &moment);
    Written written(Written result);
    template<typename Value>
    std::optional<Value> taken(ArchiveRead<Value> read);

    QString m_path;
    QString m_rootKey;
    bool m_damaged = false;
    bool m_failing = false; // the last write failed
    std::optional<QJsonValue> m_held; // what the file holds, once read whole or written
};
