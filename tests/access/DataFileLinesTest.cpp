#include "access/DataFileLines.h"
#include "support/DataFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QStringList linesOf(const DataFileLines &file)
{
    QStringList lines;
    for (const QLatin1StringView line : file)
        lines.append(line.toString());
    return lines;
}

TEST(DataFileLinesTest, DropsTheChainingBlockAndSplitsAtCrLf)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"ABC", {"ABC"}},
        {"204 1\r\n310 2", {"204 1", "310 2"}},
        {"204 1\r\n", {"204 1", ""}},
        {"a\nb\rc\r\n\r\nd", {"a\nb\rc", "", "d"}},
        {"\r\n", {"", ""}},
        {"\xe9\x80\xff", {QString::fromLatin1("\xe9\x80\xff")}}, // one character per byte
    };
    for (const auto &[plain, lines] : cases) {
        SCOPED_TRACE(plain.toStdString());
        const auto file = DataFileLines::fromFileBytes(sealedDataFile(plain));
        ASSERT_TRUE(file);
        EXPECT_EQ(linesOf(*file), lines);
    }
}

TEST(DataFileLinesTest, ATextOfSixteenCharactersOrFewerIsKeptWhole)
{
    // An empty plain text deciphers to the chaining block's image alone, which is kept.
    const auto file = DataFileLines::fromFileBytes(sealedDataFile(""));
    ASSERT_TRUE(file);
    EXPECT_EQ(file->text().size(), 16);
}

TEST(DataFileLinesTest, AFileThatDoesNotDecipherGivesNoLines)
{
    const QByteArray good = sealedDataFile("234 +44 20 7946 0120\r\n234 +44 20 7946 0345");
    QByteArray damaged = good;
    damaged[damaged.size() - 1] = char(damaged[damaged.size() - 1] ^ 0x01);
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty", ""},
        {"15 bytes", good.left(15)},
        {"17 bytes", good.left(17)},
        {"not whole blocks", good.chopped(5)},
        {"damaged last block", damaged},
        {"plain text", "234 +44 20 7946 0120\r\n234 +44 20 7946 0345\r\n\r\n\r\n\r\n\r\n"},
    };
    for (const auto &[name, bytes] : cases)
        EXPECT_FALSE(DataFileLines::fromFileBytes(bytes)) << name;
}

TEST(DataFileLinesTest, ReadsTheFileAtAPath)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("LANFile.txt"));
    EXPECT_FALSE(DataFileLines::read(path)); // missing
    EXPECT_FALSE(DataFileLines::read(dir.path())); // a folder
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(sealedDataFile("a b\r\nc d"));
    file.close();
    const auto lines = DataFileLines::read(path);
    ASSERT_TRUE(lines);
    EXPECT_EQ(linesOf(*lines), (QStringList{"a b", "c d"}));
}
} // namespace
