#include "app/support/Farline.h"
#include "core/CommonOperations.h"
#include "support/DataFiles.h"
#include "support/ModemManagerStandIn.h"
#include "support/TelHandler.h"
#include "support/TestApp.h"

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

QString warningLine(void (*show)(Alerts &)) { return "Farline: " + warningText(show) + u'\n'; }

// What the command itself decides of a call; the address of each mode and number is the
// application's, tested with the call placement.
struct Dial
{
    const char *name;
    const char *telephone, *number, *out;
    int exitCode;
    bool recorded;
    const char *err = "";
    void (*warning)(Alerts &) = nullptr; // shown on standard error instead
};

class CallCommandDialTest : public CallCommandsTest, public ::testing::WithParamInterface<Dial> {};

TEST_P(CallCommandDialTest, PrintsTheAddressOrSaysWhyNot)
{
    const Dial &dial = GetParam();
    const qsizetype before = recentCount();
    const FarlineRun run = farline({"--telephone", dial.telephone, "call", dial.number});
    EXPECT_EQ(run.all(), std::tuple(dial.exitCode, QString::fromLatin1(dial.out),
                                    dial.warning ? warningLine(dial.warning) : QString::fromLatin1(dial.err)));
    EXPECT_EQ(recentCount(), before + (dial.recorded ? 1 : 0));
}

const Dial dials[] = {
    {"Number", "print", "+49 30 1234567", "tel:+48221234567,0049301234567\n", 0, true},
    {"TelAddressWithExtension", "print", "tel:+49-30-1234567;ext=12", "tel:+48221234567,0049301234567,12\n", 0, true},
    {"NoTelephony", "unsupported", "221234567", "", 1, false, "", CommonOperations::deviceDoesNotSupportsCall},
    {"RefusedByTheTelephone", "refuse", "221234567", "", 1, false,
     "farline: the telephone did not take the call tel:+48221234567,221234567\n"},
};
INSTANTIATE_TEST_SUITE_P(, CallCommandDialTest, ::testing::ValuesIn(dials), [](const auto &row) { return std::string(row.param.name); });

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
}

// A stored number is read as the keypad would type it: a service code is no call and no record.
TEST_F(CallCommandsTest, StoredNumbersAreReadAsTheKeypadTypesThem)
{
    const QString card = m_home.write(QStringLiteral("codes.vcf"), "BEGIN:VCARD\nFN:Balance\nTEL:*100#\nTEL:1-800-FLOWERS\nEND:VCARD\n");
    ASSERT_EQ(farline({"contacts", "import", card}).exitCode, 0);
    ASSERT_EQ(farline({"favorites", "add", "1", "0"}).exitCode, 0);
    const auto refused = std::tuple(1, QString(), u"Farline: Farline cannot call *100#: service codes need the phone's own dialler\n"_qs);
    EXPECT_EQ(print({"contacts", "call", "1", "0"}).all(), refused);
    EXPECT_EQ(print({"favorites", "call", "0"}).all(), refused);
    EXPECT_EQ(recentCount(), 0);
    EXPECT_EQ(print({"contacts", "call", "1", "1"}).outLines(), QStringList{"tel:+48221234567,18003569377"});
}

TEST_F(CallCommandsTest, TheDueReminderIsSaidAndAnsweredCancel)
{
    // The last reminder was 31 days ago.
    m_home.writeDocument(QStringLiteral("settings.archive"),
                         QStringLiteral(R"({"App settings": {"$class": "AppSettings", "MCC": "260", "Last update time": {"$date": "%1"}}})")
                             .arg(QDateTime::currentDateTimeUtc().addDays(-31).toString(Qt::ISODateWithMs))
                             .toUtf8());
    EXPECT_EQ(farline({"access"}).all(),
              std::tuple(0, u"* +48221234567\n"_qs, u"Farline: You may try to update Farline access numbers. Would you like to perform update?\n"_qs));
}

// Without --telephone the call goes to the system's "tel:" handler, here one that rings longer
// than the test waits when the shell closes Farline: the run ends at once and its end writes
// both archives. Each termination signal is one: see the import's test.
TEST_F(CallCommandsTest, TerminationDuringACallStillWritesBothArchives)
{
    const TelHandler slowPhone(true, {.seconds = 30});
    QProcess process;
    m_home.start(process, {"call", "221234567"}, slowPhone.environment());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !slowPhone.addresses().isEmpty(); }, 10000));
    EXPECT_EQ(slowPhone.addresses(), QStringList{"tel:+48221234567,221234567"});
    const QStringList archives = {"favorites.archive", "settings.archive"};
    for (const QString &name : archives)
        QFile::remove(m_home.home() + "/Documents/" + name);

    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(std::tuple(process.exitStatus(), process.exitCode()), std::tuple(QProcess::NormalExit, 0)); // the call was handed over
    for (const QString &name : archives)
        EXPECT_FALSE(m_home.document(name).isEmpty()) << name.toStdString();
}

// Through the modem (the stand-in on a private system bus) the command follows the call to its
// end, one line per change, and holds the home meanwhile; the pause is shortened.
class ModemCallCommandTest : public CallCommandsTest
{
protected:
    bool start(const QByteArray &calls)
    {
        if (!m_standIn.missing().isEmpty())
            return false;
        return m_standIn.start(R"({"modems": [{"sim": "26001", "network": "26001"}], "calls": )" + calls + "}");
    }
    QStringList environment() const { return m_standIn.environment() + QStringList{"FARLINE_CALL_PAUSE=0.05", "FARLINE_CALL_ANSWER_LIMIT=0.3"}; }
    bool waitFor(const char *event, qsizetype count = 1) const
    {
        return QTest::qWaitFor([&] { return m_standIn.eventNames().count(QLatin1String(event)) == count; }, 10000);
    }

    ModemManagerStandIn m_standIn;
};

TEST_F(ModemCallCommandTest, TheFarEndHangsUpOnceEveryToneWasSent)
{
    if (!start("{}"))
        GTEST_SKIP() << "needs " << m_standIn.missing().toStdString();
    QProcess process;
    m_home.start(process, {"call", "+49 30 1234567"}, environment());
    // The last of 0049301234567's thirteen digits, the only 7 among them.
    ASSERT_TRUE(waitFor("SendDtmf 7"));
    m_standIn.setCallState(7, 4);
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), "Calling +48221234567\nRinging\nConnected\nSending 0049301234567\nSent\nCall ended\n");
    EXPECT_EQ(recentCount(), 1);
}

TEST_F(ModemCallCommandTest, TerminationHangsTheCallUpFirst)
{
    if (!start(R"({"progress": [[1, 1], [2, 0]]})"))
        GTEST_SKIP() << "needs " << m_standIn.missing().toStdString();
    QProcess process;
    m_home.start(process, {"call", "+49 30 1234567"}, m_standIn.environment());
    // Ringing as farline has heard it, not only as the modem set it: the news may be on its way.
    QByteArray out;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (out += process.readAllStandardOutput()).contains("Ringing\n"); }, 10000));
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(10000));
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    EXPECT_EQ(out + process.readAllStandardOutput(), "Calling +48221234567\nRinging\nCall ended\n");
    EXPECT_TRUE(m_standIn.eventNames().contains("Hangup"));
    EXPECT_EQ(recentCount(), 1); // taken by ModemManager
}

struct ModemFailure
{
    const char *name;
    const char *telephone, *calls, *out, *err;
    bool recorded;
};

class ModemCallFailureTest : public ModemCallCommandTest, public ::testing::WithParamInterface<ModemFailure> {};

TEST_P(ModemCallFailureTest, TheReasonIsSaidAndTheRecordStaysOnceTheCallWasMade)
{
    const ModemFailure &row = GetParam();
    if (!start(row.calls))
        GTEST_SKIP() << "needs " << m_standIn.missing().toStdString();
    const FarlineRun run = farline({"--telephone", row.telephone, "call", "+49 30 1234567"}, environment());
    EXPECT_EQ(run.all(), std::tuple(1, QString::fromLatin1(row.out), QString::fromLatin1(row.err)));
    EXPECT_EQ(recentCount(), row.recorded ? 1 : 0);
}

const ModemFailure modemFailures[] = {
    {"NotAnswered", "system", R"({"progress": [[1, 1], [2, 0]]})", "Calling +48221234567\nRinging\nCall ended\n",
     "Farline: The call was not answered\n", true},
    {"RefusedByPolkit", "modem", R"({"refuse": true})", "",
     "Farline: Farline may not place calls through the modem: PolicyKit authorization failed: not authorized for "
     "'org.freedesktop.ModemManager1.Voice'\n",
     false},
};
INSTANTIATE_TEST_SUITE_P(, ModemCallFailureTest, ::testing::ValuesIn(modemFailures), [](const auto &row) { return std::string(row.param.name); });

// "modem" without a modem that places voice calls: this handset cannot call; "system" then hands
// the call to the desktop's tel: handler.
TEST_F(ModemCallCommandTest, WithoutAVoiceModemTheTelHandlerTakesTheCall)
{
    if (!m_standIn.missing().isEmpty())
        GTEST_SKIP() << "needs " << m_standIn.missing().toStdString();
    ASSERT_TRUE(m_standIn.start(R"({"modems": [{"sim": "26001", "voice": false}]})"));
    EXPECT_EQ(farline({"--telephone", "modem", "call", "221234567"}, m_standIn.environment()).all(),
              std::tuple(1, QString(), warningLine(CommonOperations::deviceDoesNotSupportsCall)));
    const TelHandler phone;
    QStringList environment = phone.environment();
    environment.removeIf([](const QString &variable) { return variable.startsWith(u"DBUS_SYSTEM_BUS_ADDRESS="); });
    EXPECT_EQ(farline({"call", "221234567"}, environment + m_standIn.environment()).exitCode, 0);
    EXPECT_EQ(phone.addresses(), QStringList{"tel:+48221234567,221234567"});
}
} // namespace

