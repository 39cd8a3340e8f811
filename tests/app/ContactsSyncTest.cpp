// `farline contacts sync` and `sources` against the real Evolution Data Server.

#include "app/support/Farline.h"
#include "support/EvolutionDataServer.h"

#include <gtest/gtest.h>

namespace {
QString card(const char *first, const char *number, const QString &uid = {})
{
    return QStringLiteral("BEGIN:VCARD\nVERSION:3.0\n%1FN:%2 Berg\nN:Berg;%2;;;\nTEL;TYPE=CELL:%3\nEND:VCARD")
        .arg(uid.isEmpty() ? QString() : QStringLiteral("UID:%1\n").arg(uid), QLatin1String(first), QLatin1String(number));
}

TEST(ContactsSyncTest, FollowsEvolutionDataServerAndKeepsFavouritesLinked)
{
    EvolutionDataServer eds;
    if (!eds.missing().isEmpty())
        GTEST_SKIP() << "needs " << eds.missing().toStdString();
    const FarlineHome home;
    const auto farline = [&](const QStringList &arguments, const QStringList &environment) {
        return home.run(arguments, eds.environment() + environment);
    };
    const auto sync = [&](const QStringList &environment = {}) { return farline({"contacts", "sync"}, environment); };
    const QString others = QStringLiteral("kpeoplevcard\tunavailable: no folder %1/kpeoplevcard\t0\nimported\tok\t0\n").arg(eds.dataHome());

    // Added: a card without a number is not Farline's.
    const QStringList uids = eds.add({card("Anna", "+46 70 111 22 33"),
                                      QStringLiteral("BEGIN:VCARD\nVERSION:3.0\nFN:Mail Only\nEMAIL:m@example.org\nEND:VCARD")});
    ASSERT_EQ(uids.size(), 2);
    EXPECT_EQ(sync().all(), std::tuple(0, "eds:system-address-book\tok\t1\n" + others, QString()));
    EXPECT_EQ(farline({"contacts", "list"}, {}).out, "1\tAnna Berg \t0:Mobile:+46 70 111 22 33\n");
    ASSERT_EQ(farline({"favorites", "add", "1", "0"}, {}).exitCode, 0);
    EXPECT_EQ(farline({"contacts", "remove", "1"}, {}).all(),
              std::tuple(1, QString(), QStringLiteral("farline: contacts remove: person 1 comes from eds:system-address-book; remove it there\n")));

    // Edited: the same person, and the favourite follows the new name. `sources` syncs nothing.
    eds.modify({card("Anne", "+46 70 111 22 33", uids[0])});
    eds.add({card("Ben", "+44 7700 900123")});
    EXPECT_EQ(farline({"contacts", "sources"}, {}).out, "eds:system-address-book\tok\t1\n" + others);
    EXPECT_EQ(sync().out, "eds:system-address-book\tok\t2\n" + others);
    EXPECT_EQ(farline({"contacts", "list"}, {}).outLines().value(0), "1\tAnne Berg \t0:Mobile:+46 70 111 22 33");
    EXPECT_EQ(farline({"favorites"}, {}).out, "0\tAnne Berg \tmobile\t+46 70 111 22 33\n");

    // Without EDS the mirror stays as it was, and that is no failure.
    const auto unavailable = sync({QStringLiteral("DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent")});
    EXPECT_EQ(unavailable.all(), std::tuple(0, "eds\tunavailable: no session bus\t2\n" + others, QString()));
    EXPECT_EQ(farline({"contacts", "list"}, {}).outLines().size(), 2);

    // Removed: the favourite keeps the number, the name goes.
    eds.remove({uids[0]});
    EXPECT_EQ(sync().out, "eds:system-address-book\tok\t1\n" + others);
    EXPECT_EQ(farline({"favorites"}, {}).out, "0\t+46 70 111 22 33\t\t+46 70 111 22 33\n");
}
} // namespace
