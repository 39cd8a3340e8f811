#include "screens/LanSwitcher.h"

#include <gtest/gtest.h>

namespace {
using namespace LanSwitcher;

const QStringList three = {QStringLiteral("+441"), QStringLiteral("+442"), QStringLiteral("+443")};
const QStringList two = {QStringLiteral("+441"), QStringLiteral("+442")};

struct Shown
{
    const char *name;
    int position;
    QStringList numbers;
    const char *text;
    bool back, forward;
};

using LanSwitcherRowTest = ::testing::TestWithParam<Shown>;

TEST_P(LanSwitcherRowTest, ShowsTheNumberAndEnablesTheSegmentsThatCanStep)
{
    const Shown &c = GetParam();
    const Row shown = row(c.position, c.numbers);
    EXPECT_EQ(std::tuple(shown.text, shown.backEnabled, shown.forwardEnabled), std::tuple(QString::fromLatin1(c.text), c.back, c.forward));
}

const Shown rows[] = {
    {"First", 0, three, "+441", false, true},
    {"Middle", 1, three, "+442", true, true},
    {"Last", 2, three, "+443", true, false},
    {"NoNumbers", 0, {}, "No access number available", false, false},
};
INSTANTIATE_TEST_SUITE_P(, LanSwitcherRowTest, ::testing::ValuesIn(rows), [](const auto &row) { return std::string(row.param.name); });

struct Stepped
{
    const char *name;
    QStringList numbers;
    int position, segment;
    const char *outcome; // "position text", what is enabled now (+) and disabled later (-)
};

using LanSwitcherStepTest = ::testing::TestWithParam<Stepped>;

TEST_P(LanSwitcherStepTest, EnablesAtOnceAndDisablesLater)
{
    const Stepped &c = GetParam();
    const std::optional<Step> s = step(c.position, c.numbers, c.segment);
    const QString outcome = !s ? QStringLiteral("nothing")
                               : QStringLiteral("%1 %2").arg(s->position).arg(s->text) + (s->enableBackNow ? " +back" : "")
                                     + (s->enableForwardNow ? " +forward" : "") + (s->disableBackLater ? " -back" : "")
                                     + (s->disableForwardLater ? " -forward" : "");
    EXPECT_EQ(outcome, QLatin1String(c.outcome));
}

const Stepped steps[] = {
    {"ForwardFromTheFirst", three, 0, forwardSegment, "1 +442 +back"},
    {"ForwardOntoTheLast", three, 1, forwardSegment, "2 +443 -forward"},
    {"ForwardFromTheLast", three, 2, forwardSegment, "nothing"},
    {"BackFromTheLast", three, 2, backSegment, "1 +442 +forward"},
    {"BackOntoTheFirst", three, 1, backSegment, "0 +441 -back"},
    {"BackFromTheFirst", three, 0, backSegment, "nothing"},
    {"ForwardOfTwo", two, 0, forwardSegment, "1 +442 +back -forward"},
    {"BackOfTwo", two, 1, backSegment, "0 +441 +forward -back"},
    {"NoNumbers", {}, 0, forwardSegment, "nothing"},
};
INSTANTIATE_TEST_SUITE_P(, LanSwitcherStepTest, ::testing::ValuesIn(steps), [](const auto &row) { return std::string(row.param.name); });
} // namespace
