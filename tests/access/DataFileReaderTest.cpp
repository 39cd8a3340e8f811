#include "access/CryptoManager.h"
#include "access/DataFileLines.h"
#include "access/DataFileReader.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>

namespace {
TEST(DataFileReaderTest, DropsTheChainingBlockAndSplitsAtCrLf)
{
    const std::pair<QByteArray, QStringList> cases[] = {
        {"ABC", {"ABC"}},
        {"204 1\r\n310 2", {"204 1", "310 2"}},
        {"204 1\r\n", {"204 1", ""}},
        {"a\nb\rc\r\n\r\nd", {"a\nb\rc", "", "d"}},
        {"\r\n", {"", ""}},
        {"\xe9\x80\xff", {QString::fromLatin1("\xe9\x80\xff")}}, // one character per byte
        {"0123456789abcdef!", {"0123456789abcdef!"}},
    };
    for (const auto &[plain, lines] : cases) {
        SCOPED_TRACE(plain.toStdString());
        EXPECT_EQ(dataFileLines(sealedDataFile(plain)), lines);
    }
}

TEST(DataFileReaderTest, ATextOfSixteenCharactersOrFewerIsKeptWhole)
{
    // An empty plain text deciphers to the chaining block's image alone, which is kept.
    const auto lines = dataFileLines(sealedDataFile(""));
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->join(QStringLiteral("\r\n")).size(), 16);
}

TEST(DataFileReaderTest, LinesComeWholeWhereverThePiecesOfTheFileEnd)
{
    // Lines of many lengths, so that line ends and "\r\n" pairs fall across piece boundaries.
    QStringList expected;
    QByteArray plain;
    for (int i = 0; plain.size() < 3 * DataFileReader::pieceSize; ++i) {
        const QByteArray line = QByteArray::number(i) + ' ' + QByteArray(i % 97, char('a' + i % 26));
        plain += (i ? "\r\n" : "") + line;
        expected.append(QString::fromLatin1(line));
    }
    for (const QByteArray &tail : {QByteArray(), QByteArray("\r\n"), QByteArray("\r")}) {
        SCOPED_TRACE(tail.toStdString());
        QStringList lines = expected;
        if (tail == "\r\n")
            lines.append(QString());
        else
            lines.last() += QString::fromLatin1(tail);
        EXPECT_EQ(dataFileLines(sealedDataFile(plain + tail)), lines);
    }
}

TEST(DataFileReaderTest, AFileThatDoesNotDecipherIsReportedAfterItsLastPiece)
{
    QByteArray plain;
    while (plain.size() < 2 * DataFileReader::pieceSize)
        plain += "234 +44 20 7946 0120\r\n";
    const QByteArray good = sealedDataFile(plain);
    QByteArray damaged = good;
    damaged[damaged.size() - 1] = char(damaged[damaged.size() - 1] ^ 0x01);
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty", ""},
        {"15 bytes", good.left(15)},
        {"16 bytes", QByteArray(16, '\0')},
        {"17 bytes", good.left(17)},
        {"not whole blocks", good.chopped(5)},
        {"damaged last block", damaged},
        {"plain text", plain},
        {"another key", good.left(16) + *CryptoManager::encrypt(plain, CryptoManager::md5("QMBkey"), good.left(16), CryptoManager::PKCS7Padding)},
    };
    for (const auto &[name, bytes] : cases)
        EXPECT_FALSE(dataFileLines(bytes)) << name;
}

} // namespace
