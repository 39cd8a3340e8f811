#include "datafile/DataFileEnvelope.h"
#include "datafile/UpdateSignature.h"
#include "support/DataFiles.h"
#include "support/Files.h"
#include "support/Process.h"
#include "access/LANFileNameparser.h"
#include "access/LANManger.h"
#include "core/AppSettings.h"

#include <QCryptographicHash>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
ProcessRun farlineData(const QStringList &arguments) { return runProcess(QStringLiteral(FARLINE_DATA_BIN), arguments); }

class FarlineDataTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void write(const char *name, const QByteArray &bytes) const { writeFile(path(name), bytes); }
    QByteArray read(const char *name) const { return readFile(path(name)); }

    QTemporaryDir dir;
};

TEST_F(FarlineDataTest, TheChainingBlockIsRandomUnlessGiven)
{
    write("plain", "234 1\n");
    ASSERT_EQ(farlineData({"encrypt", path("plain"), path("a"), "--iv", "00112233445566778899AABBCCDDEEFF"}).exitCode, 0);
    EXPECT_EQ(read("a").left(16), QByteArray::fromHex("00112233445566778899aabbccddeeff"));
    for (const char *name : {"c", "d"})
        ASSERT_EQ(farlineData({"encrypt", path("plain"), path(name)}).exitCode, 0);
    EXPECT_NE(read("c").left(16), read("d").left(16));
}

TEST_F(FarlineDataTest, AFileThatDoesNotDecipherIsOneLineOnStandardError)
{
    write("plain", "234 1\n");
    write("garbage", QByteArray(48, 'x'));
    for (const char *name : {"garbage", "plain", "missing"}) {
        const ProcessRun result = farlineData({"decrypt", path(name)});
        EXPECT_EQ(result.exitCode, 1) << name;
        EXPECT_EQ(result.err.count('\n'), 1);
        EXPECT_TRUE(result.err.startsWith("farline-data: "));
        EXPECT_TRUE(result.out.isEmpty());
    }
}

TEST_F(FarlineDataTest, InteroperatesWithTheOpensslCommand)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    if (openssl.isEmpty())
        GTEST_SKIP() << "openssl is not installed";
    // The key, from Qt's own MD5 rather than the program's.
    const QByteArray keyBytes = QCryptographicHash::hash("QMBKey", QCryptographicHash::Md5);
    ASSERT_EQ(DataFileEnvelope::key(), keyBytes);
    const QString key = QString::fromLatin1(keyBytes.toHex());
    const QByteArray plain = "234 +44 20 7946 0120\r\n234 +44 20 7946 0345\r\n260 +48 22 500 00 00 \xe9\r";

    // What encrypt writes, less its chaining block, deciphers with openssl under that block: the
    // lines of any line end joined with CRLF, the end of the last one dropped.
    write("plain", "234 +44 20 7946 0120\r\n234 +44 20 7946 0345\n260 +48 22 500 00 00 \xe9\r\r\n");
    ASSERT_EQ(farlineData({"encrypt", path("plain"), path("ours")}).exitCode, 0);
    const QByteArray ours = read("ours");
    const ProcessRun deciphered = runProcess(openssl, {"enc", "-d", "-aes-128-cbc", "-K", key, "-iv", QString::fromLatin1(ours.left(16).toHex())},
                                             {}, ours.mid(16));
    EXPECT_EQ(deciphered.exitCode, 0) << deciphered.err.toStdString();
    EXPECT_EQ(deciphered.rawOut, plain);

    // 16 bytes followed by what openssl writes with them as vector is read by decrypt and the tables.
    const QByteArray block = QByteArray::fromHex("f0e1d2c3b4a5968778695a4b3c2d1e0f");
    const ProcessRun enciphered = runProcess(openssl, {"enc", "-aes-128-cbc", "-K", key, "-iv", QString::fromLatin1(block.toHex())}, {},
                                             plain + "\r\n260 11\r\n");
    ASSERT_EQ(enciphered.exitCode, 0) << enciphered.err.toStdString();
    write("theirs", block + enciphered.rawOut);
    const ProcessRun printed = farlineData({"decrypt", path("theirs")});
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(printed.rawOut, "234 +44 20 7946 0120\n234 +44 20 7946 0345\n260 +48 22 500 00 00 \xe9\r\n260 11\n");
    // An empty text is no line at all.
    write("empty", "");
    ASSERT_EQ(farlineData({"encrypt", path("empty"), path("none")}).exitCode, 0);
    EXPECT_EQ(farlineData({"decrypt", path("none")}).all(), std::tuple(0, QString(), QString()));

    LANManger table(path("theirs"));
    table.loadLANArray(QStringLiteral("234"));
    EXPECT_EQ(table.lanNumbers(), (QStringList{"+442079460120", "+442079460345"}));
    EXPECT_EQ(table.countriesArray(), (QStringList{"234", "260"}));
}
struct Publication
{
    const char *name;
    bool refuse;
    const char *url, *place; // the file's place in the tree
    int errorOccured;
};

class PublishTest : public FarlineDataTest, public ::testing::WithParamInterface<Publication> {};

TEST_P(PublishTest, WritesTheDescriptorAndTheFileWhereItsAddressPoints)
{
    const auto &[name, refuse, url, place, errorOccured] = GetParam();
    write("plain", "234 +44 20 7946 0999\n260 +48 22 000\n");
    const QString tree = path("tree");
    const ProcessRun published = farlineData(QStringList{"publish", path("plain"), "--version", "4", "--url", url, "--out", tree}
                                             + (refuse ? QStringList{"--refuse"} : QStringList()));
    ASSERT_EQ(published.exitCode, 0) << published.err.toStdString();

    // As the program reads the descriptor with version 3 installed.
    AppSettings settings{QDateTime()};
    settings.currentVersionNumber = 3;
    settings.errorOccured = 2;
    int announced = 0;
    EXPECT_TRUE(LANFileNameparser(settings, [&](int version) { announced = version; }).parse(readFile(tree + "/server.php")));
    EXPECT_EQ(std::tuple(settings.currentLANFileURL, settings.errorOccured.load(), announced),
              std::tuple(std::optional(QString::fromLatin1(url)), errorOccured, 4));

    EXPECT_EQ(dataFileLines(readFile(tree + u'/' + QString::fromUtf8(place))), (QStringList{"234 +44 20 7946 0999", "260 +48 22 000"}));
}

const Publication publications[] = {
    {"EscapedPathAndQuery", false, "https://updates.example:8443/v/3/LAN%20File.txt?a=1&b=2", "v/3/LAN File.txt", 2},
    {"Refused", true, "http://127.0.0.1/files/LANFile-9.txt", "files/LANFile-9.txt", 1},
};
INSTANTIATE_TEST_SUITE_P(, PublishTest, ::testing::ValuesIn(publications), [](const auto &row) { return std::string(row.param.name); });

// keygen writes a pair, the private half for its owner's eyes only, and never over a key;
// publish --sign writes beside the file the signature of its bytes for the version published.
TEST_F(FarlineDataTest, KeygenWritesAPairThatPublishSignsWith)
{
    ASSERT_EQ(farlineData({"keygen", path("keys")}).all(), std::tuple(0, QString(), QString()));
    const QString privateKey = path("keys/update-key.pem"), publicKey = path("keys/update-key.pub.pem");
    EXPECT_FALSE(QFile::permissions(privateKey) & (QFile::ReadGroup | QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther));
    const QByteArray pair = readFile(privateKey) + readFile(publicKey);
    const ProcessRun again = farlineData({"keygen", path("keys")});
    EXPECT_EQ(std::tuple(again.exitCode, again.errLines().size()), std::tuple(1, 1));
    EXPECT_EQ(readFile(privateKey) + readFile(publicKey), pair);

    write("plain", "234 +44 20 7946 0999\n");
    const QString tree = path("tree");
    ASSERT_EQ(farlineData({"publish", path("plain"), "--version", "4", "--url", "http://h/f/LANFile-4.txt", "--out", tree, "--sign", privateKey})
                  .exitCode, 0);
    const QByteArray file = readFile(tree + "/f/LANFile-4.txt");
    const QByteArray signature = readFile(tree + "/f/LANFile-4.txt.sig");
    EXPECT_EQ(signature.size(), UpdateSignature::size);
    EXPECT_TRUE(UpdateSignature::verify(readFile(publicKey), 4, file, signature));
    EXPECT_FALSE(UpdateSignature::verify(readFile(publicKey), 5, file, signature));

    // A table the program would refuse is not published.
    write("plain", "234 +44 20 7946 0999\n208 +\n");
    const ProcessRun refused = farlineData({"publish", path("plain"), "--version", "5", "--url", "http://h/f/LANFile-5.txt", "--out", tree});
    EXPECT_EQ(refused.all(), std::tuple(1, QString(), "farline-data: " + path("plain") + ": line 2 holds no access number\n"));
    EXPECT_FALSE(QFile::exists(tree + "/f/LANFile-5.txt"));
}

class PublishRefusalTest : public FarlineDataTest, public ::testing::WithParamInterface<std::pair<const char *, const char *>> {};

// An address no static server could serve is bad usage: exit status 2, one line, no tree.
TEST_P(PublishRefusalTest, RefusesWhatNoStaticServerCouldServe)
{
    write("plain", "234 1\n");
    const ProcessRun result = farlineData({"publish", path("plain"), "--version", "1", "--url", GetParam().second, "--out", path("tree")});
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_EQ(result.errLines().size(), 1);
    EXPECT_FALSE(QFile::exists(path("tree")));
}

INSTANTIATE_TEST_SUITE_P(, PublishRefusalTest,
                         ::testing::Values(std::pair("OtherScheme", "ftp://h/LANFile.txt"), std::pair("NoHost", "LANFile.txt"),
                                           std::pair("NoFileName", "http://h/"), std::pair("TheDescriptorsName", "http://h/server.php"),
                                           std::pair("OutOfTheTree", "http://h/a/../../etc/x"), std::pair("EscapedDots", "http://h/a/%2E%2E/x")),
                         [](const auto &row) { return std::string(row.param.first); });
} // namespace
