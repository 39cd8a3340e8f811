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
    if (!m_mccArray.contains(*key)) {
        // A country without access numbers: the whole list, if it is in it at all.
        const auto all = CountryList::fromBundle(m_app.bundle());
        if (std::none_of(all.begin(), all.end(), [&](const CountryList::Entry &entry) { return entry.key == *key; }))
            return;
        moreCountries();
    }
    didSelectRow(int(m_mccArray.indexOf(*key)) + 1);
}

QString StartScreen::titleForRow(int row) const
{
    if (row == 0)
        return QStringLiteral("Select SIM country");
    if (row < 0 || row > m_countryArray.size())
        return {};
    return m_countryArray[row - 1];
}

void StartScreen::prepareCountriesArray(int countrySet)
{
    m_mccArray.clear();
    m_countryArray.clear();
    const QStringList withNumbers = m_app.lanManager().countriesArray();
    for (const CountryList::Entry &entry : CountryList::fromBundle(m_app.bundle())) {
        if (countrySet == AllCountries || withNumbers.contains(entry.key)) {
            m_mccArray.append(entry.key);
            m_countryArray.append(entry.name);
        }
    }
    Q_EMIT countriesChanged();
}

void StartScreen::didSelectRow(int row)
{
    if (row < 0 || row >= numberOfRows())
        return;
    setSelectedRow(row);
    setStartEnabled(row != 0);
    setSelectedIndex(row - 1);
}

void StartScreen::moreCountries()
{
    std::optional<QString> chosen;
    if (m_selectedRow >= 1)
        chosen = m_mccArray[m_selectedRow - 1];
    prepareCountriesArray(AllCountries);
    if (chosen)
        setSelectedIndex(int(m_mccArray.indexOf(*chosen)));
    // The wheel shows the chosen country again, or the prompt; "Start" is left as it was.
    setSelectedRow(m_selectedIndex + 1);
}

void StartScreen::startApplication()
{
    // "Start" is enabled only on a country row; a stray call with no country chosen does nothing.
    if (m_selectedIndex < 0 || m_selectedIndex >= m_mccArray.size())
        return;
    const QString key = m_mccArray[m_selectedIndex];
    m_app.appSettings().currentMCC = key;
    m_app.loadAccessNumbers(key);
    m_app.saveAppSettings();
    if (!m_app.lanManager().countriesArray().contains(key))
        CommonOperations::CountryNotInLanFileWarning(m_app.alerts(), m_countryArray[m_selectedIndex]);
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
