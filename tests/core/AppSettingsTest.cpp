#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "platform/KeyedArchive.h"
#include "support/FileSizeLimit.h"
#include "support/TestApp.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {
const QString archiveName = QStringLiteral("settings.archive");

void expectFreshDefaults(const AppSettings &record)
{
    EXPECT_EQ(record.currentMCC, u"-1");
    EXPECT_EQ(record.useFarlineFor, 1);
    EXPECT_EQ(record.selectedTabIndex, 0);
    EXPECT_EQ(record.lanNumberPos, 0);
    EXPECT_EQ(record.currentVersionNumber, 0);
    EXPECT_EQ(record.keypadPhoneNumber, u"");
}

TEST(AppSettingsTest, AFreshRecordHasTheDefaultsAndCountsTheReminderFromItsCreation)
{
    TestApp test;
    expectFreshDefaults(test.app().appSettings());
    EXPECT_EQ(test.app().appSettings().currentLANFileURL, u"");
    EXPECT_EQ(test.app().appSettings().lastUpdate, testEpoch());
}

TEST(AppSettingsTest, SaveThenLoadGivesBackTheSevenFieldsAndResetsTheUpdateFields)
{
    TestApp test;
    AppSettings &saved = test.app().appSettings();
    saved.keypadPhoneNumber = QStringLiteral("+48,123");
    saved.selectedTabIndex = 3;
    saved.currentMCC = QStringLiteral("260");
    test.app().lanManager().setCurrentLANpos(2); // saved as the record's position
    saved.currentVersionNumber = -7;
    saved.lastUpdate = testEpoch().addDays(-40);
    saved.useFarlineFor = 0;
    saved.currentLANFileURL = QStringLiteral("http://example.org/f");
    saved.updatedLANFileReceived = true;
    saved.pathForUpdateReceived = true;
    saved.errorOccured = 1;
    saved.dialogDismissed = true;
    ASSERT_TRUE(test.app().saveAppSettings());

    test.restart();
    test.app().loadAppSettings();
    const AppSettings &loaded = test.app().appSettings();
    EXPECT_EQ(loaded.keypadPhoneNumber, u"+48,123");
    EXPECT_EQ(loaded.selectedTabIndex, 3);
    EXPECT_EQ(loaded.currentMCC, u"260");
    EXPECT_EQ(loaded.lanNumberPos, 2);
    EXPECT_EQ(loaded.currentVersionNumber, -7);
    EXPECT_EQ(loaded.lastUpdate, testEpoch().addDays(-40));
    EXPECT_EQ(loaded.useFarlineFor, 0);
    EXPECT_EQ(loaded.currentLANFileURL, std::nullopt);
    EXPECT_FALSE(loaded.updatedLANFileReceived);
    EXPECT_FALSE(loaded.pathForUpdateReceived);
    EXPECT_EQ(loaded.errorOccured, 0);
    EXPECT_FALSE(loaded.dialogDismissed);
}

TEST(AppSettingsTest, AbsentEntriesReadAsNoneOrZeroWithoutOtherDefaults)
{
    TestApp test;
    test.writeDocument(archiveName, R"({"App settings": {"$class": "AppSettings",
        "Keypad number": "12", "Last update time": null}})");
    test.app().loadAppSettings();
    const AppSettings &loaded = test.app().appSettings();
    EXPECT_EQ(loaded.keypadPhoneNumber, u"12");
    EXPECT_EQ(loaded.currentMCC, std::nullopt); // none: not a first start
    EXPECT_EQ(loaded.lastUpdate, std::nullopt);
    EXPECT_EQ(loaded.useFarlineFor, 0);
    EXPECT_EQ(loaded.selectedTabIndex, 0);
}

TEST(AppSettingsTest, AnAbsentCountryIsWrittenAndReadBackAsAbsent)
{
    TestApp test;
    test.app().appSettings().currentMCC.reset();
    test.app().appSettings().lastUpdate.reset();
    ASSERT_TRUE(test.app().saveAppSettings());
    test.restart();
    test.app().loadAppSettings();
    EXPECT_EQ(test.app().appSettings().currentMCC, std::nullopt);
    EXPECT_EQ(test.app().appSettings().lastUpdate, std::nullopt);
}

TEST(AppSettingsTest, ADamagedArchiveLoadsAsNoArchive)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"empty file", ""},
        {"garbage", QByteArray::fromHex("00ff13377f8081")},
        {"truncated", R"({"App settings": {"$class": "AppSettings", "MCC": "2)"},
        {"wrong root key", R"({"Settings": {"$class": "AppSettings", "MCC": "234"}})"},
        {"wrong class", R"({"App settings": {"$class": "FavoriteRecord", "MCC": "234"}})"},
        {"country as a number", R"({"App settings": {"$class": "AppSettings", "MCC": 234}})"},
        {"tab as text", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Selected tab index": "1"}})"},
        {"date as text", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Last update time": "2020-01-01"}})"},
        {"mode as fraction", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": 0.5}})"},
    };
    for (const auto &[name, bytes] : cases) {
        SCOPED_TRACE(name);
        TestApp test;
        test.writeDocument(archiveName, bytes);
        test.app().loadAppSettings();
        expectFreshDefaults(test.app().appSettings());
        // The program goes on: the next save replaces the damaged file with a good one.
        ASSERT_TRUE(test.app().saveAppSettings());
        test.restart();
        test.app().loadAppSettings();
        expectFreshDefaults(test.app().appSettings());
    }
}

TEST(AppSettingsTest, AFailedWriteLeavesTheEarlierArchiveIntact)
{
    TestApp test;
    test.app().appSettings().currentMCC = QStringLiteral("234");
    ASSERT_TRUE(test.app().saveAppSettings());
    const QByteArray earlier = test.readDocument(archiveName);

    test.app().appSettings().currentMCC = QStringLiteral("262");
    test.app().appSettings().keypadPhoneNumber = QString(2000, u'1');
    {
        const FileSizeLimit limit(16);
        EXPECT_FALSE(test.app().saveAppSettings());
    }
    EXPECT_EQ(test.readDocument(archiveName), earlier);

    if (geteuid() != 0) { // a read-only folder stops everyone but root
        QFile::setPermissions(test.app().home().documents(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_FALSE(test.app().saveAppSettings());
        QFile::setPermissions(test.app().home().documents(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(test.readDocument(archiveName), earlier);
    }
    test.restart();
    test.app().loadAppSettings();
    EXPECT_EQ(test.app().appSettings().currentMCC, u"234");
}

TEST(AppSettingsTest, SavingCreatesTheDocumentsFolder)
{
    TestApp test;
    ASSERT_FALSE(QDir(test.app().home().documents()).exists());
    EXPECT_TRUE(test.app().saveAppSettings());
    EXPECT_TRUE(QFile::exists(test.documentPath(archiveName)));
}
} // namespace
