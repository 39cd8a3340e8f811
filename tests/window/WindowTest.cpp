#include "WindowDriver.h"

#include "access/LANUpdateViewController.h"
#include "core/AppSettings.h"
#include "core/TabBarController.h"
#include "lists/FavoritesViewController.h"
#include "screens/MainViewController.h"
#include "screens/PageViewController.h"
#include "support/DataFiles.h"
#include "support/FaultServer.h"
#include "support/TestApp.h"

#include <QFontInfo>
#include <QQuickItem>
#include <QTest>
#include <QTextLayout>
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
    QQuickItem *item(const QString &name) const
    {
        const QAccessibleInterface *control = m_window->find(name);
        return control ? qobject_cast<QQuickItem *>(control->object()) : nullptr;
    }
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

// What the switcher steps to and when it disables a segment is the settings screen's.
TEST_F(WindowTest, TheSwitcherSegmentsStepTheShownNumber)
{
    openOnPoland();
    window().tap("More");
    EXPECT_FALSE(window().enabled("Previous access number"));
    window().tap("Next access number");
    EXPECT_TRUE(window().shows("+48125000001"));
    EXPECT_TRUE(window().enabled("Previous access number"));
    window().tap("Previous access number");
    EXPECT_TRUE(window().shows("+48225000000"));
}

// "More countries" widens the wheel around the chosen country, which "Start" then stores.
TEST_F(WindowTest, AFirstStartGoesFromTheWheelToTheContactsAndTheSettingsShowTheNumber)
{
    test.writeDocument(QStringLiteral("LANFile.txt"), sealedDataFile(polishNumbers));
    test.writeDocument(QStringLiteral("MCCFile.txt"), sealedDataFile(dialCodes));
    test.app().applicationDidFinishLaunching();
    open();
    EXPECT_FALSE(window().enabled("Start"));
    ASSERT_TRUE(window().tap("Poland"));
    ASSERT_TRUE(window().enabled("Start"));
    EXPECT_FALSE(window().shows("Portugal", QAccessible::ListItem)); // no access numbers there
    window().tap("More countries");
    ASSERT_TRUE(waitFor([&] { return window().shows("Portugal", QAccessible::ListItem); }));
    EXPECT_TRUE(window().find("Poland", QAccessible::ListItem)->state().selected);
    EXPECT_EQ(window().rect("Poland", QAccessible::ListItem).center().y(),
              window().rect("SIM country", QAccessible::List).center().y()); // under the indicator
    EXPECT_TRUE(window().enabled("Start"));
    window().tap("Start");
    EXPECT_EQ(test.app().appSettings().currentMCC, u"260");
    EXPECT_TRUE(waitFor([&] { return !window().shows("Start"); }));
    window().tap("More");
    EXPECT_TRUE(window().shows("+48225000000"));
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

TEST_F(WindowTest, TheSimCountryTappedIsStoredByDoneAndTheSettingsShowItsNumber)
{
    test.launch(polishNumbers + "276 +355 4 222 0000\r\n", dialCodes + "276 355\r\n", QStringLiteral("260"));
    open();
    window().tap("More");
    window().tap("SIM country");
    ASSERT_TRUE(waitFor([&] { return window().shows("Albania"); }));
    window().tap("Albania");
    window().tap("Done");
    EXPECT_TRUE(waitFor([&] { return !window().shows("Done"); }));
    EXPECT_EQ(test.app().appSettings().currentMCC, u"276");
    EXPECT_TRUE(window().shows("+35542220000"));
}

// The first screen after a first start: how to fill the address book, on a ground of its own,
// the command in a typewriter font and broken into lines only at its blanks.
TEST_F(WindowTest, TheEmptyContactsTabShowsHowToFillTheAddressBook)
{
    openOnPoland();
    window().tap("Contacts");
    const QString command = QStringLiteral("farline contacts import ~/Downloads/contacts.vcf");
    ASSERT_TRUE(waitFor([&] { return window().shows(command); }));
    const QRectF help = window().rect("No contacts yet").united(window().rect("A whole folder of .vcf files works too."));
    for (const QRectF &line : window().itemRects(QStringLiteral("separator")))
        EXPECT_FALSE(line.intersects(help)) << "a row's line at y " << line.y();

    QQuickItem *text = item(command);
    const QFont font = text->property("font").value<QFont>();
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    for (const int width : {320, 400, 480}) {
        window().resize(width);
        QTextLayout layout(text->property("text").toString(), font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(text->width());
            const int end = line.textStart() + line.textLength();
            if (end < layout.text().size()) {
                EXPECT_EQ(layout.text().at(end - 1), u' ') << width << " px: " << layout.text().left(end).toStdString();
            }
        }
        layout.endLayout();
    }
}

// The usage mode beside "Use for" keeps its place at the right of the row as the window widens.
TEST_F(WindowTest, TheUsageModeStaysAtTheRightOfItsRow)
{
    openOnPoland();
    window().tap("More");
    QList<double> gaps;
    for (const int width : {320, 480}) {
        window().resize(width);
        const QList<QRectF> mode = window().itemRects(QStringLiteral("modeLabel"));
        ASSERT_EQ(mode.size(), 1);
        gaps.append(window().rect("Use for").right() - mode.first().right());
    }
    EXPECT_EQ(gaps.first(), gaps.last());
}

// Why an update failed is a line of its own under the two status lines, not crowding them.
TEST_F(WindowTest, TheReasonOfAFailedUpdateHasALineOfItsOwn)
{
    test.useUpdateServer(FaultServer::refusedAddress());
    openOnPoland();
    window().tap("More");
    window().tap("Update access numbers");
    const LANUpdateViewController *update = test.app().updateDialog();
    ASSERT_TRUE(update);
    ASSERT_TRUE(waitFor([&] { return !update->failureReason().isEmpty() && window().shows(update->failureReason()); }));
    const QQuickItem *status = item(update->subInfo());
    ASSERT_TRUE(status);
    EXPECT_EQ(status->property("lineCount").toInt(), 2);
    const QRectF box = window().rect(update->subInfo());
    const double statusBottom = box.top() + (box.height() + status->property("contentHeight").toDouble()) / 2;
    EXPECT_GE(window().rect(update->failureReason()).top() - statusBottom, 8);
}
} // namespace
