#include "app/support/Farline.h"
#include "support/DataFiles.h"
#include "support/DocumentWrites.h"
#include "support/TelHandler.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {
// Poland is the SIM country; its one access number is +48 22 123 45 67.
class CallCommandsTest : public ::testing::Test
{
protected:
    CallCommandsTest()
    {
        m_home.writeDocument(QStringLiteral("LANFile.txt"), sealedDataFile("260 +48 22 123 45 67\r\n234 +44 20 7946 0120\r\n"));
        m_home.writeDocument(QStringLiteral("MCCFile.txt"), sealedDataFile("260 48\r\n262 49\r\n234 44\r\n"));
        const FarlineRun chosen = farline({QStringLiteral("country"), QStringLiteral("260")});
        EXPECT_EQ(chosen.exitCode, 0) << chosen.err.toStdString();
    }
    FarlineRun farline(QStringList arguments, const QStringList &environment = {}) const
    {
        return m_home.run(arguments, environment);
    }
    FarlineRun call(const QString &number) const
    {
        return farline({QStringLiteral("--telephone"), QStringLiteral("print"), QStringLiteral("call"), number});
    }
    qsizetype recentCount() const { return farline({QStringLiteral("recents")}).outLines().size(); }

    FarlineHome m_home;
};

TEST_F(CallCommandsTest, EveryRowOfTheDialTablePlacesItsCall)
{
    struct Case
    {
        const char *mode;
        QString number;
        QString address;
        bool recorded;
    };
    const Case cases[] = {
        {"always", QStringLiteral("+49 30 1234567"), QStringLiteral("tel:+48221234567,0049301234567"), true},
        {"always", QStringLiteral("221234567"), QStringLiteral("tel:+48221234567,221234567"), true},
        {"always", QStringLiteral("123456,789"), QStringLiteral("tel:+48221234567,123456,789"), true},
        {"always", QStringLiteral("112"), QStringLiteral("tel:112"), false},
        {"always", QStringLiteral("+12345"), QStringLiteral("tel:0012345"), false},
        {"international", QStringLiteral("221234567"), QStringLiteral("tel:221234567"), true},
        {"international", QStringLiteral("0049301234567"), QStringLiteral("tel:+48221234567,0049301234567"), true},
        {"international", QStringLiteral("+48 22 765 43 21"), QStringLiteral("tel:0048227654321"), true},
        {"international", QStringLiteral("112"), QStringLiteral("tel:112"), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.number.toStdString());
        ASSERT_EQ(farline({QStringLiteral("mode"), QLatin1String(c.mode)}).exitCode, 0);
        const qsizetype before = recentCount();
        const FarlineRun run = call(c.number);
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        EXPECT_EQ(run.outLines(), QStringList{c.address});
        EXPECT_EQ(recentCount(), before + (c.recorded ? 1 : 0));
    }
}

TEST_F(CallCommandsTest, NoCallIsExitStatusOneWithTheWarning)
{
    struct Case
    {
        QStringList arguments;
        QString warning; // empty: none
    };
    const Case cases[] = {
        {{QStringLiteral("--telephone"), QStringLiteral("unsupported"), QStringLiteral("call"), QStringLiteral("221234567")},
         QStringLiteral("Farline: You device does not support telephony functions")},
        {{QStringLiteral("--telephone"), QStringLiteral("refuse"), QStringLiteral("call"), QStringLiteral("221234567")}, {}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const FarlineRun run = farline(c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.errLines(), c.warning.isEmpty() ? QStringList() : QStringList{c.warning});
    }
    EXPECT_EQ(recentCount(), 0);

    EXPECT_EQ(farline({QStringLiteral("country"), QStringLiteral("262")}).exitCode, 0); // no access number
    const FarlineRun unavailable = call(QStringLiteral("221234567"));
    EXPECT_EQ(unavailable.exitCode, 1);
    EXPECT_EQ(unavailable.errLines(), QStringList{QStringLiteral("Farline: There is no Farline access number available")});
    for (const char *notANumber : {"", "12a4", "*100#"})
        EXPECT_EQ(call(QLatin1String(notANumber)).exitCode, 2) << notANumber;
}

TEST_F(CallCommandsTest, FiftyOneCallsKeepTheFiftyNewest)
{
    for (int i = 0; i < 51; ++i)
        ASSERT_EQ(call(QStringLiteral("2212340%1").arg(i, 2, 10, QLatin1Char('0'))).exitCode, 0);
    const QStringList recents = farline({QStringLiteral("recents")}).outLines();
    ASSERT_EQ(recents.size(), 50);
    EXPECT_TRUE(recents.first().endsWith(u"\t221234050"));
    EXPECT_TRUE(recents.last().endsWith(u"\t221234001"));
}

TEST_F(CallCommandsTest, RecentsFavouritesAndContactsCallAgain)
{
    const QString card = m_home.write(QStringLiteral("anna.vcf"),
                                      "BEGIN:VCARD\nVERSION:3.0\nUID:a\nN:Berg;Anna;;;\nTEL;TYPE=CELL:+44 20 7946 0999\nEND:VCARD\n");
    ASSERT_EQ(farline({QStringLiteral("contacts"), QStringLiteral("import"), card}).exitCode, 0);
    const QStringList print = {QStringLiteral("--telephone"), QStringLiteral("print")};

    const FarlineRun contact = farline(print + QStringList{QStringLiteral("contacts"), QStringLiteral("call"), QStringLiteral("1"), QStringLiteral("0")});
    EXPECT_EQ(contact.outLines(), QStringList{QStringLiteral("tel:+48221234567,00442079460999")});
    ASSERT_EQ(farline({QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("1"), QStringLiteral("0")}).exitCode, 0);
    EXPECT_EQ(farline(print + QStringList{QStringLiteral("favorites"), QStringLiteral("call"), QStringLiteral("0")}).exitCode, 0);
    EXPECT_EQ(farline(print + QStringList{QStringLiteral("recents"), QStringLiteral("call"), QStringLiteral("1")}).exitCode, 0);

    const QStringList recents = farline({QStringLiteral("recents")}).outLines();
    ASSERT_EQ(recents.size(), 3);
    for (const QString &row : recents)
        EXPECT_TRUE(row.endsWith(u"\tAnna Berg \tmobile\t+44 20 7946 0999")) << row.toStdString();

    for (const QStringList &bad : {QStringList{QStringLiteral("recents"), QStringLiteral("call"), QStringLiteral("3")},
                                   QStringList{QStringLiteral("favorites"), QStringLiteral("call"), QStringLiteral("-1")},
                                   QStringList{QStringLiteral("contacts"), QStringLiteral("call"), QStringLiteral("1"), QStringLiteral("7")},
                                   QStringList{QStringLiteral("contacts"), QStringLiteral("call"), QStringLiteral("9"), QStringLiteral("0")}}) {
        const FarlineRun run = farline(print + bad);
        EXPECT_EQ(run.exitCode, 2) << bad.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(farline({QStringLiteral("recents")}).outLines().size(), 3);
}

TEST_F(CallCommandsTest, ModeAndAccessNumberSteps)
{
    EXPECT_EQ(farline({QStringLiteral("mode")}).outLines(), QStringList{QStringLiteral("Always")});
    EXPECT_EQ(farline({QStringLiteral("mode"), QStringLiteral("international")}).outLines(),
              QStringList{QStringLiteral("International calls")});
    EXPECT_EQ(farline({QStringLiteral("mode")}).outLines(), QStringList{QStringLiteral("International calls")});
    EXPECT_EQ(farline({QStringLiteral("mode"), QStringLiteral("sometimes")}).exitCode, 2);

    ASSERT_EQ(farline({QStringLiteral("country"), QStringLiteral("234")}).exitCode, 0);
    m_home.writeDocument(QStringLiteral("LANFile.txt"), sealedDataFile("234 +44 1\r\n234 +44 2\r\n"));
    const auto access = [&](const char *step) { return farline({QStringLiteral("access"), QLatin1String(step)}).outLines(); };
    EXPECT_EQ(access("next"), (QStringList{QStringLiteral("  +441"), QStringLiteral("* +442")}));
    EXPECT_EQ(access("next"), (QStringList{QStringLiteral("  +441"), QStringLiteral("* +442")})); // at the end
    EXPECT_EQ(access("prev"), (QStringList{QStringLiteral("* +441"), QStringLiteral("  +442")}));
    EXPECT_EQ(access("prev"), (QStringList{QStringLiteral("* +441"), QStringLiteral("  +442")}));
    EXPECT_EQ(farline({QStringLiteral("access"), QStringLiteral("first")}).exitCode, 2);
}

TEST_F(CallCommandsTest, TheDueReminderIsShownOnceAndAnsweredCancel)
{
    // The last reminder was 31 days ago.
    QJsonObject archive = QJsonDocument::fromJson(m_home.document(QStringLiteral("settings.archive"))).object();
    QJsonObject settings = archive[QStringLiteral("App settings")].toObject();
    settings[QStringLiteral("Last update time")] =
        QJsonObject{{QStringLiteral("$date"), QDateTime::currentDateTimeUtc().addDays(-31).toString(Qt::ISODateWithMs)}};
    archive[QStringLiteral("App settings")] = settings;
    m_home.writeDocument(QStringLiteral("settings.archive"), QJsonDocument(archive).toJson());

    const FarlineRun first = farline({QStringLiteral("access")});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.errLines(), QStringList{QStringLiteral(
        "Farline: You may try to update Farline access numbers. Would you like to perform update?")});
    EXPECT_TRUE(farline({QStringLiteral("access")}).err.isEmpty());
}

TEST_F(CallCommandsTest, TheSystemTelephoneHandsTheAddressToTheTelHandler)
{
    const TelHandler handler;
    const FarlineRun run = farline({QStringLiteral("call"), QStringLiteral("221234567")}, handler.environment());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(handler.addresses(), QStringList{QStringLiteral("tel:+48221234567,221234567")});

    const TelHandler none(false);
    const FarlineRun unsupported = farline({QStringLiteral("call"), QStringLiteral("221234567")}, none.environment());
    EXPECT_EQ(unsupported.exitCode, 1);
    EXPECT_EQ(unsupported.errLines(), QStringList{QStringLiteral("Farline: You device does not support telephony functions")});
}

TEST_F(CallCommandsTest, TerminationDuringARunStillWritesBothArchivesInOrder)
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const TelHandler slowPhone(true, {.seconds = 5}); // still ringing when the shell closes Farline
        QFile::remove(m_home.home() + QStringLiteral("/Documents/favorites.archive"));
        QProcess farlineProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &variable : slowPhone.environment())
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        farlineProcess.setProcessEnvironment(environment);
        farlineProcess.start(QStringLiteral(FARLINE_BIN), {QStringLiteral("--home"), m_home.home(),
                                                           QStringLiteral("call"), QStringLiteral("221234567")});
        ASSERT_TRUE(QTest::qWaitFor([&] { return !slowPhone.addresses().isEmpty(); }, 10000));

        DocumentWrites writes(m_home.home() + QStringLiteral("/Documents"));
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(farlineProcess.processId()), signalNumber);
        ASSERT_TRUE(farlineProcess.waitForFinished(10000));
        EXPECT_LT(clock.elapsed(), 10000);
        EXPECT_EQ(farlineProcess.exitStatus(), QProcess::NormalExit);
        const QStringList archives = writes.take(QStringLiteral(".archive"));
        ASSERT_GE(archives.size(), 2);
        EXPECT_EQ(archives.mid(archives.size() - 2),
                  (QStringList{QStringLiteral("favorites.archive"), QStringLiteral("settings.archive")}));
    }
}
} // namespace
