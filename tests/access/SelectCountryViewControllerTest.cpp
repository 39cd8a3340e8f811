#include "access/LANManger.h"
#include "access/SelectCountryViewController.h"
#include "core/AppSettings.h"
#include "core/MainViewModalDelegate.h"
#include "platform/KeyedArchive.h"
#include "support/DataFiles.h"
#include "support/TestApp.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {
struct CountingDelegate : MainViewModalDelegate
{
    void SelectCountryDidFinish() override { ++finished; }
    int finished = 0;
};

class SelectCountryViewControllerTest : public ::testing::Test
{
protected:
    // A run whose SIM country is `stored`, with access numbers for 234 and 260.
    void startWith(const std::optional<QString> &stored)
    {
        test->writeDocument(QStringLiteral("LANFile.txt"),
                           sealedDataFile("234 +44 20 1\r\n260 +48 22 1\r\n234 +44 20 2\r\n"));
        test->app().appSettings().currentMCC = stored;
        test->app().saveAppSettings();
        test->app().applicationDidFinishLaunching();
        test->app().lanManager().setCurrentLANpos(1);
        screen = std::make_unique<SelectCountryViewController>(test->app());
        screen->setDelegate(&delegate);
        screen->loadView();
    }

    std::optional<QString> archivedCountry() const
    {
        const auto archived = KeyedArchive::readObject(test->documentPath(AppSettings::archiveFileName),
                                                       AppSettings::archiveRootKey);
        return archived ? archived->text(QStringLiteral("MCC")) : std::nullopt;
    }

    std::unique_ptr<TestApp> test = std::make_unique<TestApp>();
    CountingDelegate delegate;
    std::unique_ptr<SelectCountryViewController> screen;
};

TEST_F(SelectCountryViewControllerTest, TheStoredCountryComesFirstAndIsChecked)
{
    struct Case
    {
        std::optional<QString> stored;
        QStringList firstKeys;
        QStringList firstNames;
    };
    const Case cases[] = {
        {"234", {"234", "412", "276"}, {"United Kingdom ", "Afghanistan ", "Albania "}},
        {"-1", {"412", "276"}, {"Afghanistan ", "Albania "}},
        {std::nullopt, {"412", "276"}, {"Afghanistan ", "Albania "}},
        // Every row of a shared key goes to the front, the last one met ending first.
        {"647", {"647", "647", "412"}, {"Réunion ", "Mayotte ", "Afghanistan "}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.stored.value_or("none").toStdString());
        TestApp fresh;
        fresh.app().appSettings().currentMCC = c.stored;
        SelectCountryViewController view(fresh.app());
        view.loadView();
        EXPECT_EQ(view.title(), u"SIM country");
        EXPECT_EQ(view.mccArray().mid(0, c.firstKeys.size()), c.firstKeys);
        EXPECT_EQ(view.countryArray().mid(0, c.firstNames.size()), c.firstNames);
        EXPECT_EQ(view.mccArray().size(), view.countryArray().size());
        EXPECT_EQ(view.selectedIndex(), 0);
        EXPECT_EQ(view.checkedIndex(), 0);
    }
}

TEST_F(SelectCountryViewControllerTest, ATapMovesTheCheckMarkAndTheHighlightGoesAfterAMoment)
{
    startWith(QStringLiteral("234"));
    const int poland = int(screen->mccArray().indexOf(u"260"));
    screen->didSelectRow(poland);
    EXPECT_EQ(screen->checkedIndex(), poland);
    EXPECT_EQ(screen->selectedIndex(), poland);
    EXPECT_EQ(screen->currentMCC(), u"260");
    EXPECT_EQ(screen->highlightedRow(), poland);
    EXPECT_TRUE(QTest::qWaitFor([&] { return screen->highlightedRow() == -1; }, 2000));

    screen->didSelectRow(int(screen->mccArray().size())); // no such row
    EXPECT_EQ(screen->checkedIndex(), poland);
}

TEST_F(SelectCountryViewControllerTest, CancelOrDoneWithoutATapStoresNothing)
{
    startWith(QStringLiteral("234"));
    QSignalSpy dismissed(screen.get(), &SelectCountryViewController::dismissed);
    screen->didSelectRow(int(screen->mccArray().indexOf(u"260")));
    screen->CancelAction();
    EXPECT_EQ(dismissed.count(), 1);

    SelectCountryViewController again(test->app());
    again.loadView();
    again.DoneAction();
    for (const auto &country : {test->app().appSettings().currentMCC, archivedCountry()})
        EXPECT_EQ(country, u"234");
    EXPECT_EQ(test->app().lanManager().currentLANpos(), 1);
    EXPECT_EQ(delegate.finished, 0);
    EXPECT_TRUE(test->alerts().shown().empty());
}

TEST_F(SelectCountryViewControllerTest, DoneStoresTheTappedCountryEvenTheStoredOne)
{
    struct Case
    {
        QString tapped;
        QStringList numbers;
        bool warned;
    };
    const Case cases[] = {
        {"234", {"+44201", "+44202"}, false}, // the same country: back to its first number
        {"260", {"+48221"}, false},
        {"412", {}, true}, // no access numbers: stored all the same, with the warning
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.tapped.toStdString());
        screen.reset();
        test = std::make_unique<TestApp>();
        delegate.finished = 0;
        startWith(QStringLiteral("234"));
        QSignalSpy dismissed(screen.get(), &SelectCountryViewController::dismissed);
        screen->didSelectRow(int(screen->mccArray().indexOf(c.tapped)));
        screen->DoneAction();
        EXPECT_EQ(test->app().appSettings().currentMCC, c.tapped);
        EXPECT_EQ(archivedCountry(), c.tapped);
        EXPECT_EQ(test->app().lanManager().currentLANpos(), 0);
        EXPECT_EQ(test->app().lanManager().lanNumbers(), c.numbers);
        EXPECT_EQ(delegate.finished, 1);
        EXPECT_EQ(dismissed.count(), 1);
        ASSERT_EQ(test->alerts().shown().size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_EQ(test->alerts().shown()[0].message, u"There is no Farline access numbers for your SIM country");
        }
    }
}
} // namespace
