#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/TCCManager.h"
#include "support/DataFiles.h"
#include "support/FileSizeLimit.h"
#include "support/TestApp.h"
#include "support/Files.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString lanFile = QStringLiteral("LANFile.txt");
const QString mccFile = QStringLiteral("MCCFile.txt");

QByteArray bundled(const QString &name)
{
    return readFile(QStringLiteral(":/bundle/") + name);
}

TEST(StartUpTest, AStartCopiesMissingOrUndecipherableDataFilesAndKeepsOnesThatDecipher)
{
    TestApp test;
    test.app().applicationDidFinishLaunching();
    EXPECT_EQ(test.readDocument(lanFile), bundled(lanFile));
    EXPECT_EQ(test.readDocument(mccFile), bundled(mccFile));
    EXPECT_EQ(test.app().appSettings().currentMCC, u"-1");
    EXPECT_TRUE(test.app().lanManager().lanNumbers().isEmpty());
    EXPECT_TRUE(test.app().lanManager().countriesArray().contains(u"234"));
    EXPECT_GT(test.app().tccManager().mccArray().size(), 200);

    // A downloaded update that deciphers stays; a copy that does not is replaced from the bundle.
    TestApp updated;
    const QByteArray update = sealedDataFile("234 +44 1\r\n");
    updated.writeDocument(lanFile, update);
    updated.writeDocument(mccFile, bundled(mccFile).chopped(16)); // cut short by a full disk
    updated.app().appSettings().currentMCC = QStringLiteral("234");
    updated.app().saveAppSettings();
    updated.app().applicationDidFinishLaunching();
    EXPECT_EQ(updated.readDocument(lanFile), update);
    EXPECT_EQ(updated.readDocument(mccFile), bundled(mccFile));
    EXPECT_EQ(updated.app().lanManager().lanNumbers(), QStringList{"+441"});
    EXPECT_TRUE(updated.alertMessages().isEmpty());
}

TEST(StartUpTest, ADataFileThatCannotBeWrittenWholeIsNotWrittenAtAllAndComesAtTheNextStart)
{
    TestApp test;
    {
        const FileSizeLimit limit(1024); // smaller than either data file
        test.app().applicationDidFinishLaunching();
    }
    EXPECT_FALSE(QFile::exists(test.documentPath(lanFile)));
    EXPECT_FALSE(QFile::exists(test.documentPath(mccFile)));
    EXPECT_TRUE(test.app().failed());
    EXPECT_EQ(test.alertMessages(),
              (QStringList{"Farline could not install " + test.documentPath(lanFile) + " (File too large). It tries again at the next start.",
                           "Farline could not install " + test.documentPath(mccFile) + " (File too large). It tries again at the next start."}));
    test.restart();
    test.app().applicationDidFinishLaunching();
    EXPECT_EQ(test.readDocument(lanFile), bundled(lanFile));
    EXPECT_EQ(test.readDocument(mccFile), bundled(mccFile));
}

// The version recorded was that of the damaged download: kept with the bundled copy, every
// later update would find nothing newer.
TEST(StartUpTest, TheBundledCopyReplacingADamagedDownloadResetsTheRecordedVersion)
{
    TestApp test;
    test.writeDocument(lanFile, sealedDataFile("234 +44 20 1000\r\n234 +44 20 2000\r\n").chopped(16));
    AppSettings &settings = test.app().appSettings();
    settings.currentMCC = QStringLiteral("234");
    settings.currentVersionNumber = 7;
    test.app().lanManager().setCurrentLANpos(1);
    ASSERT_TRUE(test.app().saveAppSettings());
    test.restart();
    test.app().applicationDidFinishLaunching();
    EXPECT_EQ(test.readDocument(lanFile), bundled(lanFile));
    EXPECT_EQ(test.app().appSettings().currentVersionNumber, 0);
    EXPECT_EQ(test.app().lanManager().currentLANpos(), 0);
}

TEST(StartUpTest, TheArchivedPositionIsRestoredAndKeptInsideTheList)
{
    for (const auto &[archived, expected] : {std::pair{0, 0}, {2, 2}, {3, 0}, {-1, 0}, {1000, 0}}) {
        SCOPED_TRACE(archived);
        TestApp test;
        test.writeDocument(lanFile, sealedDataFile("234 1\r\n234 2\r\n260 9\r\n234 3"));
        test.app().appSettings().currentMCC = QStringLiteral("234");
        test.app().lanManager().setCurrentLANpos(archived);
        ASSERT_TRUE(test.app().saveAppSettings());
        test.restart();
        test.app().applicationDidFinishLaunching();
        EXPECT_EQ(test.app().lanManager().lanNumbers(), (QStringList{"1", "2", "3"}));
        EXPECT_EQ(test.app().lanManager().currentLANpos(), expected);
    }
}

} // namespace
