#include "screens/MainViewController.h"

#include "access/LANManger.h"
#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "screens/LanSwitcher.h"

#include <QTimer>

namespace {
constexpr int delayMs = 200; // segment disabling and row deselection
}

MainViewController::MainViewController(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    showLanRow();
}

const QList<QList<MainViewController::Row>> &MainViewController::sectionArray()
{
    static const QList<QList<Row>> sections = {
        {{QStringLiteral("SIM country"), QStringLiteral("SIM-country"), 50},
         {QStringLiteral("Use for"), QStringLiteral("Mode"), 50},
         {QStringLiteral("Local access number"), QString(), 110}},
        {{QStringLiteral("Update access numbers"), QStringLiteral("Update-LAN1"), 50},
         {QStringLiteral("How does it work?"), QStringLiteral("How-does-it-work"), 50},
         {QStringLiteral("About Farline"), QStringLiteral("About-Farline"), 50}},
    };
    return sections;
}

QString MainViewController::modeText() const
{
    return m_app.appSettings().useFarlineFor != 0 ? QStringLiteral("Always") : QStringLiteral("International calls");
}

void MainViewController::lanSwitcherAction(int segment)
{
    LANManger &table = m_app.lanManager();
    const auto step = LanSwitcher::step(table.currentLANpos(), table.lanNumbers(), segment);
    if (!step)
        return;
    table.setCurrentLANpos(step->position);
    m_lanNumberText = step->text;
    setSegments(m_previousEnabled || step->enableBackNow, m_nextEnabled || step->enableForwardNow);
    if (step->disableBackLater || step->disableForwardLater) {
        // Disabled a moment later, from the position as it stands then: a quick tap back meanwhile
        // must not leave a segment disabled that can still step.
        QTimer::singleShot(delayMs, this, [this] {
            const LANManger &table = m_app.lanManager();
            const auto row = LanSwitcher::row(table.currentLANpos(), table.lanNumbers());
            setSegments(m_previousEnabled && row.backEnabled, m_nextEnabled && row.forwardEnabled);
        });
    }
}

void MainViewController::didSelectRow(int section, int row)
{
    using Open = void (MainViewController::*)();
    static const Open opens[2][3] = {
        {&MainViewController::openCountryScreen, &MainViewController::openUsageModeChooser, nullptr},
        {&MainViewController::openUpdateDialog, &MainViewController::openHelpPage, &MainViewController::openAboutPage},
    };
    if (section < 0 || section > 1 || row < 0 || row > 2)
        return;
    setSelection(section, row);
    if (const Open open = opens[section][row])
        Q_EMIT(this->*open)();
    QTimer::singleShot(delayMs, this, [this] { setSelection(-1, -1); });
}

void MainViewController::SelectCountryDidFinish()
{
    showLanRow();
    Q_EMIT reload();
}

void MainViewController::showLanRow()
{
    const LANManger &table = m_app.lanManager();
    const auto row = LanSwitcher::row(table.currentLANpos(), table.lanNumbers());
    m_lanNumberText = row.text;
    m_previousEnabled = row.backEnabled;
    m_nextEnabled = row.forwardEnabled;
    Q_EMIT lanRowChanged();
}

void MainViewController::setSegments(bool previous, bool next)
{
    m_previousEnabled = previous;
    m_nextEnabled = next;
    Q_EMIT lanRowChanged();
}

void MainViewController::setSelection(int section, int row)
{
    if (section == m_selectedSection && row == m_selectedRow)
        return;
    m_selectedSection = section;
    m_selectedRow = row;
    Q_EMIT selectionChanged();
}
