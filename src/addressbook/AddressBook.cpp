#include "addressbook/AddressBook.h"

#include "addressbook/AddressBookSchema.h"
#include "addressbook/SqliteRows.h"
#include "log/Log.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QScopeGuard>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <limits>

const QString AddressBook::fileName = QStringLiteral("AddressBook.sqlite");

namespace {
QString nextConnectionName()
{
    static QAtomicInt counter;
    return QStringLiteral("farline-address-book-%1").arg(counter.fetchAndAddRelaxed(1));
}

// SQLite's driver binds a null QString as NULL: an empty text that is present must stay present.
QString nonNull(const QString &text) { return text.isNull() ? QStringLiteral("") : text; }

QVariant textOrNull(const std::optional<QString> &text) { return text ? QVariant(nonNull(*text)) : QVariant(); }

std::optional<QString> textAt(const QSqlQuery &query, int column)
{
    if (query.isNull(column))
        return std::nullopt;
    return query.value(column).toString();
}

// SQLite's codes for a file that is damaged (SQLITE_CORRUPT) or no database at all (SQLITE_NOTADB).
bool isDamage(const QSqlError &error)
{
    bool isNumber = false;
    const int code = error.nativeErrorCode().toInt(&isNumber) & 0xff; // the primary code of an extended one
    return isNumber && (code == 11 || code == 26);
}

// Reads a person's names from a query whose columns are id, first, middle, last, organisation.
Person personFrom(const QSqlQuery &query)
{
    Person person;
    person.recordID = query.value(0).toInt();
    person.firstName = textAt(query, 1);
    person.middleName = textAt(query, 2);
    person.lastName = textAt(query, 3);
    person.organization = textAt(query, 4);
    return person;
}

} // namespace

struct AddressBook::Connection
{
    QString name;
    QSqlDatabase db;
    QSqlQuery selectPerson;
    QSqlQuery selectPhones;
    QSqlQuery selectByKey;

    ~Connection()
    {
        selectPerson = QSqlQuery();
        selectPhones = QSqlQuery();
        selectByKey = QSqlQuery();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(name);
    }

    QSqlQuery prepared(const QString &statement) const
    {
        QSqlQuery query(db);
        query.setForwardOnly(true);
        query.prepare(statement);
        return query;
    }
};

AddressBook::AddressBook(const QString &path)
    : m_path(path)
{
}

// Opened at the first question, so that a run that never looks at a person loads no SQL driver.
AddressBook::Connection *AddressBook::connection() const
{
    if (!m_openTried) {
        m_openTried = true;
        open();
    }
    // A transaction begun in the damaged file ends there, failing, before a new book comes.
    if (!m_connection && m_keptAside && !m_inTransaction)
        startAnew();
    return m_connection.get();
}

void AddressBook::startAnew() const
{
    m_keptAside = false;
    // SQLite's own files beside it too: a journal left behind would be played into the new book.
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(m_path + QLatin1String(suffix));
    qCInfo(lcContacts).noquote() << "a new address book in place of the damaged one";
    open();
}

bool AddressBook::noteDamage(const QSqlError &error) const
{
    if (!isDamage(error))
        return false;
    damaged(error.text());
    return true;
}

void AddressBook::damaged(const QString &why) const
{
    if (m_connection) {
        m_damagedConnection.reset();
        m_damagedConnection = std::move(m_connection);
    }
    m_error = QStringLiteral("the address book %1 is damaged (%2)").arg(m_path, why);
    qCInfo(lcContacts).noquote() << m_error;
    if (std::exchange(m_foundDamaged, true))
        return; // said once: a new book damaged in turn stays closed
    m_keptAside = m_damageHandler && m_damageHandler(m_path);
}

// SQLite's quick check of the whole file: a damaged file read as it is gives wrong persons and
// numbers. False, the reason in m_error, when the file is damaged or cannot be read.
bool AddressBook::checked(Connection &connection) const
{
    QSqlQuery check(connection.db);
    check.setForwardOnly(true);
    QStringList problems;
    if (check.exec(QStringLiteral("PRAGMA quick_check"))) {
        while (check.next())
            problems.append(check.value(0).toString());
    }
    const QSqlError error = check.lastError();
    check = QSqlQuery();
    if (error.isValid() && !isDamage(error)) {
        m_error = QStringLiteral("cannot open %1: %2").arg(m_path, error.text());
        return false;
    }
    if (error.isValid() || problems != QStringList{QStringLiteral("ok")}) {
        damaged(error.isValid() ? error.text() : problems.value(0));
        return false;
    }
    return true;
}

void AddressBook::open() const
{
    // Said once the cause is known: every way out leaves m_error.
    const auto sayWhy = qScopeGuard([this] {
        if (!m_error.isEmpty())
            qCInfo(lcContacts).noquote() << "no address book:" << m_error;
    });
    auto connection = std::make_unique<Connection>();
    connection->name = nextConnectionName();
    connection->db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection->name);
    connection->db.setDatabaseName(m_path);
    // SQLite would take an empty file for a new database; here it is one that lost its content.
    const QFileInfo file(m_path);
    if (file.exists() && file.size() == 0) {
        m_error = QStringLiteral("cannot use %1: the file is empty (damaged)").arg(m_path);
        return;
    }
    QDir().mkpath(file.absolutePath()); // a failure shows when the file is opened
    if (!connection->db.open()) {
        m_error = QStringLiteral("cannot open %1: %2").arg(m_path, connection->db.lastError().text());
        return;
    }
    if (!checked(*connection)) {
        connection.reset();
        if (m_keptAside)
            startAnew();
        return;
    }
    if (auto failed = AddressBookSchema::migrate(connection->db)) {
        m_error = QStringLiteral("cannot use %1: %2").arg(m_path, *failed);
        return;
    }
    qCDebug(lcContacts).noquote() << "address book" << m_path << "open";
    connection->selectPerson = connection->prepared(QStringLiteral(
        "SELECT id, first_name, middle_name, last_name, organization FROM person WHERE id = ?"));
    connection->selectPhones = connection->prepared(QStringLiteral(
        "SELECT identifier, label, value FROM phone WHERE person_id = ? ORDER BY position"));
    connection->selectByKey = connection->prepared(
        QStringLiteral("SELECT id FROM person WHERE import_key = ? AND source IS NULL ORDER BY id LIMIT 1"));
    m_connection = std::move(connection);
}

AddressBook::~AddressBook() = default;

bool AddressBook::isOpen() const { return connection() != nullptr; }

QSqlDatabase AddressBook::database() const { return connection()->db; }

bool AddressBook::fail(const QString &error)
{
    m_error = error;
    return false;
}

bool AddressBook::fail(const QSqlError &error)
{
    m_error = error.text();
    noteDamage(error);
    return false;
}

std::optional<Person> AddressBook::personWithRecordID(int recordID) const
{
    std::optional<Person> person = personNamesWithRecordID(recordID);
    if (!person)
        return std::nullopt;
    QList<PhoneEntry> entries;
    readPhones(recordID, [&](const PhoneEntry &entry) {
        entries.append(entry);
        return true;
    });
    if (!entries.isEmpty())
        person->phones = std::move(entries);
    return person;
}

std::optional<Person> AddressBook::personNamesWithRecordID(int recordID) const
{
    if (!connection())
        return std::nullopt;
    QSqlQuery &query = connection()->selectPerson;
    query.addBindValue(recordID);
    std::optional<Person> person;
    if (query.exec() && query.next())
        person = personFrom(query);
    const QSqlError error = query.lastError();
    query.finish();
    if (noteDamage(error))
        return std::nullopt;
    return person;
}

bool AddressBook::readPhones(int recordID, const std::function<bool(const PhoneEntry &)> &take) const
{
    if (!connection())
        return false;
    QSqlQuery &phones = connection()->selectPhones;
    phones.addBindValue(recordID);
    bool read = phones.exec();
    while (read && phones.next())
        read = take(PhoneEntry{phones.value(0).toInt(), textAt(phones, 1), phones.value(2).toString()});
    const QSqlError error = phones.lastError();
    phones.finish();
    if (error.isValid()) {
        m_error = error.text();
        noteDamage(error);
    }
    return read && !error.isValid();
}

bool AddressBook::removePerson(int recordID)
{
    if (!connection())
        return fail(m_error);
    if (!personWithRecordID(recordID))
        return fail(QStringLiteral("no person %1").arg(recordID));
    if (!beginTransaction())
        return false;
    if (!deletePerson(recordID)) {
        rollbackTransaction();
        return false;
    }
    return commitTransaction();
}

bool AddressBook::deletePerson(int recordID)
{
    QSqlQuery query(connection()->db);
    for (const auto *statement : {"DELETE FROM phone WHERE person_id = ?", "DELETE FROM person WHERE id = ?"}) {
        query.prepare(QLatin1String(statement));
        query.addBindValue(recordID);
        if (!query.exec())
            return fail(query.lastError());
    }
    return true;
}

bool AddressBook::beginTransaction()
{
    if (!connection())
        return fail(m_error);
    if (!connection()->db.transaction())
        return fail(connection()->db.lastError());
    m_inTransaction = true;
    return true;
}

bool AddressBook::commitTransaction()
{
    if (connection() && connection()->db.commit()) {
        m_inTransaction = false;
        return true;
    }
    if (m_connection)
        fail(m_connection->db.lastError());
    rollbackTransaction();
    return false;
}

void AddressBook::rollbackTransaction()
{
    // In the damaged file too: it is then left as it was before the transaction.
    Connection *open = m_connection ? m_connection.get() : m_damagedConnection.get();
    if (open && (m_inTransaction || m_connection))
        open->db.rollback();
    m_inTransaction = false;
}

bool AddressBook::beginSavepoint()
{
    if (!connection())
        return fail(m_error);
    QSqlQuery query(connection()->db);
    return query.exec(QStringLiteral("SAVEPOINT nested")) || fail(query.lastError());
}

bool AddressBook::releaseSavepoint()
{
    if (!connection())
        return fail(m_error);
    QSqlQuery query(connection()->db);
    return query.exec(QStringLiteral("RELEASE nested")) || fail(query.lastError());
}

void AddressBook::rollbackToSavepoint()
{
    if (!connection())
        return;
    QSqlQuery query(connection()->db);
    query.exec(QStringLiteral("ROLLBACK TO nested"));
    query.exec(QStringLiteral("RELEASE nested"));
}

std::optional<int> AddressBook::recordIDForImportKey(const QString &importKey) const
{
    if (!connection())
        return std::nullopt;
    QSqlQuery &query = connection()->selectByKey;
    query.addBindValue(importKey);
    std::optional<int> found;
    if (query.exec() && query.next())
        found = query.value(0).toInt();
    const QSqlError error = query.lastError();
    query.finish();
    if (noteDamage(error))
        return std::nullopt;
    return found;
}

std::optional<int> AddressBook::addPerson(const QString &importKey, const PersonDraft &draft,
                                          const std::function<bool()> &interrupted)
{
    if (!connection()) {
        fail(m_error);
        return std::nullopt;
    }
    QSqlQuery query(connection()->db);
    if (!query.exec(QStringLiteral("SAVEPOINT add_person"))) {
        fail(query.lastError());
        return std::nullopt;
    }
    query.prepare(QStringLiteral("INSERT INTO person (first_name, middle_name, last_name, organization,"
                                 " import_key) VALUES (?, ?, ?, ?, ?)"));
    for (const auto &text : {draft.firstName, draft.middleName, draft.lastName, draft.organization})
        query.addBindValue(textOrNull(text));
    query.addBindValue(importKey);
    std::optional<int> recordID;
    if (!query.exec()) {
        fail(query.lastError());
    } else {
        // Taken at once: SQLite's last insert id is the connection's, and the phones follow.
        const int inserted = query.lastInsertId().toInt();
        if (storePhones(inserted, draft.phones, interrupted))
            recordID = inserted;
    }
    query.exec(recordID ? QStringLiteral("RELEASE add_person")
                        : QStringLiteral("ROLLBACK TO add_person"));
    if (!recordID)
        query.exec(QStringLiteral("RELEASE add_person"));
    return recordID;
}

bool AddressBook::updatePerson(int recordID, const PersonDraft &draft, const std::function<bool()> &interrupted)
{
    if (!connection())
        return fail(m_error);
    QSqlQuery query(connection()->db);
    if (!query.exec(QStringLiteral("SAVEPOINT update_person")))
        return fail(query.lastError());
    query.prepare(QStringLiteral("UPDATE person SET first_name = ?, middle_name = ?, last_name = ?,"
                                 " organization = ? WHERE id = ?"));
    for (const auto &text : {draft.firstName, draft.middleName, draft.lastName, draft.organization})
        query.addBindValue(textOrNull(text));
    query.addBindValue(recordID);
    bool done = query.exec() && query.numRowsAffected() == 1;
    if (!done && query.lastError().isValid())
        fail(query.lastError());
    else if (!done)
        fail(QStringLiteral("no person %1").arg(recordID));
    if (done) {
        query.prepare(QStringLiteral("DELETE FROM phone WHERE person_id = ?"));
        query.addBindValue(recordID);
        done = query.exec() || fail(query.lastError());
    }
    done = done && storePhones(recordID, draft.phones, interrupted);
    if (!done)
        query.exec(QStringLiteral("ROLLBACK TO update_person"));
    query.exec(QStringLiteral("RELEASE update_person"));
    return done;
}

// Writes the phone list in its order, numbering new entries from the person's counter, which
// only ever grows so that an identifier once handed out is never handed out again.
bool AddressBook::storePhones(int recordID, const QList<PhoneDraft> &phones, const std::function<bool()> &interrupted)
{
    QSqlQuery query(connection()->db);
    query.prepare(QStringLiteral("SELECT next_phone_identifier FROM person WHERE id = ?"));
    query.addBindValue(recordID);
    if (!query.exec() || !query.next())
        return fail(query.lastError());
    qint64 next = query.value(0).toLongLong();
    query.finish();

    query.prepare(QStringLiteral(
        "INSERT INTO phone (person_id, identifier, position, label, value) VALUES (?, ?, ?, ?, ?)"));
    for (qsizetype position = 0; position < phones.size(); ++position) {
        if (interrupted && interrupted())
            return fail(QStringLiteral("interrupted"));
        const PhoneDraft &phone = phones[position];
        qint64 identifier = phone.identifier.value_or(-1);
        if (!phone.identifier)
            identifier = next++;
        if (identifier > std::numeric_limits<int>::max())
            return fail(QStringLiteral("person %1 has used up its phone entry identifiers").arg(recordID));
        query.addBindValue(recordID);
        query.addBindValue(identifier);
        query.addBindValue(position);
        query.addBindValue(textOrNull(phone.label));
        query.addBindValue(nonNull(phone.value));
        if (!query.exec())
            return fail(query.lastError());
        next = std::max(next, identifier + 1);
    }
    query.prepare(QStringLiteral("UPDATE person SET next_phone_identifier = ? WHERE id = ?"));
    query.addBindValue(next);
    query.addBindValue(recordID);
    return query.exec() || fail(query.lastError());
}

qsizetype AddressBook::personCount() const
{
    if (!connection())
        return 0;
    SqliteRows count(connection()->db, "SELECT count(*) FROM person");
    return count.next() ? count.integer(0) : 0;
}

QList<PersonSummary> AddressBook::peopleSummaries(const std::function<void(const PersonSummary &)> &read) const
{
    QList<PersonSummary> people;
    if (!connection())
        return people;
    people.reserve(personCount()); // growing the list moved every person read so far
    SqliteRows rows(connection()->db, "SELECT id, first_name, middle_name, last_name, organization FROM person ORDER BY id");
    QHash<int, qsizetype> shownByNumber; // persons without any name or organisation
    while (rows.next()) {
        PersonSummary person{rows.integer(0), rows.text(1), rows.text(2), rows.text(3), rows.text(4), {}};
        const auto empty = [](const std::optional<QString> &text) { return !text || text->isEmpty(); };
        if (empty(person.firstName) && empty(person.middleName) && empty(person.lastName) && empty(person.organization))
            shownByNumber.insert(person.recordID, people.size());
        if (read)
            read(person);
        people.append(std::move(person));
    }
    if (noteDamage(rows.error()))
        return {}; // what was read may be wrong
    if (shownByNumber.isEmpty())
        return people;
    // Their first numbers in a second query: looking one up beside every person in the first
    // would cost more than all the rest of it.
    QByteArray ids;
    for (auto at = shownByNumber.cbegin(); at != shownByNumber.cend(); ++at)
        ids += (ids.isEmpty() ? "" : ",") + QByteArray::number(at.key());
    SqliteRows numbers(connection()->db,
                       "SELECT person_id, value FROM phone WHERE person_id IN (" + ids + ") ORDER BY person_id, position");
    while (numbers.next()) {
        PersonSummary &person = people[shownByNumber.value(numbers.integer(0))];
        if (!person.firstNumber)
            person.firstNumber = numbers.text(1);
    }
    if (noteDamage(numbers.error()))
        return {};
    return people;
}

bool AddressBook::readPhoneValues(const std::function<void(int, QByteArrayView)> &take) const
{
    if (!connection())
        return false;
    SqliteRows rows(connection()->db, "SELECT person_id, value FROM phone");
    while (rows.next())
        take(rows.integer(0), rows.utf8(1));
    return !noteDamage(rows.error()) && !rows.error().isValid();
}
