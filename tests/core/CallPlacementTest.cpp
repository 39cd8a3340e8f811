#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/CommonOperations.h"
#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "platform/TerminationSignals.h"
#include "support/FileSizeLimit.h"
#include "support/TestApp.h"

#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {
// Poland is the SIM country, its access number +48 22 123 45 67.
const QByteArray accessNumbers = "260 +48 22 123 45 67\r\n262 +49 30 5550\r\n";
const QByteArray diallingCodes = "260 48\r\n262 49\r\n234 44\r\n";

FavoriteRecordPtr keypadRecord(const QString &number)
{
    return std::make_shared<FavoriteRecord>(FavoriteRecord{number, number, QStringLiteral("unknown"), -1, 0, std::nullopt});
}

// What call placement does with a route: the warning, the record's time, the recent calls.
struct Dial
{
    const char *name;
    const char *number, *address; // address "" when nothing is dialled
    bool recorded;
    void (*warning)(Alerts &) = nullptr;
    QByteArray lanFile = accessNumbers;
    bool canCall = true, accepts = true;
    const char *refusal = nullptr; // the alert of a number Farline does not dial
};

using DialTest = ::testing::TestWithParam<Dial>;

TEST_P(DialTest, TheRouteIsDialledWarnedOfAndRecorded)
{
    const Dial &c = GetParam();
    TestApp test;
    test.telephone().canCall = c.canCall;
    test.telephone().accepts = c.accepts;
    test.launch(c.lanFile, diallingCodes, QStringLiteral("260"));
    const FavoriteRecordPtr record = keypadRecord(QString::fromLatin1(c.number));
    test.app().InitateCall(record);
    EXPECT_EQ(test.telephone().opened, *c.address ? QStringList{c.address} : QStringList());
    const QStringList alerts = c.warning ? QStringList{warningText(c.warning)} : c.refusal ? QStringList{c.refusal} : QStringList();
    EXPECT_EQ(test.alertMessages(), alerts);
    EXPECT_EQ(record->startTime, c.canCall && !c.refusal ? std::optional(testEpoch()) : std::nullopt);
    const auto &recents = test.app().recentViewController().recentArray();
    EXPECT_EQ(recents, c.recorded ? QList{record} : QList<FavoriteRecordPtr>()); // the very same object
}

const QByteArray noPolishNumber = "262 +49 30 5550\r\n";
const Dial dials[] = {
    {"ViaTheAccessNumber", "+49 30 1234567", "tel:+48221234567,0049301234567", true},
    {"ShortNumberUnrecorded", "112", "tel:112", false},
    {"NoAccessNumber", "221234567", "", false, CommonOperations::showNoAvaliableNumberWarning, noPolishNumber},
    {"NoTelephony", "221234567", "", false, CommonOperations::deviceDoesNotSupportsCall, accessNumbers, false},
    {"RefusedByTheTelephone", "221234567", "tel:+48221234567,221234567", false, nullptr, accessNumbers, true, false},
    // Stored numbers are read as the keypad would type them: none is dialled as another.
    {"ServiceCode", "*112#", "", false, nullptr, accessNumbers, true, true, "Farline cannot call *112#: service codes need the phone's own dialler"},
    {"ExtensionAfterAPause", "+49 30 12345 ext. 67", "tel:+48221234567,00493012345,67", true},
};
INSTANTIATE_TEST_SUITE_P(, DialTest, ::testing::ValuesIn(dials), [](const auto &row) { return std::string(row.param.name); });

TEST(CallPlacementTest, RecordedCallsAreWrittenAtOnceAndAFavouriteCalledTwiceIsTheSameObjectTwice)
{
    TestApp test;
    test.launch(accessNumbers, diallingCodes, QStringLiteral("260"));
    auto favourite = keypadRecord(QStringLiteral("+44 20 7946 0120"));
    test.app().favoritesViewController().myModalViewControllerDidFinish(favourite);
    test.app().favoritesViewController().selectRow(0);
    test.clock().advance(60);
    test.app().favoritesViewController().selectRow(0);

    EXPECT_EQ(test.app().recentViewController().recentArray(), (QList{favourite, favourite}));
    EXPECT_EQ(favourite->startTime, testEpoch().addSecs(60)); // both rows show the later call
    EXPECT_TRUE(QTest::qWaitFor([&] { return test.app().favoritesViewController().selectedRow() == -1; }, 1000));

    test.restart(); // nothing is lost without an orderly end
    test.app().applicationDidFinishLaunching();
    EXPECT_EQ(test.app().recentViewController().recentArray().size(), 2);
}
// However long the event loop takes to hear of it, a termination request stops every call.
TEST(CallPlacementTest, ARunAskedToEndPlacesNoCall)
{
    TestApp test;
    test.launch(accessNumbers, diallingCodes, QStringLiteral("260"));
    const TerminationSignals termination;
    ASSERT_EQ(::raise(SIGTERM), 0);
    test.app().InitateCall(keypadRecord(QStringLiteral("+49 30 1234567")));
    EXPECT_TRUE(test.telephone().opened.isEmpty());
    EXPECT_TRUE(test.app().recentViewController().recentArray().isEmpty());
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
