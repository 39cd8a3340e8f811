// What a run does when its files fail it: a save that fails is said and fails the run, the
// previous file staying whole; a damaged file is kept aside before it is written over.
#include "app/support/Farline.h"
#include "support/Files.h"
#include "support/People.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
class FileFaultsTest : public ::testing::Test
{
protected:
    // The United Kingdom is the SIM country; Anna's mobile number is a favourite, and called once.
    FileFaultsTest()
    {
        const QString card = m_home.write(QStringLiteral("anna.vcf"),
                                          "BEGIN:VCARD\nVERSION:3.0\nN:Berg;Anna;;;\nTEL;TYPE=CELL:+46 70 111\nTEL;TYPE=HOME:+46 8 123\nEND:VCARD\n");
        for (const QStringList &arguments : {QStringList{"country", "234"}, {"contacts", "import", card}, {"favorites", "add", "1", "0"},
                                             {"--telephone", "print", "call", "221234567"}})
            EXPECT_EQ(m_home.run(arguments).exitCode, 0) << arguments.join(u' ').toStdString();
    }
    QString documentPath(const QString &name) const { return m_home.home() + QStringLiteral("/Documents/") + name; }
    // What a failed save of the favourites (F), the recent calls (R) or the settings (S) says.
    QString saveFailed(char archive, const char *reason) const
    {
        const auto [what, file] = archive == 'F' ? std::pair("favorites", "favorites.archive")
                                  : archive == 'R' ? std::pair("recent calls", "recent.archive") : std::pair("settings", "settings.archive");
        return QStringLiteral("Farline: Your %1 could not be saved in %2 (%3). The previous %4 kept.")
            .arg(QLatin1String(what), documentPath(QLatin1String(file)), QLatin1String(reason), archive == 'S' ? "settings are" : "list is");
    }
    // A run under a shell's file size limit of 0, which sends SIGXFSZ at the first write.
    FarlineRun withoutRoomToWrite(const QStringList &arguments) const
    {
        return m_home.run(arguments, {}, {"sh", "-c", R"(ulimit -f 0 && exec "$0" "$@")"});
    }

    FarlineHome m_home;
};

struct SaveFault
{
    const char *name;
    QStringList arguments;
    const char *out;
    const char *failed; // the archives named, in order: Favourites, Recent calls, Settings
};

class SaveFaultTest : public FileFaultsTest, public ::testing::WithParamInterface<SaveFault> {};

// A full disk or a file size limit: each command that changes something says so and exits 1, and
// every file stays as it was. Only the file that changes is written, so only it is named; a file
// that failed once is not named again at the end of the run.
TEST_P(SaveFaultTest, IsSaidAndFailsTheRun)
{
    QString err;
    for (const char archive : std::string_view(GetParam().failed))
        err += saveFailed(archive, "File too large") + u'\n';
    const auto before = m_home.documents();
    EXPECT_EQ(withoutRoomToWrite(GetParam().arguments).all(), std::tuple(1, QString::fromLatin1(GetParam().out), err));
    EXPECT_EQ(m_home.documents(), before);
}

const SaveFault saveFaults[] = {
    {"FavouriteAdded", {"favorites", "add", "1", "1"}, "", "F"},
    {"FavouriteRemoved", {"favorites", "remove", "0"}, "About to delete item 0\n", "F"},
    {"Call", {"--telephone", "print", "call", "221234568"}, "tel:+442079460120,221234568\n", "R"},
    {"CountryChosen", {"country", "262"}, "", "S"},
    {"ModeChosen", {"mode", "international"}, "International calls\n", "S"},
    {"RecentsCleared", {"recents", "clear"}, "", "R"},
};
INSTANTIATE_TEST_SUITE_P(, SaveFaultTest, ::testing::ValuesIn(saveFaults), [](const auto &row) { return std::string(row.param.name); });

// A home on a read-only file system: the run reads what it needs and fails at the first save.
TEST_F(FileFaultsTest, AReadOnlyHomeFailsTheSaveAndChangesNothing)
{
    const auto readOnly = [&](const QStringList &arguments) {
        const FarlineRun run = m_home.run(arguments, {}, {"unshare", "--mount", "sh", "-c", R"(mount --bind -o ro "$0" "$0" && exec "$@")", m_home.home()});
        return std::tuple(run.exitCode, run.err);
    };
    if (std::get<0>(readOnly({"--version"})) != 0)
        GTEST_SKIP() << "no read-only bind mount here (unshare --mount needs CAP_SYS_ADMIN)";
    const auto before = m_home.documents();
    const auto [exitCode, err] = readOnly({"favorites", "add", "1", "1"});
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(err.startsWith(saveFailed('F', "Read-only file system"))) << err.toStdString();
    EXPECT_EQ(m_home.documents(), before);
}

// A damaged archive whose replacement cannot be written stays in its place as it was, with no
// copy beside it; the next run that can write keeps the copy.
TEST_F(FileFaultsTest, ADamagedArchiveStaysInPlaceWhenItsSaveFails)
{
    m_home.writeDocument(QStringLiteral("favorites.archive"), "{\"FavoritesCollection\": [");
    const auto before = m_home.documents();
    EXPECT_EQ(withoutRoomToWrite({"mode"}).all(),
              std::tuple(1, u"Always\n"_qs, saveFailed('F', "File too large") + u'\n'));
    EXPECT_EQ(m_home.documents(), before);
    EXPECT_EQ(m_home.run({"mode"}).err.count(QStringLiteral("Your favorites file was damaged")), 1);
    EXPECT_EQ(QDir(documentPath({})).entryList({"*.damaged-*"}, QDir::Files).size(), 1);
}

// The next command of any kind keeps a damaged favourites archive aside before its end writes
// over it; of a settings archive with one entry of the wrong kind only that entry is lost.
TEST_F(FileFaultsTest, ADamagedArchiveIsKeptAsideByTheNextCommandOfAnyKind)
{
    m_home.writeDocument(QStringLiteral("favorites.archive"), "{\"FavoritesCollection\": [");
    m_home.writeDocument(QStringLiteral("settings.archive"), R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": "0"}})");
    const FarlineRun run = m_home.run({"mode"});
    const QStringList copies = QDir(documentPath({})).entryList({"*.damaged-*"}, QDir::Files, QDir::Name);
    ASSERT_EQ(copies.size(), 2);
    const auto kept = [&](const char *what, const QString &copy) {
        return QStringLiteral("Farline: Your %1 file was damaged. A copy is kept as %2.\n").arg(QLatin1String(what), documentPath(copy));
    };
    // "Always": the default of the entry that could not be read.
    EXPECT_EQ(run.all(), std::tuple(0, u"Always\n"_qs, kept("favorites", copies[0]) + kept("settings", copies[1])));
    EXPECT_EQ(readFile(documentPath(copies[0])), "{\"FavoritesCollection\": [");
    EXPECT_TRUE(readFile(documentPath(copies[1])).contains("\"useFarlineFor\": \"0\""));
    EXPECT_EQ(m_home.run({"country"}).outLines(), QStringList{"234\tUnited Kingdom"});
    EXPECT_EQ(m_home.run({"favorites"}).all(), std::tuple(0, QString(), QString()));
}

// A damaged address book is said once and kept aside, and a new one takes its place: the contacts
// start empty, and the favourite keeps its number, also once another person fills the new book
// under the id the old one gave Anna; linked to no one, it shows its number as its name.
TEST_F(FileFaultsTest, ADamagedAddressBookIsKeptAsideAndANewOneTakesItsPlace)
{
    const QString book = m_home.home() + QStringLiteral("/AddressBook.sqlite");
    ASSERT_EQ(m_home.run({"favorites"}).out, u"0\tAnna Berg \tmobile\t+46 70 111\n");
    const QByteArray damaged = withPagesOverwritten(readFile(book));
    writeFile(book, damaged);
    const FarlineRun list = m_home.run({"contacts", "list"});
    const QStringList copies = QDir(m_home.home()).entryList({"AddressBook.sqlite.damaged-*"}, QDir::Files);
    ASSERT_EQ(copies.size(), 1);
    const QString copy = m_home.home() + u'/' + copies[0];
    EXPECT_EQ(list.all(), std::tuple(0, QString(), QStringLiteral("Farline: Your address book is damaged. A copy is kept as %1; "
                                                                  "import your contacts again.\n").arg(copy)));
    EXPECT_EQ(readFile(copy), damaged);
    const QString card = m_home.write(QStringLiteral("bo.vcf"), "BEGIN:VCARD\nVERSION:3.0\nN:Ek;Bo;;;\nTEL;TYPE=CELL:+46 70 999\nEND:VCARD\n");
    EXPECT_EQ(m_home.run({"contacts", "import", card}).all(), std::tuple(0, u"imported 1, updated 0, skipped 0\n"_qs, QString()));
    EXPECT_EQ(m_home.run({"favorites"}).all(), std::tuple(0, u"0\t+46 70 111\t\t+46 70 111\n"_qs, QString()));
}
} // namespace
