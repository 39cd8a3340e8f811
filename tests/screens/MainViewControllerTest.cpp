#include "access/LANManger.h"
#include "access/LANUpdateViewController.h"
#include "access/SelectCountryViewController.h"
#include "core/AppSettings.h"
#include "screens/MainViewController.h"
#include "screens/PageViewController.h"
#include "screens/UseFarlineFor.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <QTest>
#include <array>
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

// What the switcher shows and steps to is LanSwitcher's; the screen enables a segment at once
// and disables one a moment later, from the position as it stands then.
TEST_F(SettingsScreenTest, AQuickTapBackKeepsTheSegmentThatCanStillStep)
{
    start(threeNumbers);
    EXPECT_EQ(std::tuple(screen().lanNumberText(), screen().previousSegmentEnabled(), screen().nextSegmentEnabled()),
              std::tuple(u"+442079460120"_qs, false, true));
    screen().lanSwitcherAction(1);
    EXPECT_EQ(std::tuple(screen().lanNumberText(), screen().previousSegmentEnabled()), std::tuple(u"+442079460121"_qs, true));
    screen().lanSwitcherAction(1); // onto the last: forward to be disabled in 0.2 s
    EXPECT_TRUE(screen().nextSegmentEnabled());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !screen().nextSegmentEnabled(); }, 2000));

    screen().lanSwitcherAction(0);
    EXPECT_TRUE(screen().nextSegmentEnabled()); // at once
    screen().lanSwitcherAction(1); // onto the last again
    screen().lanSwitcherAction(0); // back before the disabling
    QTest::qWait(300);
    EXPECT_EQ(test.app().lanManager().currentLANpos(), 1);
    EXPECT_TRUE(screen().nextSegmentEnabled());
    EXPECT_TRUE(screen().previousSegmentEnabled());
}

TEST_F(SettingsScreenTest, RowsOpenTheirScreensAndFlash)
{
    start(threeNumbers);
    const std::tuple<int, int, const char *> cases[] = {
        {0, 0, "SIM country"}, {0, 1, "Use for"}, {0, 2, ""},
        {1, 0, "Update Farline"}, {1, 1, "How does it work"}, {1, 2, "About Farline"}};
    QString opened;
    QObject::connect(&screen(), &MainViewController::countryScreenChanged, [&] {
        if (screen().countryScreen())
            opened = screen().countryScreen()->title();
    });
    QObject::connect(&screen(), &MainViewController::usageModeChooserChanged,
                     [&] { opened = screen().usageModeChooser()->title(); });
    QObject::connect(&screen(), &MainViewController::pageChanged, [&] { opened = screen().page()->title(); });
    QObject::connect(&test.app(), &FarlineAppDelegate::updateDialogChanged, [&] {
        if (LANUpdateViewController *dialog = test.app().updateDialog()) {
            opened = dialog->title();
            EXPECT_EQ(dialog->delegate(), &screen());
        }
    });
    for (const auto &[section, row, title] : cases) {
        SCOPED_TRACE(title);
        opened.clear();
        screen().didSelectRow(section, row);
        EXPECT_EQ(opened, QLatin1String(title));
        EXPECT_EQ(screen().selectedSection(), section);
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen().selectedRow() == -1; }, 2000));
        if (SelectCountryViewController *country = screen().countryScreen()) {
            country->CancelAction();
            EXPECT_TRUE(QTest::qWaitFor([&] { return !screen().countryScreen(); }, 2000));
        }
        if (LANUpdateViewController *dialog = test.app().updateDialog())
            dialog->CancelUpdateAction();
    }
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
    EXPECT_EQ(std::tuple(chooser.checkedIndex(), chooser.selectedRow(), test.app().appSettings().useFarlineFor, reload.count()), std::tuple(0, 0, 0, 1));
    EXPECT_EQ(screen().modeText(), u"International calls");
    ASSERT_TRUE(QTest::qWaitFor([&] { return chooser.selectedRow() == -1; }, 2000));

    chooser.didSelectRow(0); // the checked row again: stored again, notified again
    EXPECT_EQ(reload.count(), 2);
    EXPECT_EQ(chooser.checkedIndex(), 0);
}
} // namespace
