#include "access/LANManger.h"
#include "access/StartScreen.h"
#include "core/AppSettings.h"
#include "platform/KeyedArchive.h"
#include "support/DataFiles.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
class StartScreenTest : public ::testing::Test
{
protected:
    // A first start whose access number file covers Poland and the United Kingdom.
    void SetUp() override { startWith(sealedDataFile("234 +44 20 1\r\n260 +48 22 1\r\n234 +44 20 2")); }

    void startWith(const QByteArray &lanFile)
    {
        test->writeDocument(QStringLiteral("LANFile.txt"), lanFile);
        test->app().applicationDidFinishLaunching();
        screen = std::make_unique<StartScreen>(test->app());
    }

    QStringList wheel() const
    {
        QStringList rows;
        for (int row = 0; row < screen->numberOfRows(); ++row)
            rows.append(screen->titleForRow(row));
        return rows;
    }

    std::unique_ptr<TestApp> test = std::make_unique<TestApp>();
    std::unique_ptr<StartScreen> screen;
};

TEST_F(StartScreenTest, TheWheelOffersTheCountriesWithAccessNumbersAndWidensOnRequest)
{
    EXPECT_EQ(wheel(), (QStringList{"Select SIM country", "Poland ", "United Kingdom "}));
    EXPECT_FALSE(screen->startEnabled());
    EXPECT_EQ(screen->selectedIndex(), -1);

    screen->didSelectRow(2);
    EXPECT_TRUE(screen->startEnabled());
    EXPECT_EQ(screen->selectedIndex(), 1);

    screen->moreCountries();
    EXPECT_GT(screen->numberOfRows(), 200);
    EXPECT_EQ(screen->mccArray()[screen->selectedIndex()], u"234");
    EXPECT_EQ(screen->titleForRow(screen->selectedRow()), u"United Kingdom ");
    EXPECT_TRUE(screen->startEnabled());

    screen->didSelectRow(0);
    EXPECT_FALSE(screen->startEnabled());
    EXPECT_EQ(screen->selectedIndex(), -1);
    screen->didSelectRow(5);
    EXPECT_TRUE(screen->startEnabled());
    screen->didSelectRow(screen->numberOfRows()); // no such row
    EXPECT_EQ(screen->selectedRow(), 5);
}

TEST_F(StartScreenTest, WideningWithThePromptSelectedKeepsThePrompt)
{
    screen->moreCountries();
    EXPECT_EQ(screen->selectedRow(), 0);
    EXPECT_EQ(screen->selectedIndex(), -1);
    EXPECT_FALSE(screen->startEnabled());
    QSignalSpy started(screen.get(), &StartScreen::started);
    screen->startApplication(); // "Start" is disabled: nothing happens
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(test->app().appSettings().currentMCC, u"-1");
}

TEST_F(StartScreenTest, StartStoresTheCountryAndStartsTheMainApplication)
{
    struct Case
    {
        bool widen;
        QString key;
        QStringList numbers;
        QString warning; // empty for none
    };
    const Case cases[] = {
        {false, "234", {"+44201", "+44202"}, {}},
        {true, "412", {},
         "Farline does not offer calls from Afghanistan  yet. For more information visit our website at "
         "https://www.farline.example/"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.key.toStdString());
        screen.reset();
        test = std::make_unique<TestApp>();
        SetUp();
        if (c.widen)
            screen->moreCountries();
        screen->didSelectRow(int(screen->mccArray().indexOf(c.key)) + 1);
        test->clock().advance(60);
        QSignalSpy started(screen.get(), &StartScreen::started);
        screen->startApplication();
        EXPECT_EQ(started.count(), 1);
        EXPECT_EQ(test->app().appSettings().currentMCC, c.key);
        EXPECT_EQ(test->app().lanManager().lanNumbers(), c.numbers);
        EXPECT_EQ(test->app().appSettings().lastUpdate, testEpoch().addSecs(60));
        const auto archived = KeyedArchive::readObject(test->documentPath(AppSettings::archiveFileName),
                                                       AppSettings::archiveRootKey);
        ASSERT_TRUE(archived);
        EXPECT_EQ(archived->text(QStringLiteral("MCC")), c.key);
        ASSERT_EQ(test->alerts().shown().size(), c.warning.isEmpty() ? 0u : 1u);
        if (!c.warning.isEmpty()) {
            EXPECT_EQ(test->alerts().shown()[0].message, c.warning);
        }
    }
}

TEST_F(StartScreenTest, WithoutAUsableAccessNumberFileOnlyThePromptIsOffered)
{
    screen.reset();
    test = std::make_unique<TestApp>();
    startWith("not enciphered");
    EXPECT_EQ(wheel(), QStringList{"Select SIM country"});
    screen->moreCountries();
    EXPECT_GT(screen->numberOfRows(), 200);
}
} // namespace
