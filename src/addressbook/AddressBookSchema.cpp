#include "addressbook/AddressBookSchema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <vector>

namespace {
// Step i takes version i to version i + 1. Steps are only ever appended.
const std::vector<QStringList> &steps()
{
    static const std::vector<QStringList> all = {
        {
            // Record ids come from AUTOINCREMENT, so a removed person's id is never handed out
            // again; the CHECK keeps them within the positive 32-bit range.
            QStringLiteral("CREATE TABLE person ("
                           " id INTEGER PRIMARY KEY AUTOINCREMENT CHECK (id BETWEEN 1 AND 2147483647),"
                           " first_name TEXT, middle_name TEXT, last_name TEXT, organization TEXT,"
                           " import_key TEXT,"
                           " next_phone_identifier INTEGER NOT NULL DEFAULT 0)"),
            QStringLiteral("CREATE INDEX person_import_key ON person(import_key)"),
            QStringLiteral("CREATE TABLE phone ("
                           " person_id INTEGER NOT NULL REFERENCES person(id),"
                           " identifier INTEGER NOT NULL CHECK (identifier BETWEEN 0 AND 2147483647),"
                           " position INTEGER NOT NULL,"
                           " label TEXT, value TEXT NOT NULL,"
                           " PRIMARY KEY (person_id, identifier))"),
        },
        {
            // The system's contact sources mirrored into the book: a person's source ("eds:UID",
            // "kpeoplevcard"; none for an imported card), its id there and its revision when it
            // was last read; and each source's own revision, which spares reading it unchanged.
            QStringLiteral("ALTER TABLE person ADD COLUMN source TEXT"),
            QStringLiteral("ALTER TABLE person ADD COLUMN source_key TEXT"),
            QStringLiteral("ALTER TABLE person ADD COLUMN source_revision TEXT"),
            QStringLiteral("CREATE INDEX person_source ON person(source, source_key)"),
            QStringLiteral("CREATE TABLE contact_source (name TEXT PRIMARY KEY, revision TEXT)"),
        },
    };
    return all;
}

std::optional<int> userVersion(QSqlDatabase &db, QString &error)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        error = query.lastError().text();
        return std::nullopt;
    }
    return query.value(0).toInt();
}

std::optional<QString> runStep(QSqlDatabase &db, int from)
{
    if (!db.transaction())
        return db.lastError().text();
    QSqlQuery query(db);
    for (const QString &statement : steps()[size_t(from)]) {
        if (!query.exec(statement)) {
            const QString error = query.lastError().text();
            db.rollback();
            return error;
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(from + 1)) || !db.commit()) {
        const QString error = query.lastError().text();
        db.rollback();
        return error;
    }
    return std::nullopt;
}
} // namespace

int AddressBookSchema::currentVersion() { return int(steps().size()); }

std::optional<QString> AddressBookSchema::migrate(QSqlDatabase &db)
{
    QString error;
    const auto version = userVersion(db, error);
    if (!version)
        return QStringLiteral("not an address book (%1)").arg(error);
    if (*version > currentVersion() || *version < 0)
        return QStringLiteral("made by a newer version of Farline (schema %1)").arg(*version);
    for (int from = *version; from < currentVersion(); ++from) {
        if (auto failed = runStep(db, from))
            return QStringLiteral("cannot upgrade it to schema %1 (%2)").arg(from + 1).arg(*failed);
    }
    return std::nullopt;
}
