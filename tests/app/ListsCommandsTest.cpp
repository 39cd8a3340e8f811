#include "app/support/Farline.h"
#include "lists/CallRecordArchive.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
const QByteArray annaCard = "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:anna-1\r\nN:Berg;Anna;;;\r\nFN:Anna Berg\r\n"
                            "TEL;TYPE=CELL:+46 70 111 22 33\r\nTEL;TYPE=HOME:+46 8 123 45\r\nEND:VCARD\r\n";
const QByteArray acmeCard = "BEGIN:VCARD\nVERSION:2.1\nORG:Acme;Sales\nTEL;WORK;FAX:555-1000\nEND:VCARD\n";

class ListsCommandsTest : public ::testing::Test
{
protected:
    FarlineRun farline(const QStringList &arguments) const { return m_home.run(arguments, {QStringLiteral("TZ=UTC")}); }
    QString write(const QString &name, const QByteArray &bytes) const { return m_home.write(name, bytes); }
    QByteArray document(const QString &name) const { return m_home.document(name); }

    FarlineHome m_home;
};

TEST_F(ListsCommandsTest, ImportingTwiceChangesNothingAndAnEditedNumberKeepsItsIdentifier)
{
    const QString cards = write(QStringLiteral("cards.vcf"), annaCard + acmeCard);
    const FarlineRun first = farline({QStringLiteral("contacts"), QStringLiteral("import"), cards});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.outLines(), QStringList{QStringLiteral("imported 2, updated 0, skipped 0")});
    const QStringList listed = farline({QStringLiteral("contacts"), QStringLiteral("list")}).outLines();
    EXPECT_EQ(listed, (QStringList{QStringLiteral("2\tAcme\t0:WorkFAX:555-1000"),
                                   QStringLiteral("1\tAnna Berg \t0:Mobile:+46 70 111 22 33\t1:Home:+46 8 123 45")}));

    const FarlineRun again = farline({QStringLiteral("contacts"), QStringLiteral("import"), cards});
    EXPECT_EQ(again.outLines(), QStringList{QStringLiteral("imported 0, updated 0, skipped 0")});
    EXPECT_EQ(farline({QStringLiteral("contacts"), QStringLiteral("list")}).outLines(), listed);

    // Anna's home number becomes a favourite; then it is edited in the file and imported again.
    EXPECT_EQ(farline({QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("1"), QStringLiteral("1")}).exitCode, 0);
    EXPECT_EQ(farline({QStringLiteral("favorites")}).outLines(),
              QStringList{QStringLiteral("0\tAnna Berg \thome\t+46 8 123 45")});
    QByteArray edited = annaCard + acmeCard;
    edited.replace("+46 8 123 45", "+46 8 765 43");
    write(QStringLiteral("cards.vcf"), edited);
    const FarlineRun update = farline({QStringLiteral("contacts"), QStringLiteral("import"), cards});
    EXPECT_EQ(update.outLines(), QStringList{QStringLiteral("imported 0, updated 1, skipped 0")});
    EXPECT_EQ(farline({QStringLiteral("contacts"), QStringLiteral("list")}).outLines().value(1),
              QStringLiteral("1\tAnna Berg \t0:Mobile:+46 70 111 22 33\t1:Home:+46 8 765 43"));
    EXPECT_EQ(farline({QStringLiteral("favorites")}).outLines(),
              QStringList{QStringLiteral("0\tAnna Berg \thome\t+46 8 765 43")});
    // The refreshed number was written at the end of that run.
    EXPECT_TRUE(document(QStringLiteral("favorites.archive")).contains("+46 8 765 43"));
}

TEST_F(ListsCommandsTest, FoldersAreReadForTheirCardsAndUnreadableCardsNamed)
{
    write(QStringLiteral("in/a.vcf"), annaCard);
    write(QStringLiteral("in/b.VCF"), "BEGIN:VCARD\nFN:Cut off\nTEL:1\n" + acmeCard);
    write(QStringLiteral("in/notes.txt"), "BEGIN:VCARD\nFN:Not a vcf\nEND:VCARD\n");
    const FarlineRun run = farline({QStringLiteral("contacts"), QStringLiteral("import"), m_home.path(QStringLiteral("in"))});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.outLines(), QStringList{QStringLiteral("imported 2, updated 0, skipped 1")});
    EXPECT_EQ(run.errLines(), QStringList{m_home.path(QStringLiteral("in/b.VCF:1: card has no END:VCARD; skipped"))});
}

TEST_F(ListsCommandsTest, BadArgumentsChangeNothing)
{
    const QString cards = write(QStringLiteral("cards.vcf"), annaCard);
    ASSERT_EQ(farline({QStringLiteral("contacts"), QStringLiteral("import"), cards}).exitCode, 0);
    ASSERT_EQ(farline({QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("1"), QStringLiteral("0")}).exitCode, 0);
    const QByteArray favorites = document(QStringLiteral("favorites.archive"));
    const QStringList contacts = farline({QStringLiteral("contacts"), QStringLiteral("list")}).outLines();

    const QStringList bad[] = {
        {QStringLiteral("contacts"), QStringLiteral("import"), cards, m_home.path(QStringLiteral("missing.vcf"))},
        {QStringLiteral("contacts"), QStringLiteral("import")},
        {QStringLiteral("contacts"), QStringLiteral("remove"), QStringLiteral("7")},
        {QStringLiteral("contacts"), QStringLiteral("remove"), QStringLiteral("one")},
        {QStringLiteral("contacts")},
        {QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("1"), QStringLiteral("5")},
        {QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("2"), QStringLiteral("0")},
        {QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("1")},
        {QStringLiteral("favorites"), QStringLiteral("remove"), QStringLiteral("1")},
        {QStringLiteral("favorites"), QStringLiteral("remove"), QStringLiteral("-1")},
        {QStringLiteral("recents"), QStringLiteral("all")},
    };
    for (const QStringList &arguments : bad) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const FarlineRun run = farline(arguments);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_EQ(run.errLines().size(), 1);
        EXPECT_TRUE(run.out.isEmpty());
        EXPECT_EQ(document(QStringLiteral("favorites.archive")), favorites);
        EXPECT_EQ(farline({QStringLiteral("contacts"), QStringLiteral("list")}).outLines(), contacts);
    }
}

TEST_F(ListsCommandsTest, RemovingAPersonAndAFavourite)
{
    const QString cards = write(QStringLiteral("cards.vcf"), annaCard + acmeCard);
    farline({QStringLiteral("contacts"), QStringLiteral("import"), cards});
    farline({QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("1"), QStringLiteral("0")});
    farline({QStringLiteral("favorites"), QStringLiteral("add"), QStringLiteral("2"), QStringLiteral("0")});

    EXPECT_EQ(farline({QStringLiteral("contacts"), QStringLiteral("remove"), QStringLiteral("1")}).exitCode, 0);
    EXPECT_EQ(farline({QStringLiteral("contacts"), QStringLiteral("list")}).outLines(),
              QStringList{QStringLiteral("2\tAcme\t0:WorkFAX:555-1000")});
    EXPECT_EQ(farline({QStringLiteral("favorites")}).outLines(),
              (QStringList{QStringLiteral("0\t+46 70 111 22 33\t\t+46 70 111 22 33"), QStringLiteral("1\tAcme\tworkfax\t555-1000")}));

    const FarlineRun removed = farline({QStringLiteral("favorites"), QStringLiteral("remove"), QStringLiteral("0")});
    EXPECT_EQ(removed.exitCode, 0);
    EXPECT_EQ(removed.outLines(), QStringList{QStringLiteral("About to delete item 0")});
    EXPECT_EQ(farline({QStringLiteral("favorites")}).outLines(), QStringList{QStringLiteral("0\tAcme\tworkfax\t555-1000")});
}

TEST_F(ListsCommandsTest, RecentsArePrintedAfterTheRefreshAndCleared)
{
    const QString cards = write(QStringLiteral("cards.vcf"), annaCard);
    farline({QStringLiteral("contacts"), QStringLiteral("import"), cards});
    const auto made = [](const char *number, const char *name, int contact, int identifier, std::optional<QDateTime> time) {
        auto record = std::make_shared<FavoriteRecord>();
        record->phoneNumber = QString::fromUtf8(number);
        record->displayName = QString::fromUtf8(name);
        record->phoneType = QStringLiteral("old");
        record->contactID = contact;
        record->identifier = identifier;
        record->startTime = time;
        return record;
    };
    const QString archive = m_home.path(QStringLiteral("home/Documents/recent.archive"));
    ASSERT_TRUE(CallRecordArchive::write(
        archive, QStringLiteral("ReecentCollection"),
        {made("+46 70 111 22 33", "x", 1, 0, QDateTime(QDate(2026, 3, 14), QTime(15, 9, 26), Qt::UTC)),
         made("0049\t301234567", "typed", -1, 0, QDateTime(QDate(2026, 3, 14), QTime(0, 0, 1), Qt::UTC)),
         made("112", "112", 7, 0, std::nullopt)}));

    const FarlineRun recents = farline({QStringLiteral("recents")});
    EXPECT_EQ(recents.exitCode, 0);
    EXPECT_EQ(recents.outLines(), (QStringList{QStringLiteral("2026-03-14 03:09:26\tAnna Berg \tmobile\t+46 70 111 22 33"),
                                               QStringLiteral("2026-03-14 12:00:01\t0049 301234567\tunknown\t0049 301234567"),
                                               QStringLiteral("\t112\tunknown\t112")}));

    EXPECT_EQ(farline({QStringLiteral("recents"), QStringLiteral("clear")}).exitCode, 0);
    EXPECT_TRUE(farline({QStringLiteral("recents")}).outLines().isEmpty());
    EXPECT_TRUE(CallRecordArchive::read(archive, QStringLiteral("ReecentCollection"), 50).isEmpty());
}
} // namespace
