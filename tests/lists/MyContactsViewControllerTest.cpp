#include "lists/MyContactsViewController.h"

#include "ListsTestSupport.h"

namespace {
using MyContactsViewControllerTest = ListsTest;

TEST_F(MyContactsViewControllerTest, AnimatedRequestsToGoBackAndCancelLeaveThePersonShown)
{
    const int anna = addPerson(QStringLiteral("Anna"), {}, {}, {phone("1")});
    MyContactsViewController contacts(addressBook, calls);
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

TEST_F(MyContactsViewControllerTest, ThePersonsAreReadWhenTheViewIsMade)
{
    addPerson(QStringLiteral("Anna"), {}, {}, {});
    MyContactsViewController contacts(addressBook, calls);
    EXPECT_EQ(contacts.people()->rowCount(), 0);
    contacts.loadView();
    EXPECT_EQ(contacts.people()->rowCount(), 1);
}
} // namespace
