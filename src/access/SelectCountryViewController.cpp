#include "access/SelectCountryViewController.h"

#include "access/CountryList.h"
#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/CommonOperations.h"
#include "core/FarlineAppDelegate.h"
#include "core/MainViewModalDelegate.h"

#include <QTimer>

SelectCountryViewController::SelectCountryViewController(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    connect(&m_app, &FarlineAppDelegate::modemReportChanged, this, &SelectCountryViewController::findModemCountry);
}

void SelectCountryViewController::findModemCountry()
{
    const std::optional<QString> &sim = m_app.modemReport().simCountryKey;
    int index = -1;
    if (sim && *sim != m_app.appSettings().currentMCC.value_or(QString()))
        index = m_countries.rowForKey(*sim);
    if (index == m_modemIndex)
        return;
    m_modemIndex = index;
    Q_EMIT modemIndexChanged();
}

void SelectCountryViewController::prepareCountryAndMCCArray()
{
    const std::optional<QString> &stored = m_app.appSettings().currentMCC;
    QList<CountryList::Entry> countries;
    for (const CountryList::Entry &entry : CountryList::fromBundle(m_app.bundle())) {
        if (stored && entry.key == *stored)
            countries.prepend(entry);
        else
            countries.append(entry);
    }
    m_countries.setCountries(std::move(countries));
}

void SelectCountryViewController::loadView()
{
    prepareCountryAndMCCArray();
    m_rowTapped = false;
    m_currentMCC = m_app.appSettings().currentMCC.value_or(QString());
    const int stored = m_app.appSettings().currentMCC ? m_countries.rowForKey(*m_app.appSettings().currentMCC) : -1;
    setSelectedIndex(stored < 0 ? 0 : stored);
    setCheckedIndex(m_selectedIndex < m_countries.rowCount() ? m_selectedIndex : -1);
    findModemCountry();
}

void SelectCountryViewController::didSelectRow(int row)
{
    const std::optional<CountryList::Entry> country = m_countries.entry(row);
    if (!country)
        return;
    setCheckedIndex(row);
    m_currentMCC = country->key;
    m_rowTapped = true;
    m_selectedIndex = row;
    Q_EMIT selectedIndexChanged(); // the choice is new even when the row is the same
    m_highlightedRow = row;
    Q_EMIT highlightedRowChanged();
    QTimer::singleShot(deselectDelayMs, this, &SelectCountryViewController::deselect);
}

void SelectCountryViewController::deselect()
{
    if (m_highlightedRow == -1)
        return;
    m_highlightedRow = -1;
    Q_EMIT highlightedRowChanged();
}

void SelectCountryViewController::CancelAction() { Q_EMIT dismissed(); }

void SelectCountryViewController::DoneAction()
{
    if (m_rowTapped) {
        // Even the row of the stored country counts: the position goes back to the first number.
        m_app.appSettings().currentMCC = m_currentMCC;
        LANManger &table = m_app.lanManager();
        table.setCurrentLANpos(0);
        m_app.saveAppSettings();
        m_app.loadAccessNumbers(m_currentMCC);
        if (table.lanNumbers().isEmpty())
            CommonOperations::showSIMCountryWarning(m_app.alerts());
        if (m_delegate)
            m_delegate->SelectCountryDidFinish();
    }
    Q_EMIT dismissed();
}

void SelectCountryViewController::setSelectedIndex(int row)
{
    if (m_selectedIndex == row)
        return;
    m_selectedIndex = row;
    Q_EMIT selectedIndexChanged();
}

void SelectCountryViewController::setCheckedIndex(int row)
{
    if (m_checkedIndex == row)
        return;
    m_checkedIndex = row;
    Q_EMIT checkedIndexChanged();
}
