#include "app/support/Farline.h"
#include "lists/CallRecordArchive.h"
#include "platform/KeyedArchive.h"

#include <gtest/gtest.h>

namespace {
const QByteArray annaCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:anna-1\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\n"
                            "TEL;TYPE=CELL:+46 70 111 22 33\r\nTEL;TYPE=HOME:+46 8 123 45\r\nEND:VCARD\r\n";
const QByteArray acmeCard = "BEGIN:VCARD\nVERSION:2.1\nORG:Acme;Sales\nTEL;WORK;FAX:555-1000\nEND:VCARD\n";

class ListsCommandsTest : public ::testing::Test
{
protected:
    FarlineRun farline(const QStringList &arguments) const { return m_home.run(arguments, {QStringLiteral("TZ=UTC")}); }
    QStringList lines(const QStringList &arguments) const { return farline(arguments).outLines(); }
    QString write(const QString &name, const QByteArray &bytes) const { return m_home.write(name, bytes); }
    QByteArray favoritesArchive() const { return m_home.document(QStringLiteral("favorites.archive")); }

    FarlineHome m_home;
};

// A folder is read for its .vcf files; an unreadable card is named on standard error.
TEST_F(ListsCommandsTest, ImportingTwiceChangesNothingAndAnEditedNumberKeepsItsIdentifier)
{
    write(QStringLiteral("in/a.vcf"), annaCard + acmeCard);
    write(QStringLiteral("in/b.VCF"), "BEGIN:VCARD\nFN:Cut off\nTEL:1\n");
    write(QStringLiteral("in/notes.txt"), "BEGIN:VCARD\nFN:Not a vcf\nEND:VCARD\n");
    const QString folder = m_home.path(QStringLiteral("in"));
    const FarlineRun first = farline({"contacts", "import", folder});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.outLines(), QStringList{"imported 2, updated 0, skipped 1"});
    EXPECT_EQ(first.errLines(), QStringList{m_home.path(QStringLiteral("in/b.VCF:1: card has no END:VCARD; skipped"))});
    const QStringList listed = lines({"contacts", "list"});
    EXPECT_EQ(listed, (QStringList{"2\tAcme\t0:WorkFAX:555-1000", "1\tAnna Berg \t0:Mobile:+46 70 111 22 33\t1:Home:+46 8 123 45"}));

    EXPECT_EQ(lines({"contacts", "import", folder}), QStringList{"imported 0, updated 0, skipped 1"});
    EXPECT_EQ(lines({"contacts", "list"}), listed);

    // Anna's home number becomes a favourite; then it is edited in the file and imported again.
    EXPECT_EQ(farline({"favorites", "add", "1", "1"}).exitCode, 0);
    EXPECT_EQ(lines({"favorites"}), QStringList{"0\tAnna Berg \thome\t+46 8 123 45"});
    write(QStringLiteral("in/a.vcf"), QByteArray(annaCard + acmeCard).replace("+46 8 123 45", "+46 8 765 43"));
    EXPECT_EQ(lines({"contacts", "import", folder}), QStringList{"imported 0, updated 1, skipped 1"});
    EXPECT_EQ(lines({"contacts", "list"}).value(1), "1\tAnna Berg \t0:Mobile:+46 70 111 22 33\t1:Home:+46 8 765 43");
    EXPECT_EQ(lines({"favorites"}), QStringList{"0\tAnna Berg \thome\t+46 8 765 43"});
    // The refreshed number was written at the end of that run.
    EXPECT_TRUE(favoritesArchive().contains("+46 8 765 43"));
}

TEST_F(ListsCommandsTest, BadArgumentsChangeNothingAndRemovalsDo)
{
    const QString cards = write(QStringLiteral("cards.vcf"), annaCard + acmeCard);
    ASSERT_EQ(farline({"contacts", "import", cards}).exitCode, 0);
    ASSERT_EQ(farline({"favorites", "add", "1", "0"}).exitCode, 0);
    ASSERT_EQ(farline({"favorites", "add", "2", "0"}).exitCode, 0);
    const QByteArray favorites = favoritesArchive();
    const QStringList contacts = lines({"contacts", "list"});

    const QStringList bad[] = {
        {"contacts", "import", cards, m_home.path(QStringLiteral("missing.vcf"))},
        {"contacts", "import"},
        {"contacts", "remove", "7"},
        {"contacts", "remove", "one"},
        {"contacts"},
        {"favorites", "add", "1", "5"},
        {"favorites", "add", "3", "0"},
        {"favorites", "add", "1"},
        {"favorites", "remove", "2"},
        {"favorites", "remove", "-1"},
        {"recents", "all"},
    };
    for (const QStringList &arguments : bad) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const FarlineRun run = farline(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.errLines().size(), 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(favoritesArchive(), favorites);
        EXPECT_EQ(lines({"contacts", "list"}), contacts);
    }

    EXPECT_EQ(farline({"contacts", "remove", "1"}).exitCode, 0);
    EXPECT_EQ(lines({"contacts", "list"}), QStringList{"2\tAcme\t0:WorkFAX:555-1000"});
    EXPECT_EQ(lines({"favorites"}), (QStringList{"0\t+46 70 111 22 33\t\t+46 70 111 22 33", "1\tAcme\tworkfax\t555-1000"}));
    EXPECT_EQ(farline({"favorites", "remove", "0"}).exitCode, 0);
    EXPECT_EQ(lines({"favorites"}), QStringList{"0\tAcme\tworkfax\t555-1000"});
}

TEST_F(ListsCommandsTest, RecentsArePrintedAfterTheRefreshAndCleared)
{
    ASSERT_EQ(farline({"contacts", "import", write(QStringLiteral("cards.vcf"), annaCard)}).exitCode, 0);
    const auto made = [](const char *number, int contact, std::optional<QDateTime> time) {
        return std::make_shared<FavoriteRecord>(FavoriteRecord{number, "old name", "old", contact, 0, time});
    };
    const QString archive = m_home.path(QStringLiteral("home/Documents/recent.archive"));
    ASSERT_TRUE(KeyedArchive::write(archive, QStringLiteral("ReecentCollection"),
                                    CallRecordArchive::encode({made("+46 70 111 22 33", 1, QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC)),
                                                               made("0049\t301234567", -1, QDateTime(QDate(2026, 3, 14), QTime(0, 0, 1), Qt::UTC)),
                                                               made("112", 7, std::nullopt)})));

    const FarlineRun recents = farline({"recents"});
    EXPECT_EQ(recents.exitCode, 0);
    EXPECT_EQ(recents.outLines(), (QStringList{"2026-03-14 03:09:26\tAnna Berg \tmobile\t+46 70 111 22 33",
                                               "2026-03-14 12:00:01\t0049 301234567\tunknown\t0049 301234567",
                                               "\t112\tunknown\t112"}));

    EXPECT_EQ(farline({"recents", "clear"}).exitCode, 0);
    EXPECT_TRUE(lines({"recents"}).isEmpty());
    const auto cleared = KeyedArchive::readList(archive, QStringLiteral("ReecentCollection")).value;
    EXPECT_TRUE(cleared && cleared->isEmpty());
}
} // namespace
