#include "access/StartScreen.h"

#include "access/CountryList.h"
#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/CommonOperations.h"
#include "core/FarlineAppDelegate.h"

#include <algorithm>

StartScreen::StartScreen(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    prepareCountriesArray(CountriesWithAccessNumbers);
    connect(&m_app, &FarlineAppDelegate::modemReportChanged, this, &StartScreen::preselectSimCountry);
    preselectSimCountry();
}

void StartScreen::preselectSimCountry()
{
    const std::optional<QString> &key = m_app.modemReport().simCountryKey;
    if (!key || m_selectedRow != 0)
        return; // the user's own choice is never overturned
    if (m_countries.rowForKey(*key) < 0) {
        // A country without access numbers: the whole list, if it is in it at all.
        const auto all = CountryList::fromBundle(m_app.bundle());
        if (std::none_of(all.begin(), all.end(), [&](const CountryList::Entry &entry) { return entry.key == *key; }))
            return;
        moreCountries();
    }
    didSelectRow(m_countries.rowForKey(*key));
}

void StartScreen::prepareCountriesArray(int countrySet)
{
    QList<CountryList::Entry> countries = CountryList::fromBundle(m_app.bundle());
    if (countrySet != AllCountries) {
        const QStringList withNumbers = m_app.lanManager().countriesArray();
        countries.removeIf([&](const CountryList::Entry &entry) { return !withNumbers.contains(entry.key); });
    }
    m_countries.setCountries(std::move(countries));
}

void StartScreen::didSelectRow(int row)
{
    if (row < 0 || row >= m_countries.rowCount())
        return;
    setSelectedRow(row);
    setStartEnabled(row != 0);
    setSelectedIndex(row - 1);
}

void StartScreen::moreCountries()
{
    const std::optional<CountryList::Entry> chosen = m_countries.entry(m_selectedRow);
    prepareCountriesArray(AllCountries);
    if (chosen)
        setSelectedIndex(m_countries.rowForKey(chosen->key) - 1);
    // The wheel shows the chosen country again, or the prompt; "Start" is left as it was.
    setSelectedRow(m_selectedIndex + 1);
}

void StartScreen::startApplication()
{
    // "Start" is enabled only on a country row; a stray call with no country chosen does nothing.
    const std::optional<CountryList::Entry> country = m_countries.entry(m_selectedIndex + 1);
    if (!country)
        return;
    const QString &key = country->key;
    m_app.appSettings().currentMCC = key;
    m_app.loadAccessNumbers(key);
    m_app.saveAppSettings();
    if (!m_app.lanManager().countriesArray().contains(key))
        CommonOperations::CountryNotInLanFileWarning(m_app.alerts(), country->name);
    Q_EMIT started();
    m_app.startMainApplication();
}

void StartScreen::setSelectedRow(int row)
{
    if (m_selectedRow == row)
        return;
    m_selectedRow = row;
    Q_EMIT selectedRowChanged();
}

void StartScreen::setSelectedIndex(int index)
{
    if (m_selectedIndex == index)
        return;
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged();
}

void StartScreen::setStartEnabled(bool enabled)
{
    if (m_startEnabled == enabled)
        return;
    m_startEnabled = enabled;
    Q_EMIT startEnabledChanged();
}
