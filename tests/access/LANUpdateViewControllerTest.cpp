#include "access/LANManger.h"
#include "access/LANUpdateViewController.h"
#include "core/AppSettings.h"
#include "core/MainViewModalDelegate.h"
#include "platform/KeyedArchive.h"
#include "UpdateTestSupport.h"
#include "support/TestApp.h"

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/resource.h>

using namespace UpdateTest;

namespace {
struct CountingDelegate : MainViewModalDelegate
{
    void SelectCountryDidFinish() override { ++finished; }
    int finished = 0;
};

// The screen with what it showed, as the view would have seen it.
struct Screen
{
    Screen(FarlineAppDelegate &app, const QString &server)
        : dialog(app, server)
    {
        QObject::connect(&dialog, &LANUpdateViewController::mainInfoChanged, [this] { main.append(dialog.mainInfo()); });
        QObject::connect(&dialog, &LANUpdateViewController::subInfoChanged, [this] { sub.append(dialog.subInfo()); });
        QObject::connect(&dialog, &LANUpdateViewController::dismissUpdateDialog, [this] { ++dismissals; });
        dialog.setDelegate(&delegate);
    }
    bool showsOutcome()
    {
        return QTest::qWaitFor([this] { return dialog.leftButton() == u"Done" && !dialog.isUpdating(); }, 20000);
    }

    CountingDelegate delegate;
    LANUpdateViewController dialog;
    QStringList main;
    QStringList sub;
    int dismissals = 0;
};

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

class LANUpdateViewControllerTest : public ::testing::Test
{
protected:
    // A run with the SIM country 234, the old file installed as version 3, at its second number.
    void SetUp() override
    {
        test.writeDocument(QStringLiteral("LANFile.txt"), oldFile());
        test.app().appSettings().currentMCC = QStringLiteral("234");
        test.app().appSettings().currentVersionNumber = 3;
        test.app().saveAppSettings();
        test.app().applicationDidFinishLaunching();
        test.app().lanManager().setCurrentLANpos(1);
    }
    void announce(int version, const FaultResponse &file = {200, newFile()}, const FaultResponse &descriptorResponse = {})
    {
        FaultResponse response = descriptorResponse;
        response.body = descriptor(server.address() + "/LANFile-8.txt", version);
        server.respond(QStringLiteral("/server.php"), response);
        server.respond(QStringLiteral("/LANFile-8.txt"), file);
    }
    std::optional<int> archived(const char *key) const
    {
        const auto object = KeyedArchive::readObject(test.documentPath(AppSettings::archiveFileName),
                                                     AppSettings::archiveRootKey);
        return object ? object->integer(QLatin1String(key)) : std::nullopt;
    }
    void expectNothingChanged()
    {
        EXPECT_EQ(test.readDocument(QStringLiteral("LANFile.txt")), oldFile());
        EXPECT_EQ(test.app().appSettings().currentVersionNumber, 3);
        EXPECT_EQ(archived("LAN version number"), 3);
        EXPECT_EQ(test.app().lanManager().lanNumbers(), QStringList{"+44201000"});
        EXPECT_EQ(filesIn(test.app().home().documents()),
                  (QStringList{"LANFile.txt", "MCCFile.txt", "settings.archive"}));
    }

    TestApp test;
    FaultServer server;
};

TEST_F(LANUpdateViewControllerTest, EachOutcomeShowsItsTextsInOrderAndThenDone)
{
    const QString searching = QStringLiteral("Searching for updates");
    const QString updating = QStringLiteral("Updating Farline access numbers");
    const QString failed = QStringLiteral("Impossible to connect with update server");
    struct Case
    {
        const char *name;
        int version;
        FaultResponse file;
        std::optional<QString> serverAddress; // the test server's when none
        QStringList main;
        QStringList sub;
        bool alert;
    };
    const Case cases[] = {
        {"updated", 8, {200, newFile()}, {}, {searching, updating, "Farline updated successfully"}, {}, false},
        {"nothing newer", 3, {}, {}, {searching, "No updates available"}, {"Try again later"}, false},
        {"the download fails", 8, {404, "gone"}, {}, {searching, updating, failed}, {"No internet connection\nCheck your connection"}, true},
        {"no server", 8, {}, FaultServer::refusedAddress(), {searching, failed}, {"No internet connection\nCheck your connection"}, true},
        {"an address that is no URL", 8, {}, "update server", {"No internet connection"}, {"Please check your connection"}, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        test.alerts().clear();
        announce(c.version, c.file);
        Screen screen(test.app(), c.serverAddress.value_or(server.address()));
        EXPECT_EQ(screen.dialog.leftButton(), u"Cancel");
        screen.dialog.viewDidLoad();
        EXPECT_FALSE(screen.dialog.isUpdating()); // it starts 0.2 s later
        ASSERT_TRUE(screen.showsOutcome());

        EXPECT_EQ(screen.main, c.main);
        EXPECT_EQ(screen.sub, c.sub);
        EXPECT_FALSE(screen.dialog.spinning());
        EXPECT_FALSE(screen.dialog.networkActivity());
        EXPECT_EQ(screen.dismissals, 0);
        const AppSettings &settings = test.app().appSettings();
        EXPECT_FALSE(settings.updatedLANFileReceived);
        EXPECT_FALSE(settings.pathForUpdateReceived);
        EXPECT_EQ(settings.errorOccured, 2);
        ASSERT_EQ(test.alerts().shown().size(), c.alert ? 1u : 0u);
        if (c.alert) {
            EXPECT_EQ(test.alerts().shown()[0].title, u"Farline");
            EXPECT_EQ(test.alerts().shown()[0].message, u"No network available!Please check your connection");
            EXPECT_EQ(test.alerts().shown()[0].buttons, QStringList{"OK"});
        }
        if (c.main.last() == u"Farline updated successfully") {
            EXPECT_EQ(test.readDocument(QStringLiteral("LANFile.txt")), newFile());
            EXPECT_EQ(settings.currentVersionNumber, 8);
            EXPECT_EQ(archived("LAN version number"), 8);
            EXPECT_EQ(archived("LAN number pos"), 0);
            EXPECT_EQ(test.app().lanManager().currentLANpos(), 0);
            EXPECT_EQ(test.app().lanManager().lanNumbers().value(0), u"+442079460999");
            EXPECT_EQ(screen.delegate.finished, 1);
        } else {
            expectNothingChanged();
            EXPECT_EQ(screen.delegate.finished, 0);
        }

        screen.dialog.DoneUpdateAction();
        EXPECT_EQ(screen.dismissals, 1);
        EXPECT_TRUE(settings.dialogDismissed);
        EXPECT_TRUE(settings.updatedLANFileReceived);
    }
}

TEST_F(LANUpdateViewControllerTest, ACancelStopsTheTransferAtOnceAndChangesNothing)
{
    struct Case
    {
        const char *name;
        FaultResponse descriptorResponse;
        FaultResponse file;
        QStringList shownBeforeCancel;
    };
    const FaultResponse stalledFile = FaultResponse{200, newFile()}.cut(2000, true);
    const Case cases[] = {
        {"while searching", FaultResponse{}.delayed(30000), {200, newFile()}, {"Searching for updates"}},
        {"while downloading", {}, stalledFile, {"Searching for updates", "Updating Farline access numbers"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        announce(8, c.file, c.descriptorResponse);
        Screen screen(test.app(), server.address());
        screen.dialog.UpdateAction();
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen.main == c.shownBeforeCancel && server.openConnections() == 1; }, 10000));
        QTest::qWait(100); // the worker is asleep in its event loop by now

        QElapsedTimer sinceCancel;
        sinceCancel.start();
        screen.dialog.CancelUpdateAction();
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen.dismissals == 1; }, 5000));
        EXPECT_LT(sinceCancel.elapsed(), 100);
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.openConnections() == 0 && !screen.dialog.isUpdating(); }, 5000));
        EXPECT_EQ(screen.main, c.shownBeforeCancel);
        EXPECT_TRUE(screen.sub.isEmpty());
        EXPECT_EQ(screen.delegate.finished, 0);
        expectNothingChanged();
    }

    // The next presentation starts afresh.
    announce(8);
    Screen next(test.app(), server.address());
    next.dialog.viewDidLoad();
    ASSERT_TRUE(next.showsOutcome());
    EXPECT_EQ(next.main.last(), u"Farline updated successfully");
}

TEST_F(LANUpdateViewControllerTest, TheWorkerSleepsWhileTheServerIsSilent)
{
    announce(3, {}, FaultResponse{}.delayed(3000));
    Screen screen(test.app(), server.address());
    screen.dialog.UpdateAction();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests().size() == 1; }, 10000));
    const double before = cpuSeconds();
    ASSERT_TRUE(screen.showsOutcome());
    EXPECT_LT(cpuSeconds() - before, 0.2);
    EXPECT_EQ(screen.main.last(), u"No updates available");
}

TEST_F(LANUpdateViewControllerTest, ClosingBeforeOrDuringTheAttempt)
{
    // Cancel during the 0.2 s before the start: the screen closes and asks nothing.
    announce(8);
    {
        Screen screen(test.app(), server.address());
        screen.dialog.viewDidLoad();
        screen.dialog.CancelUpdateAction();
        EXPECT_EQ(screen.dismissals, 1);
        QTest::qWait(2 * LANUpdateViewController::startDelayMs);
        EXPECT_FALSE(screen.dialog.isUpdating());
    }
    EXPECT_TRUE(server.requests().isEmpty());

    // Destroyed while the worker waits for the server: the transfer stops, nothing waits forever.
    announce(8, {}, FaultResponse{}.delayed(30000));
    auto screen = std::make_unique<Screen>(test.app(), server.address());
    screen->dialog.UpdateAction();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.openConnections() == 1; }, 10000));
    screen.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.openConnections() == 0; }, 5000));
    expectNothingChanged();
}
} // namespace
