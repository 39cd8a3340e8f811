#include "access/DataFileEnvelope.h"
#include "support/DataFiles.h"
#include "access/LANFileNameparser.h"
#include "access/LANManger.h"
#include "core/AppSettings.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct ProcessRun
{
    int exitCode = -1;
    QByteArray out, err;
};

ProcessRun run(const QString &program, const QStringList &arguments, const QByteArray &input = {})
{
    QProcess process;
    process.start(program, arguments);
    process.write(input);
    process.closeWriteChannel();
    const bool ended = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit;
    return {ended ? process.exitCode() : -1, process.readAllStandardOutput(), process.readAllStandardError()};
}

ProcessRun farlineData(const QStringList &arguments) { return run(QStringLiteral(FARLINE_DATA_BIN), arguments); }

class FarlineDataTest : public ::testing::Test
{
protected:
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    void write(const char *name, const QByteArray &bytes) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray read(const char *name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(FarlineDataTest, EncryptJoinsTheLinesWithCrLfAndDecryptPrintsThem)
{
    const std::tuple<QByteArray, QStringList, QByteArray> cases[] = { // input, lines as the tables read them, decrypt's output
        {"234 1\n260 2\n", {"234 1", "260 2"}, "234 1\n260 2\n"},
        {"234 1\r\n260 2", {"234 1", "260 2"}, "234 1\n260 2\n"},
        {"a\r\n\nb\r\r\n", {"a", "", "b\r"}, "a\n\nb\r\n"},
        {"\xe9\x01 x\n", {QString::fromLatin1("\xe9\x01 x")}, "\xe9\x01 x\n"},
        {"", {QString()}, ""},
    };
    for (const auto &[input, tableLines, printed] : cases) {
        SCOPED_TRACE(input.toStdString());
        write("plain", input);
        ASSERT_EQ(farlineData({"encrypt", path("plain"), path("LANFile.txt")}).exitCode, 0);
        if (!input.isEmpty()) { // the 16 characters of the chaining block's image are kept then
            EXPECT_EQ(dataFileLines(read("LANFile.txt")), tableLines);
        }
        const ProcessRun decrypted = farlineData({"decrypt", path("LANFile.txt")});
        EXPECT_EQ(decrypted.exitCode, 0);
        EXPECT_EQ(decrypted.out, printed);
        EXPECT_TRUE(decrypted.err.isEmpty());
    }
}

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
    const QByteArray plain = "234 +44 20 7946 0120\r\n234 +44 20 7946 0345\r\n260 +48 22 500 00 00";

    // What encrypt writes, less its chaining block, deciphers with openssl under that block.
    write("plain", plain + "\r\n");
    ASSERT_EQ(farlineData({"encrypt", path("plain"), path("ours")}).exitCode, 0);
    const QByteArray ours = read("ours");
    const ProcessRun deciphered = run(openssl, {"enc", "-d", "-aes-128-cbc", "-K", key, "-iv",
                                         QString::fromLatin1(ours.left(16).toHex())},
                               ours.mid(16));
    EXPECT_EQ(deciphered.exitCode, 0) << deciphered.err.toStdString();
    EXPECT_EQ(deciphered.out, plain);

    // 16 bytes followed by what openssl writes with them as vector is read by decrypt and the tables.
    const QByteArray block = QByteArray::fromHex("f0e1d2c3b4a5968778695a4b3c2d1e0f");
    const ProcessRun enciphered = run(openssl, {"enc", "-aes-128-cbc", "-K", key, "-iv",
                                         QString::fromLatin1(block.toHex())},
                               plain + "\r\n260 11\r\n");
    ASSERT_EQ(enciphered.exitCode, 0) << enciphered.err.toStdString();
    write("theirs", block + enciphered.out);
    const ProcessRun printed = farlineData({"decrypt", path("theirs")});
    EXPECT_EQ(printed.exitCode, 0);
    EXPECT_EQ(printed.out, "234 +44 20 7946 0120\n234 +44 20 7946 0345\n260 +48 22 500 00 00\n260 11\n");

    LANManger table(path("theirs"));
    table.loadLANArray(QStringLiteral("234"));
    EXPECT_EQ(table.lanNumbers(), (QStringList{"+442079460120", "+442079460345"}));
    EXPECT_EQ(table.countriesArray(), (QStringList{"234", "260"}));
}
TEST_F(FarlineDataTest, PublishWritesTheDescriptorAndTheFileWhereItsAddressPoints)
{
    write("plain", "234 +44 20 7946 0999\n260 +48 22 000\n");
    const std::tuple<bool, const char *, const char *, int> cases[] = { // --refuse, url, place in the tree, errorOccured
        {false, "https://updates.example:8443/v/3/LAN%20File.txt?a=1&b=2", "v/3/LAN File.txt", 2},
        {true, "http://127.0.0.1/files/LANFile-9.txt", "files/LANFile-9.txt", 1},
    };
    for (const auto &[refuse, url, place, errorOccured] : cases) {
        SCOPED_TRACE(url);
        const QString tree = path("tree");
        QDir(tree).removeRecursively();
        const ProcessRun published = farlineData(QStringList{"publish", path("plain"), "--version", "4", "--url", url, "--out", tree}
                                                 + (refuse ? QStringList{"--refuse"} : QStringList()));
        ASSERT_EQ(published.exitCode, 0) << published.err.toStdString();

        // As the program reads the descriptor with version 3 installed.
        QFile descriptor(tree + "/server.php");
        ASSERT_TRUE(descriptor.open(QIODevice::ReadOnly));
        AppSettings settings{QDateTime()};
        settings.currentVersionNumber = 3;
        settings.errorOccured = 2;
        int announced = 0;
        EXPECT_TRUE(LANFileNameparser(settings, [&](int version) { announced = version; }).parse(descriptor.readAll()));
        EXPECT_EQ(std::tuple(settings.currentLANFileURL, settings.errorOccured.load(), announced),
                  std::tuple(std::optional(QString::fromLatin1(url)), errorOccured, 4));

        QFile file(tree + u'/' + QString::fromUtf8(place));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(dataFileLines(file.readAll()), (QStringList{"234 +44 20 7946 0999", "260 +48 22 000"}));
    }
}

TEST_F(FarlineDataTest, PublishRefusesWhatNoStaticServerCouldServe)
{
    write("plain", "234 1\n");
    const QString tree = path("tree");
    for (const char *url : {"ftp://h/LANFile.txt", "LANFile.txt", "http://h/", "http://h/server.php",
                            "http://h/a/../../etc/x", "http://h/a/%2E%2E/x"}) {
        const ProcessRun result = farlineData({"publish", path("plain"), "--version", "1", "--url", url, "--out", tree});
        EXPECT_EQ(result.exitCode, 2) << url;
        EXPECT_EQ(result.err.count('\n'), 1);
    }
    EXPECT_FALSE(QFile::exists(tree));
}
} // namespace
