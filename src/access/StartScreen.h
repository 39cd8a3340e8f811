#pragma once

#include "access/CountryListModel.h"

#include <QObject>

class FarlineAppDelegate;

// The first-start country picker: a wheel whose row 0 is a prompt and whose other rows are the
// countries with access numbers (widened to the whole country list on request), and a "Start"
// button, enabled while a country row is selected, that stores the choice and starts the main
// application. When the modem knows the SIM card's country, the wheel shows it chosen; the user
// still presses "Start". The view binds to the properties and calls the invokable operations.
class StartScreen : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(CountryListModel *countries READ countries CONSTANT)
    Q_PROPERTY(int selectedRow READ selectedRow NOTIFY selectedRowChanged)
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedIndexChanged)
    Q_PROPERTY(bool startEnabled READ startEnabled NOTIFY startEnabledChanged)

public:
    enum CountrySet { CountriesWithAccessNumbers = 0, AllCountries = 1 };
    Q_ENUM(CountrySet)

    explicit StartScreen(FarlineAppDelegate &app, QObject *parent = nullptr);

    QString title() const { return QStringLiteral("Farline"); }
    // The wheel's rows: the prompt "Select SIM country", then the countries.
    CountryListModel *countries() { return &m_countries; }
    // The wheel's selected row: 0 the prompt, r >= 1 the country r - 1.
    int selectedRow() const { return m_selectedRow; }
    // The chosen country's index among the countries; -1 while none is chosen.
    int selectedIndex() const { return m_selectedIndex; }
    bool startEnabled() const { return m_startEnabled; }

    // Rebuilds the countries from the country list: all countries for AllCountries (1), otherwise
    // only those whose key the access number file holds.
    Q_INVOKABLE void prepareCountriesArray(int countrySet);
    // The wheel came to rest on `row`.
    Q_INVOKABLE void didSelectRow(int row);
    // Widens the wheel to every country, keeping the chosen country selected.
    Q_INVOKABLE void moreCountries();
    // Stores the chosen country, loads its access numbers, saves the settings (warning when the
    // access number file has no numbers for it) and hands over to the main application.
    Q_INVOKABLE void startApplication();

Q_SIGNALS:
    void selectedRowChanged();
    void selectedIndexChanged();
    void startEnabledChanged();
    // The choice is stored and the main application has been started; the view goes away.
    void started();

private:
    // The modem's SIM card tells the country: the wheel turns to it while nothing is chosen.
    void preselectSimCountry();
    void setSelectedRow(int row);
    void setSelectedIndex(int index);
    void setStartEnabled(bool enabled);

    FarlineAppDelegate &m_app;
    CountryListModel m_countries{QStringLiteral("Select SIM country")};
    int m_selectedRow = 0;
    int m_selectedIndex = -1;
    bool m_startEnabled = false;
};
