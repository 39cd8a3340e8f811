#include "app/support/Farline.h"
#include "core/CommonOperations.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {
// The first choice goes through the start screen (widened for a country without access numbers),
// the next through the SIM country screen.
TEST(AccessCommandsTest, AFreshHomeHasNoCountryUntilOneIsChosen)
{
    const FarlineHome home;
    const auto farline = [&](const QStringList &arguments) { return home.run(arguments); };
    EXPECT_EQ(farline({"country"}).all(), std::tuple(0, u"-1\t\n"_qs, QString()));
    EXPECT_EQ(farline({"access"}).all(), std::tuple(0, u"No access number available\n"_qs, QString()));
    const QStringList countries = farline({"countries"}).outLines();
    EXPECT_EQ(countries.size(), 232);
    EXPECT_EQ(countries.first(), "412\tAfghanistan");
    EXPECT_TRUE(countries.contains("234\tUnited Kingdom"));

    const QString notOffered = warningText([](Alerts &alerts) { CommonOperations::CountryNotInLanFileWarning(alerts, u"Afghanistan "_qs); });
    EXPECT_EQ(farline({"country", "412"}).all(), std::tuple(0, QString(), "Farline: " + notOffered + u'\n'));
    EXPECT_EQ(farline({"country"}).out, "412\tAfghanistan\n");

    EXPECT_EQ(farline({"country", "234"}).all(), std::tuple(0, QString(), QString()));
    EXPECT_EQ(farline({"country"}).out, "234\tUnited Kingdom\n");
    EXPECT_EQ(farline({"countries"}).outLines().mid(0, 2), (QStringList{"234\tUnited Kingdom", "412\tAfghanistan"}));
    EXPECT_EQ(farline({"access"}).outLines(), (QStringList{"* +442079460120", "  +442079460345", "  +441614960718", "  +441214960263"}));
    EXPECT_EQ(farline({"access", "next"}).outLines().mid(0, 2), (QStringList{"  +442079460120", "* +442079460345"}));
    EXPECT_EQ(farline({"access", "prev"}).outLines().mid(0, 2), (QStringList{"* +442079460120", "  +442079460345"}));
}
} // namespace
