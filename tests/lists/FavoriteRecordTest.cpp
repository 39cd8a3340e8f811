#include "lists/FavoriteRecord.h"
#include "platform/KeyedArchive.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace {
ArchiveObject archivedFrom(const char *json)
{
    return *ArchiveObject::fromJson(QJsonDocument::fromJson(json).object());
}

TEST(FavoriteRecordTest, PhoneTypeFromLabel)
{
    const std::pair<const char *, const char *> cases[] = {
        {"_$!<Mobile>!$_", "Mobile"},
        {"_$!<HomeFAX>!$_", "HomeFAX"},
        {"Office", "Office"},
        {"_$!<>!$_", ""},
        {"x_$!<Mobile>!$_", "x_$!<Mobile>!$_"},
        {"_$!<Mobile", "_$!<Mobile"},
        {"_$!<Mo>!$_bile>!$_", "_$!<Mo>!$_bile>!$_"},
        {"_$!<Mobile>!$_ ", "_$!<Mobile>!$_ "},
        {"_$!<>!$", "_$!<>!$"},
        {"_$!<", "_$!<"},
        {"", ""},
    };
    for (const auto &[label, expected] : cases) {
        SCOPED_TRACE(label);
        EXPECT_EQ(FavoriteRecord::phoneTypeFromLabel(QString::fromUtf8(label)), QString::fromUtf8(expected));
    }
}

TEST(FavoriteRecordTest, AWriteAndAReadGiveBackTheSixFields)
{
    FavoriteRecord withPerson;
    withPerson.phoneNumber = QStringLiteral("+44 (20) 7946-0120");
    withPerson.displayName = QStringLiteral("Anna Berg ");
    withPerson.phoneType = QStringLiteral("Mobile");
    withPerson.contactID = 17;
    withPerson.identifier = 3;
    withPerson.startTime = QDateTime(QDate(2026, 5, 1), QTime(23, 59, 59, 999), Qt::UTC);

    FavoriteRecord typed;
    typed.phoneNumber = typed.displayName = QStringLiteral("123,456");
    typed.phoneType = QStringLiteral("unknown");
    typed.contactID = -1;
    typed.startTime.reset();

    for (const FavoriteRecord &record : {withPerson, typed}) {
        SCOPED_TRACE(record.phoneNumber.toStdString());
        const auto read = FavoriteRecord::decode(record.encode());
        ASSERT_TRUE(read);
        EXPECT_EQ(read->phoneNumber, record.phoneNumber);
        EXPECT_EQ(read->displayName, record.displayName);
        EXPECT_EQ(read->phoneType, record.phoneType);
        EXPECT_EQ(read->contactID, record.contactID);
        EXPECT_EQ(read->identifier, record.identifier);
        EXPECT_EQ(read->startTime, record.startTime);
    }
}

TEST(FavoriteRecordTest, MissingKeysReadAsZeroEmptyOrNoDate)
{
    const auto read = FavoriteRecord::decode(archivedFrom(R"({"$class": "FavoriteRecord",
        "Phone number": "112", "Record date": null})"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->phoneNumber, u"112");
    EXPECT_EQ(read->displayName, u"");
    EXPECT_EQ(read->contactID, 0);
    EXPECT_EQ(read->identifier, 0);
    EXPECT_EQ(read->startTime, std::nullopt);
}

TEST(FavoriteRecordTest, ObjectsThatAreNotCallRecordsAreRefused)
{
    for (const char *json : {R"({"$class": "AppSettings", "Phone number": "1"})",
                             R"({"$class": "FavoriteRecord", "Phone number": 1})",
                             R"({"$class": "FavoriteRecord", "Contact ID": "7"})",
                             R"({"$class": "FavoriteRecord", "Record date": {"$date": "yesterday"}})"}) {
        SCOPED_TRACE(json);
        EXPECT_FALSE(FavoriteRecord::decode(archivedFrom(json)));
    }
}
} // namespace
