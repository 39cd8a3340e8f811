#include "platform/DialString.h"
#include "platform/ModemTelephone.h"
#include "support/ModemManagerStandIn.h"

#include <QRegularExpression>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int pauseMs = 150;

TEST(ModemCallTest, TheDialStringIsSplitAtItsFirstPause)
{
    const struct
    {
        const char *name, *dialString, *number, *tones;
    } rows[] = {
        {"a direct call", "+48225000000", "+48225000000", ""},
        {"through an access number", "+48225000000,0049301234567", "+48225000000", "0049301234567"},
        {"an extension after a second pause", "+48225000000,0049301234567,12", "+48225000000", "0049301234567,12"},
        {"pauses in a row", "+48225000000,,0049301234567", "+48225000000", ",0049301234567"},
        {"a pause at the end", "+48225000000,0049301234567,", "+48225000000", "0049301234567"},
        {"nothing after the pause", "+48225000000,", "+48225000000", ""},
    };
    for (const auto &row : rows) {
        const DialString split = DialString::split(QLatin1String(row.dialString));
        EXPECT_EQ(split.number, QLatin1String(row.number)) << row.name;
        EXPECT_EQ(split.tones, QLatin1String(row.tones)) << row.name;
    }
}

// What the stand-in saw of one call, the start aside: a dialer of the system may start it first.
QStringList tones(const QString &digits)
{
    QStringList events;
    for (const QChar digit : digits)
        events.append(QStringLiteral("SendDtmf ") + digit);
    return events;
}

struct Sequence
{
    const char *name;
    const char *calls; // the stand-in's "calls" parameters
    const char *dialString;
    QStringList events; // what the stand-in saw, the start aside
    const char *failure = nullptr;
    bool accepted = true;
    int answerLimitMs = 10000;
};

using ModemCallSequenceTest = ::testing::TestWithParam<Sequence>;

TEST_P(ModemCallSequenceTest, TonesGoOutOneByOneOnlyWhileTheCallIsActive)
{
    const Sequence &row = GetParam();
    ModemManagerStandIn standIn;
    if (!standIn.missing().isEmpty())
        GTEST_SKIP() << "needs " << standIn.missing().toStdString();
    ASSERT_TRUE(standIn.start(QByteArray(R"({"modems": [{"sim": "26001", "network": "26001"}], "calls": )") + row.calls + "}"));
    ModemTelephone telephone({.timing = {pauseMs, row.answerLimitMs}, .systemBus = standIn.busAddress(), .sessionBus = standIn.busAddress()},
                             nullptr);
    ASSERT_TRUE(telephone.canPlaceCalls());

    const std::unique_ptr<PhoneCall> call = telephone.dial(QLatin1String(row.dialString));
    // Hung up here once every tone has gone out, unless the call ended before.
    EXPECT_TRUE(QTest::qWaitFor([&] {
        if (call->answered() && call->digitsSent() == call->digitCount())
            call->hangUp();
        return call->state() == PhoneCall::Ended;
    }, 10000));

    const QList<ModemManagerStandIn::Event> events = standIn.events();
    QStringList seen;
    for (const auto &event : events) {
        if (event.what != u"Start")
            seen.append(event.what);
    }
    EXPECT_EQ(seen.join(u", ").toStdString(), row.events.join(u", ").toStdString());
    EXPECT_EQ(call->failure(), row.failure ? std::optional(QString::fromUtf8(row.failure)) : std::nullopt);
    EXPECT_EQ(call->accepted(), row.accepted);
    // The pause before the first tone, and another before each tone after a further ",".
    QList<int> pausesBefore;
    int pending = 1;
    for (const QChar c : DialString::split(QLatin1String(row.dialString)).tones) {
        if (c == u',') {
            ++pending;
        } else {
            pausesBefore.append(pending);
            pending = 0;
        }
    }
    double since = 0;
    qsizetype tone = 0;
    for (const auto &event : events) {
        if (event.what == u"State 4") {
            since = event.seconds;
        } else if (event.what.startsWith(u"SendDtmf") && tone < pausesBefore.size()) {
            EXPECT_GE(event.seconds - since, pausesBefore[tone++] * (pauseMs - 5) / 1000.0) << event.what.toStdString();
            since = event.seconds;
        }
    }
}

// callaudiod switches the sound to the call only where no dialer of the system does it; the
// speaker is switched wherever callaudiod is, and switched back at the end.
TEST(ModemCallTest, TheSoundGoesThroughCallaudiodUnlessADialerOfTheSystemHasIt)
{
    const struct
    {
        const char *name, *services;
        QStringList events;
    } rows[] = {
        {"callaudiod alone", R"("callaudiod": true)",
         {"State 4", "SelectMode 1", "EnableSpeaker 1", "State 7", "EnableSpeaker 0", "SelectMode 0"}},
        {"GNOME Calls on the bus", R"("callaudiod": true, "dialer": "org.gnome.Calls")",
         {"State 4", "EnableSpeaker 1", "State 7", "EnableSpeaker 0"}},
        {"no callaudiod", R"("dialer": "org.kde.telephony")", {"State 4", "State 7"}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        ModemManagerStandIn standIn;
        if (!standIn.missing().isEmpty())
            GTEST_SKIP() << "needs " << standIn.missing().toStdString();
        ASSERT_TRUE(standIn.start(QByteArray(R"({"modems": [{"sim": "26001"}], )") + row.services + "}"));
        ModemTelephone telephone({.timing = {pauseMs, 10000}, .systemBus = standIn.busAddress(), .sessionBus = standIn.busAddress()},
                                 nullptr);
        const std::unique_ptr<PhoneCall> call = telephone.dial(QStringLiteral("+48225000000"));
        const bool controls = row.events.contains("EnableSpeaker 1");
        ASSERT_TRUE(QTest::qWaitFor([&] { return call->answered() && call->hasAudioControls() == controls; }, 10000));
        if (controls) {
            call->setSpeakerOn(true);
            ASSERT_TRUE(QTest::qWaitFor([&] { return call->speakerOn(); }, 10000));
        }
        call->hangUp();
        const auto sound = [&] { return standIn.eventNames().filter(QRegularExpression("^(State [47]|SelectMode|EnableSpeaker)")); };
        EXPECT_TRUE(QTest::qWaitFor([&] { return sound() == row.events; }, 10000)) << sound().join(u", ").toStdString();
    }
}

const QString destination = QStringLiteral("0049301234567");
const QStringList answered = {"CreateCall +48225000000", "State 1", "State 2", "State 4"};
const QStringList hungUpHere = {"Hangup", "State 7", "DeleteCall"};

const Sequence sequences[] = {
    {"AnsweredThenTheDestinationDigitByDigit", "{}", "+48225000000,0049301234567",
     answered + tones(destination) + hungUpHere},
    {"AnExtensionAfterAFurtherPause", "{}", "+48225000000,0049301234567,12",
     answered + tones(destination + "12") + hungUpHere},
    {"StartedByADialerOfTheSystem", R"({"started_by_dialer": true})", "+48225000000,0049301234567",
     answered + tones(destination) + hungUpHere},
    {"TheFarEndHangsUpDuringTheTones", R"({"hangup_after_tones": 3})", "+48225000000,0049301234567",
     answered + tones("004") + QStringList{"State 7", "DeleteCall"}, "The call ended before the number was sent"},
    {"NotAnsweredInTime", R"({"progress": [[1, 1], [2, 0]]})", "+48225000000,0049301234567",
     {"CreateCall +48225000000", "State 1", "State 2", "Hangup", "State 7", "DeleteCall"}, "The call was not answered", true, 300},
    {"Busy", R"({"progress": [[1, 1], [7, 5]]})", "+48225000000,0049301234567",
     {"CreateCall +48225000000", "State 1", "State 7", "DeleteCall"}, "The line is busy or the call was refused"},
    {"RefusedByPolkit", R"({"refuse": true})", "+48225000000,0049301234567", {"CreateCall +48225000000"},
     "Farline may not place calls through the modem: PolicyKit authorization failed: not authorized for "
     "'org.freedesktop.ModemManager1.Voice'",
     false},
};
INSTANTIATE_TEST_SUITE_P(, ModemCallSequenceTest, ::testing::ValuesIn(sequences),
                         [](const auto &row) { return std::string(row.param.name); });
} // namespace
