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
        int position;
        QStringList numbers;
        const char *text;
        bool back, forward;
    };
    const Case cases[] = {
        {0, three, "+441", false, true},
        {1, three, "+442", true, true},
        {2, three, "+443", true, false},
        {0, {QStringLiteral("+1")}, "+1", false, false},
        {0, {}, "No access number available", false, false},
        {2, {}, "No access number available", true, false}, // restored position, no number
        {5, two, "+441", true, true},                        // restored position beyond the list
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.position << " of " << c.numbers.size());
        const Row shown = row(c.position, c.numbers);
        EXPECT_EQ(shown.text, QLatin1String(c.text));
        EXPECT_EQ(shown.backEnabled, c.back);
        EXPECT_EQ(shown.forwardEnabled, c.forward);
    }
}

TEST(LanSwitcherTest, SteppingEnablesAtOnceAndDisablesLater)
{
    struct Case
    {
        const char *name;
        QStringList numbers;
        int position, segment;
        std::optional<int> to;
        bool enableBack = false, enableForward = false, disableBack = false, disableForward = false;
    };
    const Case cases[] = {
        {"forward from the first", three, 0, forwardSegment, 1, true, false, false, false},
        {"forward onto the last", three, 1, forwardSegment, 2, false, false, false, true},
        {"forward at the last", three, 2, forwardSegment, std::nullopt},
        {"back from the last", three, 2, backSegment, 1, false, true, false, false},
        {"back onto the first", three, 1, backSegment, 0, false, false, true, false},
        {"back at the first", three, 0, backSegment, std::nullopt},
        {"an unknown segment", three, 1, 2, std::nullopt},
        {"a position beyond the list", three, 3, backSegment, std::nullopt},
        {"forward of two", two, 0, forwardSegment, 1, true, false, false, true},
        {"back of two", two, 1, backSegment, 0, false, true, true, false},
        {"no number", {}, 0, forwardSegment, std::nullopt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = step(c.position, c.numbers, c.segment);
        ASSERT_EQ(result.has_value(), c.to.has_value());
        if (!result)
            continue;
        EXPECT_EQ(result->position, *c.to);
        EXPECT_EQ(result->text, c.numbers.at(*c.to));
        EXPECT_EQ(result->enableBackNow, c.enableBack);
        EXPECT_EQ(result->enableForwardNow, c.enableForward);
        EXPECT_EQ(result->disableBackLater, c.disableBack);
        EXPECT_EQ(result->disableForwardLater, c.disableForward);
    }
}
} // namespace
