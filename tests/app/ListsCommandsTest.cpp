#include "app/support/Farline.h"
#include "lists/CallRecordArchive.h"
#include "platform/KeyedArchive.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

    // Root reads any folder: run as root, farline is given no capabilities, so that permissions
    // hold for it too.
    FarlineRun farlineWithoutPrivileges(const QStringList &arguments) const
    {
        return m_home.run(arguments, {}, ::geteuid() ? QStringList() : QStringList{"setpriv", "--inh-caps=-all", "--bounding-set=-all", "--"});
    }

    FarlineHome m_home;
};

// A folder is read for its .vcf files; an unreadable card is named on standard error.
TEST_F(ListsCommandsTest, ImportingTwiceChangesNothingAndAnEditedNumberKeepsItsIdentifier)
{
    write(QStringLiteral("in/a.vcf"), annaCard + acmeCard);
    write(QStringLiteral("in/b.VCF"), "BEGIN:VCARD\nFN:Cut off\nTEL:1\n");
    write(QStringLiteral("in/notes.txt"), "BEGIN:VCARD\nFN:Not a vcf\nEND:VCARD\n");
    const QString folder = m_home.path(QStringLiteral("in"));
    EXPECT_EQ(farline({"contacts", "import", folder}).all(),
              std::tuple(0, u"imported 2, updated 0, skipped 1\n"_qs, m_home.path(QStringLiteral("in/b.VCF:1: card has no END:VCARD; skipped\n"))));
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
    EXPECT_TRUE(m_home.document(QStringLiteral("favorites.archive")).contains("+46 8 765 43"));

    // Without its contact, the favourite is a bare number.
    EXPECT_EQ(farline({"contacts", "remove", "1"}).exitCode, 0);
    EXPECT_EQ(lines({"contacts", "list"}), QStringList{"2\tAcme\t0:WorkFAX:555-1000"});
    EXPECT_EQ(lines({"favorites"}), QStringList{"0\t+46 8 765 43\t\t+46 8 765 43"});
    EXPECT_EQ(farline({"favorites", "remove", "0"}).out, u"About to delete item 0\n");
    EXPECT_TRUE(lines({"favorites"}).isEmpty());
}

// Only regular files are read: a FIFO or a device never ends. What cannot be read is named and
// the rest imported.
TEST_F(ListsCommandsTest, WhatIsNotARegularFileOrCannotBeListedIsNamedAndSkipped)
{
    write(QStringLiteral("in/b.vcf"), acmeCard);
    const QString fifo = m_home.path(QStringLiteral("in/pipe.vcf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString locked = QFileInfo(write(QStringLiteral("locked/a.vcf"), annaCard)).path();
    ASSERT_TRUE(QFile::setPermissions(locked, {}));
    const FarlineRun run = farlineWithoutPrivileges({"contacts", "import", m_home.path(QStringLiteral("in")), "/dev/zero", locked});
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(run.all(), std::tuple(1, u"imported 1, updated 0, skipped 0\n"_qs,
                                    locked + ": cannot read: Permission denied\n" + fifo
                                        + ": cannot read: not a regular file\n/dev/zero: cannot read: not a regular file\n"));
}

class ImportTerminationTest : public ListsCommandsTest, public ::testing::WithParamInterface<int> {};

// A termination signal ends an import at once, undoes it and is the exit status.
TEST_P(ImportTerminationTest, UndoesTheImport)
{
    ASSERT_EQ(farline({"contacts", "import", write(QStringLiteral("anna.vcf"), annaCard)}).exitCode, 0);
    const QStringList before = lines({"contacts", "list"});
    QByteArray many;
    for (int i = 0; i < 100000; ++i)
        many += "BEGIN:VCARD\nFN:Person " + QByteArray::number(i) + "\nTEL:" + QByteArray::number(i) + "\nEND:VCARD\n";
    const QString cards = write(QStringLiteral("many.vcf"), many);
    const QString journal = m_home.home() + QStringLiteral("/AddressBook.sqlite-journal");
    QProcess process;
    m_home.start(process, {"contacts", "import", cards});
    const QDeadlineTimer writing(20000); // the import has begun when the address book writes
    while (!QFile::exists(journal) && !writing.hasExpired())
        QThread::msleep(5);
    ASSERT_TRUE(QFile::exists(journal));
    ::kill(pid_t(process.processId()), GetParam());
    ASSERT_TRUE(process.waitForFinished(10000)); // far less than the import would take
    EXPECT_EQ(std::tuple(process.exitStatus(), process.exitCode()), std::tuple(QProcess::NormalExit, 128 + GetParam()));
    EXPECT_EQ(lines({"contacts", "list"}), before);
}

INSTANTIATE_TEST_SUITE_P(, ImportTerminationTest, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const auto &row) { return std::string(sigabbrev_np(row.param)); });

// A long listing ends at a termination request. Its output is not read meanwhile, so the listing
// waits for the reader with far more to write than the pipe holds when the request comes.
TEST_F(ListsCommandsTest, TerminationEndsALongListing)
{
    QByteArray cards;
    for (int i = 0; i < 1000; ++i) {
        cards += "BEGIN:VCARD\nFN:Person " + QByteArray::number(i);
        for (int n = 0; n < 20; ++n)
            cards += "\nTEL:+49 30 " + QByteArray::number(i * 100 + n);
        cards += "\nEND:VCARD\n";
    }
    ASSERT_EQ(farline({"contacts", "import", write(QStringLiteral("many.vcf"), cards)}).exitCode, 0);
    QProcess process;
    m_home.start(process, {"contacts", "list"});
    ASSERT_TRUE(process.waitForReadyRead(30000)); // the listing has begun
    ::kill(pid_t(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(std::tuple(process.exitStatus(), process.exitCode()), std::tuple(QProcess::NormalExit, 128 + SIGTERM));
    EXPECT_LT(process.readAll().count('\n'), 1000);
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
