#include "WindowDriver.h"

#include "access/LANUpdateViewController.h"
#include "core/AppSettings.h"
#include "core/TabBarController.h"
#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "platform/ModemTelephone.h"
#include "screens/KeypadViewController.h"
#include "screens/MainViewController.h"
#include "screens/PageViewController.h"
#include "support/DataFiles.h"
#include "support/FaultServer.h"
#include "support/ModemManagerStandIn.h"
#include "support/TestApp.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
const QByteArray polishNumbers = "260 +48 22 500 00 00\r\n260 +48 12 500 00 01\r\n260 +48 61 500 00 02\r\n";
const QByteArray dialCodes = "260 48\r\n262 49\r\n";

class WindowTest : public ::testing::Test
{
protected:
    void open() { m_window = std::make_unique<WindowDriver>(test); }
    // A normal start with Poland as the SIM country, then the window.
    void openOnPoland()
    {
        test.launch(polishNumbers, dialCodes, QStringLiteral("260"));
        open();
    }
    WindowDriver &window() { return *m_window; }
    QString display() const { return m_window->find(QStringLiteral("Number"))->text(QAccessible::Description); }
    bool waitFor(const std::function<bool()> &done) { return QTest::qWaitFor(done, 5000); }

    TestApp test;

private:
    std::unique_ptr<WindowDriver> m_window;
};

TEST_F(WindowTest, TabsInOrderAndWhatLeavingATabDoes)
{
    openOnPoland();
    EXPECT_EQ(window().names(QAccessible::PageTab),
              (QStringList{"Keypad", "Recents", "Favorites", "Contacts", "More"}));

    // The settings tab, left inside one of its screens, shows its list again.
    ASSERT_TRUE(window().tap("More"));
    ASSERT_TRUE(window().tap("Use for"));
    ASSERT_TRUE(window().shows("International calls"));
    window().tap("Keypad");
    window().tap("More");
    EXPECT_TRUE(waitFor([&] { return !window().shows("International calls"); }));

    // The favourites leave editing mode.
    window().tap("Favorites");
    test.app().favoritesViewController().setEditing(true);
    window().tap("Recents");
    EXPECT_FALSE(test.app().favoritesViewController().isEditing());
    EXPECT_EQ(test.app().appSettings().selectedTabIndex, TabBarController::RecentsTab);
}

TEST_F(WindowTest, KeypadPlusByHoldingZeroDeletingByHoldingAndSlidingOff)
{
    openOnPoland();
    for (const char *key : {"4", "9", "0"})
        window().tap(QLatin1String(key));
    EXPECT_EQ(display(), u"490");

    window().press("0");
    EXPECT_TRUE(waitFor([&] { return display() == u"490+"; })); // the held 0 turned into "+"
    window().release(window().centre("0"));

    // Slid off the delete key before lifting: nothing is deleted.
    window().press("Delete");
    window().release(window().centre("5"));
    QTest::qWait(900);
    EXPECT_EQ(display(), u"490+");

    // Held: it deletes on and on.
    window().press("Delete");
    EXPECT_TRUE(waitFor([&] { return display().isEmpty(); }));
    window().release(window().centre("Delete"));
}

// The switcher's steps are the settings screen's; the usage mode keeps to its row's right edge.
TEST_F(WindowTest, TheSwitcherSegmentsStepTheShownNumberAndTheUsageModeKeepsToTheRight)
{
    openOnPoland();
    window().tap("More");
    const auto gap = [&](int width) {
        window().resize(width);
        return window().rect("Use for").right() - window().itemRects(QStringLiteral("modeLabel")).value(0).right();
    };
    EXPECT_EQ(gap(480), gap(320));
    EXPECT_FALSE(window().enabled("Previous access number"));
    window().tap("Next access number");
    EXPECT_TRUE(window().shows("+48125000001"));
    EXPECT_TRUE(window().enabled("Previous access number"));
    window().tap("Previous access number");
    EXPECT_TRUE(window().shows("+48225000000"));
}

// "More countries" widens the wheel around the chosen country, which "Start" stores; the SIM
// country screen later stores the country tapped on it when Done is pressed.
TEST_F(WindowTest, TheCountryChosenOnTheFirstStartsWheelAndChangedOnTheSimCountryScreen)
{
    test.writeDocument(QStringLiteral("LANFile.txt"), sealedDataFile(polishNumbers + "276 +355 4 222 0000\r\n"));
    test.writeDocument(QStringLiteral("MCCFile.txt"), sealedDataFile(dialCodes + "276 355\r\n"));
    test.app().applicationDidFinishLaunching();
    open();
    EXPECT_FALSE(window().enabled("Start"));
    ASSERT_TRUE(window().tap("Poland"));
    ASSERT_TRUE(window().enabled("Start"));
    window().tap("More countries");
    ASSERT_TRUE(waitFor([&] { return window().shows("Portugal", QAccessible::ListItem); }));
    EXPECT_EQ(window().rect("Poland", QAccessible::ListItem).center().y(),
              window().rect("SIM country", QAccessible::List).center().y()); // under the indicator
    window().tap("Start");
    EXPECT_TRUE(waitFor([&] { return !window().shows("Start"); }));
    window().tap("More");
    EXPECT_TRUE(window().shows("+48225000000"));

    window().tap("SIM country");
    ASSERT_TRUE(window().tap("Albania"));
    window().tap("Done");
    EXPECT_TRUE(waitFor([&] { return !window().shows("Done"); }));
    EXPECT_EQ(test.app().appSettings().currentMCC, u"276");
    EXPECT_TRUE(window().shows("+35542220000"));
}

TEST_F(WindowTest, TheRemindersUpdateOpensTheUpdateDialogOverTheSettings)
{
    test.app().appSettings().lastUpdate = testEpoch().addDays(-30);
    openOnPoland();
    ASSERT_EQ(test.alertMessages().size(), 1);
    test.alerts().tap(1);
    EXPECT_TRUE(waitFor([&] { return window().shows("Update Farline", QAccessible::Heading); }));
    window().tap("Cancel");
    EXPECT_TRUE(waitFor([&] { return !window().shows("Update Farline", QAccessible::Heading); }));
    EXPECT_TRUE(window().shows("Local access number"));
}

TEST_F(WindowTest, PageLinksToTheWebGoToTheSystemAndOthersLoadInThePage)
{
    openOnPoland();
    window().tap("More");
    window().tap("About Farline");
    PageViewController *page = test.app().mainViewController().page();
    ASSERT_TRUE(page);
    const QString about = page->text();
    EXPECT_TRUE(about.contains(QLatin1String(FARLINE_VERSION)));

    // The page's text hands a tapped link over (where the link is drawn is Qt's business).
    ASSERT_TRUE(about.contains(u"href=\"https://www.farline.example/\""));
    QObject *text = window().find("About Farline", QAccessible::StaticText)->object();
    QMetaObject::invokeMethod(text, "linkActivated", Q_ARG(QString, u"https://www.farline.example/"_qs));
    EXPECT_EQ(test.openedUrls(), QList<QUrl>{QUrl("https://www.farline.example/")});
    EXPECT_EQ(page->text(), about);
    page->linkActivated(QStringLiteral("help.html")); // a page of the bundle loads in place
    EXPECT_TRUE(page->text().contains(u"local access number"));

    // Refused by the system, a link loads in the page; so does one whose scheme is not written
    // exactly "http", "https" or "mailto".
    test.setSystemTakesUrls(false);
    page->linkActivated(QStringLiteral("mailto:support@farline.example"));
    EXPECT_EQ(test.openedUrls().size(), 2);
    EXPECT_TRUE(page->text().contains(u"cannot be shown here"));
    page->linkActivated(QStringLiteral("HTTP://www.farline.example/"));
    EXPECT_EQ(test.openedUrls().size(), 2);
}

// The first screen after a first start: how to fill the address book, on a ground of its own,
// the command in a typewriter font and broken into lines only at its blanks.
TEST_F(WindowTest, TheEmptyContactsTabNamesTheSourcesAndOffersTheImport)
{
    openOnPoland();
    window().tap("Contacts");
    const QString heading = QStringLiteral("No contacts in GNOME Contacts or the KDE contacts folder");
    ASSERT_TRUE(waitFor([&] { return window().shows(heading); }));
    // In the empty state and in the navigation bar.
    EXPECT_EQ(window().names(QAccessible::Button).count(QStringLiteral("Import vCard file…")), 2);
    const QRectF help = window().rect(heading).united(window().rect("Import vCard file…", QAccessible::Button));
    for (const QRectF &line : window().itemRects(QStringLiteral("separator")))
        EXPECT_FALSE(line.intersects(help)) << "a row's line at y " << line.y();
}

// Why an update failed stands under the two status lines with room of its own.
TEST_F(WindowTest, TheReasonOfAFailedUpdateHasALineOfItsOwn)
{
    test.useUpdateServer(FaultServer::refusedAddress());
    openOnPoland();
    window().tap("More");
    window().tap("Update access numbers");
    const LANUpdateViewController *update = test.app().updateDialog();
    ASSERT_TRUE(update && waitFor([&] { return !update->failureReason().isEmpty() && window().shows(update->failureReason()); }));
    const double statusBottom = window().rect(update->subInfo()).center().y() // centred in their box
                                + window().find(update->subInfo())->object()->property("contentHeight").toDouble() / 2;
    EXPECT_GE(window().rect(update->failureReason()).top() - statusBottom, 8);
}

// A call through the modem (the stand-in, moved on by the test): the in-call screen over the tabs
// follows it, its keypad sends tones, "Hang up" ends it, and the screen then closes itself.
TEST_F(WindowTest, TheInCallScreenFollowsAModemCall)
{
    ModemManagerStandIn standIn;
    if (!standIn.missing().isEmpty())
        GTEST_SKIP() << "needs " << standIn.missing().toStdString();
    ASSERT_TRUE(standIn.start(R"({"modems": [{"sim": "26001", "network": "26001"}], "calls": {"progress": []}})"));
    test.useTelephone([&] {
        return std::make_unique<ModemTelephone>(ModemTelephone::Settings{.learning = ModemTelephone::Learning::Told,
                                                                         .timing = {50, 10000},
                                                                         .systemBus = standIn.busAddress(),
                                                                         .sessionBus = standIn.busAddress()},
                                                nullptr);
    });
    openOnPoland();
    EXPECT_FALSE(window().enabled("Call")); // until the watcher found the modem
    test.app().telephone().modemAnswered(true);
    test.app().keypadViewController().typeNumber(QStringLiteral("+4930901820"));
    ASSERT_TRUE(window().tap("Call"));
    EXPECT_TRUE(waitFor([&] { return window().shows("Calling…") && window().shows("via +48225000000"); }));
    ASSERT_TRUE(waitFor([&] { return standIn.eventNames().contains("Start"); }));
    standIn.setCallState(2);
    EXPECT_TRUE(waitFor([&] { return window().shows("Ringing…"); }));
    standIn.setCallState(4, 3);
    const auto tones = [&] { return standIn.eventNames().filter(QStringLiteral("SendDtmf")); };
    EXPECT_TRUE(waitFor([&] { return tones().size() == 12 && window().shows("Connected"); }));

    ASSERT_TRUE(window().tap("5"));
    EXPECT_TRUE(waitFor([&] { return tones().size() == 13 && tones().last() == u"SendDtmf 5"; }));
    ASSERT_TRUE(window().tap("Hang up"));
    EXPECT_TRUE(waitFor([&] { return window().shows("Call ended"); }));
    EXPECT_TRUE(standIn.eventNames().contains("Hangup"));
    EXPECT_TRUE(waitFor([&] { return !window().shows("Hang up"); }));
    EXPECT_EQ(test.app().recentViewController().recentArray().size(), 1);
}
} // namespace

