#include "lists/RecentViewController.h"
#include "support/RecordingAlerts.h"

#include "ListsTestSupport.h"
#include "support/Files.h"

#include <QSignalSpy>
#include <QTest>

namespace {
class RecentViewControllerTest : public ListsTest
{
protected:
    std::unique_ptr<RecentViewController> make() { return std::make_unique<RecentViewController>(home, addressBook, calls, alerts, reports); }
    QByteArray archiveBytes() const { return readFile(home.documentPath(QStringLiteral("recent.archive"))); }

    RecordingAlerts alerts;
};

TEST_F(RecentViewControllerTest, KeepsFiftyNewestFirstWithoutDeduplication)
{
    auto recents = make();
    for (int i = 1; i <= 50; ++i)
        recents->addCall(record(i % 2 ? "odd" : "even", "", "unknown", -1, 0));
    recents->addCall(record("last", "", "unknown", -1, 0));
    EXPECT_EQ(recents->recentArray().size(), 50);
    EXPECT_EQ(numbersOf(recents->recentArray()).mid(0, 3), (QStringList{"last", "even", "odd"}));
    EXPECT_EQ(recents->recentArray().last()->phoneNumber, u"even"); // the second call: the first is gone
    EXPECT_EQ(recents->model()->rowCount(), 50);
}

// A damaged archive gives what can be read of it; before the first write over it, the file is
// kept aside with one warning. A list cut to its length is no damage.
TEST_F(RecentViewControllerTest, DamagedArchivesLoadAsFarAsTheyCanBeReadAndAreKeptAsideBeforeAWrite)
{
    QByteArray many = R"({"ReecentCollection": [)";
    for (int i = 0; i < 60; ++i)
        many += QByteArray(i ? "," : "") + R"({"$class": "FavoriteRecord", "Phone number": ")" + QByteArray::number(i) + "\"}";
    many += "]}";
    const std::tuple<const char *, QByteArray, QStringList, bool> cases[] = {
        {"the key spelt otherwise", R"({"RecentCollection": [{"$class": "FavoriteRecord", "Phone number": "1"}]})", {}, true},
        {"entries that are no records",
         R"({"ReecentCollection": [7, {"$class": "AppSettings"}, {"no class": 1}, {"$class": "FavoriteRecord", "Phone number": 5},
             {"$class": "FavoriteRecord", "Phone number": "kept"}, {"$class": "FavoriteRecord"}]})",
         {"kept", ""}, true},
        {"empty file", "", {}, true},
        {"overlong", many, {}, false},
    };
    const QString kept = home.documentPath(QStringLiteral("recent.archive.damaged-20260314-150926"));
    for (const auto &[name, bytes, numbers, damaged] : cases) {
        SCOPED_TRACE(name);
        writeDocument(QStringLiteral("recent.archive"), bytes);
        reports.warnings.clear();
        auto recents = make();
        if (!damaged) {
            ASSERT_EQ(recents->recentArray().size(), 50);
            EXPECT_EQ(recents->recentArray().last()->phoneNumber, u"49");
            EXPECT_EQ(recents->recentArray().first()->contactID, 0);
            EXPECT_EQ(recents->recentArray().first()->startTime, std::nullopt);
        } else {
            EXPECT_EQ(numbersOf(recents->recentArray()), numbers);
        }
        recents->addCall(record("new", "", "", -1, 0));
        ASSERT_TRUE(recents->saveDataToDisk());
        ASSERT_TRUE(recents->saveDataToDisk());
        EXPECT_EQ(reports.warnings, damaged ? QStringList{"Your recent calls file was damaged. A copy is kept as " + kept + u'.'} : QStringList());
        EXPECT_EQ(QFile(kept).exists(), damaged);
        if (damaged) {
            EXPECT_EQ(readFile(kept), bytes);
            QFile::remove(kept);
        }
        EXPECT_EQ(make()->recentArray().first()->phoneNumber, u"new");
    }
    EXPECT_TRUE(reports.failures.isEmpty());
}

TEST_F(RecentViewControllerTest, RefreshFollowsTheAddressBook)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {},
                               {phone("+46 70 111", mobileLabel), phone("+46 8 222", homeLabel), phone("3")});
    const int nameless = addPerson({}, {}, {}, {phone("+1 555")});
    const int gone = addPerson(QStringLiteral("Gone"), {}, {}, {phone("9")});
    ASSERT_TRUE(addressBook.removePerson(gone));
    setPhones(anna, {phone("+46 70 111", mobileLabel, 0), phone("+46 8 999", homeLabel, 1), phone("3", {}, 2)});

    const QList<FavoriteRecordPtr> entries = {
        record("+46 70 111", "old", "old", anna, 0), record("+46 8 222", "old", "Home", anna, 1), record("3", "old", "old", anna, 2),
        record("+46 70 111", "old", "Mobile", anna, 7), record("9", "Gone ", "Mobile", gone, 0),
        record("0049301234567", "0049301234567", "unknown", -1, 0), record("+1 555", "old", "old", nameless, 0)};
    auto recents = make();
    recents->setRecentArray(entries);
    recents->prepareRecentCollection();
    EXPECT_EQ(fieldsOf(entries), (QStringList{QStringLiteral("Anna Berg |Mobile|+46 70 111|%1|0").arg(anna),
                                   QStringLiteral("+46 8 222|unknown|+46 8 222|%1|1").arg(anna), // number edited: stored one stays
                                   QStringLiteral("Anna Berg ||3|%1|2").arg(anna),
                                   QStringLiteral("+46 70 111|unknown|+46 70 111|%1|7").arg(anna), // entry gone
                                   QStringLiteral("9|unknown|9|-1|0"),                              // person gone
                                   QStringLiteral("0049301234567|unknown|0049301234567|-1|0"),
                                   QStringLiteral("+1 555||+1 555|%1|0").arg(nameless)}));
    EXPECT_TRUE(archiveBytes().isEmpty()); // and nothing is written

    // An address book that cannot be read changes nothing.
    writeDocument(QStringLiteral("broken.sqlite"), QByteArray(4096, 'x'));
    AddressBook broken(home.documentPath(QStringLiteral("broken.sqlite")));
    ASSERT_FALSE(broken.isOpen());
    RecentViewController unrefreshed(home, broken, calls, alerts, reports);
    const FavoriteRecordPtr entry = record("1", "Anna Berg ", "Mobile", 5, 0);
    unrefreshed.setRecentArray({entry});
    unrefreshed.loadView();
    EXPECT_EQ(fieldsOf(*entry), u"Anna Berg |Mobile|1|5|0");
}

TEST_F(RecentViewControllerTest, ClearAsksAndOnlyClearAllRecentsClears)
{
    auto recents = make();
    recents->addCall(record("1", "", "", -1, 0));
    ASSERT_TRUE(recents->saveDataToDisk());
    recents = make();
    EXPECT_FALSE(recents->showsClearButton());
    recents->loadView(); // the button comes with the view when the list is not empty
    EXPECT_TRUE(recents->showsClearButton());
    const QByteArray saved = archiveBytes();

    recents->clearRecords();
    ASSERT_EQ(alerts.shown().size(), 1u);
    EXPECT_EQ(std::pair(alerts.shown().back().buttons, alerts.shown().back().cancelButton), std::pair(QStringList{"Clear All Recents", "Cancel"}, 1));
    ASSERT_TRUE(alerts.tap(1));
    EXPECT_EQ(recents->recentArray().size(), 1);
    EXPECT_TRUE(recents->showsClearButton());
    EXPECT_EQ(archiveBytes(), saved);

    QSignalSpy button(recents.get(), &RecentViewController::showsClearButtonChanged);
    recents->clearRecords();
    ASSERT_TRUE(alerts.tap(0));
    EXPECT_TRUE(recents->recentArray().isEmpty());
    EXPECT_FALSE(recents->showsClearButton());
    EXPECT_EQ(button.count(), 1);
    EXPECT_TRUE(make()->recentArray().isEmpty()); // written
    recents->addCall(record("2", "", "", -1, 0));
    EXPECT_TRUE(recents->showsClearButton());
    EXPECT_EQ(button.count(), 2);
}

TEST_F(RecentViewControllerTest, CallingARowAgainHandsOverANewRecordAndDeselectsLater)
{
    auto recents = make();
    const FavoriteRecordPtr entry = record("+46 70 111", "Anna Berg ", "Mobile", 4, 2);
    recents->setRecentArray({entry, record("2", "", "", -1, 0)});
    recents->selectRow(2);
    recents->selectRow(-1);
    EXPECT_TRUE(calls.calls.empty());

    recents->selectRow(0);
    ASSERT_EQ(calls.calls.size(), 1u);
    const FavoriteRecordPtr &call = calls.calls.front();
    EXPECT_NE(call, entry);
    EXPECT_EQ(fieldsOf(*call), u"Anna Berg |Mobile|+46 70 111|4|0");
    EXPECT_EQ(call->startTime, std::nullopt);
    EXPECT_EQ(recents->recentArray().size(), 2); // recording is call placement's business

    EXPECT_EQ(recents->selectedRow(), 0);
    QTest::qWait(RecentViewController::deselectDelayMs - 200);
    EXPECT_EQ(recents->selectedRow(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return recents->selectedRow() == -1; }, 1000));
}
} // namespace
