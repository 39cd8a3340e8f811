#include "platform/ArchiveFile.h"
#include "platform/KeyedArchive.h"
#include "support/Files.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
using Kind = ArchiveObject::Kind;
class KeyedArchiveTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("test.archive")) const
    {
        return m_dir.path() + u'/' + name;
    }
    QTemporaryDir m_dir;
};

TEST_F(KeyedArchiveTest, KeepsEveryKindAndAbsentValuesThroughAWriteAndARead)
{
    const QDateTime moment(QDate(2026, 1, 2), QTime(3, 4, 5, 678), Qt::OffsetFromUTC, 3600);
    ArchiveObject root(QStringLiteral("Root"));
    root.setText(QStringLiteral("text"), QStringLiteral("Zürich +41"));
    root.setText(QStringLiteral("empty"), QString());
    root.setText(QStringLiteral("none"), std::nullopt);
    root.setInt(QStringLiteral("min"), std::numeric_limits<int>::min());
    root.setDate(QStringLiteral("date"), moment);
    root.setDate(QStringLiteral("no date"), std::nullopt);

    const QString nested = path(QStringLiteral("a/b/c.archive")); // the folders are made
    ASSERT_TRUE(KeyedArchive::write(nested, QStringLiteral("Root key"), root));
    const auto whole = KeyedArchive::readObject(nested, QStringLiteral("Root key"));
    EXPECT_EQ(whole.state, ArchiveRead<ArchiveObject>::State::Whole);
    const auto &read = whole.value;
    ASSERT_TRUE(read);
    EXPECT_EQ(read->className(), u"Root");
    EXPECT_EQ(read->text(QStringLiteral("text")), u"Zürich +41");
    EXPECT_EQ(read->text(QStringLiteral("empty")), u"");
    EXPECT_EQ(read->kind(QStringLiteral("none")), Kind::Absent);
    EXPECT_EQ(read->integer(QStringLiteral("min")), std::numeric_limits<int>::min());
    EXPECT_EQ(read->date(QStringLiteral("date")), moment);
    EXPECT_EQ(read->date(QStringLiteral("date"))->offsetFromUtc(), 3600);
    EXPECT_EQ(read->kind(QStringLiteral("no date")), Kind::Absent);
}

// Damaged, not missing: the owner keeps such a file aside before writing over it.
// A save of what the file already holds leaves it untouched (a new file would have a new
// inode); a changed list, a file gone meanwhile and a damaged file are written.
TEST_F(KeyedArchiveTest, AFileIsRewrittenOnlyWhenWhatItHoldsChanges)
{
    const QString key = QStringLiteral("List");
    const auto entry = [](const QString &number) {
        ArchiveObject object(QStringLiteral("Entry"));
        object.setText(QStringLiteral("number"), number);
        return object;
    };
    const ArchiveList one{entry(QStringLiteral("+4930"))};
    const QDateTime moment = QDateTime::currentDateTime();
    const auto inode = [&] {
        struct stat status = {};
        return ::stat(QFile::encodeName(path()).constData(), &status) == 0 ? status.st_ino : 0;
    };
    ASSERT_TRUE(KeyedArchive::write(path(), key, one));

    ArchiveFile file(path(), key);
    ASSERT_TRUE(file.readList());
    const auto before = inode();
    EXPECT_TRUE(file.write(one, moment).ok);
    EXPECT_EQ(inode(), before) << "the same list was written again";

    const ArchiveList two{entry(QStringLiteral("+4930")), entry(QStringLiteral("+48"))};
    EXPECT_TRUE(file.write(two, moment).ok);
    EXPECT_NE(inode(), before);
    EXPECT_EQ(KeyedArchive::readList(path(), key).value->size(), 2);

    QFile::remove(path());
    EXPECT_TRUE(file.write(two, moment).ok);
    EXPECT_EQ(KeyedArchive::readList(path(), key).value->size(), 2) << "a file gone is written again";

    writeFile(path(), "{\"List\": [{\"$class\": \"Entry\", \"number\": \"+4930\"}, 7]}");
    ArchiveFile damaged(path(), key);
    ASSERT_TRUE(damaged.readList());
    ASSERT_TRUE(damaged.isDamaged());
    const ArchiveFile::Written rewritten = damaged.write(*damaged.readList(), moment);
    EXPECT_TRUE(rewritten.ok && rewritten.keptAside) << "what can be read of a damaged file is written whole";
}

TEST_F(KeyedArchiveTest, FilesThatCannotBeReadWholeAreDamagedAndGiveWhatCanBeRead)
{
    using State = ArchiveRead<ArchiveObject>::State;
    const std::tuple<const char *, QByteArray, qsizetype> cases[] = {
        // name, bytes, objects of the list that can still be read (-1: none)
        {"empty file", "", -1},
        {"garbage bytes", QByteArray("\x00\xff\xfe garbage \x01", 14), -1},
        {"truncated", R"({"Root": {"$class": "A", "x": )", -1},
        {"array document", R"([{"Root": {"$class": "A"}}])", -1},
        {"root key missing", R"({"Other": {"$class": "A"}})", -1},
        {"root is null", R"({"Root": null})", -1},
        {"root is a number", R"({"Root": 12})", -1},
        {"root without class", R"({"Root": {"x": 1}})", -1},
        {"list with elements that are not objects", R"({"Root": [{"$class": "A"}, 7, {"x": 1}, {"$class": "B"}]})", 2},
    };
    for (const auto &[name, bytes, readable] : cases) {
        SCOPED_TRACE(name);
        writeFile(path(), bytes);
        const auto object = KeyedArchive::readObject(path(), QStringLiteral("Root"));
        EXPECT_EQ(object.state, State::Damaged);
        EXPECT_FALSE(object.value);
        const auto list = KeyedArchive::readList(path(), QStringLiteral("Root"));
        EXPECT_EQ(int(list.state), int(State::Damaged));
        EXPECT_EQ(list.value ? list.value->size() : -1, readable);
    }
    EXPECT_EQ(KeyedArchive::readObject(path(QStringLiteral("missing")), QStringLiteral("Root")).state, State::Missing);
}

struct Value
{
    const char *name;
    const char *json; // the entry as written in a file
    Kind kind;
};

using ArchiveValueTest = ::testing::TestWithParam<Value>;

// An entry reads as its kind or not at all: the owner keeps its default for an entry of the
// wrong kind.
TEST_P(ArchiveValueTest, ReadsAsItsKindOnly)
{
    const auto object = ArchiveObject::fromJson(QJsonDocument::fromJson(QByteArray(R"({"$class": "A", "v": )") + GetParam().json + "}").object());
    ASSERT_TRUE(object);
    const QString v = QStringLiteral("v");
    const Kind kind = GetParam().kind;
    EXPECT_EQ(object->kind(v), kind);
    EXPECT_EQ(std::tuple(object->text(v).has_value(), object->integer(v).has_value(), object->date(v).has_value()),
              std::tuple(kind == Kind::Text, kind == Kind::Int, kind == Kind::Date));
}

const Value values[] = {
    {"Text", R"("234")", Kind::Text},
    {"DateAsText", R"("2020-01-01")", Kind::Text},
    {"Int", "234", Kind::Int},
    {"SmallestInt", "-2147483648", Kind::Int},
    {"BeyondInt", "4294967296", Kind::Wrong},
    {"Fraction", "0.5", Kind::Wrong},
    {"Flag", "true", Kind::Wrong},
    {"Object", R"({"a": 1})", Kind::Wrong},
    {"Date", R"({"$date": "2026-01-02T03:04:05.678+01:00"})", Kind::Date},
    {"UnreadableDate", R"({"$date": "x"})", Kind::Wrong},
    {"Null", "null", Kind::Absent},
    {"List", "[]", Kind::Wrong},
};
INSTANTIATE_TEST_SUITE_P(, ArchiveValueTest, ::testing::ValuesIn(values), [](const auto &row) { return std::string(row.param.name); });
} // namespace
