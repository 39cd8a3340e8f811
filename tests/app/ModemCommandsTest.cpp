#include "app/support/Farline.h"
#include "support/ModemManagerStandIn.h"

#include <gtest/gtest.h>

namespace {
struct Modems
{
    const char *name;
    const char *modems; // the stand-in's modems; none: no ModemManager
    int exitCode;
    const char *out;
};

using ModemCommandsTest = ::testing::TestWithParam<Modems>;

TEST_P(ModemCommandsTest, PrintsTheCountriesOfTheSimCardAndTheNetwork)
{
    ModemManagerStandIn standIn;
    if (!standIn.missing().isEmpty())
        GTEST_SKIP() << "needs " << standIn.missing().toStdString();
    if (GetParam().modems) {
        ASSERT_TRUE(standIn.start(GetParam().modems));
    }
    EXPECT_EQ(runFarline({"modem"}, standIn.environment()).all(), std::tuple(GetParam().exitCode, QString::fromLatin1(GetParam().out), QString()));
}

const Modems modems[] = {
    {"NoService", nullptr, 1, "No modem found\n"},
    {"PolishSimRoamingInGermany", R"({"modems": [{"sim": "26001", "network": "26201"}]})", 0, "SIM\t260\tPoland\nNETWORK\t262\tGermany\n"},
    {"NoSimOnANetworkOutsideTheList", R"({"modems": [{"network": "99901"}]})", 0, "SIM\t\t\nNETWORK\t999\t\n"},
};
INSTANTIATE_TEST_SUITE_P(, ModemCommandsTest, ::testing::ValuesIn(modems), [](const auto &row) { return std::string(row.param.name); });
} // namespace
