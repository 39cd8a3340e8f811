#include "core/CommonOperations.h"

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
} // namespace
