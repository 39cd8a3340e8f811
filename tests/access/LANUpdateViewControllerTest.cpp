#include "access/LANManger.h"
#include "access/LANUpdateViewController.h"
#include "core/AppSettings.h"
#include "core/MainViewModalDelegate.h"
#include "platform/KeyedArchive.h"
#include "UpdateTestSupport.h"
#include "support/TestApp.h"

#include <QTest>
#include <gtest/gtest.h>
#include <ctime>

using namespace UpdateTest;

namespace {
// The screen with what it showed, as the view would have seen it.
struct Screen : MainViewModalDelegate
{
    Screen(FarlineAppDelegate &app, const QString &server)
        : dialog(app, server)
    {
        QObject::connect(&dialog, &LANUpdateViewController::mainInfoChanged, [this] { main.append(dialog.mainInfo()); });
        QObject::connect(&dialog, &LANUpdateViewController::subInfoChanged, [this] { sub.append(dialog.subInfo()); });
        QObject::connect(&dialog, &LANUpdateViewController::failureReasonChanged, [this] { reasons.append(dialog.failureReason()); });
        QObject::connect(&dialog, &LANUpdateViewController::dismissUpdateDialog, [this] { ++dismissals; });
        dialog.setDelegate(this);
    }
    void SelectCountryDidFinish() override { ++redisplays; }
    bool showsOutcome()
    {
        return QTest::qWaitFor([this] { return dialog.leftButton() == u"Done" && !dialog.isUpdating(); }, 20000);
    }

    LANUpdateViewController dialog;
    QStringList main, sub, reasons;
    int dismissals = 0, redisplays = 0;
};

const QString searching = QStringLiteral("Searching for updates");
const QString updating = QStringLiteral("Updating Farline access numbers");
const QString failed = QStringLiteral("Impossible to connect with update server");
const QString noConnection = QStringLiteral("No internet connection\nCheck your connection");

class LANUpdateViewControllerTest : public ::testing::Test
{
protected:
    // The SIM country 234 with the old file installed as version 3, at the second number.
    void SetUp() override
    {
        test.writeDocument(QStringLiteral("LANFile.txt"), oldFile());
        test.app().appSettings().currentMCC = QStringLiteral("234");
        test.app().appSettings().currentVersionNumber = 3;
        test.app().saveAppSettings();
        test.app().applicationDidFinishLaunching();
        test.app().lanManager().setCurrentLANpos(1);
        test.alerts().clear();
    }
    void announce(int version, const FaultResponse &file = {200, newFile()}, FaultResponse response = {})
    {
        response.body = descriptor(server.address() + "/LANFile-8.txt", version);
        server.respond(QStringLiteral("/server.php"), response);
        server.respond(QStringLiteral("/LANFile-8.txt"), file);
    }
    std::optional<int> archived(const char *key)
    {
        const auto object = KeyedArchive::readObject(test.documentPath(AppSettings::archiveFileName),
                                                     AppSettings::archiveRootKey).value;
        return object ? object->integer(QLatin1String(key)) : std::nullopt;
    }
    void expectNothingChanged()
    {
        EXPECT_EQ(test.readDocument(QStringLiteral("LANFile.txt")), oldFile());
        EXPECT_EQ(test.app().appSettings().currentVersionNumber, 3);
        EXPECT_EQ(archived("LAN version number"), 3);
        EXPECT_EQ(test.app().lanManager().lanNumbers(), QStringList{"+44201000"});
        EXPECT_EQ(filesIn(test.app().home().documents()), (QStringList{"LANFile.txt", "MCCFile.txt", "settings.archive"}));
    }

    TestApp test;
    FaultServer server;
};

TEST_F(LANUpdateViewControllerTest, EachOutcomeShowsItsTextsInOrderAndThenDone)
{
    // The reasons: "SERVER" stands for the fault server's address.
    const std::tuple<int, FaultResponse, std::optional<QString>, QStringList, QStringList, QStringList> cases[] = {
        {8, {200, newFile()}, {}, {searching, updating, "Farline updated successfully"}, {}, {}},
        {3, {}, {}, {searching, "No updates available"}, {"Try again later"}, {}},
        {8, {404, "gone"}, {}, {searching, updating, failed}, {noConnection}, {"The server answered 404 for SERVER/LANFile-8.txt"}},
        {8, {}, "update server", {"No internet connection"}, {"Please check your connection"},
         {"The update server address \"update server\" is not an http or https URL"}},
    };
    for (const auto &[version, file, address, main, sub, reasons] : cases) {
        SCOPED_TRACE(main.last().toStdString());
        SetUp();
        announce(version, file);
        Screen screen(test.app(), address.value_or(server.address()));
        screen.dialog.viewDidLoad();
        EXPECT_FALSE(screen.dialog.isUpdating()); // it starts 0.2 s later
        ASSERT_TRUE(screen.showsOutcome());
        EXPECT_EQ(screen.main, main);
        EXPECT_EQ(screen.sub, sub);
        EXPECT_EQ(screen.reasons.replaceInStrings(server.address(), "SERVER"), reasons);
        EXPECT_FALSE(screen.dialog.spinning() || screen.dialog.networkActivity() || screen.dismissals);
        const AppSettings &settings = test.app().appSettings();
        EXPECT_FALSE(settings.updatedLANFileReceived || settings.pathForUpdateReceived);
        EXPECT_EQ(settings.errorOccured, 2);
        EXPECT_EQ(test.alertMessages(), sub == QStringList{noConnection} ? QStringList{"No network available!Please check your connection"}
                                                                         : QStringList());
        if (main.last() == u"Farline updated successfully") {
            EXPECT_EQ(archived("LAN version number"), 8);
            EXPECT_EQ(archived("LAN number pos"), 0);
            EXPECT_EQ(test.app().lanManager().currentLANpos(), 0);
            EXPECT_EQ(test.app().lanManager().lanNumbers().value(0), u"+442079460999");
            EXPECT_EQ(screen.redisplays, 1);
        } else {
            expectNothingChanged();
            EXPECT_EQ(screen.redisplays, 0);
        }
        screen.dialog.DoneUpdateAction();
        EXPECT_EQ(screen.dismissals, 1);
        EXPECT_TRUE(settings.dialogDismissed && settings.updatedLANFileReceived);
    }
}

TEST_F(LANUpdateViewControllerTest, ACancelStopsTheTransferAtOnceAndChangesNothing)
{
    const std::tuple<FaultResponse, FaultResponse, QStringList> cases[] = {
        {FaultResponse{}.delayed(30000), {200, newFile()}, {searching}},
        {{}, FaultResponse{200, newFile()}.cut(2000, true), {searching, updating}},
    };
    for (const auto &[descriptorResponse, file, shown] : cases) {
        SCOPED_TRACE(shown.last().toStdString());
        announce(8, file, descriptorResponse);
        Screen screen(test.app(), server.address());
        screen.dialog.UpdateAction();
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen.main == shown && server.openConnections() == 1; }, 10000));
        QTest::qWait(100); // the worker is asleep in its event loop by now

        // Closed long before the server would answer or the deadlines end the exchange.
        screen.dialog.CancelUpdateAction();
        ASSERT_TRUE(QTest::qWaitFor([&] { return screen.dismissals == 1; }, 5000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return server.openConnections() == 0 && !screen.dialog.isUpdating(); }, 5000));
        EXPECT_EQ(screen.main, shown);
        EXPECT_TRUE(screen.sub.isEmpty());
        expectNothingChanged();
    }
}

// The download's lines are searched for the numbers of the SIM country of the attempt's start.
TEST_F(LANUpdateViewControllerTest, ACountryChosenDuringTheDownloadGetsItsOwnNumbers)
{
    announce(8, FaultResponse{200, newFile()}.delayed(300));
    Screen screen(test.app(), server.address());
    screen.dialog.UpdateAction();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests().size() == 2; }, 10000));
    test.app().appSettings().currentMCC = QStringLiteral("260");
    ASSERT_TRUE(screen.showsOutcome());
    EXPECT_EQ(screen.main.last(), u"Farline updated successfully");
    EXPECT_EQ(test.app().lanManager().lanNumbers(), QStringList{"+4822000"});
}

TEST_F(LANUpdateViewControllerTest, TheWorkerSleepsWhileTheServerIsSilent)
{
    announce(3, {}, FaultResponse{}.delayed(3000));
    Screen screen(test.app(), server.address());
    screen.dialog.UpdateAction();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.requests().size() == 1; }, 10000));
    const std::clock_t before = std::clock(); // the processor time of every thread of the test
    ASSERT_TRUE(screen.showsOutcome());
    EXPECT_LT(double(std::clock() - before) / CLOCKS_PER_SEC, 1.0); // polling would take the whole 3 s
    EXPECT_EQ(screen.main.last(), u"No updates available");
}

TEST_F(LANUpdateViewControllerTest, ClosingBeforeTheAttemptAsksNothingAndDestroyingTheScreenStopsIt)
{
    announce(8, {200, newFile()}, FaultResponse{}.delayed(30000));
    auto screen = std::make_unique<Screen>(test.app(), server.address());
    screen->dialog.viewDidLoad();
    screen->dialog.CancelUpdateAction(); // within the 0.2 s: closes at once
    EXPECT_EQ(screen->dismissals, 1);
    QTest::qWait(2 * LANUpdateViewController::startDelayMs);
    EXPECT_FALSE(screen->dialog.isUpdating());
    EXPECT_TRUE(server.requests().isEmpty());

    screen = std::make_unique<Screen>(test.app(), server.address());
    screen->dialog.UpdateAction();
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen->main == QStringList{searching} && server.openConnections() == 1; }, 10000));
    QTest::qWait(100); // the worker is asleep in its event loop by now
    screen.reset(); // destroyed while the worker waits: no deadlock, the transfer stops
    EXPECT_TRUE(QTest::qWaitFor([&] { return server.openConnections() == 0; }, 5000));
}
} // namespace
