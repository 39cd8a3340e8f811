#include "lists/PersonListModel.h"

#include "ListsTestSupport.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

namespace {
class PersonListModelTest : public ListsTest
{
protected:
    using Rows = std::vector<std::string>;

    // A person of each kind the list files differently, added out of order.
    void addEveryKind()
    {
        addPerson({}, {}, QStringLiteral("Pizza Roma"), {phone("+39 06 555 12")});
        addPerson(QStringLiteral("Émile"), QStringLiteral("Zola"), {}, {});
        addPerson(QStringLiteral("Max"), QStringLiteral("Mustermann"), {}, {});
        // Its first number is the first in the list, not the one with the lowest identifier.
        const int byNumber = addPerson({}, {}, {}, {phone("0171 555"), phone("+49 30 1234567")});
        setPhones(byNumber, {phone("+49 30 1234567", {}, 1), phone("0171 555", {}, 0)});
        addPerson(QStringLiteral("bob"), QStringLiteral("berg"), {}, {});
        addPerson(QStringLiteral("Carl"), QStringLiteral("Berg"), QStringLiteral("Acme"), {phone("(030) 12 34")});
        addPerson({}, {}, {}, {});
        addPerson(QStringLiteral("Jörg"), QStringLiteral("Müller"), {}, {});
        addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {}, QStringLiteral("Maria"));
        addPerson({}, {}, QStringLiteral("42 Pizza"), {});
        addPerson(QStringLiteral("Søren"), QStringLiteral("Østergaard"), {}, {});
        addPerson(QStringLiteral("Dora"), QStringLiteral(""), {}, {}, QStringLiteral(""));
        addPerson({}, {}, QStringLiteral("Ärzte am Markt"), {});
        addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {});
        addPerson(QStringLiteral("Adam"), {}, {}, {});
    }

    // Each row's name, or with `full` its "name|section|organisation" (standard strings, which a
    // failure prints legibly).
    static Rows names(const PersonListModel &model, bool full = false)
    {
        const QList<int> roles = full ? QList<int>{PersonListModel::NameRole, PersonListModel::SectionRole, PersonListModel::OrganizationRole}
                                      : QList<int>{PersonListModel::NameRole};
        Rows rows;
        for (int row = 0; row < model.rowCount(); ++row) {
            QStringList fields;
            for (const int role : roles)
                fields.append(model.data(model.index(row), role).toString());
            rows.push_back(fields.join(u'|').toStdString());
        }
        return rows;
    }

};

TEST_F(PersonListModelTest, FilesPersonsByLastNameAsAReaderWouldWithEveryOtherTextAfterZ)
{
    addEveryKind();
    PersonListModel model(addressBook);
    model.reload();
    EXPECT_EQ(names(model, true), (Rows{"Adam|A|", "Ärzte am Markt|A|Ärzte am Markt",
                                        "Anna Berg|B|", "Anna Maria Berg|B|", "bob berg|B|", "Carl Berg|B|Acme",
                                        "Dora|D|", "Jörg Müller|M|", "Max Mustermann|M|", "Søren Østergaard|O|",
                                        "Pizza Roma|P|Pizza Roma", "Émile Zola|Z|",
                                        "42 Pizza|#|42 Pizza", "+49 30 1234567|#|", "[No name supplied]|#|"}));
}

// A reload sorts as the language in use then reads: Danish files "Aa" as its own letter after Z.
TEST_F(PersonListModelTest, AReloadSortsInTheLanguageInUseThen)
{
    addPerson(QStringLiteral("Aaron"), {}, {}, {});
    addPerson(QStringLiteral("Adam"), {}, {}, {});
    PersonListModel model(addressBook);
    model.reload();
    EXPECT_EQ(names(model), (Rows{"Aaron", "Adam"}));
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Danish, QLocale::Denmark));
    model.reload();
    QLocale::setDefault(before);
    EXPECT_EQ(names(model), (Rows{"Adam", "Aaron"}));
}

// A reload keeps the sort keys of the names it read before: a person renamed is filed anew. A
// number added later is stored after other persons' numbers and is still the person's.
TEST_F(PersonListModelTest, AReloadFilesARenamedPersonAnewWithTheNumbersAddedSince)
{
    const int zoe = addPerson(QStringLiteral("Zoe"), QStringLiteral("Lund"), {}, {phone("030 111")});
    addPerson(QStringLiteral("Eva"), QStringLiteral("Lind"), {}, {phone("040 222")});
    PersonListModel model(addressBook);
    model.reload();
    ASSERT_EQ(names(model), (Rows{"Eva Lind", "Zoe Lund"}));
    ASSERT_TRUE(addressBook.updatePerson(
        zoe, draft(QStringLiteral("Zoe"), QStringLiteral("Lane"), {}, {phone("030 111", {}, 0), phone("050 333")})));
    model.reload();
    EXPECT_EQ(names(model), (Rows{"Zoe Lane", "Eva Lind"}));
    const struct
    {
        const char *search;
        Rows found;
    } cases[] = {{"050", {"Zoe Lane"}}, {"030", {"Zoe Lane"}}, {"222", {"Eva Lind"}}, {"lund", {}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.search);
        model.setSearchText(QString::fromUtf8(c.search));
        EXPECT_EQ(names(model), c.found);
    }
}

TEST_F(PersonListModelTest, SearchFindsWordBeginningsOfNamesAndOrganisationsAndTheDigitsOfNumbers)
{
    addEveryKind();
    PersonListModel model(addressBook);
    const QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.reload();
    const Rows everyone = names(model);
    const struct
    {
        const char *search;
        Rows found;
    } cases[] = {
        {"", everyone},
        {"  ", everyone},
        {"MÜL", {"Jörg Müller"}},
        {"mul", {"Jörg Müller"}},
        {"BOB", {"bob berg"}},
        {"emile", {"Émile Zola"}},
        {"rom", {"Pizza Roma"}},
        {"oma", {}},
        {"acme", {"Carl Berg"}},
        {"berg an", {"Anna Berg", "Anna Maria Berg"}},
        {"ma ann", {"Anna Maria Berg"}},
        {"4930", {"+49 30 1234567"}},
        {"+49 30", {"+49 30 1234567"}},
        {"030", {"Carl Berg"}},
        {"(030) 12-34", {"Carl Berg"}},
        {"3012", {"Carl Berg", "+49 30 1234567"}},
        {"45670171", {}}, // the end of one number and the start of the next
        {"42", {"42 Pizza"}},
        {"carl 030", {"Carl Berg"}},
        {"anna 030", {}},
        {"zz", {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.search);
        model.setSearchText(QString::fromUtf8(c.search));
        EXPECT_EQ(names(model), c.found);
    }
}

TEST_F(PersonListModelTest, ReloadReadsNamesAndNumbersAgainAndKeepsTheSearch)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {phone("030 111")});
    PersonListModel model(addressBook);
    const QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy emptyChanges(&model, &PersonListModel::addressBookEmptyChanged);
    QSignalSpy countChanges(&model, &PersonListModel::countChanged);
    model.reload();
    model.setSearchText(QStringLiteral("030"));
    ASSERT_EQ(names(model), Rows{"Anna Berg"});

    const int eva = addPerson(QStringLiteral("Eva"), QStringLiteral("Lind"), {}, {phone("030 222")});
    setPhones(anna, {phone("040 111")});
    model.reload();
    EXPECT_EQ(model.searchText(), u"030");
    EXPECT_EQ(names(model), Rows{"Eva Lind"});

    // A search that finds nobody is no empty address book.
    model.setSearchText(QStringLiteral("zz"));
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_EQ(countChanges.count(), 2); // 0 to 1 with the first reload, 1 to 0 now
    EXPECT_FALSE(model.addressBookEmpty());
    EXPECT_EQ(emptyChanges.count(), 1);
    ASSERT_TRUE(addressBook.removePerson(anna));
    ASSERT_TRUE(addressBook.removePerson(eva));
    model.reload();
    EXPECT_TRUE(model.addressBookEmpty());
    EXPECT_EQ(emptyChanges.count(), 2);
}

// A reload keeps the order of the persons that did not change and files the others among them:
// the rows are those of a list read afresh. Twins are told apart by what changed about them.
TEST_F(PersonListModelTest, AReloadAfterChangesListsAsAListReadAfresh)
{
    const int zola = addPerson(QStringLiteral("Émile"), QStringLiteral("Zola"), {}, {});
    const int firstAnna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {});
    addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {});
    const int byNumber = addPerson({}, {}, {}, {phone("0171 555")});
    addPerson({}, {}, {}, {phone("0172 555")});
    const int bob = addPerson(QStringLiteral("bob"), QStringLiteral("berg"), {}, {});
    addPerson(QStringLiteral("Max"), QStringLiteral("Mustermann"), {}, {});
    PersonListModel model(addressBook);
    model.reload();
    const Rows first = names(model, true);
    model.reload();
    ASSERT_EQ(names(model, true), first); // nothing changed

    ASSERT_TRUE(addressBook.updatePerson(zola, draft(QStringLiteral("Emile"), QStringLiteral("Aalto"))));
    ASSERT_TRUE(addressBook.updatePerson(firstAnna, draft(QStringLiteral("Anna"), QStringLiteral("Berg"), QStringLiteral("Zeta"))));
    setPhones(byNumber, {phone("0173 555")});
    ASSERT_TRUE(addressBook.removePerson(bob));
    addPerson(QStringLiteral("Carl"), QStringLiteral("Berg"), {}, {});
    model.reload();
    PersonListModel afresh(addressBook);
    afresh.reload();
    EXPECT_EQ(names(model, true), names(afresh, true));
    EXPECT_EQ(names(model, true).front(), "Emile Aalto|A|");
}

// A book whose later pages turned out damaged while its first persons were already read lists
// no one, rather than the persons read before the damage.
TEST_F(PersonListModelTest, ABookDamagedPartWayListsNoOne)
{
    ASSERT_TRUE(addressBook.beginTransaction());
    for (int i = 0; i < 400; ++i)
        addPerson(QStringLiteral("Given %1").arg(i), QStringLiteral("Family name of some length %1").arg(i), {}, {});
    ASSERT_TRUE(addressBook.commitTransaction());
    PersonListModel model(addressBook);
    model.reload();
    ASSERT_EQ(model.rowCount(), 400);
    addressBook.setDamageHandler([](const QString &) { return false; });
    const QString path = dir.filePath(QStringLiteral("AddressBook.sqlite"));
    QByteArray file = readFile(path);
    QByteArray damaged = withPagesOverwritten(file);
    const qsizetype kept = file.size() * 3 / 4; // the persons written first stay readable
    file.replace(kept, file.size() - kept, damaged.sliced(kept));
    file[27] = char(file[27] + 1); // the change counter: SQLite reads the file anew
    writeFile(path, file);
    model.reload();
    EXPECT_EQ(model.rowCount(), 0);
}

// A long list is sorted in halves on two cores, ties settled by the first name and then the
// organisation; its words are made while its numbers are read, when the first search has
// digits: it finds what a list that made its words first and read the numbers after finds.
TEST_F(PersonListModelTest, ALongListSortsAndFindsAlikeWhicheverSearchCameFirst)
{
    ASSERT_TRUE(addressBook.beginTransaction());
    Rows sorted;
    for (int i = 0; i < 1200; ++i) {
        const QByteArray number = "+49 30 555 " + QByteArray::number(i);
        addPerson(QStringLiteral("Given%1").arg(i % 7), QStringLiteral("Family"), QString::number(i), {phone(number.constData())});
        sorted.push_back("Given" + std::to_string(i % 7) + " Family|F|" + std::to_string(i));
    }
    ASSERT_TRUE(addressBook.commitTransaction());
    std::sort(sorted.begin(), sorted.end()); // digits and these letters sort alike as bytes
    PersonListModel numbersFirst(addressBook);
    PersonListModel wordsFirst(addressBook);
    numbersFirst.reload();
    wordsFirst.reload();
    EXPECT_EQ(names(numbersFirst, true), sorted);
    wordsFirst.setSearchText(QStringLiteral("family"));
    for (const char *search : {"1199", "555 11", "given3 119", "4930555"}) {
        SCOPED_TRACE(search);
        numbersFirst.setSearchText(QString::fromLatin1(search));
        wordsFirst.setSearchText(QString::fromLatin1(search));
        EXPECT_FALSE(names(wordsFirst).empty());
        EXPECT_EQ(names(numbersFirst, true), names(wordsFirst, true));
    }
}
} // namespace
