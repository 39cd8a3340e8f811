#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "support/FileSizeLimit.h"
#include "support/TestApp.h"

#include <QFile>
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

TEST(AppSettingsTest, ADamagedArchiveLoadsAsNoArchive)
{
    const std::pair<const char *, QByteArray> cases[] = {
        {"garbage", QByteArray::fromHex("00ff13377f8081")},
        {"wrong class", R"({"App settings": {"$class": "FavoriteRecord", "MCC": "234"}})"},
        {"country as a number", R"({"App settings": {"$class": "AppSettings", "MCC": 234}})"},
        {"tab as text", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Selected tab index": "1"}})"},
        {"date as text", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Last update time": "2020-01-01"}})"},
        {"mode as fraction", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": 0.5}})"},
        {"mode beyond int", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": 4294967296}})"},
        {"mode as flag", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "useFarlineFor": true}})"},
        {"tab as object", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Selected tab index": {"a": 1}}})"},
        {"date unreadable", R"({"App settings": {"$class": "AppSettings", "MCC": "234", "Last update time": {"$date": "x"}}})"},
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
} // namespace
