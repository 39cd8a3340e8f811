#include "addressbook/AddressBook.h"
#include "addressbook/AddressBookSchema.h"
#include "support/Files.h"
#include "support/People.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class AddressBookTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.path() + QStringLiteral("/AddressBook.sqlite"); }
    QByteArray fileBytes() const { return readFile(path()); }
    QTemporaryDir m_dir;
};

TEST_F(AddressBookTest, KeepsAbsentAndEmptyNamesApartAndPhonesInOrder)
{
    int id = 0, noNumbers = 0;
    {
        AddressBook book(path());
        ASSERT_TRUE(book.isOpen()) << book.errorText().toStdString();
        PersonDraft person = draft(QStringLiteral(""), std::nullopt, QStringLiteral("Ximian, Inc."),
                                   {phone("(617) 236-0442", QStringLiteral("_$!<Work>!$_")), phone("2"), phone("", QStringLiteral(""))});
        person.middleName = QStringLiteral("Q");
        id = book.addPerson(QStringLiteral("k"), person).value_or(0);
        ASSERT_GT(id, 0);
        noNumbers = *book.addPerson(QStringLiteral("l"), draft(QStringLiteral("A")));
    }
    AddressBook reopened(path());
    const QList<PhoneEntry> phones = {{0, QStringLiteral("_$!<Work>!$_"), QStringLiteral("(617) 236-0442")},
                                      {1, std::nullopt, QStringLiteral("2")},
                                      {2, QStringLiteral(""), QStringLiteral("")}};
    const Person expected{id, QStringLiteral(""), QStringLiteral("Q"), std::nullopt, QStringLiteral("Ximian, Inc."), phones};
    EXPECT_EQ(reopened.personWithRecordID(id), expected);
    EXPECT_EQ(reopened.personWithRecordID(noNumbers)->phones, std::nullopt); // no numbers, no phone list
    EXPECT_FALSE(reopened.personWithRecordID(noNumbers + 1));
}

TEST_F(AddressBookTest, IdentifiersAreNeverReused)
{
    AddressBook book(path());
    const int first = *book.addPerson(QStringLiteral("a"), draft(QStringLiteral("A"), {}, {}, {phone("1"), phone("2")}));
    // The entry 0 goes, entry 1 stays; a new entry gets 2, not 0.
    ASSERT_TRUE(book.updatePerson(first, draft(QStringLiteral("A"), {}, {}, {phone("2", {}, 1), phone("3")})));
    const QList<PhoneEntry> expected = {{1, {}, QStringLiteral("2")}, {2, {}, QStringLiteral("3")}};
    EXPECT_EQ(book.personWithRecordID(first)->phones, expected);
    // Emptied and filled again, numbering goes on.
    ASSERT_TRUE(book.updatePerson(first, draft(QStringLiteral("A"))));
    ASSERT_TRUE(book.updatePerson(first, draft(QStringLiteral("A"), {}, {}, {phone("4")})));
    EXPECT_EQ(book.personWithRecordID(first)->phones->first().identifier, 3);

    const int second = *book.addPerson(QStringLiteral("b"), draft(QStringLiteral("B")));
    ASSERT_TRUE(book.removePerson(second));
    EXPECT_FALSE(book.personWithRecordID(second));
    EXPECT_FALSE(book.removePerson(second));
    EXPECT_GT(*book.addPerson(QStringLiteral("c"), draft(QStringLiteral("C"))), second);
    EXPECT_FALSE(book.updatePerson(second, draft(QStringLiteral("B"))));
}

TEST_F(AddressBookTest, ChangesInsideATransactionAreUndoneTogether)
{
    AddressBook book(path());
    const int kept = *book.addPerson(QStringLiteral("k"), draft(QStringLiteral("Kept"), {}, {}, {phone("1")}));
    const QList<Person> before = everyone(book);
    ASSERT_TRUE(book.beginTransaction());
    ASSERT_TRUE(book.addPerson(QStringLiteral("n"), draft(QStringLiteral("New"))));
    ASSERT_TRUE(book.updatePerson(kept, draft(QStringLiteral("Changed"))));
    book.rollbackTransaction();
    EXPECT_EQ(everyone(book), before);
    EXPECT_FALSE(book.recordIDForImportKey(QStringLiteral("n")));
}

TEST_F(AddressBookTest, FilesItCannotUseAreLeftUntouchedAndAnOlderSchemaIsUpgraded)
{
    // One statement on the file, as another program would run it.
    const auto execute = [&](const QString &statement) {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("direct"));
            db.setDatabaseName(path());
            EXPECT_TRUE(db.open() && QSqlQuery(db).exec(statement));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("direct"));
    };
    ASSERT_TRUE(AddressBook(path()).addPerson(QStringLiteral("k"), draft(QStringLiteral("A"))));
    const QByteArray sound = fileBytes();
    execute(QStringLiteral("PRAGMA user_version = %1").arg(AddressBookSchema::currentVersion() + 1));
    const std::pair<const char *, QByteArray> cases[] = {
        {"newer schema", fileBytes()},
        {"garbage", QByteArray("\x00\x01 this is not SQLite \xff", 24).repeated(200)},
        {"truncated SQLite header", QByteArray("SQLite format 3\0", 16) + QByteArray(80, '\x01')},
        {"empty file", QByteArray()}, // lost its content: not a new address book
        {"pages overwritten", withPagesOverwritten(sound)}, // damaged, and no one to keep it aside
    };
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        writeFile(path(), bytes);
        AddressBook book(path());
        EXPECT_FALSE(book.isOpen());
        EXPECT_EQ(book.errorText().contains(QLatin1String("newer")), name == std::string_view("newer schema"));
        EXPECT_FALSE(book.errorText().isEmpty() || book.personWithRecordID(1) || book.addPerson(QStringLiteral("k"), draft(QStringLiteral("A")))
                     || book.removePerson(1));
        EXPECT_TRUE(QFile::exists(path()));
        EXPECT_EQ(fileBytes(), bytes);
    }

    // A database from before the schema (version 0) is brought to the current version.
    QFile::remove(path());
    execute(QStringLiteral("CREATE TABLE unrelated (x)"));
    AddressBook upgraded(path());
    EXPECT_TRUE(upgraded.isOpen()) << upgraded.errorText().toStdString();
    EXPECT_TRUE(upgraded.addPerson(QStringLiteral("k"), draft(QStringLiteral("A"))));
}
// A file SQLite finds damaged is told once; kept aside, a new, empty book takes its place, and
// refused, the file stays as it was and the book closed.
TEST_F(AddressBookTest, ADamagedFileIsToldOnceAndReplacedOnlyOnceKeptAside)
{
    ASSERT_TRUE(AddressBook(path()).addPerson(QStringLiteral("k"), draft(QStringLiteral("A"), {}, {}, {phone("1")})));
    const std::pair<const char *, QByteArray> damages[] = {
        {"pages overwritten", withPagesOverwritten(fileBytes())},
        {"no database at all", QByteArray("\x00\x01 this is not SQLite \xff", 24).repeated(200)},
    };
    const QString kept = path() + QStringLiteral(".kept");
    for (const auto &[name, bytes] : damages) {
        for (const bool keptAside : {true, false}) {
            SCOPED_TRACE(std::string(name) + (keptAside ? ", kept aside" : ", not kept aside"));
            writeFile(path(), bytes);
            QFile::remove(kept);
            QStringList told;
            AddressBook book(path());
            book.setDamageHandler([&](const QString &damaged) {
                told.append(damaged);
                return keptAside && QFile::copy(damaged, kept);
            });
            EXPECT_EQ(book.isOpen(), keptAside);
            EXPECT_TRUE(book.foundDamaged());
            EXPECT_TRUE(book.peopleSummaries().isEmpty());
            EXPECT_EQ(book.addPerson(QStringLiteral("new"), draft(QStringLiteral("New"))).has_value(), keptAside);
            EXPECT_EQ(told, QStringList{path()});
            EXPECT_EQ(readFile(keptAside ? kept : path()), bytes);
        }
    }
}

// Damage that shows only at a later question (the check passed, then the file changed under the
// book): the question answers nothing, and the book starts anew at the next one.
TEST_F(AddressBookTest, DamageFoundAtAnyQuestionStartsANewBook)
{
    AddressBook book(path());
    ASSERT_TRUE(book.addPerson(QStringLiteral("k"), draft(QStringLiteral("A"), {}, {}, {phone("1")})));
    int told = 0;
    book.setDamageHandler([&](const QString &) { return ++told; });
    QByteArray damaged = withPagesOverwritten(fileBytes());
    damaged[27] = char(damaged[27] + 1); // the change counter: SQLite reads the file anew
    writeFile(path(), damaged);
    EXPECT_TRUE(book.peopleSummaries().isEmpty());
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(book.isOpen());
    EXPECT_TRUE(book.peopleSummaries().isEmpty());
    EXPECT_TRUE(book.addPerson(QStringLiteral("new"), draft(QStringLiteral("New"))));
    EXPECT_EQ(told, 1);
    EXPECT_EQ(AddressBook(path()).peopleSummaries().size(), 1);
}
} // namespace
