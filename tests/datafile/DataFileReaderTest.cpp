#include "datafile/CryptoManager.h"
#include "datafile/DataFileCheck.h"
#include "datafile/DataFileLines.h"
#include "datafile/DataFileReader.h"
#include "support/DataFiles.h"

#include <gtest/gtest.h>

namespace {
QByteArray hex(const char *digits) { return QByteArray::fromHex(digits); }

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
    // An empty plain text deciphers to the chaining block's image alone, which is kept.
    const auto lines = dataFileLines(sealedDataFile(""));
    EXPECT_EQ(lines ? lines->join(QStringLiteral("\r\n")).size() : -1, 16);
}

// Line ends are looked for 16 bytes at a time: one must be found wherever it falls in a block,
// and a "\r" without "\n" (even right before one, or last in the text) ends no line.
TEST(DataFileLinesTest, SplitsAtEveryCrLfWhereverItFallsAmongLoneCarriageReturns)
{
    for (int at = 0; at < 40; ++at) {
        for (const int lone : {-1, at / 2, at - 1}) {
            QByteArray first(at, 'a');
            if (lone >= 0 && lone < at)
                first[lone] = '\r';
            const QByteArray text = first + "\r\nb\r";
            QStringList lines;
            for (const QLatin1StringView line : DataFileLines(QLatin1StringView(text)))
                lines += line;
            EXPECT_EQ(lines, (QStringList{QString::fromLatin1(first), QStringLiteral("b\r")})) << at << ' ' << lone;
        }
    }
}

// Runs of digits are judged eight at a time: a single byte that is no digit must count wherever
// it stands, including the bytes next to the digits and the digits' and the space's own with
// the top bit set.
TEST(DataFileCheckTest, OneByteAnywhereInARunOfDigitsDecidesTheNumber)
{
    for (int length = 1; length <= 20; ++length) {
        EXPECT_EQ(DataFileCheck::isAccessNumber(QLatin1StringView(QByteArray(length, '7'))), length >= 3) << length;
        for (int at = 0; at < length; ++at) {
            for (const char other : {' ', '+', '/', ':', 'a', '\x80', '\xa0', '\xb0', '\xb9', '\xff'}) {
                QByteArray number(length, '7');
                number[at] = other;
                const bool valid = (other == ' ' || (other == '+' && at == 0)) && length - 1 >= 3;
                EXPECT_EQ(DataFileCheck::isAccessNumber(QLatin1StringView(number)), valid)
                    << number.toHex().toStdString();
            }
        }
    }
}

// A download is checked as it arrives, and the table loads from the lines the check hands on.
TEST(DataFileCheckTest, HandsOnEveryLineOnceWhereverThePiecesOfTheFileEnd)
{
    // Lines of many lengths, so that line ends and "\r\n" pairs fall across piece boundaries.
    QByteArray plain;
    for (int i = 0; plain.size() < 3 * DataFileReader::pieceSize; ++i)
        plain += (i ? "\r\n" : "") + QByteArray::number(i) + " +" + QByteArray(3 + i % 97, char('0' + i % 10));
    const QByteArray file = sealedDataFile(plain);
    for (const qsizetype piece : {qsizetype(1), qsizetype(7), DataFileReader::pieceSize, file.size()}) {
        QByteArrayList runs;
        DataFileCheck check([&](const DataFileLines &lines) { runs += QByteArray(lines.text().data(), lines.text().size()); });
        for (qsizetype offset = 0; offset < file.size(); offset += piece)
            check.feed(QByteArrayView(file).sliced(offset, std::min(piece, file.size() - offset)));
        EXPECT_EQ(check.finish(), DataFileCheck::Verdict::Valid) << piece;
        EXPECT_EQ(runs.join("\r\n"), plain) << piece;
    }
}

TEST(DataFileCheckTest, AnAccessNumberLineIsAPrintableKeyASpaceAndANumber)
{
    const std::pair<const char *, bool> cases[] = {
        {"234 +44 20 7946", true}, {"234  +  1 2 3", true}, {"a.b 123", true},
        {" 123", false},         // no key
        {"234", false},          // no number
        {"234 12", false},       // too few digits
        {"234        12", false}, // too few digits, however far apart
        {"234 +49+30", false},   // a second "+"
        {"234 49+30", false},    // a "+" after digits
        {"a b 123", false},      // the number begins at the first space
        {"2\x7f" "4 123", false}, {"2\x7f" "4 +44 20 7946", false}, // a key that is not printable
        {"234 123\t", false},
    };
    for (const auto &[line, valid] : cases)
        EXPECT_EQ(DataFileCheck::isAccessNumberLine(QLatin1StringView(line)), valid) << line;
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

// Lengths, damaged files and other keys are read through the data file reader's tests.
TEST(CryptoManagerTest, TheOptionsWordChoosesModeAndPaddingAndTheFinalStepDecides)
{
    // ECB without padding: the published answer of FIPS 197.
    EXPECT_EQ(CryptoManager::decrypt(hex("69c4e0d86a7b0430d8cdb78070b4c55a"), hex("000102030405060708090a0b0c0d0e0f"), CryptoManager::ECBMode),
              hex("00112233445566778899aabbccddeeff"));
    // CBC: the input's own first block is the vector; without padding the pad bytes stay.
    const QByteArray key = hex("2b7e151628aed2a6abf7158809cf4f3c");
    const QByteArray vector(16, '\x5a');
    const QByteArray good = vector + *CryptoManager::encrypt("ABC", key, vector, CryptoManager::PKCS7Padding);
    EXPECT_EQ(CryptoManager::decrypt(good, key, CryptoManager::PKCS7Padding)->mid(16), "ABC");
    EXPECT_EQ(CryptoManager::decrypt(good, key, 0)->mid(16), "ABC" + QByteArray(13, '\x0d'));

    QByteArray damaged = good;
    damaged[31] = char(damaged[31] ^ 0x40);
    const std::pair<const char *, std::optional<QByteArray>> cases[] = {
        {"15 bytes", CryptoManager::decrypt(good.left(15), key, CryptoManager::PKCS7Padding)},
        {"damaged last block", CryptoManager::decrypt(damaged, key, CryptoManager::PKCS7Padding)},
        {"short key", CryptoManager::decrypt(good, key.left(15), CryptoManager::PKCS7Padding)},
        {"unpadded, not whole blocks", CryptoManager::decrypt(good.left(20), key, 0)},
        {"short vector", CryptoManager::encrypt("ABC", key, vector.left(8), CryptoManager::PKCS7Padding)},
    };
    for (const auto &[name, result] : cases)
        EXPECT_FALSE(result) << name;
}
} // namespace
