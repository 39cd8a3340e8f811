#include "app/GlobalOptions.h"
#include "datafile/UpdateSignature.h"
#include "app/support/Farline.h"
#include "lists/CallRecordArchive.h"
#include "platform/HomeLock.h"
#include "platform/KeyedArchive.h"
#include "platform/PlatformServices.h"
#include "support/Files.h"

#include <QDir>
#include <QDirIterator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
TEST(CommandLineTest, VersionAndHelp)
{
    EXPECT_EQ(runFarline({"--version"}).all(), std::tuple(0, u"farline " FARLINE_VERSION "\n"_qs + PlatformServices::updatesText(GlobalOptions::builtInUpdateKey) + u'\n', QString()));

    const QTemporaryDir dir;
    const QString key = writeFile(dir.filePath(QStringLiteral("key.pem")), UpdateSignature::generateKeyPair()->publicKey);
    EXPECT_EQ(runFarline({"--update-key", key, "--version"}).outLines().value(1), u"updates: signed");

    const FarlineRun help = runFarline({"--help"});
    EXPECT_EQ(std::tuple(help.exitCode, help.err), std::tuple(0, QString()));
    EXPECT_TRUE(help.out.startsWith(u"Usage: farline [OPTIONS] [COMMAND [ARGS...]]\n"));
}

struct BadUsage
{
    const char *name;
    QStringList arguments; // "CARDS" stands for a file of two cards
    const char *named = ""; // what the message names
    bool lists = false; // on a home with lists, else on a fresh one
};

class BadUsageTest : public ::testing::TestWithParam<BadUsage>
{
protected:
    // With lists, there are two contacts (Anna: 2 numbers, Acme: 1), both first numbers are
    // favourites and there was one call.
    void SetUp() override
    {
        if (!GetParam().lists)
            return;
        m_cards = m_home.write(QStringLiteral("cards.vcf"), "BEGIN:VCARD\nN:Berg;Anna;;;\nTEL;TYPE=CELL:+46 70 111\nTEL:+46 8 123\nEND:VCARD\n"
                                                            "BEGIN:VCARD\nORG:Acme\nTEL:555-1000\nEND:VCARD\n");
        ASSERT_EQ(m_home.run({"contacts", "import", m_cards}).exitCode, 0);
        const auto favourite = [](const char *number, int contact) {
            return std::make_shared<FavoriteRecord>(FavoriteRecord{number, {}, {}, contact, 0, std::nullopt});
        };
        const QString documents = m_home.home() + QStringLiteral("/Documents/");
        ASSERT_TRUE(KeyedArchive::write(documents + "favorites.archive", QStringLiteral("FavoritesCollection"),
                                        CallRecordArchive::encode({favourite("+46 70 111", 1), favourite("555-1000", 2)})));
        ASSERT_TRUE(KeyedArchive::write(documents + "recent.archive", QStringLiteral("ReecentCollection"),
                                        CallRecordArchive::encode({favourite("221234567", -1)})));
        ASSERT_EQ(m_home.run({"favorites"}).exitCode, 0); // which refreshes them from the contacts
    }
    // Every file under the home with its bytes, but the lock's note of who holds it.
    QMap<QString, QByteArray> files() const
    {
        QMap<QString, QByteArray> files;
        for (QDirIterator it(m_home.home(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            if (!path.endsWith(HomeLock::fileName))
                files.insert(path, readFile(path));
        }
        return files;
    }

    FarlineHome m_home;
    QString m_cards;
};

// Exit status 2, one line on standard error naming the culprit, nothing on standard output, and
// nothing changed.
TEST_P(BadUsageTest, IsOneLineExitStatusTwoAndChangesNothing)
{
    QStringList arguments = GetParam().arguments;
    arguments.replaceInStrings(QStringLiteral("CARDS"), m_cards);
    const auto before = files();
    const FarlineRun run = m_home.run(QStringList{"--telephone", "print"} + arguments);
    EXPECT_EQ(run.exitCode, 2);
    ASSERT_EQ(run.errLines().size(), 1) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QLatin1String(GetParam().named))) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_EQ(files(), before);
}

const BadUsage badUsage[] = {
    {"UnknownCommand", {"frobnicate"}, "frobnicate"},
    {"UnknownOption", {"--frobnicate"}, "frobnicate"},
    {"OptionWithoutValue", {"--home"}, "home"},
    {"UnknownOptionAfterAnInlineValue", {"--home=/tmp", "--colour", "x"}, "colour"},
    {"UnknownTelephone", {"--telephone", "sip"}, "sip"},
    {"WindowOptionWithACommand", {"--self-test", "country"}, "--self-test"},
    {"CountryOutsideTheList", {"country", "999"}},
    {"EmptyCountry", {"country", ""}},
    {"CountryWithCarriageReturn", {"country", "234\r"}},
    {"TwoCountries", {"country", "234", "260"}},
    {"UnknownAccessStep", {"access", "x"}},
    {"CountriesWithArgument", {"countries", "x"}},
    {"UnknownMode", {"mode", "sometimes"}},
    {"ImportOfAMissingFile", {"contacts", "import", "CARDS", "missing.vcf"}, "missing.vcf", true},
    {"ImportWithoutFile", {"contacts", "import"}},
    {"RemoveContactOutsideTheList", {"contacts", "remove", "7"}, "", true},
    {"RemoveContactNotANumber", {"contacts", "remove", "one"}},
    {"ContactsWithoutSubcommand", {"contacts"}},
    {"FavouriteOfAPhoneOutsideTheContact", {"favorites", "add", "2", "1"}, "", true},
    {"FavouriteOfAContactOutsideTheList", {"favorites", "add", "3", "0"}, "", true},
    {"FavouriteWithoutPhone", {"favorites", "add", "1"}},
    {"RemoveFavouriteOutsideTheList", {"favorites", "remove", "2"}, "", true},
    {"RemoveFavouriteBelowTheList", {"favorites", "remove", "-1"}},
    {"UnknownRecentsSubcommand", {"recents", "all"}},
    {"CallEmptyNumber", {"call", ""}},
    {"CallUnknownCharacter", {"call", "12ß4"}, "no key"},
    {"CallServiceCode", {"call", "*100#"}, "service codes need the phone's own dialler"},
    {"CallServiceCodeAddress", {"call", "tel:*100%23"}, "*100#"},
    {"CallTooLong", {"call", QString(65, u'5')}, "at most 64"},
    {"CallAddressTooLong", {"call", "tel:" + QString(125000, u'5')}, "at most 64"},
    {"CallRecentOutsideTheList", {"recents", "call", "1"}, "", true},
    {"CallFavouriteBelowTheList", {"favorites", "call", "-1"}, "", true},
    {"CallPhoneOutsideTheContact", {"contacts", "call", "1", "7"}, "", true},
    {"CallContactOutsideTheList", {"contacts", "call", "9", "0"}, "", true},
    {"ModemWithArgument", {"modem", "now"}},
    {"UpdateWithArgument", {"update", "now"}},
};
INSTANTIATE_TEST_SUITE_P(, BadUsageTest, ::testing::ValuesIn(badUsage), [](const auto &row) { return std::string(row.param.name); });

} // namespace
