// The SIM country and its access numbers on the command line, done through the same screen
// controllers as in the window.

#include "access/CountryList.h"
#include "access/LANManger.h"
#include "access/SelectCountryViewController.h"
#include "access/StartScreen.h"
#include "app/ApplicationRun.h"
#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "platform/Bundle.h"
#include "platform/Console.h"
#include "screens/LanSwitcher.h"
#include "screens/MainViewController.h"

#include <algorithm>
#include <array>

namespace {
// The SIM country screen as the settings screen opens it, shown.
SelectCountryViewController &openCountryScreen(FarlineAppDelegate &app)
{
    MainViewController &settings = app.mainViewController();
    settings.didSelectRow(0, 0);
    SelectCountryViewController &screen = *settings.countryScreen();
    screen.loadView();
    return screen;
}

int printSimCountry(FarlineAppDelegate &app)
{
    // The country as the SIM country screen shows it: the checked row.
    SelectCountryViewController &screen = openCountryScreen(app);
    const QString key = app.appSettings().currentMCC.value_or(QString());
    const std::optional<CountryList::Entry> row = screen.countries()->entry(screen.selectedIndex());
    Console::out(countryLine(key, row && row->key == key ? row->name : QString()));
    screen.CancelAction();
    return 0;
}

// On a first start the user picks the country on the start screen (widening its list when the
// country has no access numbers) and presses "Start"; later on the SIM country screen, taps the
// country's row and presses Done.
int chooseSimCountry(FarlineAppDelegate &app, const QString &key)
{
    if (StartScreen *startScreen = app.startScreen()) {
        StartScreen &screen = *startScreen;
        if (screen.countries()->rowForKey(key) < 0)
            screen.moreCountries();
        screen.didSelectRow(screen.countries()->rowForKey(key));
        screen.startApplication();
    } else {
        SelectCountryViewController &screen = openCountryScreen(app);
        screen.didSelectRow(screen.countries()->rowForKey(key));
        screen.DoneAction();
    }
    return 0;
}

int runCountry(const GlobalOptions &options, const QStringList &arguments)
{
    if (arguments.size() > 1)
        return usageError(QStringLiteral("country takes at most one KEY"));
    if (arguments.isEmpty())
        return runWithApplication(options, printSimCountry);

    const QString key = arguments.first();
    // Checked before the application starts, so that a wrong key changes nothing.
    const auto countries = CountryList::fromBundle(Bundle(options.bundle));
    if (std::none_of(countries.begin(), countries.end(),
                     [&](const CountryList::Entry &entry) { return entry.key == key; }))
        return usageError(QStringLiteral("'%1' is not the key of a country in the country list").arg(key));
    return runWithApplication(options, [&](FarlineAppDelegate &app) { return chooseSimCountry(app, key); });
}

int runCountries(const GlobalOptions &options, const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return usageError(QStringLiteral("countries takes no arguments"));
    return runWithApplication(options, [](FarlineAppDelegate &app) {
        SelectCountryViewController &screen = openCountryScreen(app);
        const CountryListModel &countries = *screen.countries();
        for (int row = 0; row < countries.rowCount(); ++row)
            Console::out(countryLine(countries.entry(row)->key, countries.entry(row)->name));
        screen.CancelAction();
        return 0;
    });
}

int runAccess(const GlobalOptions &options, const QStringList &arguments)
{
    const QString step = arguments.value(0);
    if (arguments.size() > 1 || (arguments.size() == 1 && step != u"next" && step != u"prev"))
        return usageError(QStringLiteral("access: expected nothing, 'next' or 'prev'"));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        // A tap on the settings screen's switcher; at either end it does nothing.
        if (!step.isEmpty())
            app.mainViewController().lanSwitcherAction(step == u"next" ? LanSwitcher::forwardSegment
                                                                       : LanSwitcher::backSegment);
        const QStringList numbers = app.lanManager().lanNumbers();
        if (numbers.isEmpty()) {
            Console::out(QStringLiteral("No access number available"));
            return 0;
        }
        const int position = app.lanManager().currentLANpos();
        for (qsizetype i = 0; i < numbers.size(); ++i)
            Console::out((i == position ? QStringLiteral("* ") : QStringLiteral("  ")) + numbers[i]);
        return 0;
    });
}

constexpr std::array commandList = {
    Command{"country", "[KEY]", "print the SIM country, or choose the one with country key KEY",
            runCountry},
    Command{"countries", "", "list the countries (KEY, tab, name), the SIM country first", runCountries},
    Command{"access", "[next | prev]",
            "list the SIM country's access numbers, the one in use marked '*'; or step to another", runAccess},
};
} // namespace

std::span<const Command> accessCommands() { return commandList; }
