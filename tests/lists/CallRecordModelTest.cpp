#include "lists/CallRecordModel.h"
#include "support/TelHandler.h"

#include "ListsTestSupport.h"

#include <QAbstractItemModelTester>
#include <QTimeZone>

namespace {
TEST(CallRecordModelTest, RowsShowNameLowerCaseTypeNumberAndTheDateInTheLocalZoneWithTwelveHourHours)
{
    // Without the zone data TZ is ignored and every date reads in UTC.
    ASSERT_TRUE(QTimeZone("Europe/Berlin").isValid()) << "no time zone data: scripts/bootstrap installs tzdata";
    const ScopedEnvironment zone({QStringLiteral("TZ=Europe/Berlin")});
    CallRecordModel model;
    model.setRecords({record("+1 555", "Anna", "HomeFAX", 1, 0)});
    const QModelIndex row = model.index(0);
    EXPECT_EQ(model.data(row, CallRecordModel::NameRole), u"Anna"_qs);
    EXPECT_EQ(model.data(row, CallRecordModel::TypeRole), u"homefax"_qs);
    EXPECT_EQ(model.data(row, CallRecordModel::DateTextRole), u"2026-03-14\n04:09:26"_qs); // 16:09 in Berlin (winter time)
    EXPECT_EQ(model.records().first()->phoneType, u"HomeFAX"); // the record keeps its case
    EXPECT_EQ(model.data(row, CallRecordModel::CallableRole), true);
    model.setRecords({record("*100#", "Balance", "", -1, 0)});
    EXPECT_EQ(model.data(model.index(0), CallRecordModel::CallableRole), false); // shown greyed out

    const auto utc = [](int year, int month, int day, int hour, int minute, int second) {
        return std::optional(QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC));
    };
    const std::pair<std::optional<QDateTime>, const char *> cases[] = {
        {utc(2026, 7, 14, 10, 30, 0), "2026-07-14\n12:30:00"},  // noon (summer time)
        {utc(2026, 7, 13, 22, 0, 5), "2026-07-14\n12:00:05"},   // midnight, already the next day
        {utc(2026, 12, 31, 22, 59, 59), "2026-12-31\n11:59:59"},
        {utc(2026, 1, 1, 8, 1, 2), "2026-01-01\n09:01:02"},
        {QDateTime(QDate(2026, 1, 1), QTime(1, 2, 3), Qt::OffsetFromUTC, -5 * 3600), "2026-01-01\n07:02:03"},
        {std::nullopt, ""},
    };
    for (const auto &[moment, expected] : cases)
        EXPECT_EQ(CallRecordModel::dateText(moment), QString::fromLatin1(expected)) << expected;
}

// A view keeps persistent indexes: they must follow each row as it moves.
TEST(CallRecordModelTest, ViewsFollowInsertedMovedAndRemovedRows)
{
    CallRecordModel model;
    const QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const char *name : {"d", "a", "c"})
        model.insertRecord(0, record("1", name, "", 1, 0));
    model.insertRecord(1, record("1", "b", "", 1, 0));
    model.insertRecord(4, record("1", "e", "", 1, 0));
    const auto nameAt = [](const QModelIndex &index) { return index.data(CallRecordModel::NameRole).toString().toStdString(); };
    const auto names = [&] {
        std::string names;
        for (int row = 0; row < model.rowCount(); ++row)
            names += nameAt(model.index(row));
        return names;
    };
    ASSERT_EQ(names(), "cbade");

    const struct
    {
        int from, to;
        const char *after;
    } moves[] = {{0, 4, "badec"}, {4, 0, "cbade"}, {1, 2, "cabde"}, {3, 1, "cdabe"}, {2, 2, "cdabe"}};
    for (const auto &move : moves) {
        SCOPED_TRACE(move.after);
        std::vector<std::pair<QPersistentModelIndex, std::string>> kept;
        for (int row = 0; row < model.rowCount(); ++row)
            kept.emplace_back(model.index(row), nameAt(model.index(row)));
        model.moveRecord(move.from, move.to);
        EXPECT_EQ(names(), move.after);
        EXPECT_EQ(kept[size_t(move.from)].first.row(), move.to);
        for (const auto &[index, name] : kept)
            EXPECT_EQ(nameAt(index), name);
    }

    const QPersistentModelIndex last(model.index(4));
    model.removeRecord(1);
    model.removeRecord(0);
    EXPECT_EQ(names(), "abe");
    EXPECT_EQ(last.row(), 2);
}
} // namespace
