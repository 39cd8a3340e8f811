#include "core/AppSettings.h"
#include "support/TestApp.h"

#include <gtest/gtest.h>

namespace {
const QString archiveName = QStringLiteral("settings.archive");

TEST(AppSettingsTest, SaveThenLoadGivesBackTheStoredFieldsAndResetsTheUpdateFields)
{
    TestApp test;
    AppSettings &saved = test.app().appSettings();
    std::tie(saved.keypadPhoneNumber, saved.selectedTabIndex, saved.currentMCC, saved.currentVersionNumber, saved.useFarlineFor) =
        std::tuple(QStringLiteral("+48,123"), 3, QStringLiteral("260"), -7, 0);
    saved.lastUpdate = testEpoch().addDays(-40);
    saved.currentLANFileURL = QStringLiteral("http://example.org/f");
    saved.updatedLANFileReceived = saved.pathForUpdateReceived = saved.dialogDismissed = true;
    saved.errorOccured = 1;
    ASSERT_TRUE(test.app().saveAppSettings()); // the documents folder is made

    test.restart();
    test.app().loadAppSettings();
    AppSettings &loaded = test.app().appSettings();
    // The access number's position comes back with the start: see its test.
    EXPECT_EQ(std::tie(loaded.keypadPhoneNumber, loaded.selectedTabIndex, loaded.currentMCC, loaded.currentVersionNumber, loaded.lastUpdate,
                       loaded.useFarlineFor),
              std::tuple(QStringLiteral("+48,123"), 3, std::optional(QStringLiteral("260")), -7, std::optional(testEpoch().addDays(-40)), 0));
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

struct Damage
{
    const char *name;
    QByteArray bytes;
    const char *loaded; // country, mode and tab as loaded
};

using DamagedSettingsTest = ::testing::TestWithParam<Damage>;

// What cannot be read is passed over as narrowly as it can be (an entry of the wrong kind alone);
// the file itself is kept aside before the first save writes over it (what is said then, and
// only once, is the archive file's way: see the recent calls' test).
TEST_P(DamagedSettingsTest, KeepsWhatCanBeReadAndIsKeptAsideAtTheNextSave)
{
    const auto &[name, bytes, expected] = GetParam();
    const QString kept = archiveName + QStringLiteral(".damaged-20260314-150926");
    TestApp test;
    test.writeDocument(archiveName, bytes);
    test.app().loadAppSettings();
    const AppSettings &loaded = test.app().appSettings();
    EXPECT_EQ(QStringLiteral("%1 %2 %3").arg(loaded.currentMCC.value_or(u"none"_qs)).arg(loaded.useFarlineFor).arg(loaded.selectedTabIndex),
              QLatin1String(expected));
    // A reminder date that cannot be read counts from now, as for a fresh record.
    EXPECT_EQ(loaded.lastUpdate, testEpoch());

    ASSERT_TRUE(test.app().saveAppSettings());
    EXPECT_EQ(test.readDocument(kept), bytes);
}

const Damage damages[] = {
    {"Garbage", QByteArray::fromHex("00ff13377f8081"), "-1 1 0"},
    {"WrongClass", R"({"App settings": {"$class": "FavoriteRecord", "MCC": "234"}})", "-1 1 0"},
    {"SettingsAreAList", R"({"App settings": [{"$class": "AppSettings", "MCC": "234"}]})", "-1 1 0"},
    {"CountryAsANumber", R"({"App settings": {"$class": "AppSettings", "MCC": 234, "useFarlineFor": 0, "Selected tab index": 2,
        "Last update time": {"$date": "x"}}})", "-1 0 2"},
};
INSTANTIATE_TEST_SUITE_P(, DamagedSettingsTest, ::testing::ValuesIn(damages), [](const auto &row) { return std::string(row.param.name); });

} // namespace
