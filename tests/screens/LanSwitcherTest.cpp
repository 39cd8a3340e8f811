#include "screens/LanSwitcher.h"

#include <gtest/gtest.h>

namespace {
using namespace LanSwitcher;

const QStringList three = {QStringLiteral("+441"), QStringLiteral("+442"), QStringLiteral("+443")};
const QStringList two = {QStringLiteral("+441"), QStringLiteral("+442")};

TEST(LanSwitcherTest, TheRowShowsTheNumberAndEnablesTheSegmentsThatCanStep)
{
    struct Case
    {
        const char *name;
        int position;
        QStringList numbers;
        const char *text;
        bool back, forward;
    };
    const Case cases[] = {
        {"first of three", 0, three, "+441", false, true},
        {"middle of three", 1, three, "+442", true, true},
        {"last of three", 2, three, "+443", true, false},
        {"only number", 0, {QStringLiteral("+1")}, "+1", false, false},
        {"no number", 0, {}, "No access number available", false, false},
        {"no number, restored position", 2, {}, "No access number available", true, false},
        {"restored position beyond the list", 5, two, "+441", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const Row shown = row(c.position, c.numbers);
        EXPECT_EQ(shown.text, QLatin1String(c.text));
        EXPECT_EQ(shown.backEnabled, c.back);
        EXPECT_EQ(shown.forwardEnabled, c.forward);
    }
}

TEST(LanSwitcherTest, SteppingThroughThreeNumbers)
{
    struct Case
    {
        const char *name;
        int position, segment;
        std::optional<int> to;
        bool enableBack = false, enableForward = false, disableBack = false, disableForward = false;
    };
    const Case cases[] = {
        {"forward from the first enables back at once", 0, forwardSegment, 1, true, false, false, false},
        {"forward onto the last disables forward later", 1, forwardSegment, 2, false, false, false, true},
        {"forward at the last does nothing", 2, forwardSegment, std::nullopt},
        {"back from the last enables forward at once", 2, backSegment, 1, false, true, false, false},
        {"back onto the first disables back later", 1, backSegment, 0, false, false, true, false},
        {"back at the first does nothing", 0, backSegment, std::nullopt},
        {"an unknown segment does nothing", 1, 2, std::nullopt},
        {"a position beyond the list does nothing", 3, backSegment, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = step(c.position, three, c.segment);
        ASSERT_EQ(result.has_value(), c.to.has_value());
        if (!result)
            continue;
        EXPECT_EQ(result->position, *c.to);
        EXPECT_EQ(result->text, three.at(*c.to));
        EXPECT_EQ(result->enableBackNow, c.enableBack);
        EXPECT_EQ(result->enableForwardNow, c.enableForward);
        EXPECT_EQ(result->disableBackLater, c.disableBack);
        EXPECT_EQ(result->disableForwardLater, c.disableForward);
    }
}

TEST(LanSwitcherTest, TwoNumbersEnableOneSegmentAndDisableTheOtherOnEachStep)
{
    const auto forward = step(0, two, forwardSegment);
    ASSERT_TRUE(forward);
    EXPECT_TRUE(forward->enableBackNow && forward->disableForwardLater);
    const auto back = step(1, two, backSegment);
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->enableForwardNow && back->disableBackLater);
    EXPECT_FALSE(step(0, {}, forwardSegment));
}
} // namespace
