#include "app/support/Farline.h"
#include "support/ModemManagerStandIn.h"

#include <gtest/gtest.h>

namespace {
TEST(ModemCommandsTest, PrintsTheCountriesOfTheSimCardAndTheNetwork)
{
    const std::tuple<const char *, const char *, int, const char *> cases[] = {
        // case, the stand-in's modems (none: no ModemManager), exit status, standard output
        {"no service", nullptr, 1, "No modem found\n"},
        {"a Polish SIM card roaming in Germany", R"({"modems": [{"sim": "26001", "network": "26201"}]})", 0,
         "SIM\t260\tPoland\nNETWORK\t262\tGermany\n"},
        {"a modem without SIM card, on a network out of the country list", R"({"modems": [{"network": "99901"}]})", 0,
         "SIM\t\t\nNETWORK\t999\t\n"},
    };
    for (const auto &[name, modems, exitCode, out] : cases) {
        SCOPED_TRACE(name);
        ModemManagerStandIn standIn;
        if (!standIn.missing().isEmpty())
            GTEST_SKIP() << "needs " << standIn.missing().toStdString();
        if (modems) {
            ASSERT_TRUE(standIn.start(modems));
        }
        EXPECT_EQ(runFarline({"modem"}, standIn.environment()).all(), std::tuple(exitCode, QString::fromLatin1(out), QString()));
    }
    EXPECT_EQ(runFarline({"modem", "now"}).exitCode, 2);
}
} // namespace
