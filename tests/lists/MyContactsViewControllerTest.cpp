#include "lists/MyContactsViewController.h"

#include "ListsTestSupport.h"

namespace {
using MyContactsViewControllerTest = ListsTest;

// The persons are read when the view is made; the tab's animated requests to go back and a
// cancel leave the person shown.
TEST_F(MyContactsViewControllerTest, ReadsThePersonsWithTheViewAndKeepsThePersonShown)
{
    const int anna = addPerson(QStringLiteral("Anna"), {}, {}, {phone("1")});
    MyContactsViewController contacts(addressBook, calls);
    EXPECT_EQ(contacts.people()->rowCount(), 0);
    contacts.loadView();
    EXPECT_EQ(contacts.people()->rowCount(), 1);
    EXPECT_FALSE(contacts.selectPerson(anna + 1));
    EXPECT_EQ(contacts.shownPerson(), -1);
    ASSERT_TRUE(contacts.selectPerson(anna));
    EXPECT_FALSE(contacts.popToRootViewController(true));
    contacts.peoplePickerNavigationControllerDidCancel();
    ASSERT_TRUE(contacts.selectPhoneEntry(anna, 0));
    EXPECT_EQ(contacts.shownPerson(), anna);
    EXPECT_TRUE(contacts.popToRootViewController(false));
    EXPECT_EQ(contacts.shownPerson(), -1);
}
} // namespace
