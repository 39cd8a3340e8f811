#include "access/HTTPManager.h"
#include "core/AppSettings.h"
#include "datafile/UpdateSignature.h"
#include "UpdateTestSupport.h"
#include "support/FileSizeLimit.h"
#include "support/TestApp.h"

#include <QNetworkAccessManager>
#include <QTest>
#include <gtest/gtest.h>

using namespace UpdateTest;

namespace {
// One exchange over a fresh home holding the old file, against a fault server.
struct Exchange
{
    TestApp test;
    FaultServer server;
    QNetworkAccessManager network;
    std::unique_ptr<HTTPManager> http;
    QByteArray updateKey; // none: files are taken unsigned

    Exchange() { test.writeDocument(QStringLiteral("LANFile.txt"), oldFile()); }
    AppSettings &settings() { return test.app().appSettings(); }
    // Runs to the outcome; the result of UpdateLANFile.
    int run(int installedVersion, std::optional<QString> address = {})
    {
        settings().currentVersionNumber = installedVersion;
        http = std::make_unique<HTTPManager>(settings(), test.documentPath(QStringLiteral("LANFile.txt")),
                                             address.value_or(server.address()), network);
        http->setDeadlines({.silenceMs = 1000, .descriptorMs = 1500, .downloadMs = 1500, .downloadBytesPerSecond = 1024});
        http->setUpdateKey(updateKey);
        const int started = http->UpdateLANFile();
        if (started == 0) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return settings().updatedLANFileReceived.load(); }, 20000));
        }
        return started;
    }
    bool keptOldFile()
    {
        return test.readDocument(QStringLiteral("LANFile.txt")) == oldFile()
            && filesIn(test.app().home().documents()) == QStringList{"LANFile.txt"};
    }
};

struct Outcome
{
    const char *name;
    std::function<QByteArray(const QString &)> makeDescriptor;
    FaultResponse descriptor, file;
    int errorOccured;
    QString reason;
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

using HTTPManagerTest = ::testing::TestWithParam<Outcome>;

// What the descriptor says is read by LANFileNameparser (see its test); here, what the exchange
// does with each kind of answer, and the reason it gives for a failure ("SERVER" standing for
// the fault server's address).
TEST_P(HTTPManagerTest, OutcomeOfTheExchange)
{
    const Outcome &row = GetParam();
    Exchange exchange;
    FaultResponse response = row.descriptor;
    response.body = row.makeDescriptor(exchange.server.address());
    exchange.server.respond(QStringLiteral("/server.php"), response);
    exchange.server.respond(QStringLiteral("/LANFile-8.txt"), row.file);
    {
        const FileSizeLimit limit(row.fileSizeLimit);
        ASSERT_EQ(exchange.run(-3), 0);
    }
    EXPECT_EQ(exchange.settings().errorOccured, row.errorOccured);
    EXPECT_EQ(QString(exchange.http->failureReason()).replace(exchange.server.address(), "SERVER").toStdString(), row.reason.toStdString());
    EXPECT_EQ(exchange.server.requests().value(0), u"/server.php?getfile=conf&version=-3&device=iph");
    EXPECT_EQ(exchange.http->replacedWorkingCopy(), row.errorOccured == 2);
    if (row.errorOccured == 2) {
        EXPECT_EQ(exchange.server.requests().value(1), u"/LANFile-8.txt?a=1&b=2");
        EXPECT_EQ(exchange.test.readDocument(QStringLiteral("LANFile.txt")), newFile());
        EXPECT_EQ(exchange.http->currentVersionNumber(), 8);
        EXPECT_EQ(exchange.settings().currentVersionNumber, -3); // the dialog adopts it, on the main thread
    } else {
        EXPECT_TRUE(exchange.keptOldFile());
    }
}

// Made once the test program's application object stands.
std::vector<Outcome> outcomes()
{
    const QByteArray cipherText = newFile();
    const FaultResponse file{200, cipherText}, plain{200, {}};
    // A descriptor announcing `version`, `from` replaced with `to` in it; its file address has a
    // query, written "&amp;" in the descriptor.
    const auto announcing = [](int version, QByteArray from = "?", QByteArray to = "?") {
        return [=](const QString &server) { return descriptor(server + "/LANFile-8.txt?a=1&b=2", version).replace(from, to); };
    };
    const QString fileAt = QStringLiteral("SERVER/LANFile-8.txt?a=1&b=2");
    const QString noFile = QStringLiteral("The server sent no valid access number file (it holds no access numbers)");
    const QString tooSlow = QStringLiteral("The server took too long to answer");
    const QString refused = FaultServer::refusedAddress();
    QByteArray binary;
    for (int i = 0; i < 1024; ++i)
        binary += char(i);
    return {
        {"NewerFileOver1024Bytes", announcing(8), plain, file, 2, {}},
        {"SlowServerTheFileTricklingIn", announcing(8), plain.delayed(400), file.inPieces(1000, 30), 2, {}},
        {"DescriptorInManySegments", announcing(8), plain.inPieces(7, 1), file, 2, {}},
        {"NothingNewer", announcing(-3), plain, file, 1, {}},
        {"NoFileAddress", announcing(8, "file>", "url>"), plain, file, 0, "The update descriptor names no valid file address \"\""},
        {"NoVersion", announcing(8, "<version>8</version>", ""), plain, file, 0, "The server sent no valid update descriptor (no version)"},
        {"MalformedXml", announcing(8, "</Book>", "</Bok>"), plain, file, 0,
         "The server sent no valid update descriptor (Opening and ending tag mismatch at line 7)"},
        {"Descriptor404WithABody", announcing(8), FaultResponse{404, {}}, file, 0,
         "The server answered 404 for SERVER/server.php?getfile=conf&version=-3&device=iph"},
        {"DescriptorOver64KiB", announcing(8, "</Books>", "</Books><!--" + QByteArray(70000, 'x') + "-->"), plain.withoutLength(), file, 0,
         "The server sent an update descriptor over 64 KiB"},
        {"DescriptorTricklingPastItsDeadline", announcing(8), plain.inPieces(1, 100), file, 0, tooSlow},
        {"File500WithABody", announcing(8), plain, FaultResponse{500, cipherText}, 0, "The server answered 500 for " + fileAt},
        {"PartialFile206", announcing(8), plain, FaultResponse{206, cipherText}, 0, "The server answered 206 for " + fileAt},
        {"FileCutInTheMiddle", announcing(8), plain, file.cut(cipherText.size() / 2), 0,
         "The connection to " + fileAt + " failed: Connection closed"},
        {"FileThatDoesNotDecipher", announcing(8), plain, FaultResponse{200, QByteArray(4096, 'A')}, 0,
         "The server sent no valid access number file (it does not decipher)"},
        {"EmptyFile", announcing(8), plain, FaultResponse{200, sealedDataFile("")}, 0, noFile},
        {"FileOfLineEnds", announcing(8), plain, FaultResponse{200, sealedDataFile("\r\n\r\n\r\n")}, 0, noFile},
        {"BinaryFile", announcing(8), plain, FaultResponse{200, sealedDataFile(binary)}, 0, noFile},
        {"FileWithAPlusForANumber", announcing(8), plain, FaultResponse{200, sealedDataFile("234 +44 20 7946 0999\r\n\r\n208 +\r\n")}, 0,
         "The server sent no valid access number file (line 3 holds no access number)"},
        {"FileWithLettersForANumber", announcing(8), plain, FaultResponse{200, sealedDataFile("208 abc\r\n234 +44 20 7946 0999")}, 0,
         "The server sent no valid access number file (line 1 holds no access number)"},
        {"FileRedirectedToAnUnreachableAddress", announcing(8), plain, FaultResponse{302, {}}.withHeader("Location: " + refused.toUtf8() + "/f"), 0,
         "The connection to " + refused + "/f failed: Connection refused"},
        {"FileThatDoesNotDecompress", announcing(8), plain, FaultResponse{200, "no gzip stream at all"}.withHeader("Content-Encoding: gzip"), 0,
         "The server sent data that does not decompress"},
        {"FileOver16MiB", announcing(8), plain, FaultResponse{200, sealedDataFile(QByteArray(HTTPManager::maxFileSize, 'x'))}.withoutLength(), 0,
         "The server sent a file over 16 MiB"},
        {"ServerSilentPastTheTimeOut", announcing(8), plain, file.cut(100, true), 0, tooSlow},
        {"FileTricklingBelow1KiBPerSecond", announcing(8), plain, file.inPieces(1, 100), 0, tooSlow},
        {"FileLargerThanTheDiskTakes", announcing(8), plain, file, 0, "The downloaded file could not be written: File too large",
         rlim_t(cipherText.size() / 2)},
    };
}
INSTANTIATE_TEST_SUITE_P(, HTTPManagerTest, ::testing::ValuesIn(outcomes()), [](const auto &row) { return std::string(row.param.name); });

const UpdateSignature::KeyPair &updateKeys()
{
    static const UpdateSignature::KeyPair pair = *UpdateSignature::generateKeyPair();
    return pair;
}

QByteArray signature(int version, const QByteArray &file, const QByteArray &privateKey = updateKeys().privateKey)
{
    return UpdateSignature::sign(privateKey, version, file).value_or(QByteArray());
}

struct Signed
{
    const char *name;
    std::function<FaultResponse()> signature; // the answer for "/LANFile-8.txt.sig"
    int errorOccured;
    const char *reason;
};

using SignedUpdateTest = ::testing::TestWithParam<Signed>;

// With an update key, the signature comes before the file, and the file is installed only when
// it is signed with that key for its own bytes and the version announced.
TEST_P(SignedUpdateTest, InstallsOnlyAFileSignedForTheVersionAnnounced)
{
    const Signed &row = GetParam();
    Exchange exchange;
    exchange.updateKey = updateKeys().publicKey;
    exchange.server.respond(QStringLiteral("/server.php"), {200, descriptor(exchange.server.address() + "/LANFile-8.txt?a=1&b=2", 8)});
    exchange.server.respond(QStringLiteral("/LANFile-8.txt"), {200, newFile()});
    exchange.server.respond(QStringLiteral("/LANFile-8.txt.sig"), row.signature());
    ASSERT_EQ(exchange.run(3), 0);
    EXPECT_EQ(exchange.settings().errorOccured, row.errorOccured);
    EXPECT_EQ(QString(exchange.http->failureReason()).replace(exchange.server.address(), "SERVER").toStdString(), row.reason);
    EXPECT_EQ(exchange.server.requests().value(1), u"/LANFile-8.txt.sig?a=1&b=2");
    if (row.errorOccured == 2)
        EXPECT_EQ(exchange.test.readDocument(QStringLiteral("LANFile.txt")), newFile());
    else
        EXPECT_TRUE(exchange.keptOldFile());
}

const char doesNotVerify[] = "The access number file's signature does not verify";
const Signed signatures[] = {
    {"SignedForItsVersion", [] { return FaultResponse{200, signature(8, newFile())}; }, 2, ""},
    {"NoSignature", [] { return FaultResponse{404, "not here"}; }, 0, doesNotVerify},
    {"SignedForAnOlderVersion", [] { return FaultResponse{200, signature(7, newFile())}; }, 0, doesNotVerify},
    {"SignatureOfAnotherFile", [] { return FaultResponse{200, signature(8, oldFile())}; }, 0, doesNotVerify},
    {"SignedWithAnotherKey", [] { return FaultResponse{200, signature(8, newFile(), UpdateSignature::generateKeyPair()->privateKey)}; }, 0,
     doesNotVerify},
    {"SignatureCutShort", [] { return FaultResponse{200, signature(8, newFile()).chopped(1)}; }, 0, doesNotVerify},
    {"AnswerLargerThanASignature", [] { return FaultResponse{200, signature(8, newFile()) + QByteArray(1 << 20, 'x')}.withoutLength(); }, 0,
     doesNotVerify},
};
INSTANTIATE_TEST_SUITE_P(, SignedUpdateTest, ::testing::ValuesIn(signatures), [](const auto &row) { return std::string(row.param.name); });

TEST(HTTPExchangeTest, WhatACancelledAttemptLeftDecidesNothing)
{
    Exchange exchange;
    AppSettings &settings = exchange.settings();
    settings.errorOccured = 1; // "nothing newer", never shown
    settings.currentLANFileURL = exchange.server.address() + "/f";
    exchange.server.respond(QStringLiteral("/server.php"), {200, "<Books><version>9</version></Books>"});
    exchange.server.respond(QStringLiteral("/f"), {200, newFile()});
    exchange.run(3);
    EXPECT_EQ(settings.errorOccured, 0); // no address of its own: the old one is not fetched
    EXPECT_TRUE(exchange.keptOldFile());

    settings.errorOccured = 1;
    settings.updatedLANFileReceived = false;
    exchange.server.respond(QStringLiteral("/server.php"), {200, descriptor(exchange.server.address() + "/f", 9)});
    exchange.run(3);
    EXPECT_EQ(settings.errorOccured, 2);
}

TEST(HTTPExchangeTest, StartsOnlyForHttpAddressesAndFailsWhenRefused)
{
    Exchange exchange;
    for (const char *address : {"", "server", "ftp://127.0.0.1", "http:///x", "http://a b"}) {
        EXPECT_EQ(exchange.run(3, QString::fromLatin1(address)), -1) << address;
        EXPECT_FALSE(exchange.settings().updatedLANFileReceived);
    }
    EXPECT_EQ(exchange.http->GETRequest(QStringLiteral("https://127.0.0.1:1/x")), 0);

    ASSERT_EQ(exchange.run(3, FaultServer::refusedAddress()), 0);
    EXPECT_EQ(exchange.settings().errorOccured, 0);
    EXPECT_TRUE(exchange.keptOldFile());
}
} // namespace
