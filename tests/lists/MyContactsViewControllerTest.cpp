#include "lists/MyContactsViewController.h"

#include "ListsTestSupport.h"

namespace {
using MyContactsViewControllerTest = ListsTest;

TEST_F(MyContactsViewControllerTest, ATappedNumberGoesToCallPlacementAsARecord)
{
    const int anna = addPerson(QStringLiteral("Anna"), QStringLiteral("Berg"), QStringLiteral("Acme"),
                               {phone("+46 (70) 111-22", mobileLabel), phone("5", QStringLiteral("Office")), phone("6")});
    const int acme = addPerson({}, {}, QStringLiteral("Acme"), {phone("555", homeLabel)});
    const int nameless = addPerson({}, {}, {}, {phone("+1 555"), phone("+1 666", homeLabel)});
    MyContactsViewController contacts(addressBook, calls);
    const std::pair<int, int> taps[] = {{anna, 0}, {anna, 1}, {anna, 2}, {acme, 0}, {nameless, 1}, {anna, 3}, {nameless + 1, 0}};
    for (const auto &[person, identifier] : taps)
        EXPECT_EQ(contacts.selectPhoneEntry(person, identifier), person != nameless + 1 && identifier != 3);
    EXPECT_TRUE(noStartTimes(calls.calls));
    EXPECT_EQ(fieldsOf(calls.calls), (QStringList{QStringLiteral("Anna Berg |Mobile|+46 (70) 111-22|%1|0").arg(anna),
                                   QStringLiteral("Anna Berg |Office|5|%1|1").arg(anna), QStringLiteral("Anna Berg ||6|%1|2").arg(anna),
                                   QStringLiteral("Acme|Home|555|%1|0").arg(acme), QStringLiteral("+1 555|Home|+1 666|%1|1").arg(nameless)}));
}

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
} // namespace
