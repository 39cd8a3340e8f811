#include "core/CallRoute.h"
#include "core/TCCManager.h"
#include "datafile/DataFileLines.h"

#include <gtest/gtest.h>

namespace {
// Poland is the SIM country, its access number +48 22 123 45 67.
const QStringList polishNumbers = {QStringLiteral("+48 22 123 45 67")};

const TCCManager &diallingTable()
{
    static const TCCManager table = [] {
        TCCManager rows;
        rows.appendRows(DataFileLines(QLatin1StringView("260 48\r\n262 49\r\n234 44")));
        return rows;
    }();
    return table;
}

struct Row
{
    const char *name;
    int mode; // 1 "Always", 0 "International calls"
    const char *number;
    CallRoute::Kind kind;
    const char *dialString;
    bool recorded;
    QStringList accessNumbers = polishNumbers;
    int position = 0;
    bool readable = true, canCall = true;
};

using CallRouteTest = ::testing::TestWithParam<Row>;

TEST_P(CallRouteTest, FollowsTheModeTheDigitsAndTheAbroadTest)
{
    const Row &r = GetParam();
    const CallRoute route = CallRoute::of({QString::fromLatin1(r.number), QStringLiteral("260"), r.mode,
                                           r.accessNumbers, r.position, r.readable, &diallingTable(), r.canCall});
    EXPECT_EQ(route.kind, r.kind);
    EXPECT_EQ(route.dialString, QString::fromLatin1(r.dialString));
    EXPECT_EQ(route.recorded, r.recorded);
}

const QStringList twoNumbers = {QStringLiteral("+48 1111111"), QStringLiteral("+48 2222222")};
using K = CallRoute::Kind;
const Row rows[] = {
    {"AlwaysAbroad", 1, "+49 30 1234567", K::ViaAccessNumber, "+48221234567,0049301234567", true},
    {"AlwaysNational", 1, "221234567", K::ViaAccessNumber, "+48221234567,221234567", true},
    {"InternationalNational", 0, "221234567", K::Direct, "221234567", true},
    {"InternationalAbroad", 0, "0049301234567", K::ViaAccessNumber, "+48221234567,0049301234567", true},
    {"InternationalOwnCode", 0, "+48 22 765 43 21", K::Direct, "0048227654321", true},
    {"AlwaysShortNumber", 1, "112", K::Direct, "112", false},
    {"InternationalShortNumber", 0, "112", K::Direct, "112", false},
    {"AlwaysFiveDigits", 1, "+12345", K::Direct, "0012345", false},
    {"AlwaysTypedPause", 1, "123456,789", K::ViaAccessNumber, "+48221234567,123456,789", true},
    {"AlwaysNoDigitAtAll", 1, ",,", K::Direct, ",,", false},
    {"NoAccessNumberAlways", 1, "221234567", K::NoAccessNumber, "", false, {}},
    {"NoAccessNumberAbroad", 0, "+49 30 1234567", K::NoAccessNumber, "", false, {}},
    {"NoAccessNumberNational", 0, "221234567", K::Direct, "221234567", true, {}},
    {"NoAccessNumberShortNumber", 1, "112", K::Direct, "112", false, {}},
    {"UnreadableAccessNumbers", 1, "221234567", K::AccessNumbersDamaged, "", false, {}, 0, false},
    {"NoTelephony", 1, "221234567", K::CannotCall, "", false, polishNumbers, 0, true, false},
    {"SecondPosition", 1, "221234567", K::ViaAccessNumber, "+482222222,221234567", true, twoNumbers, 1},
    {"PositionPastTheEnd", 1, "221234567", K::ViaAccessNumber, "+481111111,221234567", true, twoNumbers, 2},
    {"NegativePosition", 1, "221234567", K::ViaAccessNumber, "+481111111,221234567", true, twoNumbers, -1},
    {"AccessNumberABarePlus", 1, "221234567", K::AccessNumbersDamaged, "", false, {"+"}},
    {"AccessNumberOfLetters", 1, "221234567", K::AccessNumbersDamaged, "", false, {"abc"}},
    {"AccessNumberOfTwoDigits", 1, "221234567", K::AccessNumbersDamaged, "", false, {"+48"}},
    {"AccessNumberWithAPause", 1, "221234567", K::AccessNumbersDamaged, "", false, {"+48,221234567"}},
    {"AccessNumberPlusInside", 1, "221234567", K::AccessNumbersDamaged, "", false, {"234+444567"}},
    {"AccessNumberBadButDirect", 0, "221234567", K::Direct, "221234567", true, {"+"}},
};
INSTANTIATE_TEST_SUITE_P(, CallRouteTest, ::testing::ValuesIn(rows), [](const auto &row) { return std::string(row.param.name); });
} // namespace
