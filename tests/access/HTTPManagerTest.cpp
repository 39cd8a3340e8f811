#include "access/HTTPManager.h"
#include "core/AppSettings.h"
#include "UpdateTestSupport.h"
#include "support/TestApp.h"

#include <QNetworkAccessManager>
#include <QTest>
#include <gtest/gtest.h>

using namespace UpdateTest;

namespace {
const QString fileName = QStringLiteral("LANFile.txt");

struct Exchange
{
    TestApp test;
    FaultServer server;
    QNetworkAccessManager network;
    int started = -1;

    // One exchange with the installed `version`, run to its outcome.
    HTTPManager &run(int version, int transferTimeoutMs = HTTPManager::defaultTransferTimeoutMs,
                     std::optional<QString> serverAddress = std::nullopt)
    {
        AppSettings &settings = test.app().appSettings();
        settings.currentVersionNumber = version;
        http = std::make_unique<HTTPManager>(settings, test.documentPath(fileName),
                                             serverAddress.value_or(server.address()), network);
        http->setTransferTimeout(transferTimeoutMs);
        started = http->UpdateLANFile();
        if (started == 0) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return settings.updatedLANFileReceived.load(); }, 20000));
        }
        return *http;
    }
    AppSettings &settings() { return test.app().appSettings(); }

    std::unique_ptr<HTTPManager> http;
};

TEST(HTTPManagerTest, OutcomesOfTheExchange)
{
    const QByteArray cipherText = newFile();
    const FaultResponse file{200, cipherText};
    struct Case
    {
        const char *name;
        std::function<QByteArray(const QString &server)> descriptor;
        FaultResponse descriptorResponse; // its body made by `descriptor`
        std::optional<FaultResponse> fileResponse;
        int errorOccured;
        int requests;
    };
    const auto newer = [](const QString &server) { return descriptor(server + "/LANFile-8.txt", 8); };
    const auto newerAt = [](const char *path) {
        return [path](const QString &server) { return descriptor(server + QLatin1String(path), 8); };
    };
    const auto fixed = [](QByteArray body) { return [body](const QString &) { return body; }; };
    const QByteArray cut = cipherText.first(cipherText.size() / 2 + 3);
    const Case cases[] = {
        {"a newer file over 1024 bytes", newer, {}, file, 2, 2},
        {"a slow server, the file trickling in", newer, FaultResponse{}.delayed(400), file.inPieces(1000, 30), 2, 2},
        {"the descriptor in many segments", newer, FaultResponse{}.inPieces(7, 1), file, 2, 2},
        {"a file address with a query", newerAt("/LANFile-8.txt?a=1&b=2"), {}, file, 2, 2},
        {"a descriptor without a length", newer, FaultResponse{}.withoutLength(), file, 2, 2},
        {"the server refuses", [](const QString &s) { return descriptor(s + "/LANFile-8.txt", 8, "false"); }, {}, file, 1, 1},
        {"the same version", [](const QString &s) { return descriptor(s + "/LANFile-8.txt", 3); }, {}, file, 1, 1},
        {"an older version", [](const QString &s) { return descriptor(s + "/LANFile-8.txt", 2); }, {}, file, 1, 1},
        {"no file address", fixed("<Books><Book><version>8</version></Book></Books>"), {}, std::nullopt, 0, 1},
        {"a file address that is not http", fixed(descriptor("ftp://127.0.0.1/LANFile-8.txt", 8)), {}, std::nullopt, 0, 1},
        {"malformed XML", fixed("<Books><Book><version>8</version><file>x</Book>"), {}, std::nullopt, 0, 1},
        {"a 404 descriptor with a body", newer, {404, {}}, file, 0, 1},
        {"a 500 descriptor with a body", newer, {500, {}}, file, 0, 1},
        {"a descriptor over 64 KiB",
         [](const QString &s) { return descriptor(s + "/LANFile-8.txt", 8) + "<!--" + QByteArray(70000, 'x') + "-->"; },
         FaultResponse{}.withoutLength(), file, 0, 1},
        {"a 404 file with a body", newer, {}, FaultResponse{404, "<html>Not Found</html>"}, 0, 2},
        {"a 500 file with a body", newer, {}, FaultResponse{500, cipherText}, 0, 2},
        {"a file cut in the middle", newer, {}, file.cut(cipherText.size() / 2), 0, 2},
        {"a file cut without a length", newer, {}, FaultResponse{200, cut}.withoutLength(), 0, 2},
        {"a file that does not decipher", newer, {}, FaultResponse{200, QByteArray(4096, 'A')}, 0, 2},
        {"a file over 16 MiB", newer, {},
         FaultResponse{200, sealedDataFile(QByteArray(HTTPManager::maxFileSize, 'x'))}.withoutLength(), 0, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Exchange exchange;
        exchange.test.writeDocument(fileName, oldFile());
        FaultResponse descriptorResponse = c.descriptorResponse;
        descriptorResponse.body = c.descriptor(exchange.server.address());
        exchange.server.respond(QStringLiteral("/server.php"), descriptorResponse);
        if (c.fileResponse)
            exchange.server.respond(QStringLiteral("/LANFile-8.txt"), *c.fileResponse);

        const HTTPManager &http = exchange.run(3);
        EXPECT_EQ(exchange.started, 0);
        EXPECT_EQ(exchange.settings().errorOccured, c.errorOccured);
        EXPECT_EQ(http.replacedWorkingCopy(), c.errorOccured == 2);
        EXPECT_EQ(exchange.test.readDocument(fileName), c.errorOccured == 2 ? cipherText : oldFile());
        EXPECT_EQ(filesIn(exchange.test.app().home().documents()), QStringList{fileName});
        EXPECT_EQ(exchange.server.requests().size(), c.requests);
        if (c.errorOccured == 2) {
            EXPECT_EQ(http.currentVersionNumber(), 8);
            EXPECT_EQ(exchange.settings().currentVersionNumber, 3); // the dialog adopts it on the main thread
        }
    }
}

TEST(HTTPManagerTest, AsksForTheInstalledVersionAndFetchesTheAnnouncedAddress)
{
    for (const int version : {7, -3}) {
        Exchange exchange;
        exchange.server.respond(QStringLiteral("/server.php"),
                                {200, descriptor(exchange.server.address() + "/f.txt?a=1&b=2", 9)});
        exchange.server.respond(QStringLiteral("/f.txt"), {200, newFile()});
        exchange.run(version);
        EXPECT_EQ(exchange.server.requests(),
                  (QStringList{QStringLiteral("/server.php?getfile=conf&version=%1&device=iph").arg(version),
                               QStringLiteral("/f.txt?a=1&b=2")}));
        EXPECT_EQ(exchange.settings().errorOccured, 2);
    }
}

TEST(HTTPManagerTest, WhatACancelledAttemptLeftDoesNotDecideTheNext)
{
    Exchange exchange;
    AppSettings &settings = exchange.settings();
    settings.errorOccured = 1; // "nothing newer", never shown: the attempt was cancelled
    settings.pathForUpdateReceived = true;
    settings.currentLANFileURL = exchange.server.address() + "/old.txt";
    // A descriptor without an address must not fall back on the one left behind.
    exchange.server.respond(QStringLiteral("/server.php"), {200, "<Books><version>9</version></Books>"});
    exchange.run(3);
    EXPECT_EQ(settings.errorOccured, 0);
    EXPECT_EQ(exchange.server.requests().size(), 1);

    Exchange next;
    next.settings().errorOccured = 1;
    next.server.respond(QStringLiteral("/server.php"), {200, descriptor(next.server.address() + "/f.txt", 9)});
    next.server.respond(QStringLiteral("/f.txt"), {200, newFile()});
    next.run(3);
    EXPECT_EQ(next.settings().errorOccured, 2);
}

TEST(HTTPManagerTest, FailsWhenTheServerCannotBeReachedOrStaysSilent)
{
    Exchange refused;
    refused.test.writeDocument(fileName, oldFile());
    refused.run(3, HTTPManager::defaultTransferTimeoutMs, FaultServer::refusedAddress());
    EXPECT_EQ(refused.settings().errorOccured, 0);
    EXPECT_EQ(refused.test.readDocument(fileName), oldFile());

    Exchange silent;
    silent.server.respond(QStringLiteral("/server.php"), {200, descriptor(silent.server.address() + "/f.txt", 9)});
    silent.server.respond(QStringLiteral("/f.txt"), FaultResponse{200, newFile()}.cut(100, true));
    silent.run(3, 300);
    EXPECT_EQ(silent.settings().errorOccured, 0);
    EXPECT_FALSE(QFile::exists(silent.test.documentPath(fileName)));
    EXPECT_EQ(filesIn(silent.test.app().home().documents()), QStringList{});
}

TEST(HTTPManagerTest, StartsOnlyForHttpAddresses)
{
    Exchange exchange;
    for (const char *address : {"", "server", "ftp://127.0.0.1", "http://", "http:///x", "file:///tmp", "http://a b"}) {
        SCOPED_TRACE(address);
        exchange.run(3, HTTPManager::defaultTransferTimeoutMs, QString::fromLatin1(address));
        EXPECT_EQ(exchange.started, -1);
        EXPECT_FALSE(exchange.settings().updatedLANFileReceived);
    }
    EXPECT_EQ(exchange.http->GETRequest(exchange.server.address() + "/x"), 0);
    EXPECT_EQ(exchange.http->GETRequest(QStringLiteral("HTTPS://127.0.0.1:1/x")), 0);
}
} // namespace
