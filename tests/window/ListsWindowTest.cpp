// The recent calls, the favourites and the contacts, through the real window.

#include "WindowDriver.h"

#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "addressbook/AddressBook.h"
#include "support/EvolutionDataServer.h"
#include "support/Files.h"
#include "support/People.h"
#include "support/TestApp.h"

#include "window/SystemContacts.h"

#include <QQuickItem>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
class ListsWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        test.launch("260 +48 22 500 00 00\r\n", "260 48\r\n", QStringLiteral("260"));
        AddressBook &book = test.app().addressBook();
        book.addPerson(QStringLiteral("anna"), draft(QStringLiteral("Anna"), QStringLiteral("Kowalska"), {},
                                                     {phone("+48 601 555 010", u"_$!<Mobile>!$_"_qs), phone("+48 22 555 01 23", u"_$!<Home>!$_"_qs)}));
        book.addPerson(QStringLiteral("ben"), draft(QStringLiteral("Ben"), QStringLiteral("Carter"), {}, {phone("+44 7700 900123", u"_$!<Mobile>!$_"_qs)}));
        window = std::make_unique<WindowDriver>(test);
    }
    bool waitFor(const std::function<bool()> &done) { return QTest::qWaitFor(done, 5000); }
    // A list's row shows (lists make their rows when they next lay out).
    bool row(const char *name)
    {
        return waitFor([&] { return window->shows(QString::fromUtf8(name), QAccessible::ListItem); });
    }
    // Through the people picker of the favourites: the person, then the number.
    void pick(const char *person, const char *number)
    {
        ASSERT_TRUE(window->tap("Add"));
        ASSERT_TRUE(row(person));
        window->tap(QString::fromUtf8(person));
        ASSERT_TRUE(waitFor([&] { return window->shows(QString::fromUtf8(number)); }));
        window->tap(QString::fromUtf8(number));
        ASSERT_TRUE(waitFor([&] { return !window->shows("Cancel"); }));
    }

    TestApp test{QString::fromLatin1(Bundle::builtIn), true};
    std::unique_ptr<WindowDriver> window;
};

TEST_F(ListsWindowTest, AContactCalledIsCalledAgainFromTheRecentsAndTheListClearedOnlyThroughTheSheet)
{
    window->tap("Contacts");
    ASSERT_TRUE(row("Anna Kowalska"));
    window->tap("Anna Kowalska");
    ASSERT_TRUE(waitFor([&] { return window->shows("+48 601 555 010"); }));
    window->tap("Keypad");
    window->tap("Contacts"); // leaving the tab asks the browser to pop, animated: it stays
    EXPECT_TRUE(window->shows("+48 601 555 010"));
    window->tap("+48 601 555 010");
    EXPECT_EQ(test.telephone().opened, QStringList{"tel:+48225000000,0048601555010"});

    window->tap("Recents");
    ASSERT_TRUE(row("Anna Kowalska"));
    window->tap("Anna Kowalska");
    EXPECT_EQ(test.telephone().opened.size(), 2);
    EXPECT_EQ(test.app().recentViewController().recentArray().size(), 2); // a new row on top

    for (const char *answer : {"Cancel", "Clear All Recents"}) {
        SCOPED_TRACE(answer);
        window->tap("Clear");
        ASSERT_TRUE(waitFor([&] { return window->shows("Clear All Recents", QAccessible::Button); }));
        window->tap(QLatin1String(answer));
        EXPECT_TRUE(waitFor([&] { return !window->shows("Clear All Recents", QAccessible::Button); }));
    }
    EXPECT_TRUE(test.app().recentViewController().recentArray().isEmpty());
    EXPECT_TRUE(window->shows("No recent calls"));
    EXPECT_FALSE(window->shows("Clear"));
}

TEST_F(ListsWindowTest, FavouritesFromThePickerTheirSideLabelAndEditing)
{
    window->tap("Favorites");
    EXPECT_TRUE(window->shows("No favorites"));
    pick("Anna Kowalska", "+48 601 555 010");
    pick("Ben Carter", "+44 7700 900123");
    FavoritesViewController &favorites = test.app().favoritesViewController();
    ASSERT_EQ(favorites.favoritesArray().size(), 2);

    // The name gives way to the side label, its width and 20 more; not while deleting is asked.
    QObject *cell = window->find("Anna Kowalska", QAccessible::ListItem)->object();
    const auto width = [&](const char *label) { return cell->property(label).value<QQuickItem *>()->width(); };
    const double plain = cell->property("plainTextWidth").toDouble();
    EXPECT_EQ(plain - width("textLabel"), std::floor(width("sideLabel")) + 20);
    window->tap("Edit");
    window->tap("Delete Anna Kowalska");
    EXPECT_FALSE(cell->property("sideLabel").value<QQuickItem *>()->isVisible());
    EXPECT_EQ(width("textLabel"), cell->property("plainTextWidth").toDouble());

    window->tap("Delete");
    window->tap("Delete Ben Carter");
    window->tap("Delete");
    EXPECT_TRUE(favorites.favoritesArray().isEmpty());
    EXPECT_TRUE(window->shows("Done")); // until editing mode is left
    window->tap("Done");
    EXPECT_FALSE(window->shows("Edit"));
    EXPECT_TRUE(window->shows("Add"));
}
TEST(SystemContactsWindowTest, AContactAddedInEvolutionDataServerShowsWhileTheContactsTabIsOpenAndFilesImport)
{
    EvolutionDataServer eds;
    if (!eds.missing().isEmpty())
        GTEST_SKIP() << "needs " << eds.missing().toStdString();
    for (const QString &variable : eds.environment()) // the bus this process asks
        qputenv(variable.section(u'=', 0, 0).toLatin1(), variable.section(u'=', 1).toUtf8());
    TestApp test{QString::fromLatin1(Bundle::builtIn), true};
    test.launch("260 +48 22 500 00 00\r\n", "260 48\r\n", QStringLiteral("260"));
    WindowDriver window(test);
    window.tap("Contacts");
    SystemContacts &contacts = window.dialerWindow().systemContacts();
    contacts.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !contacts.syncing(); }, 30000));
    EXPECT_TRUE(window.shows("No contacts in GNOME Contacts or the KDE contacts folder"));
    EXPECT_TRUE(window.shows("Import vCard file…", QAccessible::Button));

    eds.add({QStringLiteral("BEGIN:VCARD\nVERSION:3.0\nFN:Anna Berg\nN:Berg;Anna;;;\nTEL;TYPE=CELL:+46 70 111\nEND:VCARD")});
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.shows("Anna Berg", QAccessible::ListItem); }, 10000));

    // The files chosen in the dialog are imported as the command imports them, its lines an alert.
    QTemporaryDir files;
    const QString cards = writeFile(files.filePath(QStringLiteral("cards.vcf")),
                                    "BEGIN:VCARD\nFN:Ben Carter\nTEL:+44 7700 900123\nEND:VCARD\nBEGIN:VCARD\nFN:Cut\n");
    contacts.importFiles({QUrl::fromLocalFile(cards)});
    QueuedAlerts &alerts = *test.windowAlerts();
    ASSERT_TRUE(QTest::qWaitFor([&] { return alerts.showing(); }, 10000));
    EXPECT_EQ(alerts.message(), cards + QStringLiteral(":5: card has no END:VCARD; skipped\nimported 1, updated 0, skipped 1"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.shows("Ben Carter", QAccessible::ListItem); }, 5000));
}
} // namespace
