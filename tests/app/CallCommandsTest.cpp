#include "app/support/Farline.h"
#include "support/DataFiles.h"
#include "support/DocumentWrites.h"
#include "support/TelHandler.h"

#include <QElapsedTimer>
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
        const FarlineRun chosen = farline({"country", "260"});
        EXPECT_EQ(chosen.exitCode, 0) << chosen.err.toStdString();
    }
    FarlineRun farline(const QStringList &arguments, const QStringList &environment = {}) const
    {
        return m_home.run(arguments, environment);
    }
    FarlineRun print(const QStringList &arguments) const { return farline(QStringList{"--telephone", "print"} + arguments); }
    qsizetype recentCount() const { return farline({"recents"}).outLines().size(); }

    FarlineHome m_home;
};

TEST_F(CallCommandsTest, EveryRowOfTheDialTablePlacesItsCall)
{
    const char *const unsupported = "Farline: You device does not support telephony functions";
    const std::tuple<const char *, const char *, const char *, const char *, int, bool, const char *> cases[] = {
        // mode, telephone, number, standard output, exit status, recorded, standard error
        {"always", "print", "+49 30 1234567", "tel:+48221234567,0049301234567", 0, true, ""},
        {"always", "print", "112", "tel:112", 0, false, ""},
        {"always", "print", "tel:+49-30-1234567;ext=12", "tel:+48221234567,0049301234567,12", 0, true, ""},
        {"international", "print", "221234567", "tel:221234567", 0, true, ""},
        {"always", "unsupported", "221234567", "", 1, false, unsupported},
        {"always", "refuse", "221234567", "", 1, false, "farline: the telephone did not take the call tel:+48221234567,221234567"},
    };
    for (const auto &[mode, telephone, number, out, exitCode, recorded, err] : cases) {
        SCOPED_TRACE(std::string(mode) + " " + telephone + " " + number);
        ASSERT_EQ(farline({"mode", mode}).outLines(), QStringList{std::string_view(mode) == "always" ? "Always" : "International calls"});
        const qsizetype before = recentCount();
        const FarlineRun run = farline({"--telephone", telephone, "call", number});
        EXPECT_EQ(run.all(), std::tuple(exitCode, *out ? QString::fromLatin1(out) + u'\n' : QString(), *err ? QString::fromLatin1(err) + u'\n' : QString()));
        EXPECT_EQ(recentCount(), before + (recorded ? 1 : 0));
    }

    for (const char *notANumber : {"", "12a4", "*100#", "tel:*100%23"})
        EXPECT_EQ(print({"call", notANumber}).exitCode, 2) << notANumber;
    // A later country change goes through the SIM country screen; Germany has no access number.
    EXPECT_EQ(farline({"country", "262"}).errLines(), QStringList{"Farline: There is no Farline access numbers for your SIM country"});
    const FarlineRun unavailable = print({"call", "221234567"});
    EXPECT_EQ(unavailable.exitCode, 1);
    EXPECT_EQ(unavailable.errLines(), QStringList{"Farline: There is no Farline access number available"});
}

TEST_F(CallCommandsTest, FiftyOneCallsKeepTheFiftyNewest)
{
    for (int i = 0; i < 51; ++i)
        ASSERT_EQ(print({"call", QStringLiteral("2212340%1").arg(i, 2, 10, QLatin1Char('0'))}).exitCode, 0);
    const QStringList recents = farline({"recents"}).outLines();
    ASSERT_EQ(recents.size(), 50);
    EXPECT_TRUE(recents.first().endsWith(u"\t221234050"));
    EXPECT_TRUE(recents.last().endsWith(u"\t221234001"));
}

TEST_F(CallCommandsTest, RecentsFavouritesAndContactsCallAgain)
{
    const QString card = m_home.write(QStringLiteral("anna.vcf"),
                                      "BEGIN:VCARD\nVERSION:3.0\nUID:a\nN:Berg;Anna;;;\nTEL;TYPE=CELL:+44 20 7946 0999\nEND:VCARD\n");
    ASSERT_EQ(farline({"contacts", "import", card}).exitCode, 0);
    EXPECT_EQ(print({"contacts", "call", "1", "0"}).outLines(), QStringList{"tel:+48221234567,00442079460999"});
    ASSERT_EQ(farline({"favorites", "add", "1", "0"}).exitCode, 0);
    EXPECT_EQ(print({"favorites", "call", "0"}).exitCode, 0);
    EXPECT_EQ(print({"recents", "call", "1"}).exitCode, 0);

    const QStringList recents = farline({"recents"}).outLines();
    ASSERT_EQ(recents.size(), 3);
    for (const QString &row : recents)
        EXPECT_TRUE(row.endsWith(u"\tAnna Berg \tmobile\t+44 20 7946 0999")) << row.toStdString();

    for (const QStringList &bad : {QStringList{"recents", "call", "3"}, QStringList{"favorites", "call", "-1"},
                                   QStringList{"contacts", "call", "1", "7"}, QStringList{"contacts", "call", "9", "0"}}) {
        const FarlineRun run = print(bad);
        EXPECT_EQ(run.exitCode, 2) << bad.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(recentCount(), 3);
}

TEST_F(CallCommandsTest, TheDueReminderIsShownOnceAndAnsweredCancel)
{
    // The last reminder was 31 days ago.
    m_home.writeDocument(QStringLiteral("settings.archive"),
                         QStringLiteral(R"({"App settings": {"$class": "AppSettings", "MCC": "260", "Last update time": {"$date": "%1"}}})")
                             .arg(QDateTime::currentDateTimeUtc().addDays(-31).toString(Qt::ISODateWithMs))
                             .toUtf8());
    EXPECT_EQ(farline({"access"}).all(),
              std::tuple(0, u"* +48221234567\n"_qs, u"Farline: You may try to update Farline access numbers. Would you like to perform update?\n"_qs));
    EXPECT_TRUE(farline({"access"}).err.isEmpty());
}

// Without --telephone the call goes to the system's "tel:" handler, here one still ringing when
// the shell closes Farline.
TEST_F(CallCommandsTest, TerminationDuringARunStillWritesBothArchivesInOrder)
{
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        const TelHandler slowPhone(true, {.seconds = 5});
        QFile::remove(m_home.home() + QStringLiteral("/Documents/favorites.archive"));
        QProcess farlineProcess;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const QString &variable : slowPhone.environment())
            environment.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        farlineProcess.setProcessEnvironment(environment);
        farlineProcess.start(QStringLiteral(FARLINE_BIN), {"--home", m_home.home(), "call", "221234567"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return !slowPhone.addresses().isEmpty(); }, 10000));
        EXPECT_EQ(slowPhone.addresses(), QStringList{"tel:+48221234567,221234567"});

        DocumentWrites writes(m_home.home() + QStringLiteral("/Documents"));
        QElapsedTimer clock;
        clock.start();
        ::kill(pid_t(farlineProcess.processId()), signalNumber);
        ASSERT_TRUE(farlineProcess.waitForFinished(10000));
        EXPECT_LT(clock.elapsed(), 4000); // at once, not when the wait for the telephone ends
        EXPECT_EQ(farlineProcess.exitStatus(), QProcess::NormalExit);
        const QStringList archives = writes.take(QStringLiteral(".archive"));
        ASSERT_GE(archives.size(), 2);
        EXPECT_EQ(archives.mid(archives.size() - 2), (QStringList{"favorites.archive", "settings.archive"}));
    }
}
} // namespace
