#include "lists/CallRecordModel.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>
#include <ctime>

namespace {
FavoriteRecordPtr made(const char *number, const char *type = "Mobile")
{
    auto record = std::make_shared<FavoriteRecord>();
    record->phoneNumber = QString::fromLatin1(number);
    record->displayName = QStringLiteral("Name of ") + record->phoneNumber;
    record->phoneType = QString::fromLatin1(type);
    record->startTime = QDateTime(QDate(2026, 7, 1), QTime(13, 5, 9), Qt::UTC);
    return record;
}

QStringList numbers(const CallRecordModel &model)
{
    QStringList list;
    for (int row = 0; row < model.rowCount(); ++row)
        list.append(model.data(model.index(row), CallRecordModel::NumberRole).toString());
    return list;
}

class ZoneGuard
{
public:
    explicit ZoneGuard(const char *zone)
        : m_previous(qgetenv("TZ"))
        , m_had(qEnvironmentVariableIsSet("TZ"))
    {
        qputenv("TZ", zone);
        tzset();
    }
    ~ZoneGuard()
    {
        if (m_had)
            qputenv("TZ", m_previous);
        else
            qunsetenv("TZ");
        tzset();
    }

private:
    QByteArray m_previous;
    bool m_had;
};

TEST(CallRecordModelTest, KeepsAViewInStepThroughEveryChange)
{
    CallRecordModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setRecords({made("1"), made("2"), made("3")});
    model.insertRecord(0, made("0"));
    model.insertRecord(4, made("4"));
    model.moveRecord(0, 4);
    EXPECT_EQ(numbers(model), (QStringList{u"1"_qs, u"2"_qs, u"3"_qs, u"4"_qs, u"0"_qs}));
    model.moveRecord(3, 1);
    EXPECT_EQ(numbers(model), (QStringList{u"1"_qs, u"4"_qs, u"2"_qs, u"3"_qs, u"0"_qs}));
    model.moveRecord(1, 1);
    model.removeRecord(4);
    model.removeRecord(0);
    EXPECT_EQ(numbers(model), (QStringList{u"4"_qs, u"2"_qs, u"3"_qs}));
    model.records().first()->phoneNumber = QStringLiteral("44");
    model.recordsChanged();
    model.setRecords({});
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(CallRecordModelTest, RolesShowNameLowerCaseTypeNumberAndDate)
{
    const ZoneGuard zone("UTC");
    CallRecordModel model;
    model.setRecords({made("+1 555", "HomeFAX")});
    const QModelIndex row = model.index(0);
    EXPECT_EQ(model.data(row, CallRecordModel::NameRole), u"Name of +1 555"_qs);
    EXPECT_EQ(model.data(row, CallRecordModel::TypeRole), u"homefax"_qs);
    EXPECT_EQ(model.data(row, CallRecordModel::NumberRole), u"+1 555"_qs);
    EXPECT_EQ(model.data(row, CallRecordModel::DateTextRole), u"2026-07-01\n01:05:09"_qs);
    EXPECT_EQ(model.roleNames().value(CallRecordModel::DateTextRole), "dateText");
    EXPECT_EQ(model.records().first()->phoneType, u"HomeFAX"); // the record keeps its case
}

TEST(CallRecordModelTest, DateTextIsInTheLocalZoneWithTwelveHourHours)
{
    const ZoneGuard zone("Europe/Berlin");
    const auto utc = [](int year, int month, int day, int hour, int minute, int second) {
        return std::optional(QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC));
    };
    const std::pair<std::optional<QDateTime>, const char *> cases[] = {
        {utc(2026, 3, 14, 15, 9, 26), "2026-03-14\n04:09:26"},  // 16:09 in Berlin (winter time)
        {utc(2026, 7, 14, 10, 30, 0), "2026-07-14\n12:30:00"},  // noon (summer time)
        {utc(2026, 7, 13, 22, 0, 5), "2026-07-14\n12:00:05"},   // midnight, already the next day
        {utc(2026, 12, 31, 22, 59, 59), "2026-12-31\n11:59:59"},
        {utc(2026, 1, 1, 8, 1, 2), "2026-01-01\n09:01:02"},
        {QDateTime(QDate(2026, 1, 1), QTime(1, 2, 3), Qt::OffsetFromUTC, -5 * 3600), "2026-01-01\n07:02:03"},
        {std::nullopt, ""},
    };
    for (const auto &[moment, expected] : cases) {
        SCOPED_TRACE(expected);
        EXPECT_EQ(CallRecordModel::dateText(moment), QString::fromLatin1(expected));
    }
}
} // namespace
