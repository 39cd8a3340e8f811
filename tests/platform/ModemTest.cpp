#include "platform/Modem.h"
#include "support/ModemManagerStandIn.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
TEST(ModemTest, TheCountryKeyOfAnOperatorIsItsMobileCountryCode)
{
    const std::pair<const char *, std::optional<QString>> cases[] = {
        {"26001", "260"},
        {"310410", "310"},
        {"311480", "310"}, // the United States' further codes
        {"23591", "234"},  // the United Kingdom's
        {"40551", "404"},  // India's
        {"2600", std::nullopt},
        {"2600123", std::nullopt},
        {"26a01", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto &[code, key] : cases)
        EXPECT_EQ(Modem::countryKeyOf(QLatin1String(code)), key) << code;
}

TEST(ModemTest, ModemManagerTellsTheCountriesOfTheSimCardAndTheNetwork)
{
    struct Case
    {
        const char *name;
        const char *modems; // the stand-in's parameters; none: no ModemManager on the bus
        bool found;
        std::optional<QString> sim, network;
    };
    const Case cases[] = {
        {"no service", nullptr, false, std::nullopt, std::nullopt},
        {"no modem", R"({"modems": []})", false, std::nullopt, std::nullopt},
        {"a modem without SIM card", R"({"modems": [{"network": "26001"}]})", true, std::nullopt, "260"},
        {"a Polish SIM card at home", R"({"modems": [{"sim": "26001", "network": "26001"}]})", true, "260", "260"},
        {"a Polish SIM card roaming in Germany", R"({"modems": [{"sim": "26001", "network": "26201"}]})", true, "260", "262"},
        {"a Polish SIM card out of reach", R"({"modems": [{"sim": "26001"}]})", true, "260", std::nullopt},
        {"the modem that has a SIM card", R"({"modems": [{"network": "26201"}, {"sim": "26001", "network": "26001"}]})", true, "260", "260"},
    };
    for (const Case &row : cases) {
        SCOPED_TRACE(row.name);
        ModemManagerStandIn standIn;
        if (!standIn.missing().isEmpty())
            GTEST_SKIP() << "needs " << standIn.missing().toStdString();
        if (row.modems) {
            ASSERT_TRUE(standIn.start(row.modems));
        }
        Modem modem(standIn.busAddress());
        QSignalSpy changed(&modem, &Modem::changed);
        modem.start(10000);
        ASSERT_TRUE(changed.wait(10000));
        EXPECT_EQ(modem.modemFound(), row.found);
        EXPECT_EQ(modem.simCountryKey(), row.sim);
        EXPECT_EQ(modem.networkCountryKey(), row.network);
        EXPECT_EQ(changed.size(), 1);
    }
}

// A ModemManager that keeps its name on the bus but never answers, and no bus at all: the
// question ends at its time limit, or at once.
TEST(ModemTest, ASilentOrMissingBusEndsTheQuestionWithoutAModem)
{
    ModemManagerStandIn standIn;
    if (!standIn.missing().isEmpty())
        GTEST_SKIP() << "needs " << standIn.missing().toStdString();
    ASSERT_TRUE(standIn.start(R"({"modems": [{"sim": "26001", "network": "26001"}]})"));
    standIn.freeze();
    for (const QString &address : {standIn.busAddress(), QStringLiteral("unix:path=/nonexistent")}) {
        SCOPED_TRACE(address.toStdString());
        Modem modem(address);
        QSignalSpy changed(&modem, &Modem::changed);
        modem.start(300); // the D-Bus library's own limit is 25 s
        EXPECT_TRUE(changed.wait(5000));
        EXPECT_FALSE(modem.modemFound());
        EXPECT_FALSE(modem.simCountryKey());
    }
}
} // namespace
