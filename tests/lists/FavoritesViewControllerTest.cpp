#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "platform/KeyedArchive.h"
#include "support/RecordingAlerts.h"

#include "ListsTestSupport.h"
#include "support/FileSizeLimit.h"
#include "support/Files.h"

namespace {
class FavoritesViewControllerTest : public ListsTest
{
protected:
    std::unique_ptr<FavoritesViewController> make() { return std::make_unique<FavoritesViewController>(home, addressBook, calls, reports); }
    static QStringList numbersFrom(int first, int last)
    {
        QStringList list;
        for (int i = first; i <= last; ++i)
            list.append(QString::number(i));
        return list;
    }
};

TEST_F(FavoritesViewControllerTest, AFullListDropsTheLastEntryAndAnEqualEntryMovesToTheEnd)
{
    auto favorites = make();
    for (int i = 1; i <= 16; ++i)
        favorites->myModalViewControllerDidFinish(record(QByteArray::number(i).constData(), "", "Mobile", 1, i));
    EXPECT_EQ(numbersOf(favorites->favoritesArray()), numbersFrom(1, 14) << QStringLiteral("16"));
    favorites->setEditing(true); // reordered, the list still loses its bottom row, not the newest
    ASSERT_TRUE(favorites->moveRow(14, 0));
    favorites->myModalViewControllerDidFinish(record("17", "", "Mobile", 1, 17));
    EXPECT_EQ(numbersOf(favorites->favoritesArray()), QStringList{"16"} << numbersFrom(1, 13) << QStringLiteral("17"));

    const FavoriteRecordPtr first = record("1", "Anna ", "Mobile", 4, 0);
    favorites->setFavoritesArray({first, record("2", "", "Mobile", 4, 1), record("3", "", "Home", 5, 0)});
    // Same type, person and number: moved, whatever the name and identifier.
    favorites->myModalViewControllerDidFinish(record("1", "Other name", "Mobile", 4, 9));
    EXPECT_EQ(numbersOf(favorites->favoritesArray()), (QStringList{"2", "3", "1"}));
    EXPECT_EQ(numbersOf(make()->favoritesArray()), (QStringList{"2", "3", "1"})); // written after each change
    EXPECT_EQ(favorites->favoritesArray().last(), first);
    EXPECT_EQ(first->displayName, u"Anna ");
    // A different type, person or number is another favourite.
    favorites->myModalViewControllerDidFinish(record("1", "", "Home", 4, 0));
    favorites->myModalViewControllerDidFinish(record("1", "", "Mobile", 5, 0));
    favorites->myModalViewControllerDidFinish(record("1 ", "", "Mobile", 4, 0));
    EXPECT_EQ(favorites->favoritesArray().size(), 6);
}

TEST_F(FavoritesViewControllerTest, APickedEntryBecomesAFavouriteAndIsWrittenAtOnce)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {phone("+46 70 111", mobileLabel), phone("5")});
    const int nameless = addPerson({}, {}, {}, {phone("+1 555"), phone("+1 666", QStringLiteral("Office"))});
    auto favorites = make();
    favorites->loadView();
    favorites->NewAction();
    EXPECT_TRUE(favorites->showsPeoplePicker());
    EXPECT_EQ(favorites->pickerPeople()->rowCount(), 2);
    EXPECT_FALSE(favorites->pickPhoneEntry(anna, 2));
    EXPECT_FALSE(favorites->pickPhoneEntry(anna + 100, 0));
    EXPECT_TRUE(favorites->favoritesArray().isEmpty());

    ASSERT_TRUE(favorites->pickPhoneEntry(anna, 0));
    EXPECT_FALSE(favorites->showsPeoplePicker());
    ASSERT_TRUE(favorites->pickPhoneEntry(nameless, 1));
    ASSERT_TRUE(favorites->pickPhoneEntry(anna, 1));

    // Written without waiting for the end of the application.
    const auto restarted = make();
    for (const FavoriteRecordPtr &entry : restarted->favoritesArray())
        EXPECT_EQ(entry->startTime, std::nullopt);
    EXPECT_EQ(fieldsOf(restarted->favoritesArray()), (QStringList{QStringLiteral("Anna Berg |Mobile|+46 70 111|%1|0").arg(anna),
                                   QStringLiteral("+1 555|Office|+1 666|%1|1").arg(nameless),
                                   QStringLiteral("Anna Berg ||5|%1|1").arg(anna)}));

    // The next picker lists the persons as they are now, without the last one's search.
    favorites->pickerPeople()->setSearchText(QStringLiteral("anna"));
    addPerson(QStringLiteral("Eva"), {}, {}, {phone("7")});
    favorites->NewAction();
    EXPECT_TRUE(favorites->pickerPeople()->searchText().isEmpty());
    EXPECT_EQ(favorites->pickerPeople()->rowCount(), 3);
    favorites->peoplePickerNavigationControllerDidCancel();
    EXPECT_FALSE(favorites->showsPeoplePicker());
    EXPECT_EQ(favorites->favoritesArray().size(), 3);

    // An entry is found by its identifier, not its position: with entry 0 gone, entry 1 stands first.
    setPhones(nameless, {phone("+1 777", {}, 1)});
    EXPECT_FALSE(favorites->pickPhoneEntry(nameless, 0));
    ASSERT_TRUE(favorites->pickPhoneEntry(nameless, 1));
    EXPECT_EQ(fieldsOf(*favorites->favoritesArray().last()), QStringLiteral("+1 777||+1 777|%1|1").arg(nameless));
}

TEST_F(FavoritesViewControllerTest, RefreshFollowsEditedNumbersAndKeepsWhatIsGone)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {phone("+46 70 111", mobileLabel), phone("2", homeLabel)});
    const int acme = addPerson({}, {}, QStringLiteral("Acme"), {phone("555")});
    const int nameless = addPerson({}, {}, {}, {phone("+1 555")});
    const int gone = addPerson(QStringLiteral("Gone"), {}, {}, {phone("9")});
    ASSERT_TRUE(addressBook.removePerson(gone));
    setPhones(anna, {phone("+46 70 999", mobileLabel, 0)});

    const QList<FavoriteRecordPtr> entries = {record("+46 70 111", "old", "Mobile", anna, 0), record("2", "Anna Berg ", "Home", anna, 1),
                                              record("555", "old", "", acme, 0), record("+1 555", "+1 555", "", nameless, 0),
                                              record("9", "Gone ", "Mobile", gone, 0)};
    auto favorites = make();
    favorites->setFavoritesArray(entries);
    favorites->loadView();
    EXPECT_EQ(fieldsOf(entries), (QStringList{QStringLiteral("Anna Berg |Mobile|+46 70 999|%1|0").arg(anna), // number edited
                                   QStringLiteral("2||2|%1|1").arg(anna),                          // entry gone
                                   QStringLiteral("Acme||555|%1|0").arg(acme),
                                   QStringLiteral("+1 555||+1 555|%1|0").arg(nameless),            // no name at all
                                   QStringLiteral("9||9|-1|0")}));                                 // person gone
    EXPECT_EQ(favorites->model()->data(favorites->model()->index(0), CallRecordModel::NumberRole), u"+46 70 999"_qs);
}

// A book found damaged is no source for names and numbers: neither list is refreshed from it,
// nor from the empty one that takes its place.
TEST_F(FavoritesViewControllerTest, ABookFoundDamagedRefreshesNeitherList)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {phone("+46 70 111", mobileLabel)});
    AddressBook damaged(writeFile(dir.filePath(QStringLiteral("damaged.sqlite")),
                                  withPagesOverwritten(readFile(dir.filePath(QStringLiteral("AddressBook.sqlite"))))));
    damaged.setDamageHandler([](const QString &) { return true; });
    const FavoriteRecordPtr favorite = record("+46 70 111", "Anna Berg ", "Mobile", anna, 0);
    const FavoriteRecordPtr recent = record("+46 70 111", "Anna Berg ", "Mobile", anna, 0);
    FavoritesViewController favorites(home, damaged, calls, reports);
    favorites.setFavoritesArray({favorite});
    favorites.loadView();
    RecordingAlerts alerts;
    RecentViewController recents(home, damaged, calls, alerts, reports);
    recents.setRecentArray({recent});
    recents.loadView();
    EXPECT_TRUE(damaged.foundDamaged());
    EXPECT_EQ(fieldsOf(*favorite), QStringLiteral("Anna Berg |Mobile|+46 70 111|%1|0").arg(anna));
    EXPECT_EQ(fieldsOf(*recent), fieldsOf(*favorite));
}

TEST_F(FavoritesViewControllerTest, EditingModeSwapsTheButtonsAndDeletesRows)
{
    auto favorites = make();
    favorites->loadView();
    // Edit (or Done) shown, Add shown, editing.
    const auto bar = [&] { return std::tuple(favorites->showsEditButton(), favorites->showsAddButton(), favorites->isEditing()); };
    EXPECT_EQ(bar(), std::tuple(false, true, false));
    for (const char *number : {"1", "2", "3"})
        favorites->myModalViewControllerDidFinish(record(number, "", "", 1, 0));
    EXPECT_EQ(bar(), std::tuple(true, true, false));
    EXPECT_FALSE(favorites->deleteRow(0)); // rows cannot be deleted outside editing mode

    favorites->setEditing(true);
    EXPECT_EQ(bar(), std::tuple(true, false, true));
    EXPECT_FALSE(favorites->deleteRow(3));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(favorites->deleteRow(1));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "About to delete item 1\n");
    EXPECT_EQ(numbersOf(make()->favoritesArray()), (QStringList{"1", "3"}));
    favorites->LeaveEditingMode(); // entries left: Edit stays
    EXPECT_EQ(bar(), std::tuple(true, true, false));

    favorites->setEditing(true);
    EXPECT_TRUE(favorites->deleteRow(1) && favorites->deleteRow(0));
    EXPECT_EQ(bar(), std::tuple(true, false, true)); // Done stays until editing mode is left
    EXPECT_TRUE(make()->favoritesArray().isEmpty());
    favorites->LeaveEditingMode();
    EXPECT_EQ(bar(), std::tuple(false, true, false));
}

TEST_F(FavoritesViewControllerTest, AnOverlongArchiveLoadsItsFirstFifteen)
{
    ArchiveList twenty;
    for (int i = 1; i <= 20; ++i)
        twenty.append(record(QByteArray::number(i).constData(), "", "", 1, i)->encode());
    ASSERT_TRUE(KeyedArchive::write(home.documentPath(QStringLiteral("favorites.archive")), QStringLiteral("FavoritesCollection"), twenty));
    EXPECT_EQ(numbersOf(make()->favoritesArray()), numbersFrom(1, 15));
}
TEST_F(FavoritesViewControllerTest, AFailedWriteIsSaidOnceWhileItKeepsFailingAndKeepsThePreviousFile)
{
    const QString path = home.documentPath(QStringLiteral("favorites.archive"));
    auto favorites = make();
    favorites->myModalViewControllerDidFinish(record("1", "", "Mobile", 1, 1));
    const QByteArray saved = readFile(path);
    {
        const FileSizeLimit limit(16);
        favorites->myModalViewControllerDidFinish(record("2", "", "Mobile", 1, 2));
        favorites->myModalViewControllerDidFinish(record("3", "", "Mobile", 1, 3));
        EXPECT_FALSE(favorites->saveDataToDisk()); // as at the end of the application
    }
    EXPECT_EQ(readFile(path), saved);
    const QString failure = "Your favorites could not be saved in " + path + " (File too large). The previous list is kept.";
    EXPECT_EQ(reports.failures, QStringList{failure});

    ASSERT_TRUE(favorites->saveDataToDisk());
    EXPECT_EQ(numbersOf(make()->favoritesArray()), (QStringList{"1", "2", "3"}));
    {
        const FileSizeLimit limit(16);
        favorites->myModalViewControllerDidFinish(record("4", "", "Mobile", 1, 4));
    }
    EXPECT_EQ(reports.failures, (QStringList{failure, failure})); // failing anew after a success is said anew
    EXPECT_TRUE(reports.warnings.isEmpty());
}
} // namespace
