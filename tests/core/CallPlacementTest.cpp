#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {
// Poland is the SIM country, its access number +48 22 123 45 67.
const QByteArray accessNumbers = "260 +48 22 123 45 67\r\n262 +49 30 5550\r\n";
const QByteArray diallingCodes = "260 48\r\n262 49\r\n234 44\r\n";

FavoriteRecordPtr keypadRecord(const QString &number)
{
    auto record = std::make_shared<FavoriteRecord>();
    record->phoneNumber = record->displayName = number;
    record->phoneType = QStringLiteral("unknown");
    record->contactID = -1;
    record->startTime.reset();
    return record;
}

TEST(CallPlacementTest, TheDialAddressFollowsTheModeTheDigitsAndTheAbroadTest)
{
    struct Case
    {
        const char *name;
        int mode; // 1 "Always", 0 "International calls"
        QString number;
        QString address;
        bool recorded;
    };
    const Case cases[] = {
        {"always, abroad", 1, QStringLiteral("+49 30 1234567"), QStringLiteral("tel:+48221234567,0049301234567"), true},
        {"always, national", 1, QStringLiteral("221234567"), QStringLiteral("tel:+48221234567,221234567"), true},
        {"international, national", 0, QStringLiteral("221234567"), QStringLiteral("tel:221234567"), true},
        {"international, abroad", 0, QStringLiteral("0049301234567"), QStringLiteral("tel:+48221234567,0049301234567"), true},
        {"international, own code", 0, QStringLiteral("+48 22 765 43 21"), QStringLiteral("tel:0048227654321"), true},
        {"always, short number", 1, QStringLiteral("112"), QStringLiteral("tel:112"), false},
        {"international, short number", 0, QStringLiteral("112"), QStringLiteral("tel:112"), false},
        {"always, five digits", 1, QStringLiteral("+12345"), QStringLiteral("tel:0012345"), false},
        {"international, five digits", 0, QStringLiteral("+12345"), QStringLiteral("tel:0012345"), false},
        {"always, typed pause", 1, QStringLiteral("123456,789"), QStringLiteral("tel:+48221234567,123456,789"), true},
        {"always, no digit at all", 1, QStringLiteral(",,"), QStringLiteral("tel:,,"), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestApp test;
        test.launch(accessNumbers, diallingCodes, QStringLiteral("260"), c.mode);
        const FavoriteRecordPtr record = keypadRecord(c.number);
        test.app().InitateCall(record);
        EXPECT_EQ(test.telephone().opened, QStringList{c.address});
        EXPECT_TRUE(test.alerts().shown().empty());
        EXPECT_EQ(record->startTime, testEpoch());
        const auto &recents = test.app().recentViewController().recentArray();
        if (c.recorded) {
            ASSERT_EQ(recents.size(), 1);
            EXPECT_EQ(recents.first(), record); // the very same object
        } else {
            EXPECT_TRUE(recents.isEmpty());
        }
    }
}

TEST(CallPlacementTest, WithoutAnAccessNumberRoutedCallsWarnAndOthersGoDirect)
{
    struct Case
    {
        const char *name;
        int mode;
        QString number;
        std::optional<QString> address; // none: the warning instead
    };
    const Case cases[] = {
        {"always", 1, QStringLiteral("221234567"), std::nullopt},
        {"international, abroad", 0, QStringLiteral("+49 30 1234567"), std::nullopt},
        {"international, national", 0, QStringLiteral("221234567"), QStringLiteral("tel:221234567")},
        {"short number", 1, QStringLiteral("112"), QStringLiteral("tel:112")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestApp test;
        test.launch("262 +49 30 5550\r\n", diallingCodes, QStringLiteral("260"), c.mode);
        test.app().InitateCall(keypadRecord(c.number));
        if (c.address) {
            EXPECT_EQ(test.telephone().opened, QStringList{*c.address});
            EXPECT_TRUE(test.alerts().shown().empty());
        } else {
            EXPECT_TRUE(test.telephone().opened.isEmpty());
            ASSERT_EQ(test.alerts().shown().size(), 1u);
            EXPECT_EQ(test.alerts().shown()[0].message, u"There is no Farline access number available");
            EXPECT_TRUE(test.app().recentViewController().recentArray().isEmpty());
        }
    }
}

TEST(CallPlacementTest, AHandsetThatCannotCallWarnsAndLeavesTheRecordAlone)
{
    TestApp test;
    test.telephone().canCall = false;
    test.launch(accessNumbers, diallingCodes, QStringLiteral("260"));
    EXPECT_EQ(test.app().callSupport(), 1);
    const FavoriteRecordPtr record = keypadRecord(QStringLiteral("221234567"));
    test.app().InitateCall(record);
    EXPECT_TRUE(test.telephone().opened.isEmpty());
    EXPECT_EQ(record->startTime, std::nullopt);
    ASSERT_EQ(test.alerts().shown().size(), 1u);
    EXPECT_EQ(test.alerts().shown()[0].message, u"You device does not support telephony functions");
}

TEST(CallPlacementTest, ACallTheTelephoneRefusesIsNotRecorded)
{
    TestApp test;
    test.telephone().accepts = false;
    test.launch(accessNumbers, diallingCodes, QStringLiteral("260"));
    test.app().InitateCall(keypadRecord(QStringLiteral("221234567")));
    EXPECT_EQ(test.telephone().opened.size(), 1);
    EXPECT_TRUE(test.app().recentViewController().recentArray().isEmpty());
    EXPECT_TRUE(test.alerts().shown().empty());
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

    test.restart(); // nothing is lost without an orderly end
    test.app().applicationDidFinishLaunching();
    EXPECT_EQ(test.app().recentViewController().recentArray().size(), 2);
}
} // namespace
