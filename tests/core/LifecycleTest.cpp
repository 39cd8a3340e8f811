#include "access/LANUpdateViewController.h"
#include "access/StartScreen.h"
#include "core/AppSettings.h"
#include "core/TabBarController.h"
#include "lists/FavoritesViewController.h"
#include "platform/KeyedArchive.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
const QString reminderText =
    QStringLiteral("You may try to update Farline access numbers. Would you like to perform update?");

// A run whose settings archive holds `lastUpdate` and `simCountry`, started at the test epoch.
void startWithReminderFrom(TestApp &test, const std::optional<QDateTime> &lastUpdate,
                           const QString &simCountry = QStringLiteral("234"))
{
    test.app().appSettings().currentMCC = simCountry;
    test.app().appSettings().lastUpdate = lastUpdate;
    test.app().saveAppSettings();
    test.restart();
    test.app().applicationDidFinishLaunching();
}

TEST(LifecycleTest, TheReminderComesOnceThirtyWholeDaysHavePassedAndIsThenPostponed)
{
    struct Case
    {
        const char *name;
        std::optional<QDateTime> lastUpdate;
        int answer; // the button tapped; -1 when there is no reminder
    };
    const QDateTime now = testEpoch();
    const Case cases[] = {
        {"29 days and 23 hours ago", now.addSecs(-(29 * 86400 + 23 * 3600)), -1},
        {"30 days ago", now.addDays(-30), 0},
        {"one second short of 30 days", now.addSecs(-30 * 86400 + 1), -1},
        {"a year ago", now.addDays(-365), 1},
        {"in the future", now.addDays(40), -1},
        {"never", std::nullopt, -1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TestApp test;
        startWithReminderFrom(test, c.lastUpdate);
        if (c.answer < 0) {
            EXPECT_TRUE(test.alerts().shown().empty());
            EXPECT_EQ(test.app().appSettings().lastUpdate, c.lastUpdate);
            continue;
        }
        ASSERT_EQ(test.alerts().shown().size(), 1u);
        const auto &alert = test.alerts().shown()[0];
        EXPECT_EQ(std::tuple(alert.title, alert.message, alert.buttons), std::tuple(u"Farline"_qs, reminderText, QStringList{"Cancel", "Update"}));
        // Moved before the answer: the next reminder is 30 days away whatever the user says.
        EXPECT_EQ(test.app().appSettings().lastUpdate, now);
        QSignalSpy update(&test.app(), &FarlineAppDelegate::updateDialogChanged);
        ASSERT_TRUE(test.alerts().tap(c.answer));
        EXPECT_EQ(update.count(), c.answer);
        EXPECT_EQ(test.app().tbarController().selectedIndex(), c.answer == 1 ? TabBarController::SettingsTab : 0);
        if (LANUpdateViewController *dialog = test.app().updateDialog()) {
            EXPECT_EQ(dialog->delegate(), nullptr); // opened from the reminder, no settings screen to tell
            dialog->CancelUpdateAction();
            EXPECT_EQ(test.app().updateDialog(), nullptr);
        }
        test.app().applicationWillTerminate();
        test.restart();
        test.app().applicationDidFinishLaunching();
        EXPECT_TRUE(test.alerts().shown().empty());
    }
}

TEST(LifecycleTest, AFirstStartShowsTheStartScreenAndNoReminderAndStartingEndsIt)
{
    TestApp test;
    startWithReminderFrom(test, testEpoch().addDays(-100), QStringLiteral("-1"));
    EXPECT_TRUE(test.alerts().shown().empty());
    StartScreen *screen = test.app().startScreen();
    ASSERT_TRUE(screen);
    QSignalSpy started(&test.app(), &FarlineAppDelegate::startScreenChanged);
    screen->moreCountries();
    screen->didSelectRow(screen->countries()->rowForKey(QStringLiteral("234")));
    test.clock().advance(10);
    screen->startApplication();
    EXPECT_EQ(started.count(), 1);
    EXPECT_EQ(test.app().startScreen(), nullptr);
    // The contacts show, while the tab the user chose last stays the one remembered.
    EXPECT_EQ(test.app().tbarController().selectedIndex(), TabBarController::ContactsTab);
    EXPECT_EQ(test.app().appSettings().selectedTabIndex, 0);
    EXPECT_EQ(test.app().appSettings().lastUpdate, testEpoch().addSecs(10));
    const auto archived = KeyedArchive::readObject(test.documentPath(AppSettings::archiveFileName), AppSettings::archiveRootKey).value;
    EXPECT_EQ(archived ? archived->text(QStringLiteral("MCC")) : std::nullopt, u"234"_qs); // stored at once
}
} // namespace
