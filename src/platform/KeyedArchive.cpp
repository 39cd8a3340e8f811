#include "platform/KeyedArchive.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <cmath>
#include <limits>

namespace {
const QString classKey = QStringLiteral("$class");
const QString dateKey = QStringLiteral("$date");

// Archives are small; anything larger is not one of ours and is not read into memory.
constexpr qint64 maxArchiveSize = 16 * 1024 * 1024;

std::optional<QDateTime> dateFromJson(const QJsonValue &value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    if (object.size() != 1 || !object.value(dateKey).isString())
        return std::nullopt;
    const QDateTime date = QDateTime::fromString(object.value(dateKey).toString(), Qt::ISODateWithMs);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

std::optional<int> intFromJson(const QJsonValue &value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    if (std::trunc(number) != number || number < std::numeric_limits<int>::min()
        || number > std::numeric_limits<int>::max())
        return std::nullopt;
    return int(number);
}

// The archived objects of a list; `whole` is cleared when elements that are not archived
// objects were left out.
std::optional<ArchiveList> objectsFromJson(const QJsonValue &value, bool *whole = nullptr)
{
    if (!value.isArray())
        return std::nullopt;
    ArchiveList objects;
    for (const QJsonValue &element : value.toArray()) {
        if (auto object = ArchiveObject::fromJson(element))
            objects.append(*object);
        else if (whole)
            *whole = false;
    }
    return objects;
}


bool writeDocument(const QString &path, const QJsonObject &document, QString *reason)
{
    return AtomicFile::write(path, QJsonDocument(document).toJson(QJsonDocument::Indented), reason);
}

using RootRead = ArchiveRead<QJsonValue>;

RootRead rootFromBytes(QByteArrayView bytes, const QString &rootKey)
{
    if (bytes.size() > maxArchiveSize)
        return {RootRead::State::Damaged, std::nullopt};
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {RootRead::State::Damaged, std::nullopt};
    const QJsonValue root = document.object().value(rootKey);
    if (root.isUndefined() || root.isNull())
        return {RootRead::State::Damaged, std::nullopt};
    return {RootRead::State::Whole, root};
}

RootRead readRoot(const QString &path, const QString &rootKey)
{
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly) || file.size() > maxArchiveSize)
        return {RootRead::State::Damaged, std::nullopt};
    return rootFromBytes(file.readAll(), rootKey);
}

template<typename T>
ArchiveRead<T> damagedUnless(const RootRead &root, std::optional<T> value, bool whole)
{
    using State = typename ArchiveRead<T>::State;
    if (root.state == RootRead::State::Missing)
        return {};
    const bool intact = root.state == RootRead::State::Whole && value && whole;
    return {intact ? State::Whole : State::Damaged, std::move(value)};
}

ArchiveRead<ArchiveList> listFromRoot(const RootRead &root)
{
    bool whole = true;
    auto list = root.value ? objectsFromJson(*root.value, &whole) : std::nullopt;
    return damagedUnless(root, std::move(list), whole);
}
} // namespace

ArchiveObject::ArchiveObject(const QString &className) { m_json.insert(classKey, className); }

ArchiveObject::ArchiveObject(QJsonObject json)
    : m_json(std::move(json))
{
}

std::optional<ArchiveObject> ArchiveObject::fromJson(const QJsonValue &value)
{
    if (!value.isObject() || !value.toObject().value(classKey).isString())
        return std::nullopt;
    return ArchiveObject(value.toObject());
}

QString ArchiveObject::className() const { return m_json.value(classKey).toString(); }

void ArchiveObject::setText(const QString &key, const std::optional<QString> &value)
{
    m_json.insert(key, value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null));
}

void ArchiveObject::setInt(const QString &key, int value) { m_json.insert(key, value); }

void ArchiveObject::setDate(const QString &key, const std::optional<QDateTime> &value)
{
    if (!value || !value->isValid()) {
        m_json.insert(key, QJsonValue(QJsonValue::Null));
        return;
    }
    // Kept with the offset it was taken in, so a reader in another zone still sees the moment.
    const QDateTime withOffset = value->toOffsetFromUtc(value->offsetFromUtc());
    m_json.insert(key, QJsonObject{{dateKey, withOffset.toString(Qt::ISODateWithMs)}});
}

ArchiveObject::Kind ArchiveObject::kind(const QString &key) const
{
    const QJsonValue value = m_json.value(key);
    if (value.isUndefined() || value.isNull())
        return Kind::Absent;
    if (value.isString())
        return Kind::Text;
    if (intFromJson(value))
        return Kind::Int;
    if (dateFromJson(value))
        return Kind::Date;
    return Kind::Wrong;
}

bool ArchiveObject::conforms(std::initializer_list<std::pair<QString, Kind>> expected) const
{
    for (const auto &[key, expectedKind] : expected) {
        const Kind actual = kind(key);
        if (actual != Kind::Absent && actual != expectedKind)
            return false;
    }
    return true;
}

std::optional<QString> ArchiveObject::text(const QString &key) const
{
    const QJsonValue value = m_json.value(key);
    if (!value.isString())
        return std::nullopt;
    return value.toString();
}

std::optional<int> ArchiveObject::integer(const QString &key) const { return intFromJson(m_json.value(key)); }

std::optional<QDateTime> ArchiveObject::date(const QString &key) const { return dateFromJson(m_json.value(key)); }

QJsonArray KeyedArchive::listJson(const ArchiveList &objects)
{
    QJsonArray array;
    for (const ArchiveObject &object : objects)
        array.append(object.json());
    return array;
}

bool KeyedArchive::write(const QString &path, const QString &rootKey, const ArchiveObject &root, QString *reason)
{
    return writeDocument(path, QJsonObject{{rootKey, root.json()}}, reason);
}

bool KeyedArchive::write(const QString &path, const QString &rootKey, const ArchiveList &root, QString *reason)
{
    return writeDocument(path, QJsonObject{{rootKey, listJson(root)}}, reason);
}

ArchiveRead<ArchiveObject> KeyedArchive::readObject(const QString &path, const QString &rootKey)
{
    const RootRead root = readRoot(path, rootKey);
    return damagedUnless(root, root.value ? ArchiveObject::fromJson(*root.value) : std::nullopt, true);
}

ArchiveRead<ArchiveList> KeyedArchive::readList(const QString &path, const QString &rootKey)
{
    return listFromRoot(readRoot(path, rootKey));
}

ArchiveRead<ArchiveList> KeyedArchive::listFromBytes(QByteArrayView bytes, const QString &rootKey)
{
    return listFromRoot(rootFromBytes(bytes, rootKey));
}
