#include "platform/KeyedArchive.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
using Kind = ArchiveObject::Kind;
class KeyedArchiveTest : public ::testing::Test
{
protected:
    QString path(const QString &name = QStringLiteral("test.archive")) const
    {
        return m_dir.path() + u'/' + name;
    }
    void writeRaw(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir m_dir;
};

TEST_F(KeyedArchiveTest, KeepsEveryKindAndAbsentValuesThroughAWriteAndARead)
{
    const QDateTime moment(QDate(2026, 1, 2), QTime(3, 4, 5, 678), Qt::OffsetFromUTC, 3600);
    ArchiveObject child(QStringLiteral("Child"));
    child.setInt(QStringLiteral("n"), -1);
    ArchiveObject root(QStringLiteral("Root"));
    root.setText(QStringLiteral("text"), QStringLiteral("Zürich +41"));
    root.setText(QStringLiteral("empty"), QString());
    root.setText(QStringLiteral("none"), std::nullopt);
    root.setInt(QStringLiteral("min"), std::numeric_limits<int>::min());
    root.setDate(QStringLiteral("date"), moment);
    root.setDate(QStringLiteral("no date"), std::nullopt);
    root.setObjects(QStringLiteral("list"), {child, child});

    const QString nested = path(QStringLiteral("a/b/c.archive")); // the folders are made
    ASSERT_TRUE(KeyedArchive::write(nested, QStringLiteral("Root key"), root));
    const auto read = KeyedArchive::readObject(nested, QStringLiteral("Root key"));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->className(), u"Root");
    EXPECT_EQ(read->text(QStringLiteral("text")), u"Zürich +41");
    EXPECT_EQ(read->text(QStringLiteral("empty")), u"");
    EXPECT_EQ(read->kind(QStringLiteral("none")), Kind::Absent);
    EXPECT_EQ(read->integer(QStringLiteral("min")), std::numeric_limits<int>::min());
    EXPECT_EQ(read->date(QStringLiteral("date")), moment);
    EXPECT_EQ(read->date(QStringLiteral("date"))->offsetFromUtc(), 3600);
    EXPECT_EQ(read->kind(QStringLiteral("no date")), Kind::Absent);
    const auto list = read->objects(QStringLiteral("list"));
    ASSERT_TRUE(list);
    ASSERT_EQ(list->size(), 2);
    EXPECT_EQ(list->at(1).integer(QStringLiteral("n")), -1);
    EXPECT_FALSE(KeyedArchive::readObject(nested, QStringLiteral("Other key")));
}

TEST_F(KeyedArchiveTest, DamagedFilesReadAsNoArchive)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty file", ""},
        {"garbage bytes", QByteArray("\x00\xff\xfe garbage \x01", 14)},
        {"truncated", R"({"Root": {"$class": "A", "x": )"},
        {"array document", R"([{"Root": {"$class": "A"}}])"},
        {"root key missing", R"({"Other": {"$class": "A"}})"},
        {"root is null", R"({"Root": null})"},
        {"root without class", R"({"Root": {"x": 1}})"},
        {"root is a number", R"({"Root": 12})"},
    };
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        writeRaw(bytes);
        EXPECT_FALSE(KeyedArchive::readObject(path(), QStringLiteral("Root")));
        EXPECT_FALSE(KeyedArchive::readList(path(), QStringLiteral("Root")));
    }
    EXPECT_FALSE(KeyedArchive::readObject(path(QStringLiteral("missing")), QStringLiteral("Root")));
}

} // namespace
