#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "support/FileSizeLimit.h"
#include "support/TestApp.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
// Poland is the SIM country, its access number +48 22 123 45 67.
const QByteArray accessNumbers = "260 +48 22 123 45 67\r\n262 +49 30 5550\r\n";
const QByteArray diallingCodes = "260 48\r\n262 49\r\n234 44\r\n";

FavoriteRecordPtr keypadRecord(const QString &number)
{
    return std::make_shared<FavoriteRecord>(FavoriteRecord{number, number, QStringLiteral("unknown"), -1, 0, std::nullopt});
}

TEST(CallPlacementTest, TheDialAddressFollowsTheModeTheDigitsAndTheAbroadTest)
{
    const QByteArray noPolishNumber = "262 +49 30 5550\r\n";
    const char *const noNumber = "There is no Farline access number available";
    const char *const noTelephony = "You device does not support telephony functions";
    struct Case
    {
        const char *name;
        int mode; // 1 "Always", 0 "International calls"
        const char *number, *address; // address "" when nothing is dialled
        bool recorded;
        const char *alert = "";
        QByteArray lanFile = accessNumbers;
        bool canCall = true, accepts = true;
    };
    const Case cases[] = {
        {"always, abroad", 1, "+49 30 1234567", "tel:+48221234567,0049301234567", true},
        {"always, national", 1, "221234567", "tel:+48221234567,221234567", true},
        {"international, national", 0, "221234567", "tel:221234567", true},
        {"international, abroad", 0, "0049301234567", "tel:+48221234567,0049301234567", true},
        {"international, own code", 0, "+48 22 765 43 21", "tel:0048227654321", true},
        {"always, short number", 1, "112", "tel:112", false},
        {"international, short number", 0, "112", "tel:112", false},
        {"always, five digits", 1, "+12345", "tel:0012345", false},
        {"international, five digits", 0, "+12345", "tel:0012345", false},
        {"always, typed pause", 1, "123456,789", "tel:+48221234567,123456,789", true},
        {"always, no digit at all", 1, ",,", "tel:,,", false},
        {"no access number, always", 1, "221234567", "", false, noNumber, noPolishNumber},
        {"no access number, abroad", 0, "+49 30 1234567", "", false, noNumber, noPolishNumber},
        {"no access number, national", 0, "221234567", "tel:221234567", true, "", noPolishNumber},
        {"no access number, short number", 1, "112", "tel:112", false, "", noPolishNumber},
        {"no telephony", 1, "221234567", "", false, noTelephony, accessNumbers, false},
        {"refused by the telephone", 1, "221234567", "tel:+48221234567,221234567", false, "", accessNumbers, true, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestApp test;
        test.telephone().canCall = c.canCall;
        test.telephone().accepts = c.accepts;
        test.launch(c.lanFile, diallingCodes, QStringLiteral("260"), c.mode);
        const FavoriteRecordPtr record = keypadRecord(QString::fromLatin1(c.number));
        test.app().InitateCall(record);
        EXPECT_EQ(test.telephone().opened, *c.address ? QStringList{c.address} : QStringList());
        EXPECT_EQ(test.alertMessages(), *c.alert ? QStringList{c.alert} : QStringList());
        EXPECT_EQ(record->startTime, c.canCall ? std::optional(testEpoch()) : std::nullopt);
        const auto &recents = test.app().recentViewController().recentArray();
        EXPECT_EQ(recents, c.recorded ? QList{record} : QList<FavoriteRecordPtr>()); // the very same object
    }
}

TEST(CallPlacementTest, APositionOutsideTheListDialsTheFirstNumber)
{
    TestApp test;
    test.launch("260 +48 1111111\r\n260 +48 2222222\r\n", diallingCodes, QStringLiteral("260"));
    for (const int position : {1, 2, -1}) {
        SCOPED_TRACE(position);
        test.telephone().opened.clear();
        test.app().lanManager().setCurrentLANpos(position);
        test.app().InitateCall(keypadRecord(QStringLiteral("221234567")));
        EXPECT_EQ(test.telephone().opened,
                  QStringList{position == 1 ? QStringLiteral("tel:+482222222,221234567")
                                            : QStringLiteral("tel:+481111111,221234567")});
    }
}

TEST(CallPlacementTest, RecordedCallsAreWrittenAtOnceAndAFavouriteCalledTwiceIsTheSameObjectTwice)
{
    TestApp test;
    test.launch(accessNumbers, diallingCodes, QStringLiteral("260"));
    auto favourite = keypadRecord(QStringLiteral("+44 20 7946 0120"));
    test.app().favoritesViewController().myModalViewControllerDidFinish(favourite);
    test.app().favoritesViewController().selectRow(0);
    test.clock().advance(60);
    test.app().favoritesViewController().selectRow(0);

    const auto &recents = test.app().recentViewController().recentArray();
    ASSERT_EQ(recents.size(), 2);
    EXPECT_EQ(recents[0], favourite);
    EXPECT_EQ(recents[1], favourite);
    EXPECT_EQ(favourite->startTime, testEpoch().addSecs(60)); // both rows show the later call
    EXPECT_TRUE(QTest::qWaitFor([&] { return test.app().favoritesViewController().selectedRow() == -1; }, 1000));

    test.restart(); // nothing is lost without an orderly end
    test.app().applicationDidFinishLaunching();
    EXPECT_EQ(test.app().recentViewController().recentArray().size(), 2);
}
// A damaged file that the start could not replace (the disk is full) is not a country without
// access numbers.
TEST(CallPlacementTest, AnAccessNumberFileThatCannotBeReadIsSaidToBeDamaged)
{
    TestApp test;
    test.launch(accessNumbers, diallingCodes, QStringLiteral("260"));
    test.writeDocument(QStringLiteral("LANFile.txt"), "damaged");
    test.restart();
    {
        const FileSizeLimit limit(16);
        test.app().applicationDidFinishLaunching();
    }
    test.alerts().clear();
    test.app().InitateCall(keypadRecord(QStringLiteral("221234567")));
    EXPECT_TRUE(test.telephone().opened.isEmpty());
    EXPECT_EQ(test.alertMessages(),
              QStringList{"The Farline access numbers file is damaged. Please update the access numbers in Settings."});
}
} // namespace
