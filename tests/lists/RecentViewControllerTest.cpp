#include "lists/RecentViewController.h"
#include "platform/Alerts.h"
#include "platform/KeyedArchive.h"

#include "ListsTestSupport.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {
class RecentViewControllerTest : public ListsTest
{
protected:
    std::unique_ptr<RecentViewController> make()
    {
        return std::make_unique<RecentViewController>(home, addressBook, calls, alerts);
    }
    QString archivePath() const { return home.documentPath(QStringLiteral("recent.archive")); }
    QByteArray archiveBytes() const
    {
        QFile file(archivePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeArchive(const QByteArray &bytes) const
    {
        home.ensureDocuments();
        QFile file(archivePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    static QStringList numbers(const RecentViewController &recents)
    {
        QStringList list;
        for (const FavoriteRecordPtr &record : recents.recentArray())
            list.append(record->phoneNumber);
        return list;
    }

    RecordingAlerts alerts;
};

TEST_F(RecentViewControllerTest, KeepsFiftyNewestFirstWithoutDeduplication)
{
    auto recents = make();
    for (int i = 1; i <= 51; ++i)
        recents->addCall(record(i % 2 ? "odd" : "even", "", "unknown", -1, 0));
    recents->addCall(record("last", "", "unknown", -1, 0));
    EXPECT_EQ(recents->recentArray().size(), 50);
    EXPECT_EQ(recents->recentArray()[0]->phoneNumber, u"last");
    EXPECT_EQ(recents->recentArray()[1]->phoneNumber, u"odd");  // the 51st
    EXPECT_EQ(recents->recentArray()[2]->phoneNumber, u"even"); // the 50th
    EXPECT_EQ(recents->model()->rowCount(), 50);
}

TEST_F(RecentViewControllerTest, TheSameRecordObjectIsKept)
{
    auto recents = make();
    const FavoriteRecordPtr shared = record("1", "", "", -1, 0);
    recents->addCall(shared);
    recents->addCall(shared);
    EXPECT_EQ(recents->recentArray()[0], shared);
    EXPECT_EQ(recents->recentArray()[1], shared);
}

TEST_F(RecentViewControllerTest, AWriteAndAReadGiveBackTheList)
{
    auto recents = make();
    recents->addCall(record("+44 (20) 7946-0120", "Anna Berg ", "Mobile", 17, 3));
    FavoriteRecordPtr typed = record("123,456", "123,456", "unknown", -1, 0);
    typed->startTime.reset();
    recents->addCall(typed);
    ASSERT_TRUE(recents->saveDataToDisk());
    EXPECT_TRUE(KeyedArchive::readList(archivePath(), QStringLiteral("ReecentCollection")));

    auto reread = make();
    ASSERT_EQ(reread->recentArray().size(), 2);
    for (int i = 0; i < 2; ++i) {
        const FavoriteRecord &a = *recents->recentArray()[i];
        const FavoriteRecord &b = *reread->recentArray()[i];
        EXPECT_EQ(std::tie(a.phoneNumber, a.displayName, a.phoneType, a.contactID, a.identifier, a.startTime),
                  std::tie(b.phoneNumber, b.displayName, b.phoneType, b.contactID, b.identifier, b.startTime));
    }
}

TEST_F(RecentViewControllerTest, DamagedArchivesLoadAsFarAsTheyCanBeRead)
{
    QByteArray many = R"({"ReecentCollection": [)";
    for (int i = 0; i < 60; ++i)
        many += QByteArray(i ? "," : "") + R"({"$class": "FavoriteRecord", "Phone number": ")" + QByteArray::number(i) + "\"}";
    many += "]}";
    const std::pair<const char *, std::pair<QByteArray, QStringList>> cases[] = {
        {"garbage", {QByteArray("\x00\x01\xfe", 3), {}}},
        {"truncated", {R"({"ReecentCollection": [{"$class": "FavoriteRecord", "Phone num)", {}}},
        {"root is an object", {R"({"ReecentCollection": {"$class": "FavoriteRecord"}})", {}}},
        {"wrong key", {R"({"RecentCollection": [{"$class": "FavoriteRecord", "Phone number": "1"}]})", {}}},
        {"odd entries passed over",
         {R"({"ReecentCollection": [7, {"$class": "AppSettings"}, {"$class": "FavoriteRecord", "Phone number": 5},
             {"$class": "FavoriteRecord", "Phone number": "kept"}, {"$class": "FavoriteRecord"}]})",
          {QStringLiteral("kept"), QStringLiteral("")}}},
    };
    for (const auto &[name, c] : cases) {
        SCOPED_TRACE(name);
        writeArchive(c.first);
        EXPECT_EQ(numbers(*make()), c.second);
    }
    writeArchive(many);
    auto recents = make();
    ASSERT_EQ(recents->recentArray().size(), 50);
    EXPECT_EQ(recents->recentArray().last()->phoneNumber, u"49");
    EXPECT_EQ(recents->recentArray().first()->contactID, 0);
    EXPECT_EQ(recents->recentArray().first()->startTime, std::nullopt);
}

TEST_F(RecentViewControllerTest, RefreshFollowsTheAddressBook)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), {},
                               {phone("+46 70 111", mobileLabel), phone("+46 8 222", homeLabel), phone("3")});
    const int nameless = addPerson({}, {}, {}, {phone("+1 555")});
    const int gone = addPerson(QStringLiteral("Gone"), {}, {}, {phone("9")});
    ASSERT_TRUE(addressBook.removePerson(gone));
    setPhones(anna, {phone("+46 70 111", mobileLabel, 0), phone("+46 8 999", homeLabel, 1), phone("3", {}, 2)});

    struct Case
    {
        const char *name;
        FavoriteRecordPtr entry;
        const char *displayName;
        const char *phoneType;
        int contactID;
    };
    const Case cases[] = {
        {"same number", record("+46 70 111", "old", "old", anna, 0), "Anna Berg ", "Mobile", anna},
        {"number edited in the address book", record("+46 8 222", "old", "Home", anna, 1), "+46 8 222", "unknown", anna},
        {"entry without label", record("3", "old", "old", anna, 2), "Anna Berg ", "", anna},
        {"entry gone", record("+46 70 111", "old", "Mobile", anna, 7), "+46 70 111", "unknown", anna},
        {"person gone", record("9", "Gone ", "Mobile", gone, 0), "9", "unknown", -1},
        {"typed on the keypad", record("0049301234567", "0049301234567", "unknown", -1, 0), "0049301234567", "unknown", -1},
        {"person without a name", record("+1 555", "old", "old", nameless, 0), "+1 555", "", nameless},
    };
    auto recents = make();
    QList<FavoriteRecordPtr> list;
    for (const Case &c : cases)
        list.append(c.entry);
    recents->setRecentArray(list);
    recents->prepareRecentCollection();
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.entry->displayName, QString::fromUtf8(c.displayName));
        EXPECT_EQ(c.entry->phoneType, QString::fromUtf8(c.phoneType));
        EXPECT_EQ(c.entry->contactID, c.contactID);
    }
    EXPECT_EQ(cases[1].entry->phoneNumber, u"+46 8 222"); // the stored number stays
    EXPECT_FALSE(QFile::exists(archivePath()));             // and nothing is written
}

TEST_F(RecentViewControllerTest, NoRefreshWhenTheAddressBookCannotBeRead)
{
    QFile::remove(dir.path() + QStringLiteral("/broken.sqlite"));
    {
        QFile file(dir.path() + QStringLiteral("/broken.sqlite"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    AddressBook broken(dir.path() + QStringLiteral("/broken.sqlite"));
    ASSERT_FALSE(broken.isOpen());
    RecentViewController recents(home, broken, calls, alerts);
    const FavoriteRecordPtr entry = record("1", "Anna Berg ", "Mobile", 5, 0);
    recents.setRecentArray({entry});
    recents.loadView();
    EXPECT_EQ(entry->contactID, 5);
    EXPECT_EQ(entry->displayName, u"Anna Berg ");
}

TEST_F(RecentViewControllerTest, ClearAsksAndOnlyClearAllRecentsClears)
{
    auto recents = make();
    recents->loadView();
    EXPECT_FALSE(recents->showsClearButton());
    QSignalSpy button(recents.get(), &RecentViewController::showsClearButtonChanged);
    recents->addCall(record("1", "", "", -1, 0));
    EXPECT_TRUE(recents->showsClearButton());
    EXPECT_EQ(button.count(), 1);
    ASSERT_TRUE(recents->saveDataToDisk());
    const QByteArray saved = archiveBytes();

    recents->clearRecords();
    ASSERT_EQ(alerts.shown().size(), 1u);
    EXPECT_EQ(alerts.shown().back().buttons, (QStringList{QStringLiteral("Cancel"), QStringLiteral("Clear All Recents")}));
    ASSERT_TRUE(alerts.tap(0));
    EXPECT_EQ(recents->recentArray().size(), 1);
    EXPECT_TRUE(recents->showsClearButton());
    EXPECT_EQ(archiveBytes(), saved);

    recents->clearRecords();
    ASSERT_TRUE(alerts.tap(1));
    EXPECT_TRUE(recents->recentArray().isEmpty());
    EXPECT_FALSE(recents->showsClearButton());
    EXPECT_TRUE(make()->recentArray().isEmpty());
    EXPECT_TRUE(KeyedArchive::readList(archivePath(), QStringLiteral("ReecentCollection")));
}

TEST_F(RecentViewControllerTest, TheButtonComesWithTheViewWhenTheListIsNotEmpty)
{
    auto recents = make();
    recents->addCall(record("1", "", "", -1, 0));
    recents->saveDataToDisk();
    auto restarted = make();
    EXPECT_FALSE(restarted->showsClearButton());
    restarted->loadView();
    EXPECT_TRUE(restarted->showsClearButton());
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
    EXPECT_EQ(std::tie(call->phoneNumber, call->displayName, call->phoneType, call->contactID),
              std::tie(entry->phoneNumber, entry->displayName, entry->phoneType, entry->contactID));
    EXPECT_EQ(call->identifier, 0);
    EXPECT_EQ(call->startTime, std::nullopt);
    EXPECT_EQ(recents->recentArray().size(), 2); // recording is call placement's business

    EXPECT_EQ(recents->selectedRow(), 0);
    QTest::qWait(RecentViewController::deselectDelayMs - 200);
    EXPECT_EQ(recents->selectedRow(), 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return recents->selectedRow() == -1; }, 1000));
}
} // namespace
