#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <optional>

class ArchiveObject;
using ArchiveList = QList<ArchiveObject>;

// One archived object: a class name and keyed entries whose values are texts, int numbers or
// dates. An absent value is written as null and reads back as absent.
class ArchiveObject
{
public:
    enum class Kind { Absent, Text, Int, Date, Wrong };

    explicit ArchiveObject(const QString &className);

    QString className() const;

    void setText(const QString &key, const std::optional<QString> &value);
    void setInt(const QString &key, int value);
    void setDate(const QString &key, const std::optional<QDateTime> &value);

    Kind kind(const QString &key) const;
    // True when every listed entry is absent or of its listed kind.
    bool conforms(std::initializer_list<std::pair<QString, Kind>> expected) const;

    // None when the entry is absent or of another kind.
    std::optional<QString> text(const QString &key) const;
    std::optional<int> integer(const QString &key) const;
    std::optional<QDateTime> date(const QString &key) const;

    const QJsonObject &json() const { return m_json; }
    static std::optional<ArchiveObject> fromJson(const QJsonValue &value);

private:
    explicit ArchiveObject(QJsonObject json);
    QJsonObject m_json;
};

// What reading an archive found. A file that is there but cannot be read whole as the archive
// (unreadable, too large, not JSON, nothing under the root key, list elements that are not
// objects) is damaged; what could still be read of it is given all the same.
template<typename T>
struct ArchiveRead
{
    enum class State { Missing, Whole, Damaged };
    State state = State::Missing;
    std::optional<T> value; // none when missing, or when nothing could be read
};

// Archives written as JSON documents whose root object holds one value under a root key
// ("App settings", "ReecentCollection", ...). Writes are atomic (AtomicFile): a failed write
// leaves the previous file as it was. Nothing in a file can stop the program.
namespace KeyedArchive {
// The list as it is written under its root key.
QJsonArray listJson(const ArchiveList &objects);
// False when the file could not be written, with the reason in `reason`.
bool write(const QString &path, const QString &rootKey, const ArchiveObject &root, QString *reason = nullptr);
bool write(const QString &path, const QString &rootKey, const ArchiveList &root, QString *reason = nullptr);

ArchiveRead<ArchiveObject> readObject(const QString &path, const QString &rootKey);
ArchiveRead<ArchiveList> readList(const QString &path, const QString &rootKey);
// The list under `rootKey` of an archive's bytes, as readList reads it from a file.
ArchiveRead<ArchiveList> listFromBytes(QByteArrayView bytes, const QString &rootKey);
}
