#include "platform/ArchiveFile.h"

#include "platform/DamagedFile.h"

#include <QFile>
#include <QFileInfo>

ArchiveFile::ArchiveFile(QString path, QString rootKey)
    : m_path(std::move(path))
    , m_rootKey(std::move(rootKey))
{
}

namespace {
QJsonValue jsonOf(const ArchiveObject &object) { return object.json(); }
QJsonValue jsonOf(const ArchiveList &list) { return KeyedArchive::listJson(list); }
} // namespace

template<typename Value>
std::optional<Value> ArchiveFile::taken(ArchiveRead<Value> read)
{
    m_damaged = read.state == ArchiveRead<Value>::State::Damaged;
    m_held.reset();
    if (read.state == ArchiveRead<Value>::State::Whole && read.value)
        m_held = jsonOf(*read.value);
    return std::move(read.value);
}

std::optional<ArchiveObject> ArchiveFile::readObject() { return taken(KeyedArchive::readObject(m_path, m_rootKey)); }

std::optional<ArchiveList> ArchiveFile::readList() { return taken(KeyedArchive::readList(m_path, m_rootKey)); }

ArchiveFile::Written ArchiveFile::written(Written result)
{
    result.failedBefore = m_failing;
    m_failing = !result.ok;
    return result;
}

template<typename Root>
ArchiveFile::Written ArchiveFile::writeRoot(const Root &root, const QDateTime &moment)
{
    Written result;
    QJsonValue json = jsonOf(root);
    if (!m_damaged && m_held == json && QFileInfo::exists(m_path)) {
        result.ok = true;
        return written(std::move(result));
    }
    if (m_damaged && QFileInfo::exists(m_path)) {
        QString reason;
        result.keptAside = DamagedFile::keepCopy(m_path, moment, &reason);
        if (!result.keptAside) {
            result.reason = QStringLiteral("the damaged file could not be kept aside: ") + reason;
            return written(std::move(result));
        }
    }
    result.ok = KeyedArchive::write(m_path, m_rootKey, root, &result.reason);
    if (result.ok) {
        m_damaged = false;
        m_held = std::move(json);
    } else if (result.keptAside) {
        // The damaged file is still in its place: the write that replaces it keeps it aside.
        QFile::remove(*std::exchange(result.keptAside, std::nullopt));
    }
    return written(std::move(result));
}

ArchiveFile::Written ArchiveFile::write(const ArchiveObject &root, const QDateTime &moment)
{
    return writeRoot(root, moment);
}

ArchiveFile::Written ArchiveFile::write(const ArchiveList &root, const QDateTime &moment)
{
    return writeRoot(root, moment);
}
