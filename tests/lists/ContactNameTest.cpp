#include "core/CommonOperations.h"
#include "platform/Person.h"

#include <gtest/gtest.h>

namespace {
using Text = std::optional<QString>;

TEST(ContactNameTest, NamesInFixedOrderElseOrganisationElseNumber)
{
    const QList<PhoneEntry> twoNumbers = {{4, QStringLiteral("_$!<Home>!$_"), QStringLiteral("+44 (20) 7946-0120")},
                                          {0, {}, QStringLiteral("112")}};
    struct Case
    {
        const char *name;
        Text first, middle, last, organization;
        std::optional<QList<PhoneEntry>> phones;
        Text withoutFallback, withFallback;
    };
    const Case cases[] = {
        {"three names", QStringLiteral("Anna"), QStringLiteral("Maria"), QStringLiteral("Berg"), {}, {},
         QStringLiteral("Anna Maria Berg "), QStringLiteral("Anna Maria Berg ")},
        {"organisation ignored beside names", QStringLiteral("Anna"), {}, QStringLiteral("Berg"), QStringLiteral("Acme"), twoNumbers,
         QStringLiteral("Anna Berg "), QStringLiteral("Anna Berg ")},
        {"only a middle name", {}, QStringLiteral("Maria"), {}, {}, {}, QStringLiteral("Maria "), QStringLiteral("Maria ")},
        {"an empty name is present", QStringLiteral(""), {}, QStringLiteral("Berg"), {}, {}, QStringLiteral(" Berg "),
         QStringLiteral(" Berg ")},
        {"organisation only", {}, {}, {}, QStringLiteral("Ximian, Inc."), twoNumbers, QStringLiteral("Ximian, Inc."),
         QStringLiteral("Ximian, Inc.")},
        {"an empty organisation is present", {}, {}, {}, QStringLiteral(""), twoNumbers, QStringLiteral(""), QStringLiteral("")},
        {"nothing but numbers", {}, {}, {}, {}, twoNumbers, {}, QStringLiteral("+44 (20) 7946-0120")},
        {"an empty phone list", {}, {}, {}, {}, QList<PhoneEntry>{}, {}, QStringLiteral("[No name supplied]")},
        {"no phone list at all", {}, {}, {}, {}, std::nullopt, {}, QStringLiteral("[No name supplied]")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Person person{7, c.first, c.middle, c.last, c.organization, c.phones};
        EXPECT_EQ(CommonOperations::getName(person, false), c.withoutFallback);
        EXPECT_EQ(CommonOperations::getName(person, true), c.withFallback);
    }
}
} // namespace
