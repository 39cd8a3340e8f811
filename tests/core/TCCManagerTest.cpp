#include "core/TCCManager.h"
#include "support/DataFiles.h"
#include "support/Files.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
TCCManager tableOf(const QByteArray &file)
{
    static QTemporaryDir dir;
    return TCCManager(writeFile(dir.filePath(QStringLiteral("MCCFile.txt")), file));
}

TEST(TCCManagerTest, ReadsTwoParallelColumnsSkippingLinesOfOneField)
{
    const TCCManager table = tableOf(sealedDataFile("260 48\r\n\r\n340 590 extra\r\nlonely\r\n340 596\r\n260  49\r\n"));
    EXPECT_EQ(table.mccArray(), (QStringList{"260", "340", "340", "260"}));
    EXPECT_EQ(table.tccArray(), (QStringList{"48", "590", "596", ""}));
    EXPECT_TRUE(tableOf("garbage").mccArray().isEmpty()); // what does not decipher: see the reader's test
    EXPECT_TRUE(TCCManager(QStringLiteral("/nonexistent/MCCFile.txt")).tccArray().isEmpty());
}

TEST(TCCManagerTest, ANumberIsAbroadWhenInInternationalFormWithAnotherCountrysCode)
{
    const TCCManager table = tableOf(sealedDataFile("310 1\r\n260 48\r\n262 49\r\n340 590\r\n340 596\r\n"));
    const std::tuple<const char *, std::optional<QString>, bool> cases[] = { // number, SIM country, abroad
        {"0048221234567", "260", false},
        {"+48221234567", "260", false},
        {"0049301234567", "260", true},
        {"004948123456", "260", true}, // 48 occurs, but not directly after the "+"
        {"0221234567", "260", false},  // national form
        {"00123", "260", false},       // fewer than six characters
        {"0049,1", "260", true},       // the pause counts as a character
        {"00491", "260", false},
        {"0048,1", "260", false},
        {"0012125550100", "310", false},
        {"0044123456789", "310", true}, // holds a 1 further on
        {"00590590123456", "340", false}, // either of the country's codes
        {"00596596123456", "340", false},
        {"00594594123456", "340", true},
        {"0048221234567", "-1", true},   // no SIM country chosen yet
        {"0048221234567", std::nullopt, true},
        {"0048221234567", "999", true},  // a country without a row
    };
    for (const auto &[number, sim, abroad] : cases)
        EXPECT_EQ(table.abroadNumber(QLatin1String(number), sim), abroad) << number << " from " << sim.value_or("none").toStdString();

    EXPECT_TRUE(TCCManager().abroadNumber(QStringLiteral("0048221234567"), QStringLiteral("260")));
}
} // namespace
