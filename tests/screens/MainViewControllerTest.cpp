#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "screens/MainViewController.h"
#include "screens/UseFarlineFor.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const QByteArray threeNumbers = "234 +44 20 7946 0120\r\n234 +44 20 7946 0121\r\n234 +44 20 7946 0122\r\n";

class SettingsScreenTest : public ::testing::Test
{
protected:
    void start(const QByteArray &lanFile, int mode = 1)
    {
        test.launch(lanFile, "234 44\r\n", QStringLiteral("234"), mode);
    }
    MainViewController &screen() { return test.app().mainViewController(); }
    TestApp test;
};

TEST_F(SettingsScreenTest, TheSwitcherStepsThroughTheNumbersAndDisablesAtTheEndsAMomentLater)
{
    start(threeNumbers);
    EXPECT_EQ(screen().lanNumberText(), u"+442079460120");
    EXPECT_FALSE(screen().previousSegmentEnabled());
    EXPECT_TRUE(screen().nextSegmentEnabled());

    screen().lanSwitcherAction(1);
    EXPECT_EQ(screen().lanNumberText(), u"+442079460121");
    EXPECT_TRUE(screen().previousSegmentEnabled()); // at once
    screen().lanSwitcherAction(1);
    EXPECT_EQ(test.app().lanManager().currentLANpos(), 2);
    EXPECT_TRUE(screen().nextSegmentEnabled()); // still, for 0.2 s
    screen().lanSwitcherAction(1);              // a tap before the disabling changes nothing
    EXPECT_EQ(test.app().lanManager().currentLANpos(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !screen().nextSegmentEnabled(); }, 2000));

    screen().lanSwitcherAction(0);
    EXPECT_EQ(screen().lanNumberText(), u"+442079460121");
    EXPECT_TRUE(screen().nextSegmentEnabled());
    screen().lanSwitcherAction(0);
    EXPECT_EQ(test.app().lanManager().currentLANpos(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !screen().previousSegmentEnabled(); }, 2000));

    test.app().saveAppSettings();
    EXPECT_EQ(test.app().appSettings().lanNumberPos, 0);
}

TEST_F(SettingsScreenTest, AQuickTapBackKeepsTheSegmentThatCanStillStep)
{
    start(threeNumbers);
    screen().lanSwitcherAction(1);
    screen().lanSwitcherAction(1); // onto the last: forward to be disabled in 0.2 s
    screen().lanSwitcherAction(0); // back before that
    QTest::qWait(300);
    EXPECT_TRUE(screen().nextSegmentEnabled());
    EXPECT_TRUE(screen().previousSegmentEnabled());
}

TEST_F(SettingsScreenTest, WithoutNumbersTheRowSaysSoAndTheSwitcherDoesNothing)
{
    start("262 +49 30 1\r\n");
    EXPECT_EQ(screen().lanNumberText(), u"No access number available");
    EXPECT_FALSE(screen().previousSegmentEnabled());
    EXPECT_FALSE(screen().nextSegmentEnabled());
    screen().lanSwitcherAction(1);
    screen().lanSwitcherAction(0);
    EXPECT_EQ(test.app().lanManager().currentLANpos(), 0);
}

TEST_F(SettingsScreenTest, RowsOpenTheirScreensAndFlash)
{
    start(threeNumbers);
    struct Case
    {
        int section, row;
        void (MainViewController::*opens)();
    };
    const Case cases[] = {
        {0, 0, &MainViewController::openCountryScreen},   {0, 1, &MainViewController::openUsageModeChooser},
        {0, 2, nullptr},                                    {1, 0, &MainViewController::openUpdateDialog},
        {1, 1, &MainViewController::openHelpPage},         {1, 2, &MainViewController::openAboutPage},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.section * 10 + c.row);
        QSignalSpy country(&screen(), &MainViewController::openCountryScreen);
        QSignalSpy mode(&screen(), &MainViewController::openUsageModeChooser);
        QSignalSpy update(&screen(), &MainViewController::openUpdateDialog);
        QSignalSpy help(&screen(), &MainViewController::openHelpPage);
        QSignalSpy about(&screen(), &MainViewController::openAboutPage);
        screen().didSelectRow(c.section, c.row);
        EXPECT_EQ(country.count() + mode.count() + update.count() + help.count() + about.count(), c.opens ? 1 : 0);
        EXPECT_EQ(screen().selectedSection(), c.section);
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen().selectedRow() == -1; }, 2000));
    }
    EXPECT_EQ(MainViewController::sectionArray()[0][2].height, 110);
}

TEST_F(SettingsScreenTest, TheModeChooserStoresTheTappedRowAndTheSettingsScreenFollows)
{
    start(threeNumbers);
    EXPECT_EQ(screen().modeText(), u"Always");
    UseFarlineFor chooser(test.app());
    chooser.setDelegate(&screen());
    EXPECT_EQ(chooser.checkedIndex(), 1);
    QSignalSpy reload(&screen(), &MainViewController::reload);

    chooser.didSelectRow(0);
    EXPECT_EQ(chooser.checkedIndex(), 0);
    EXPECT_EQ(test.app().appSettings().useFarlineFor, 0);
    EXPECT_EQ(reload.count(), 1);
    EXPECT_EQ(screen().modeText(), u"International calls");
    EXPECT_EQ(chooser.selectedRow(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.selectedRow() == -1; }, 2000));

    chooser.didSelectRow(0); // the checked row again: stored again, notified again
    EXPECT_EQ(reload.count(), 2);
    EXPECT_EQ(chooser.checkedIndex(), 0);
}
} // namespace
