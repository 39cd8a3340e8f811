#include "lists/FavoritesViewController.h"
#include "platform/KeyedArchive.h"

#include "ListsTestSupport.h"

#include <QFile>
#include <QTest>

namespace {
class FavoritesViewControllerTest : public ListsTest
{
protected:
    std::unique_ptr<FavoritesViewController> make()
    {
        return std::make_unique<FavoritesViewController>(home, addressBook, calls);
    }
    QString archivePath() const { return home.documentPath(QStringLiteral("favorites.archive")); }
    static QStringList numbers(const FavoritesViewController &favorites)
    {
        QStringList list;
        for (const FavoriteRecordPtr &record : favorites.favoritesArray())
            list.append(record->phoneNumber);
        return list;
    }
    static QStringList numbersFrom(int first, int last)
    {
        QStringList list;
        for (int i = first; i <= last; ++i)
            list.append(QString::number(i));
        return list;
    }
};

TEST_F(FavoritesViewControllerTest, AFullListMakesRoomByDroppingTheLastEntry)
{
    auto favorites = make();
    for (int i = 1; i <= 16; ++i)
        favorites->myModalViewControllerDidFinish(record(QByteArray::number(i).constData(), "", "Mobile", 1, i));
    EXPECT_EQ(numbers(*favorites), numbersFrom(1, 14) << QStringLiteral("16"));
}

TEST_F(FavoritesViewControllerTest, AnEqualEntryMovesToTheEndInsteadOfBeingAdded)
{
    auto favorites = make();
    const FavoriteRecordPtr first = record("1", "Anna ", "Mobile", 4, 0);
    favorites->setFavoritesArray({first, record("2", "", "Mobile", 4, 1), record("3", "", "Home", 5, 0)});
    // Same type, person and number: moved, whatever the name and identifier.
    favorites->myModalViewControllerDidFinish(record("1", "Other name", "Mobile", 4, 9));
    EXPECT_EQ(numbers(*favorites), (QStringList{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("1")}));
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
    EXPECT_FALSE(favorites->pickPhoneEntry(anna, 2));
    EXPECT_FALSE(favorites->pickPhoneEntry(anna + 100, 0));
    EXPECT_TRUE(favorites->favoritesArray().isEmpty());
    EXPECT_FALSE(favorites->showsEditButton());

    ASSERT_TRUE(favorites->pickPhoneEntry(anna, 0));
    EXPECT_FALSE(favorites->showsPeoplePicker());
    EXPECT_TRUE(favorites->showsEditButton());
    ASSERT_TRUE(favorites->pickPhoneEntry(nameless, 1));
    ASSERT_TRUE(favorites->pickPhoneEntry(anna, 1));

    // Written without waiting for the end of the application.
    auto restarted = make();
    ASSERT_EQ(restarted->favoritesArray().size(), 3);
    const struct
    {
        const char *name, *type, *number;
        int contact, identifier;
    } expected[] = {{"Anna Berg ", "Mobile", "+46 70 111", anna, 0},
                    {"+1 555", "Office", "+1 666", nameless, 1},
                    {"Anna Berg ", "", "5", anna, 1}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const FavoriteRecord &record = *restarted->favoritesArray()[i];
        EXPECT_EQ(record.displayName, QString::fromUtf8(expected[i].name));
        EXPECT_EQ(record.phoneType, QString::fromUtf8(expected[i].type));
        EXPECT_EQ(record.phoneNumber, QString::fromUtf8(expected[i].number));
        EXPECT_EQ(record.contactID, expected[i].contact);
        EXPECT_EQ(record.identifier, expected[i].identifier);
        EXPECT_EQ(record.startTime, std::nullopt);
    }

    favorites->NewAction();
    favorites->peoplePickerNavigationControllerDidCancel();
    EXPECT_FALSE(favorites->showsPeoplePicker());
    EXPECT_EQ(favorites->favoritesArray().size(), 3);
}

TEST_F(FavoritesViewControllerTest, RefreshFollowsEditedNumbersAndKeepsWhatIsGone)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {}, {phone("+46 70 111", mobileLabel), phone("2", homeLabel)});
    const int acme = addPerson({}, {}, QStringLiteral("Acme"), {phone("555")});
    const int nameless = addPerson({}, {}, {}, {phone("+1 555")});
    const int gone = addPerson(QStringLiteral("Gone"), {}, {}, {phone("9")});
    ASSERT_TRUE(addressBook.removePerson(gone));
    setPhones(anna, {phone("+46 70 999", mobileLabel, 0)});

    struct Case
    {
        const char *name;
        FavoriteRecordPtr entry;
        const char *displayName, *phoneType, *phoneNumber;
        int contactID;
    };
    const Case cases[] = {
        {"number edited", record("+46 70 111", "old", "Mobile", anna, 0), "Anna Berg ", "Mobile", "+46 70 999", anna},
        {"entry gone", record("2", "Anna Berg ", "Home", anna, 1), "2", "", "2", anna},
        {"organisation", record("555", "old", "", acme, 0), "Acme", "", "555", acme},
        {"no name at all", record("+1 555", "+1 555", "", nameless, 0), "+1 555", "", "+1 555", nameless},
        {"person gone", record("9", "Gone ", "Mobile", gone, 0), "9", "", "9", -1},
    };
    auto favorites = make();
    QList<FavoriteRecordPtr> list;
    for (const Case &c : cases)
        list.append(c.entry);
    favorites->setFavoritesArray(list);
    favorites->loadView();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.entry->displayName, QString::fromUtf8(c.displayName));
        EXPECT_EQ(c.entry->phoneType, QString::fromUtf8(c.phoneType));
        EXPECT_EQ(c.entry->phoneNumber, QString::fromUtf8(c.phoneNumber));
        EXPECT_EQ(c.entry->contactID, c.contactID);
    }
    EXPECT_EQ(favorites->model()->data(favorites->model()->index(0), CallRecordModel::NumberRole), u"+46 70 999"_qs);
}

TEST_F(FavoritesViewControllerTest, EditingModeSwapsTheButtonsAndDeletesRows)
{
    auto favorites = make();
    favorites->loadView();
    EXPECT_FALSE(favorites->showsEditButton());
    EXPECT_TRUE(favorites->showsAddButton());
    favorites->myModalViewControllerDidFinish(record("1", "", "", 1, 0));
    favorites->myModalViewControllerDidFinish(record("2", "", "", 1, 1));
    EXPECT_TRUE(favorites->showsEditButton());
    EXPECT_FALSE(favorites->deleteRow(0)); // rows cannot be deleted outside editing mode

    favorites->setEditing(true);
    EXPECT_FALSE(favorites->showsAddButton());
    EXPECT_FALSE(favorites->deleteRow(2));
    testing::internal::CaptureStdout();
    EXPECT_TRUE(favorites->deleteRow(1));
    EXPECT_TRUE(favorites->deleteRow(0));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "About to delete item 1\nAbout to delete item 0\n");
    EXPECT_TRUE(favorites->showsEditButton()); // Done stays until editing mode is left
    EXPECT_TRUE(make()->favoritesArray().isEmpty());

    favorites->LeaveEditingMode();
    EXPECT_FALSE(favorites->isEditing());
    EXPECT_FALSE(favorites->showsEditButton());
    EXPECT_TRUE(favorites->showsAddButton());
    favorites->LeaveEditingMode();
    EXPECT_FALSE(favorites->isEditing());
}

TEST_F(FavoritesViewControllerTest, LeavingEditingModeWithEntriesKeepsTheEditButton)
{
    auto favorites = make();
    favorites->setFavoritesArray({record("1", "", "", 1, 0)});
    favorites->loadView();
    favorites->setEditing(true);
    favorites->LeaveEditingMode();
    EXPECT_TRUE(favorites->showsEditButton());
    EXPECT_TRUE(favorites->showsAddButton());
}

TEST_F(FavoritesViewControllerTest, CallingARowHandsOverTheStoredRecord)
{
    auto favorites = make();
    favorites->setFavoritesArray({record("1", "", "", 1, 0), record("2", "", "", 1, 1)});
    favorites->selectRow(1);
    favorites->selectRow(1);
    ASSERT_EQ(calls.calls.size(), 2u);
    EXPECT_EQ(calls.calls[0], favorites->favoritesArray()[1]);
    EXPECT_EQ(calls.calls[1], favorites->favoritesArray()[1]);
    EXPECT_EQ(favorites->selectedRow(), 1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return favorites->selectedRow() == -1; }, 1000));
}

TEST_F(FavoritesViewControllerTest, DamagedOrOverlongArchivesLoadAsFarAsTheyCanBeRead)
{
    QList<FavoriteRecordPtr> twenty;
    for (int i = 1; i <= 20; ++i)
        twenty.append(record(QByteArray::number(i).constData(), "", "", 1, i));
    ArchiveList archived;
    for (const FavoriteRecordPtr &r : twenty)
        archived.append(r->encode());
    ASSERT_TRUE(KeyedArchive::write(archivePath(), QStringLiteral("FavoritesCollection"), archived));
    EXPECT_EQ(numbers(*make()), numbersFrom(1, 15));

    QFile file(archivePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("{\"FavoritesCollection\": [{\"$class\": \"FavoriteRecord\", \"Contact ID\": \"x\"}, ");
    file.close();
    EXPECT_TRUE(make()->favoritesArray().isEmpty());
}
} // namespace
