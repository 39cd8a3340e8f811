#include "platform/AddressBook.h"
#include "platform/AddressBookSchema.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
using Text = std::optional<QString>;

PhoneDraft phone(const char *value, Text label = {}, std::optional<int> identifier = {})
{
    return PhoneDraft{identifier, std::move(label), QString::fromUtf8(value)};
}

PersonDraft draft(Text first, Text last, Text organization = {}, QList<PhoneDraft> phones = {})
{
    PersonDraft person;
    person.firstName = std::move(first);
    person.lastName = std::move(last);
    person.organization = std::move(organization);
    person.phones = std::move(phones);
    return person;
}

class AddressBookTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.path() + QStringLiteral("/AddressBook.sqlite"); }
    QByteArray fileBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QTemporaryDir m_dir;
};

TEST_F(AddressBookTest, KeepsAbsentAndEmptyNamesApartAndPhonesInOrder)
{
    int id = 0;
    {
        AddressBook book(path());
        ASSERT_TRUE(book.isOpen()) << book.errorText().toStdString();
        PersonDraft person = draft(QStringLiteral(""), std::nullopt, QStringLiteral("Ximian, Inc."),
                                   {phone("(617) 236-0442", QStringLiteral("_$!<Work>!$_")), phone("2"), phone("", QStringLiteral(""))});
        person.middleName = QStringLiteral("Q");
        id = book.addPerson(QStringLiteral("k"), person).value_or(0);
        ASSERT_GT(id, 0);
    }
    AddressBook reopened(path());
    const auto person = reopened.personWithRecordID(id);
    ASSERT_TRUE(person);
    EXPECT_EQ(person->recordID, id);
    EXPECT_EQ(person->firstName, u"");
    EXPECT_EQ(person->middleName, u"Q");
    EXPECT_EQ(person->lastName, std::nullopt);
    EXPECT_EQ(person->organization, u"Ximian, Inc.");
    const QList<PhoneEntry> expected = {{0, QStringLiteral("_$!<Work>!$_"), QStringLiteral("(617) 236-0442")},
                                        {1, std::nullopt, QStringLiteral("2")},
                                        {2, QStringLiteral(""), QStringLiteral("")}};
    EXPECT_EQ(person->phones, expected);
    EXPECT_EQ(person->indexForIdentifier(1), 1);
    EXPECT_EQ(person->indexForIdentifier(3), -1);
    EXPECT_FALSE(reopened.personWithRecordID(id + 1));
    EXPECT_FALSE(reopened.personWithRecordID(-1));
}

TEST_F(AddressBookTest, PersonsWithoutNumbersHaveNoPhoneList)
{
    AddressBook book(path());
    const int id = *book.addPerson(QStringLiteral("k"), draft(QStringLiteral("A"), {}));
    EXPECT_EQ(book.personWithRecordID(id)->phones, std::nullopt);
    EXPECT_EQ(book.personWithRecordID(id)->indexForIdentifier(0), -1);
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
    ASSERT_TRUE(book.updatePerson(first, draft(QStringLiteral("A"), {})));
    ASSERT_TRUE(book.updatePerson(first, draft(QStringLiteral("A"), {}, {}, {phone("4")})));
    EXPECT_EQ(book.personWithRecordID(first)->phones->first().identifier, 3);

    const int second = *book.addPerson(QStringLiteral("b"), draft(QStringLiteral("B"), {}));
    ASSERT_TRUE(book.removePerson(second));
    EXPECT_FALSE(book.personWithRecordID(second));
    EXPECT_FALSE(book.removePerson(second));
    const int third = *book.addPerson(QStringLiteral("c"), draft(QStringLiteral("C"), {}));
    EXPECT_GT(third, second);
    EXPECT_FALSE(book.updatePerson(second, draft(QStringLiteral("B"), {})));
}

TEST_F(AddressBookTest, ListsPersonsInTheBrowsersOrder)
{
    AddressBook book(path());
    const auto add = [&](Text first, Text last, Text organization, QList<PhoneDraft> phones = {}) {
        return *book.addPerson(QStringLiteral("k"), draft(std::move(first), std::move(last), std::move(organization), std::move(phones)));
    };
    const int noNumber = add({}, {}, {});
    const int byNumber9 = add({}, {}, {}, {phone("9")});
    const int berg = add(QStringLiteral("Anna"), QStringLiteral("berg"), {});
    const int bergBob = add(QStringLiteral("Bob"), QStringLiteral("Berg"), {});
    const int bergAnnaB = add(QStringLiteral("anna"), QStringLiteral("Berg"), QStringLiteral("B"));
    const int byNumber1 = add({}, QStringLiteral(""), QStringLiteral(""), {phone("1")});
    const int ximian = add({}, {}, QStringLiteral("Ximian"));
    const int adam = add(QStringLiteral("Adam"), {}, {});
    const int abel = add(QStringLiteral("Zed"), QStringLiteral("Abel"), {});

    QList<int> order;
    for (const Person &person : book.allPeople())
        order.append(person.recordID);
    const QList<int> expected = {ximian, adam, abel, berg, bergAnnaB, bergBob, byNumber1, byNumber9, noNumber};
    EXPECT_EQ(order, expected);
    EXPECT_EQ(book.allPeople()[7].phones->first().value, u"9");
}

TEST_F(AddressBookTest, ChangesInsideATransactionAreUndoneTogether)
{
    AddressBook book(path());
    const int kept = *book.addPerson(QStringLiteral("k"), draft(QStringLiteral("Kept"), {}, {}, {phone("1")}));
    ASSERT_TRUE(book.beginTransaction());
    ASSERT_TRUE(book.addPerson(QStringLiteral("n"), draft(QStringLiteral("New"), {})));
    ASSERT_TRUE(book.updatePerson(kept, draft(QStringLiteral("Changed"), {})));
    book.rollbackTransaction();
    EXPECT_EQ(book.allPeople().size(), 1);
    EXPECT_EQ(book.personWithRecordID(kept)->firstName, u"Kept");
    EXPECT_EQ(book.personWithRecordID(kept)->phones->size(), 1);
    EXPECT_EQ(book.recordIDForImportKey(QStringLiteral("k")), kept);
    EXPECT_FALSE(book.recordIDForImportKey(QStringLiteral("n")));
}

TEST_F(AddressBookTest, FilesItCannotUseAreLeftUntouched)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"garbage", QByteArray("\x00\x01 this is not SQLite \xff", 24).repeated(200)},
        {"truncated SQLite header", QByteArray("SQLite format 3\0", 16) + QByteArray(80, '\x01')},
    };
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        {
            QFile file(path());
            ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
        }
        AddressBook book(path());
        EXPECT_FALSE(book.isOpen());
        EXPECT_FALSE(book.errorText().isEmpty());
        EXPECT_TRUE(book.allPeople().isEmpty());
        EXPECT_FALSE(book.personWithRecordID(1));
        EXPECT_FALSE(book.addPerson(QStringLiteral("k"), draft(QStringLiteral("A"), {})));
        EXPECT_FALSE(book.removePerson(1));
        EXPECT_EQ(fileBytes(), bytes);
    }
}

TEST_F(AddressBookTest, AFileOfANewerSchemaIsRefusedAndAnOlderOneUpgraded)
{
    {
        AddressBook book(path());
        ASSERT_TRUE(book.addPerson(QStringLiteral("k"), draft(QStringLiteral("A"), {})));
    }
    const auto setVersion = [&](int version) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("schema-test"));
        db.setDatabaseName(path());
        ASSERT_TRUE(db.open());
        QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = %1").arg(version));
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("schema-test"));
    };
    setVersion(AddressBookSchema::currentVersion() + 1);
    const QByteArray before = fileBytes();
    {
        AddressBook book(path());
        EXPECT_FALSE(book.isOpen());
        EXPECT_TRUE(book.errorText().contains(QLatin1String("newer")));
    }
    EXPECT_EQ(fileBytes(), before);

    // An empty database (version 0) is brought to the current version.
    QFile::remove(path());
    { QFile(path()).open(QIODevice::WriteOnly); }
    AddressBook upgraded(path());
    EXPECT_TRUE(upgraded.isOpen()) << upgraded.errorText().toStdString();
    EXPECT_TRUE(upgraded.addPerson(QStringLiteral("k"), draft(QStringLiteral("A"), {})));
}

TEST_F(AddressBookTest, TwoInstancesOverOneFileSeeEachOthersChanges)
{
    AddressBook writer(path());
    AddressBook reader(path());
    const int id = *writer.addPerson(QStringLiteral("k"), draft(QStringLiteral("A"), {}));
    EXPECT_EQ(reader.personWithRecordID(id)->firstName, u"A");
}
} // namespace
