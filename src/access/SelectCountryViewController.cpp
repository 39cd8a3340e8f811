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
        index = int(m_mccArray.indexOf(*sim));
    if (index == m_modemIndex)
        return;
    m_modemIndex = index;
    Q_EMIT modemIndexChanged();
}

void SelectCountryViewController::prepareCountryAndMCCArray()
{
    const std::optional<QString> &stored = m_app.appSettings().currentMCC;
    m_countryArray.clear();
    m_mccArray.clear();
    for (const CountryList::Entry &entry : CountryList::fromBundle(m_app.bundle())) {
        if (stored && entry.key == *stored) {
            m_mccArray.prepend(entry.key);
            m_countryArray.prepend(entry.name);
        } else {
            m_mccArray.append(entry.key);
            m_countryArray.append(entry.name);
        }
    }
    Q_EMIT countriesChanged();
}

void SelectCountryViewController::loadView()
{
    prepareCountryAndMCCArray();
    m_rowTapped = false;
    m_currentMCC = m_app.appSettings().currentMCC.value_or(QString());
    const qsizetype stored =
        m_app.appSettings().currentMCC ? m_mccArray.indexOf(*m_app.appSettings().currentMCC) : -1;
    setSelectedIndex(stored < 0 ? 0 : int(stored));
    setCheckedIndex(m_selectedIndex < m_mccArray.size() ? m_selectedIndex : -1);
    findModemCountry();
}

void SelectCountryViewController::didSelectRow(int row)
{
    if (row < 0 || row >= m_mccArray.size())
        return;
    setCheckedIndex(row);
    m_currentMCC = m_mccArray[row];
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
