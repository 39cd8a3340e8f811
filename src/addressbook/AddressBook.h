#pragma once

#include "addressbook/Person.h"

#include <QHash>
#include <QList>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QSqlError;
class QSqlDatabase;

// A phone entry as an import hands it over: the identifier of the entry it keeps, or none for
// a new entry, which the address book numbers.
struct PhoneDraft
{
    std::optional<int> identifier;
    std::optional<QString> label;
    QString value;

    friend bool operator==(const PhoneDraft &, const PhoneDraft &) = default;
};

// A person as an import hands it over.
struct PersonDraft
{
    std::optional<QString> firstName;
    std::optional<QString> middleName;
    std::optional<QString> lastName;
    std::optional<QString> organization;
    QList<PhoneDraft> phones;
};

// The handset's address book: persons with names and phone lists, kept in an SQLite database
// (home/"AddressBook.sqlite"). Record ids and phone entry identifiers are stable and never
// reused. A file that cannot be opened (empty, or from a newer program) is left untouched and
// the address book stays closed: it then knows no persons and refuses every change. The file is
// opened at the first question asked, and checked then (SQLite's quick check).
//
// A file that SQLite finds damaged, at that check or at any later question (corrupt, or no
// database at all), is told to the damage handler, once: it keeps the file aside. The address
// book then removes the file and starts anew, empty, at the next question asked outside a
// transaction; until then, and for good when the file could not be kept aside (or without a
// handler), it is closed, and the damaged file is never written.
class AddressBook
{
public:
    static const QString fileName; // "AddressBook.sqlite"

    explicit AddressBook(const QString &path);
    ~AddressBook();
    AddressBook(const AddressBook &) = delete;
    AddressBook &operator=(const AddressBook &) = delete;

    const QString &path() const { return m_path; }
    bool isOpen() const;

    // Keeps the damaged file at the path it is given aside; false when it could not.
    using DamageHandler = std::function<bool(const QString &path)>;
    void setDamageHandler(DamageHandler handler) { m_damageHandler = std::move(handler); }
    // The file was found damaged during this run: what was read before may be wrong.
    bool foundDamaged() const { return m_foundDamaged; }
    // Why the address book is closed, or why the last change failed.
    const QString &errorText() const
    {
        connection();
        return m_error;
    }

    std::optional<Person> personWithRecordID(int recordID) const;
    // The same without its phone list (none), for who reads a list of any length with readPhones.
    std::optional<Person> personNamesWithRecordID(int recordID) const;
    // Hands the person's phone entries to `take` one by one, in their order, keeping none of
    // them, while `take` answers true. False when they could not all be read or `take` stopped.
    bool readPhones(int recordID, const std::function<bool(const PhoneEntry &)> &take) const;
    // False when there is no such person or it could not be removed.
    bool removePerson(int recordID);

    // Changes made between these go to the file together, or not at all.
    bool beginTransaction();
    bool commitTransaction();
    void rollbackTransaction();
    // Inside a transaction, a point that the changes made after it can be undone to; one at a
    // time. Released, its changes stay with the transaction.
    bool beginSavepoint();
    bool releaseSavepoint();
    void rollbackToSavepoint();

    // The person an earlier import made from the same card, if any.
    std::optional<int> recordIDForImportKey(const QString &importKey) const;
    // A new person; none when it could not be stored (ids exhausted, write error), or when
    // `interrupted`, asked between numbers, answered true.
    std::optional<int> addPerson(const QString &importKey, const PersonDraft &draft,
                                 const std::function<bool()> &interrupted = {});
    // Replaces names and phone list; entries without identifier get new ones. False as addPerson.
    bool updatePerson(int recordID, const PersonDraft &draft, const std::function<bool()> &interrupted = {});

private:
    struct Connection;
    Connection *connection() const;
    void open() const;
    bool checked(Connection &connection) const;
    void startAnew() const;
    void damaged(const QString &why) const;
    // Notes `error` when SQLite says the file is damaged; true then.
    bool noteDamage(const QSqlError &error) const;
    bool storePhones(int recordID, const QList<PhoneDraft> &phones, const std::function<bool()> &interrupted);
    bool deletePerson(int recordID);
    QSqlDatabase database() const; // of an open book
    bool fail(const QString &error);
    bool fail(const QSqlError &error);

    const QString m_path;
    mutable bool m_openTried = false;
    mutable std::unique_ptr<Connection> m_connection;
    mutable QString m_error;
    DamageHandler m_damageHandler;
    mutable bool m_foundDamaged = false;
    mutable bool m_keptAside = false;  // the damaged file is aside: a new book may take its place
    mutable bool m_inTransaction = false;
    // A connection to a damaged file, closed when the address book goes: a question may still
    // be holding one of its queries.
    mutable std::unique_ptr<Connection> m_damagedConnection;

public:
    // How many persons the book holds; 0 when it cannot be read.
    qsizetype personCount() const;
    // Every person as a list needs it, by record id, without their phone lists. `read`, when
    // given, sees each person as soon as it is read, a nameless person before its first number
    // is looked up; a reading that fails part way returns none.
    QList<PersonSummary> peopleSummaries(const std::function<void(const PersonSummary &)> &read = {}) const;
    // Every number of every person as written (UTF-8, valid during the call), in no particular
    // order (asking for one costs SQLite four times the reading); false when they could not all
    // be read.
    bool readPhoneValues(const std::function<void(int recordID, QByteArrayView number)> &take) const;

    // The system's contact sources mirrored into the book (see ContactMirror). A source is
    // named "eds:UID" or "kpeoplevcard"; an imported person has none.
    struct MirroredPerson
    {
        int recordID = 0;
        QString key;                     // the person's id in the source
        std::optional<QString> revision; // the source's revision of it when it was last read
        QString importKey;               // as an import makes it from the card
    };
    // The persons mirrored from `source`; none when they could not be read.
    std::optional<QList<MirroredPerson>> mirroredPersons(const QString &source) const;
    // Records where the person comes from; false when it could not be written.
    bool setMirrored(int recordID, const QString &source, const QString &key, const std::optional<QString> &revision);
    // Removes a person inside the caller's transaction; false when it could not.
    bool removeMirrored(int recordID) { return deletePerson(recordID); }
    // The source of a person; none for an imported person or one not there.
    std::optional<QString> sourceOfPerson(int recordID) const;
    // How many persons each source gave, imported persons under an empty name.
    QHash<QString, int> personCounts() const;
    // Every source a sync recorded, with its revision then.
    QHash<QString, std::optional<QString>> mirroredSources() const;
    // Records a source and its revision (none: unknown), or forgets it; false when refused.
    bool setSourceRevision(const QString &source, const std::optional<QString> &revision);
    bool forgetSource(const QString &source);
};
