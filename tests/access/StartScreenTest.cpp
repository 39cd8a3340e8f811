#include "access/StartScreen.h"
#include "core/AppSettings.h"
#include "support/DataFiles.h"
#include "support/TestApp.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {
// A first start whose access number file covers Poland and the United Kingdom, with its start
// screen.
struct FirstStart
{
    explicit FirstStart(const QByteArray &lanFile = sealedDataFile("234 +44 20 1\r\n260 +48 22 1\r\n234 +44 20 2"))
    {
        test.writeDocument(QStringLiteral("LANFile.txt"), lanFile);
        test.app().applicationDidFinishLaunching();
        tester.emplace(screen().countries(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    StartScreen &screen() { return *test.app().startScreen(); }
    QStringList wheel()
    {
        QStringList rows;
        const CountryListModel &model = *screen().countries();
        for (int row = 0; row < model.rowCount(); ++row)
            rows.append(model.index(row).data(CountryListModel::NameRole).toString());
        return rows;
    }

    TestApp test;
    std::optional<QAbstractItemModelTester> tester;
};

TEST(StartScreenTest, TheWheelOffersTheCountriesWithAccessNumbersAndWidensOnRequest)
{
    FirstStart first;
    StartScreen &screen = first.screen();
    EXPECT_EQ(first.wheel(), (QStringList{"Select SIM country", "Poland", "United Kingdom"}));
    EXPECT_FALSE(screen.startEnabled());
    EXPECT_EQ(screen.selectedIndex(), -1);
    screen.didSelectRow(2);
    EXPECT_TRUE(screen.startEnabled());
    EXPECT_EQ(screen.selectedIndex(), 1);

    screen.moreCountries(); // the selection and "Start" stay
    EXPECT_GT(screen.countries()->rowCount(), 200);
    EXPECT_EQ(screen.countries()->entry(screen.selectedIndex() + 1)->key, u"234");
    EXPECT_EQ(first.wheel()[screen.selectedRow()], u"United Kingdom");
    EXPECT_TRUE(screen.startEnabled());

    screen.didSelectRow(0);
    EXPECT_FALSE(screen.startEnabled());
    EXPECT_EQ(screen.selectedIndex(), -1);
    screen.didSelectRow(5);
    EXPECT_TRUE(screen.startEnabled());
    screen.didSelectRow(screen.countries()->rowCount()); // no such row
    EXPECT_EQ(screen.selectedRow(), 5);

    // An access number file without countries offers only the prompt until the list is widened.
    FirstStart unusable(sealedDataFile(""));
    EXPECT_EQ(unusable.wheel(), QStringList{"Select SIM country"});
    unusable.screen().moreCountries();
    EXPECT_GT(unusable.screen().countries()->rowCount(), 200);
}

TEST(StartScreenTest, WideningWithThePromptSelectedKeepsThePromptAndStartDisabled)
{
    FirstStart first;
    StartScreen &screen = first.screen();
    QSignalSpy started(&screen, &StartScreen::started);
    screen.moreCountries();
    EXPECT_EQ(std::pair(screen.selectedRow(), screen.selectedIndex()), std::pair(0, -1));
    EXPECT_FALSE(screen.startEnabled());
    screen.startApplication(); // nothing happens
    EXPECT_EQ(started.count(), 0);
    EXPECT_EQ(first.test.app().appSettings().currentMCC, u"-1");
}
} // namespace
