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

    struct Case
    {
        int person, identifier;
        const char *name, *type, *number;
    };
    const Case cases[] = {
        {anna, 0, "Anna Berg ", "Mobile", "+46 (70) 111-22"},
        {anna, 1, "Anna Berg ", "Office", "5"},
        {anna, 2, "Anna Berg ", "", "6"},
        {acme, 0, "Acme", "Home", "555"},
        {nameless, 1, "+1 555", "Home", "+1 666"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.number);
        calls.calls.clear();
        ASSERT_TRUE(contacts.selectPhoneEntry(c.person, c.identifier));
        ASSERT_EQ(calls.calls.size(), 1u);
        const FavoriteRecord &record = *calls.calls.front();
        EXPECT_EQ(record.displayName, QString::fromUtf8(c.name));
        EXPECT_EQ(record.phoneType, QString::fromUtf8(c.type));
        EXPECT_EQ(record.phoneNumber, QString::fromUtf8(c.number));
        EXPECT_EQ(record.contactID, c.person);
        EXPECT_EQ(record.identifier, c.identifier);
        EXPECT_EQ(record.startTime, std::nullopt);
    }
    calls.calls.clear();
    EXPECT_FALSE(contacts.selectPhoneEntry(anna, 3));
    EXPECT_FALSE(contacts.selectPhoneEntry(nameless + 1, 0));
    EXPECT_TRUE(calls.calls.empty());
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
