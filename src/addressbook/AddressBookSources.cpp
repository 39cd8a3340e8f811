// The address book's record of the system contact sources mirrored into it.

#include "addressbook/AddressBook.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace {
QVariant textOrNull(const std::optional<QString> &text) { return text ? QVariant(*text) : QVariant(); }

std::optional<QString> optionalText(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional(value.toString());
}
} // namespace


std::optional<QList<AddressBook::MirroredPerson>> AddressBook::mirroredPersons(const QString &source) const
{
    if (!isOpen())
        return {};
    QSqlQuery query(database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "SELECT id, source_key, source_revision, import_key FROM person WHERE source = ? ORDER BY id"));
    query.addBindValue(source);
    if (!query.exec()) {
        m_error = query.lastError().text();
        return std::nullopt;
    }
    QList<MirroredPerson> persons;
    while (query.next())
        persons.append({query.value(0).toInt(), query.value(1).toString(), optionalText(query.value(2)),
                        query.value(3).toString()});
    return persons;
}

bool AddressBook::setMirrored(int recordID, const QString &source, const QString &key,
                              const std::optional<QString> &revision)
{
    if (!isOpen())
        return {};
    QSqlQuery query(database());
    query.prepare(QStringLiteral("UPDATE person SET source = ?, source_key = ?, source_revision = ? WHERE id = ?"));
    query.addBindValue(source);
    query.addBindValue(key);
    query.addBindValue(textOrNull(revision));
    query.addBindValue(recordID);
    return query.exec() || fail(query.lastError().text());
}

std::optional<QString> AddressBook::sourceOfPerson(int recordID) const
{
    if (!isOpen())
        return {};
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT source FROM person WHERE id = ?"));
    query.addBindValue(recordID);
    return query.exec() && query.next() ? optionalText(query.value(0)) : std::nullopt;
}

QHash<QString, int> AddressBook::personCounts() const
{
    if (!isOpen())
        return {};
    QSqlQuery query(database());
    QHash<QString, int> counts;
    if (query.exec(QStringLiteral("SELECT coalesce(source, ''), count(*) FROM person GROUP BY source"))) {
        while (query.next())
            counts.insert(query.value(0).toString(), query.value(1).toInt());
    }
    return counts;
}

QHash<QString, std::optional<QString>> AddressBook::mirroredSources() const
{
    if (!isOpen())
        return {};
    QSqlQuery query(database());
    QHash<QString, std::optional<QString>> sources;
    if (query.exec(QStringLiteral("SELECT name, revision FROM contact_source"))) {
        while (query.next())
            sources.insert(query.value(0).toString(), optionalText(query.value(1)));
    }
    return sources;
}

bool AddressBook::setSourceRevision(const QString &source, const std::optional<QString> &revision)
{
    if (!isOpen())
        return {};
    QSqlQuery query(database());
    query.prepare(QStringLiteral("INSERT OR REPLACE INTO contact_source (name, revision) VALUES (?, ?)"));
    query.addBindValue(source);
    query.addBindValue(textOrNull(revision));
    return query.exec() || fail(query.lastError().text());
}

bool AddressBook::forgetSource(const QString &source)
{
    if (!isOpen())
        return {};
    QSqlQuery query(database());
    query.prepare(QStringLiteral("DELETE FROM contact_source WHERE name = ?"));
    query.addBindValue(source);
    return query.exec() || fail(query.lastError().text());
}
