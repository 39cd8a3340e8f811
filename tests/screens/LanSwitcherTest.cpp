#include "screens/LanSwitcher.h"

#include <gtest/gtest.h>

namespace {
using namespace LanSwitcher;

const QStringList three = {QStringLiteral("+441"), QStringLiteral("+442"), QStringLiteral("+443")};
const QStringList two = {QStringLiteral("+441"), QStringLiteral("+442")};

TEST(LanSwitcherTest, TheRowShowsTheNumberAndEnablesTheSegmentsThatCanStep)
{
    const std::tuple<int, QStringList, const char *, bool, bool> cases[] = { // position, numbers, text, back, forward
        {0, three, "+441", false, true},
        {1, three, "+442", true, true},
        {2, three, "+443", true, false},
        {0, {}, "No access number available", false, false},
    };
    for (const auto &[position, numbers, text, back, forward] : cases) {
        const Row shown = row(position, numbers);
        EXPECT_EQ(std::tuple(shown.text, shown.backEnabled, shown.forwardEnabled), std::tuple(QString::fromLatin1(text), back, forward))
            << position << " of " << numbers.size();
    }
}

TEST(LanSwitcherTest, SteppingEnablesAtOnceAndDisablesLater)
{
    // The outcome as "position text" followed by what is enabled now (+) and disabled later (-).
    const auto outcome = [](const std::optional<Step> &s) {
        if (!s)
            return QStringLiteral("nothing");
        return QStringLiteral("%1 %2").arg(s->position).arg(s->text) + (s->enableBackNow ? " +back" : "")
               + (s->enableForwardNow ? " +forward" : "") + (s->disableBackLater ? " -back" : "") + (s->disableForwardLater ? " -forward" : "");
    };
    const std::tuple<QStringList, int, int, const char *> cases[] = { // numbers, position, segment, outcome
        {three, 0, forwardSegment, "1 +442 +back"},
        {three, 1, forwardSegment, "2 +443 -forward"},
        {three, 2, forwardSegment, "nothing"},
        {three, 2, backSegment, "1 +442 +forward"},
        {three, 1, backSegment, "0 +441 -back"},
        {three, 0, backSegment, "nothing"},
        {two, 0, forwardSegment, "1 +442 +back -forward"},
        {two, 1, backSegment, "0 +441 +forward -back"},
    };
    for (const auto &[numbers, position, segment, expected] : cases)
        EXPECT_EQ(outcome(step(position, numbers, segment)), QLatin1String(expected)) << position << " " << segment;
}
} // namespace
