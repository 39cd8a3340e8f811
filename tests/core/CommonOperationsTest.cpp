#include "core/CommonOperations.h"
#include "support/RecordingAlerts.h"
#include "addressbook/Person.h"
#include "support/People.h"

#include <gtest/gtest.h>

namespace {

TEST(NormalisationTest, DestinationNumbers)
{
    const std::tuple<const char *, QString, QString, int> cases[] = { // name, number, normalised, digits counted
        {"formatted international", QStringLiteral("+48 (22) 123-45-67"), QStringLiteral("0048221234567"), 11},
        {"plus alone", QStringLiteral("+"), QStringLiteral("00"), 0},
        {"pause kept", QStringLiteral("123,456"), QStringLiteral("123,456"), 6},
        {"plus in the middle", QStringLiteral("1+2"), QStringLiteral("1002"), 2},
        {"star and hash dropped", QStringLiteral("*100#"), QStringLiteral("100"), 3},
        {"empty", QString(), QString(), 0},
        {"letters and dots", QStringLiteral("0800.FLOWERS/1"), QStringLiteral("08001"), 5},
        {"full-width digits", QStringLiteral("１２３4"), QStringLiteral("4"), 1},
        {"Arabic-Indic digits", QStringLiteral("٠١٢٣"), QString(), 0},
        {"superscript two (above 127, below 256)", QStringLiteral("²5"), QStringLiteral("5"), 1},
    };
    for (const auto &[name, input, expected, digits] : cases) {
        int counter = 7; // raised, not reset
        EXPECT_EQ(CommonOperations::parseDigitsFromNumber(input, counter), expected) << name;
        EXPECT_EQ(counter, 7 + digits) << name;
    }
}

TEST(NormalisationTest, AccessNumbers)
{
    const std::pair<QString, QString> cases[] = {
        {QStringLiteral("+48 22 123 45 67"), QStringLiteral("+48221234567")},
        {QStringLiteral("0-800,123"), QStringLiteral("0800123")},
        {QStringLiteral("+44 (20) 7946-0120"), QStringLiteral("+442079460120")},
        {QStringLiteral("٣+1"), QStringLiteral("+1")},
        {QString(), QString()},
    };
    for (const auto &[input, expected] : cases) {
        SCOPED_TRACE(input.toStdString());
        EXPECT_EQ(CommonOperations::parsedigitsFromLANNumber(input), expected);
    }
}

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
        {"an empty name is present", QStringLiteral(""), {}, QStringLiteral("Berg"), {}, {}, QStringLiteral(" Berg "),
         QStringLiteral(" Berg ")},
        {"organisation only", {}, {}, {}, QStringLiteral("Ximian, Inc."), twoNumbers, QStringLiteral("Ximian, Inc."),
         QStringLiteral("Ximian, Inc.")},
        {"nothing but numbers", {}, {}, {}, {}, twoNumbers, {}, QStringLiteral("+44 (20) 7946-0120")},
        {"an empty phone list", {}, {}, {}, {}, QList<PhoneEntry>{}, {}, QStringLiteral("[No name supplied]")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Person person{7, c.first, c.middle, c.last, c.organization, c.phones};
        EXPECT_EQ(CommonOperations::getName(person, false), c.withoutFallback);
        EXPECT_EQ(CommonOperations::getName(person, true), c.withFallback);
    }
}

TEST(WarningsTest, EachWarningShowsItsTextWithOneOkButton)
{
    // The country's name goes in as it stands, whatever it holds.
    const auto notOffered = [](const QString &name) {
        return "Farline does not offer calls from " + name + " yet. For more information visit our website at https://www.farline.example/";
    };
    const auto notOfferedFrom = [](const QString &name) {
        return [name](Alerts &alerts) { CommonOperations::CountryNotInLanFileWarning(alerts, name); };
    };
    const std::pair<std::function<void(Alerts &)>, QString> cases[] = {
        {CommonOperations::showSIMCountryWarning, QStringLiteral("There is no Farline access numbers for your SIM country")},
        {CommonOperations::showNoAvaliableNumberWarning, QStringLiteral("There is no Farline access number available")},
        {CommonOperations::deviceDoesNotSupportsCall, QStringLiteral("You device does not support telephony functions")},
        {notOfferedFrom(QStringLiteral("Côte d'Ivoire ")), notOffered(QStringLiteral("Côte d'Ivoire "))},
        {notOfferedFrom(QString()), notOffered(QString())},
        {notOfferedFrom(QStringLiteral("%1 %2")), notOffered(QStringLiteral("%1 %2"))},
    };
    for (const auto &[show, message] : cases) {
        SCOPED_TRACE(message.toStdString());
        RecordingAlerts alerts;
        show(alerts);
        ASSERT_EQ(alerts.shown().size(), 1u);
        EXPECT_EQ(std::tuple(alerts.shown()[0].title, alerts.shown()[0].message, alerts.shown()[0].buttons),
                  std::tuple(u"Farline"_qs, message, QStringList{QStringLiteral("OK")}));
        EXPECT_TRUE(alerts.tap(0)); // closing it has no effect besides closing it
    }
}
} // namespace
