#include "access/LANManger.h"
#include "access/SelectCountryViewController.h"
#include "core/AppSettings.h"
#include "core/CommonOperations.h"
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

// A run whose SIM country is 234, at its second access number; access numbers for 234 and 260;
// the SIM country screen shown.
struct CountryScreen
{
    CountryScreen()
    {
        test.writeDocument(QStringLiteral("LANFile.txt"), sealedDataFile("234 +44 20 1\r\n260 +48 22 1\r\n234 +44 20 2\r\n"));
        test.app().appSettings().currentMCC = QStringLiteral("234");
        test.app().saveAppSettings();
        test.app().applicationDidFinishLaunching();
        test.app().lanManager().setCurrentLANpos(1);
        screen.setDelegate(&delegate);
        screen.loadView();
    }
    int rowOf(const QString &key) { return screen.countries()->rowForKey(key); }
    std::optional<QString> archivedCountry() const
    {
        const auto archived = KeyedArchive::readObject(test.documentPath(AppSettings::archiveFileName), AppSettings::archiveRootKey).value;
        return archived ? archived->text(QStringLiteral("MCC")) : std::nullopt;
    }

    TestApp test;
    CountingDelegate delegate;
    SelectCountryViewController screen{test.app()};
    QSignalSpy dismissed{&screen, &SelectCountryViewController::dismissed};
};

TEST(SelectCountryViewControllerTest, TheStoredCountryComesFirstAndIsChecked)
{
    const std::tuple<std::optional<QString>, QStringList, QStringList> cases[] = { // stored, the first keys and names
        {"234", {"234", "412", "276"}, {"United Kingdom ", "Afghanistan ", "Albania "}},
        {"-1", {"412", "276"}, {"Afghanistan ", "Albania "}},
        {std::nullopt, {"412", "276"}, {"Afghanistan ", "Albania "}},
        // Every row of a shared key goes to the front, the last one met ending first.
        {"647", {"647", "647", "412"}, {"Réunion ", "Mayotte ", "Afghanistan "}},
    };
    for (const auto &[stored, firstKeys, firstNames] : cases) {
        SCOPED_TRACE(stored.value_or("none").toStdString());
        TestApp fresh;
        fresh.app().appSettings().currentMCC = stored;
        SelectCountryViewController view(fresh.app());
        view.loadView();
        QStringList keys, names;
        for (int row = 0; row < firstKeys.size(); ++row) {
            keys.append(view.countries()->entry(row)->key);
            names.append(view.countries()->entry(row)->name);
        }
        EXPECT_EQ(std::pair(keys, names), std::pair(firstKeys, firstNames));
        EXPECT_EQ(std::pair(view.selectedIndex(), view.checkedIndex()), std::pair(0, 0));
    }
}

TEST(SelectCountryViewControllerTest, ATapMovesTheCheckMarkAndTheHighlightGoesAfterAMoment)
{
    CountryScreen c;
    const int poland = c.rowOf(QStringLiteral("260"));
    c.screen.didSelectRow(poland);
    EXPECT_EQ(std::tuple(c.screen.checkedIndex(), c.screen.selectedIndex(), c.screen.highlightedRow()), std::tuple(poland, poland, poland));
    EXPECT_EQ(c.screen.currentMCC(), u"260");
    EXPECT_TRUE(QTest::qWaitFor([&] { return c.screen.highlightedRow() == -1; }, 2000));
    c.screen.didSelectRow(c.screen.countries()->rowCount()); // no such row
    EXPECT_EQ(c.screen.checkedIndex(), poland);
}

TEST(SelectCountryViewControllerTest, CancelOrDoneWithoutATapStoresNothing)
{
    CountryScreen c;
    c.screen.didSelectRow(c.rowOf(QStringLiteral("260")));
    c.screen.CancelAction();
    EXPECT_EQ(c.dismissed.count(), 1);
    SelectCountryViewController again(c.test.app());
    again.loadView();
    again.DoneAction();
    EXPECT_EQ(c.test.app().appSettings().currentMCC, u"234");
    EXPECT_EQ(c.archivedCountry(), u"234");
    EXPECT_EQ(c.test.app().lanManager().currentLANpos(), 1);
    EXPECT_EQ(c.delegate.finished, 0);
    EXPECT_TRUE(c.test.alerts().shown().empty());
}

TEST(SelectCountryViewControllerTest, DoneStoresTheTappedCountryEvenTheStoredOne)
{
    const std::tuple<QString, QStringList, QStringList> cases[] = {
        {"234", {"+44201", "+44202"}, {}}, // the same country: back to its first number
        {"260", {"+48221"}, {}},
        {"412", {}, {warningText(CommonOperations::showSIMCountryWarning)}}, // stored all the same
    };
    for (const auto &[tapped, numbers, warnings] : cases) {
        SCOPED_TRACE(tapped.toStdString());
        CountryScreen c;
        c.screen.didSelectRow(c.rowOf(tapped));
        c.screen.DoneAction();
        EXPECT_EQ(c.test.app().appSettings().currentMCC, tapped);
        EXPECT_EQ(c.archivedCountry(), tapped);
        EXPECT_EQ(c.test.app().lanManager().currentLANpos(), 0);
        EXPECT_EQ(c.test.app().lanManager().lanNumbers(), numbers);
        EXPECT_EQ(std::pair(c.delegate.finished, int(c.dismissed.count())), std::pair(1, 1));
        EXPECT_EQ(c.test.alertMessages(), warnings);
    }
}
} // namespace
