#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "support/FileSizeLimit.h"
#include "support/TestApp.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {
const QString archiveName = QStringLiteral("settings.archive");

void expectFreshDefaults(const AppSettings &record)
{
    EXPECT_EQ(std::tie(record.currentMCC, record.useFarlineFor, record.selectedTabIndex, record.lanNumberPos,
                       record.currentVersionNumber, record.keypadPhoneNumber),
              std::tuple(std::optional(QStringLiteral("-1")), 1, 0, 0, 0, QString()));
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
    std::tie(saved.keypadPhoneNumber, saved.selectedTabIndex, saved.currentMCC, saved.currentVersionNumber, saved.useFarlineFor) =
        std::tuple(QStringLiteral("+48,123"), 3, QStringLiteral("260"), -7, 0);
    test.app().lanManager().setCurrentLANpos(2); // saved as the record's position
    saved.lastUpdate = testEpoch().addDays(-40);
    saved.currentLANFileURL = QStringLiteral("http://example.org/f");
    saved.updatedLANFileReceived = saved.pathForUpdateReceived = saved.dialogDismissed = true;
    saved.errorOccured = 1;
    ASSERT_TRUE(test.app().saveAppSettings()); // the documents folder is made

    test.restart();
    test.app().loadAppSettings();
    AppSettings &loaded = test.app().appSettings();
    EXPECT_EQ(std::tie(loaded.keypadPhoneNumber, loaded.selectedTabIndex, loaded.currentMCC, loaded.lanNumberPos,
                       loaded.currentVersionNumber, loaded.lastUpdate, loaded.useFarlineFor),
              std::tuple(QStringLiteral("+48,123"), 3, std::optional(QStringLiteral("260")), 2, -7,
                         std::optional(testEpoch().addDays(-40)), 0));
    EXPECT_EQ(loaded.currentLANFileURL, std::nullopt);
    EXPECT_FALSE(loaded.updatedLANFileReceived || loaded.pathForUpdateReceived || loaded.dialogDismissed);
    EXPECT_EQ(loaded.errorOccured, 0);

    // An absent country and date are written and read back as absent.
    loaded.currentMCC.reset();
    loaded.lastUpdate.reset();
    ASSERT_TRUE(test.app().saveAppSettings());
    test.restart();
    test.app().loadAppSettings();
    EXPECT_EQ(test.app().appSettings().currentMCC, std::nullopt);
    EXPECT_EQ(test.app().appSettings().lastUpdate, std::nullopt);
}

TEST(AppSettingsTest, AbsentEntriesReadAsNoneOrZeroWithoutOtherDefaults)
{
    TestApp test;
    test.writeDocument(archiveName, R"({"App settings": {"$class": "AppSettings",
        "Keypad number": "12", "Last update time": null}})");
    test.app().loadAppSettings();
    const AppSettings &loaded = test.app().appSettings();
    // The country is none ("-1" would be a first start).
    EXPECT_EQ(std::tie(loaded.keypadPhoneNumber, loaded.currentMCC, loaded.lastUpdate, loaded.useFarlineFor, loaded.selectedTabIndex),
              std::tuple(QStringLiteral("12"), std::optional<QString>(), std::optional<QDateTime>(), 0, 0));
}

// What cannot be read is passed over as narrowly as it can be; the file itself is kept aside,
// with one warning, before the first save writes over it.
TEST(AppSettingsTest, ADamagedArchiveKeepsWhatCanBeReadAndIsKeptAsideAtTheNextSave)
{
    const QString fresh = QStringLiteral("-1 1 0"); // country, mode, tab of a fresh record
    const std::tuple<const char *, QByteArray, QString> cases[] = {
        {"garbage", QByteArray::fromHex("00ff13377f8081"), fresh},
        {"wrong class", R"({"App settings": {"$class": "FavoriteRecord", "MCC": "234"}})", fresh},
        {"settings are a list", R"({"App settings": [{"$class": "AppSettings", "MCC": "234"}]})", fresh},
        {"country as a number", R"({"App settings": {"$class": "AppSettings", "MCC": 234, "useFarlineFor": 0, "Selected tab index": 2}})", "-1 0 2"},
        {"tab as text", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Selected tab index": "1"}})", "234 0 0"},
        {"tab as object", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Selected tab index": {"a": 1}}})", "234 0 0"},
        {"date as text", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Last update time": "2020-01-01"}})", "234 0 0"},
        {"date unreadable", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Last update time": {"$date": "x"}}})", "234 0 0"},
        {"mode as fraction", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": 0.5}})", "234 1 0"},
        {"mode beyond int", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": 4294967296}})", "234 1 0"},
        {"mode as flag", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": true}})", "234 1 0"},
    };
    const QString kept = archiveName + QStringLiteral(".damaged-20260314-150926");
    for (const auto &[name, bytes, expected] : cases) {
        SCOPED_TRACE(name);
        TestApp test;
        test.writeDocument(archiveName, bytes);
        test.app().loadAppSettings();
        const AppSettings &loaded = test.app().appSettings();
        EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(loaded.currentMCC.value_or(u"none"_qs)).arg(loaded.useFarlineFor).arg(loaded.selectedTabIndex),
                  expected);
        // A reminder date that cannot be read counts from now, as for a fresh record.
        if (QByteArray(name).startsWith("date")) {
            EXPECT_EQ(loaded.lastUpdate, testEpoch());
        }

        ASSERT_TRUE(test.app().saveAppSettings());
        EXPECT_EQ(test.readDocument(kept), bytes);
        EXPECT_EQ(test.alertMessages(), QStringList{"Your settings file was damaged. A copy is kept as " + test.documentPath(kept) + u'.'});
        EXPECT_FALSE(test.app().failed()); // nothing was lost
        ASSERT_TRUE(test.app().saveAppSettings()); // the new file is whole: no other copy
        EXPECT_EQ(QDir(test.app().home().documents()).entryList(QDir::Files).size(), 2);
        EXPECT_EQ(test.alertMessages().size(), 1);
    }
}

TEST(AppSettingsTest, AFailedWriteIsReportedOnceAndLeavesTheEarlierArchiveIntact)
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
        EXPECT_FALSE(test.app().saveAppSettings()); // as at a change and again at the end
    }
    EXPECT_EQ(test.readDocument(archiveName), earlier);
    EXPECT_TRUE(test.app().failed());
    EXPECT_EQ(test.alertMessages(), QStringList{"Your settings could not be saved in " + test.documentPath(archiveName)
                                                + " (File too large). The previous settings are kept."});
    EXPECT_EQ(QDir(test.app().home().documents()).entryList(QDir::Files), QStringList{archiveName}); // no leftovers

    test.restart();
    test.app().loadAppSettings();
    EXPECT_EQ(test.app().appSettings().currentMCC, u"234");
}
} // namespace
