#include "datafile/DataFileLines.h"
#include "access/LANFileParser.h"
#include "access/LANManger.h"
#include "support/DataFiles.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <atomic>
#include <functional>
#include <thread>

namespace {
LANFileParser::Result parse(const QByteArray &text, const QString &key)
{
    return LANFileParser::parse(DataFileLines(QLatin1StringView(text)), key);
}

TEST(LANFileParserTest, TakesTheNumbersOfOneKeyAndEveryKeyOfTheFile)
{
    const std::tuple<const char *, QByteArray, QString, QStringList, QStringList> cases[] = { // name, file, key, its numbers, every key
        {"two keys", "204 020 123\r\n310 0800\r\n204 +31 10 700\r\n", "204", {"020123", "+3110700"}, {"204", "310"}},
        {"the other key", "204 020 123\r\n310 0800\r\n204 +31 10 700", "310", {"0800"}, {"204", "310"}},
        {"a key alone is no line", "204\r\n310 1", "204", {}, {"310"}},
        {"no such key", "204 1\r\n204 2", "999", {}, {"204"}},
        {"empty lines", "\r\n\r\n204 1\r\n\r\n", "204", {"1"}, {"204"}},
        // The key is searched anywhere in the line, and every occurrence is removed.
        {"key inside another line", "310 204 555\r\n1204 5", "204", {"310555", "15"}, {"310", "1204"}},
        {"key twice", "204 1 204 2", "204", {"12"}, {"204"}},
        {"longer key is another key", "2040 1", "204", {}, {"2040"}},
        {"empty key names no country", "204 1\r\n 2", "", {}, {"204", ""}},
        {"spaces only", "   \r\n ", "", {}, {""}},
        {"odd characters", "a+b.c 1*\r\n(?) 2", "(?)", {"2"}, {"a+b.c", "(?)"}},
        {"bytes above 127", "\xe9t\xe9 0\x80 1\r\n", "\u00e9t\u00e9", {"0\u00801"}, {"\u00e9t\u00e9"}},
        {"a key no byte stands for", "\xe9 1", "\u0117", {}, {"\u00e9"}},
        // An occurrence over a line end, or from inside one, lies in no line.
        {"key over a line end", "9 1\r\n2 3\r\n1 2 4", "1\r\n2", {}, {"9", "2", "1"}},
        {"key from inside a line end", "9 1\r\n2 3\r\n5 \n2 4", "\n2", {"54"}, {"9", "2", "5"}},
    };
    for (const auto &[name, text, key, numbers, keys] : cases) {
        const LANFileParser::Result result = parse(text, key);
        EXPECT_EQ(std::pair(result.numbers, result.keys), std::pair(numbers, keys)) << name;
    }
}

// The key is found wherever it stands, in lines of every length around it, among near misses:
// the search compares 16 places and eight bytes of the key at once, and fewer near the end.
TEST(LANFileParserTest, FindsTheKeyWhereverItStands)
{
    for (const QByteArray key : {"7", "262", "1234567", "123456789012"}) {
        for (int before = 0; before < 36; ++before) {
            for (int after = 0; after < 20; after += 3) {
                const QByteArray filler(before, key[0]);
                const QByteArray digits(after, '9');
                // The key without its space ends the text: no number.
                const QByteArray text = key + "9 1\r\n" + filler + key + ' ' + digits + "\r\n" + filler + key;
                const QStringList numbers = parse(text, QString::fromLatin1(key)).numbers;
                ASSERT_EQ(numbers, QStringList{QString::fromLatin1(filler + digits)}) << text.toStdString();
            }
        }
    }
}

class LANMangerTest : public ::testing::Test
{
protected:
    void writeFile(const QByteArray &bytes) { ::writeFile(path, bytes); }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("LANFile.txt"));
    LANManger table{path};
};

TEST_F(LANMangerTest, LoadingReplacesTheListAndOnlyEverAddsCountries)
{
    writeFile(sealedDataFile("204 020 123\r\n310 0800\r\n204 030 456\r\n"));
    table.setCurrentLANpos(7);
    table.loadLANArray(QStringLiteral("204"));
    EXPECT_EQ(table.lanNumbers(), (QStringList{"020123", "030456"}));
    EXPECT_EQ(table.countriesArray(), (QStringList{"204", "310"}));

    table.loadLANArray(QStringLiteral("310"));
    EXPECT_EQ(table.lanNumbers(), QStringList{"0800"});
    EXPECT_EQ(table.countriesArray(), (QStringList{"204", "310"}));
    EXPECT_EQ(table.currentLANpos(), 7); // loading never moves the position

    // An update replaces the file: keys of the old file stay, new ones are appended.
    writeFile(sealedDataFile("234 020\r\n310 0900"));
    table.loadLANArray(QStringLiteral("310"));
    EXPECT_EQ(table.lanNumbers(), QStringList{"0900"});
    EXPECT_EQ(table.countriesArray(), (QStringList{"204", "310", "234"}));

    // A damaged or missing file empties the list and leaves the countries, even when the damage
    // shows only at the end of a file long enough to be read in several pieces.
    QByteArray longFile;
    while (longFile.size() < 3 * 64 * 1024)
        longFile += "999 1\r\n310 0900\r\n";
    QByteArray damaged = sealedDataFile(longFile);
    damaged.back() = char(damaged.back() ^ 0x01);
    const std::function<void()> damages[] = {[&] { writeFile(damaged); }, [&] { writeFile("garbage"); }, [&] { writeFile({}); },
                                             [&] { QFile::remove(path); }, [&] { QFile::remove(path); QDir().mkpath(path); }};
    for (const auto &damage : damages) {
        writeFile(sealedDataFile("310 0900"));
        table.loadLANArray(QStringLiteral("310"));
        ASSERT_EQ(table.lanNumbers(), QStringList{"0900"});
        damage();
        table.loadLANArray(QStringLiteral("310"));
        EXPECT_TRUE(table.lanNumbers().isEmpty());
    }
    EXPECT_EQ(table.countriesArray(), (QStringList{"204", "310", "234"}));
}

TEST_F(LANMangerTest, AReaderOnAnotherThreadSeesTheOldListOrTheNewOne)
{
    QByteArray plain;
    for (int i = 0; i < 300; ++i)
        plain += QByteArray("204 1") + QByteArray::number(i) + "\r\n310 2" + QByteArray::number(i) + "\r\n";
    writeFile(sealedDataFile(plain));
    table.loadLANArray(QStringLiteral("204"));
    const QStringList first = table.lanNumbers();
    table.loadLANArray(QStringLiteral("310"));
    const QStringList second = table.lanNumbers();
    ASSERT_EQ(first.size(), 300);

    std::atomic<bool> done = false;
    std::thread loader([&] {
        for (int i = 0; i < 40; ++i)
            table.loadLANArray(QString::fromLatin1(i % 2 ? "310" : "204"));
        done = true;
    });
    int reads = 0;
    while (!done || reads == 0) {
        const QStringList seen = table.lanNumbers();
        ASSERT_TRUE(seen == first || seen == second) << "a list of " << seen.size();
        ++reads;
    }
    loader.join();
}

} // namespace
