#include "platform/KeyedArchive.h"

#include "lists/ListsTestSupport.h"

#include <QJsonDocument>

namespace {
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
    for (const auto &[label, expected] : cases)
        EXPECT_EQ(FavoriteRecord::phoneTypeFromLabel(QString::fromUtf8(label)), QString::fromUtf8(expected)) << label;
}

TEST(FavoriteRecordTest, AWriteAndAReadGiveBackTheSixFields)
{
    const FavoriteRecordPtr withPerson = record("+44 (20) 7946-0120", "Anna Berg ", "Mobile", 17, 3);
    withPerson->startTime = QDateTime(QDate(2026, 5, 1), QTime(23, 59, 59, 999), Qt::UTC);
    const FavoriteRecordPtr typed = record("123,456", "123,456", "unknown", -1, 0);
    typed->startTime.reset();
    for (const FavoriteRecordPtr &written : {withPerson, typed}) {
        const auto read = FavoriteRecord::decode(written->encode());
        ASSERT_TRUE(read);
        EXPECT_EQ(fieldsOf(*read), fieldsOf(*written));
        EXPECT_EQ(read->startTime, written->startTime);
    }
}

TEST(FavoriteRecordTest, MissingKeysReadAsZeroEmptyOrNoDateAndOtherObjectsAreRefused)
{
    const auto decoded = [](const char *json) {
        return FavoriteRecord::decode(*ArchiveObject::fromJson(QJsonDocument::fromJson(json).object()));
    };
    const auto read = decoded(R"({"$class": "FavoriteRecord", "Phone number": "112", "Record date": null})");
    ASSERT_TRUE(read);
    EXPECT_EQ(fieldsOf(*read), u"||112|0|0");
    EXPECT_EQ(read->startTime, std::nullopt);
    for (const char *json : {R"({"$class": "AppSettings", "Phone number": "1"})", R"({"$class": "FavoriteRecord", "Phone number": 1})",
                             R"({"$class": "FavoriteRecord", "Contact ID": "7"})",
                             R"({"$class": "FavoriteRecord", "Record date": {"$date": "yesterday"}})"})
        EXPECT_FALSE(decoded(json)) << json;
}
} // namespace
