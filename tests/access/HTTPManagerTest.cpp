#include "access/HTTPManager.h"
#include "core/AppSettings.h"
#include "UpdateTestSupport.h"
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

    Exchange() { test.writeDocument(QStringLiteral("LANFile.txt"), oldFile()); }
    AppSettings &settings() { return test.app().appSettings(); }
    // Runs to the outcome; the result of UpdateLANFile.
    int run(int installedVersion, std::optional<QString> address = {}, int transferTimeoutMs = 60000)
    {
        settings().currentVersionNumber = installedVersion;
        http = std::make_unique<HTTPManager>(settings(), test.documentPath(QStringLiteral("LANFile.txt")),
                                             address.value_or(server.address()), network);
        http->setTransferTimeout(transferTimeoutMs);
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

TEST(HTTPManagerTest, OutcomesOfTheExchange)
{
    const QByteArray cipherText = newFile();
    const FaultResponse file{200, cipherText}, plain{200, {}};
    const auto announcing = [](int version, const char *process = "true", const char *path = "/LANFile-8.txt") {
        return [=](const QString &server) { return descriptor(server + QLatin1String(path), version, process); };
    };
    const auto fixed = [](QByteArray body) { return [body](const QString &) { return body; }; };
    const std::tuple<const char *, std::function<QByteArray(const QString &)>, FaultResponse, FaultResponse, int> cases[] = {
        {"a newer file over 1024 bytes", announcing(8), plain, file, 2},
        {"a slow server, the file trickling in", announcing(8), plain.delayed(400), file.inPieces(1000, 30), 2},
        {"the descriptor in many segments", announcing(8), plain.inPieces(7, 1), file, 2},
        {"a descriptor without a length", announcing(8), plain.withoutLength(), file, 2},
        {"a file address with a query", announcing(8, "true", "/LANFile-8.txt?a=1&b=2"), plain, file, 2},
        {"a version across lines with tabs",
         [](const QString &s) { return descriptor(s + "/LANFile-8.txt", 8).replace(">8<", ">\n\t\t8\n\t<"); }, plain, file, 2},
        {"the server refuses", announcing(8, "false"), plain, file, 1},
        {"the same version", announcing(3), plain, file, 1},
        {"an older version", announcing(2), plain, file, 1},
        {"no file address", fixed("<Books><Book><version>8</version></Book></Books>"), plain, file, 0},
        {"a file address that is not http", fixed(descriptor("ftp://127.0.0.1/LANFile-8.txt", 8)), plain, file, 0},
        {"malformed XML", fixed("<Books><version>8</version><file>x</Books>"), plain, file, 0},
        {"a 404 descriptor", announcing(8), FaultResponse{404, {}}, file, 0},
        {"a 500 descriptor", announcing(8), FaultResponse{500, {}}, file, 0},
        {"a descriptor over 64 KiB",
         [](const QString &s) { return descriptor(s + "/LANFile-8.txt", 8) + "<!--" + QByteArray(70000, 'x') + "-->"; },
         plain.withoutLength(), file, 0},
        {"a 404 file with a body", announcing(8), plain, FaultResponse{404, "<html>Not Found</html>"}, 0},
        {"a 500 file with a body", announcing(8), plain, FaultResponse{500, cipherText}, 0},
        {"a file cut in the middle", announcing(8), plain, file.cut(cipherText.size() / 2), 0},
        {"a file cut without a length", announcing(8), plain, file.cut(cipherText.size() / 2 + 3).withoutLength(), 0},
        {"a file that does not decipher", announcing(8), plain, FaultResponse{200, QByteArray(4096, 'A')}, 0},
        {"a file over 16 MiB", announcing(8), plain,
         FaultResponse{200, sealedDataFile(QByteArray(HTTPManager::maxFileSize, 'x'))}.withoutLength(), 0},
    };
    for (const auto &[name, makeDescriptor, descriptorResponse, fileResponse, errorOccured] : cases) {
        SCOPED_TRACE(name);
        Exchange exchange;
        FaultResponse response = descriptorResponse;
        response.body = makeDescriptor(exchange.server.address());
        exchange.server.respond(QStringLiteral("/server.php"), response);
        exchange.server.respond(QStringLiteral("/LANFile-8.txt"), fileResponse);

        ASSERT_EQ(exchange.run(3), 0);
        EXPECT_EQ(exchange.settings().errorOccured, errorOccured);
        EXPECT_EQ(exchange.http->replacedWorkingCopy(), errorOccured == 2);
        if (errorOccured == 2) {
            EXPECT_EQ(exchange.test.readDocument(QStringLiteral("LANFile.txt")), cipherText);
            EXPECT_EQ(exchange.http->currentVersionNumber(), 8);
            EXPECT_EQ(exchange.settings().currentVersionNumber, 3); // the dialog adopts it, on the main thread
        } else {
            EXPECT_TRUE(exchange.keptOldFile());
        }
    }
}

TEST(HTTPManagerTest, AsksForTheInstalledVersionThenExactlyTheAnnouncedAddress)
{
    Exchange exchange;
    exchange.server.respond(QStringLiteral("/server.php"), {200, descriptor(exchange.server.address() + "/f?a=1&b=2", 9)});
    exchange.server.respond(QStringLiteral("/f"), {200, newFile()});
    exchange.run(-3);
    EXPECT_EQ(exchange.server.requests(),
              (QStringList{"/server.php?getfile=conf&version=-3&device=iph", "/f?a=1&b=2"}));
}

TEST(HTTPManagerTest, WhatACancelledAttemptLeftDecidesNothing)
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

TEST(HTTPManagerTest, AServerSilentPastTheTimeOutIsAFailure)
{
    Exchange exchange;
    exchange.server.respond(QStringLiteral("/server.php"), {200, descriptor(exchange.server.address() + "/f", 9)});
    exchange.server.respond(QStringLiteral("/f"), FaultResponse{200, newFile()}.cut(100, true));
    exchange.run(3, {}, 300);
    EXPECT_EQ(exchange.settings().errorOccured, 0);
    EXPECT_TRUE(exchange.keptOldFile());
}

TEST(HTTPManagerTest, StartsOnlyForHttpAddresses)
{
    Exchange exchange;
    for (const char *address : {"", "server", "ftp://127.0.0.1", "http://", "http:///x", "file:///tmp", "http://a b"}) {
        EXPECT_EQ(exchange.run(3, QString::fromLatin1(address)), -1) << address;
        EXPECT_FALSE(exchange.settings().updatedLANFileReceived);
    }
    EXPECT_EQ(exchange.http->GETRequest(QStringLiteral("HTTPS://127.0.0.1:1/x")), 0);
}
} // namespace
