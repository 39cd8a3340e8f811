#include "screens/MainViewController.h"

#include "access/LANManger.h"
#include "access/SelectCountryViewController.h"
#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "screens/LanSwitcher.h"
#include "screens/PageViewController.h"
#include "screens/UseFarlineFor.h"

#include <QTimer>

namespace {
constexpr int delayMs = 200; // segment disabling and row deselection
}

MainViewController::MainViewController(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    showLanRow();
    // The table can change under this screen (the first start, an update opened by the reminder):
    // the row always shows it as it is.
    connect(&m_app, &FarlineAppDelegate::accessNumbersLoaded, this, &MainViewController::showLanRow);
}

MainViewController::~MainViewController() = default;

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

QVariantList MainViewController::sections()
{
    QVariantList sections;
    for (const QList<Row> &rows : sectionArray()) {
        QVariantList section;
        for (const Row &row : rows)
            section.append(QVariantMap{{QStringLiteral("title"), row.title},
                                       {QStringLiteral("image"), row.image},
                                       {QStringLiteral("height"), row.height}});
        sections.append(QVariant(section));
    }
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
    if (section < 0 || section > 1 || row < 0 || row > 2)
        return;
    setSelection(section, row);
    switch (section * 3 + row) {
    case 0: {
        auto screen = std::make_unique<SelectCountryViewController>(m_app);
        screen->setDelegate(this);
        connect(screen.get(), &SelectCountryViewController::dismissed, this,
                [this] { replace(m_countryScreen, {}, &MainViewController::countryScreenChanged); });
        replace(m_countryScreen, std::move(screen), &MainViewController::countryScreenChanged);
        break;
    }
    case 1: {
        auto chooser = std::make_unique<UseFarlineFor>(m_app);
        chooser->setDelegate(this);
        replace(m_usageModeChooser, std::move(chooser), &MainViewController::usageModeChooserChanged);
        break;
    }
    case 3:
        m_app.openUpdateDialog(this);
        break;
    case 4:
        replace(m_page, std::unique_ptr<PageViewController>(std::make_unique<HelpViewController>(m_app)),
                &MainViewController::pageChanged);
        break;
    case 5:
        replace(m_page, std::unique_ptr<PageViewController>(std::make_unique<AboutViewController>(m_app)),
                &MainViewController::pageChanged);
        break;
    default:
        break; // the access number row only flashes
    }
    QTimer::singleShot(delayMs, this, [this] { setSelection(-1, -1); });
}

template<typename Screen>
void MainViewController::replace(std::unique_ptr<Screen> &slot, std::unique_ptr<Screen> screen,
                                 void (MainViewController::*changed)())
{
    if (slot)
        FarlineAppDelegate::retire(slot.release(), this);
    slot = std::move(screen);
    Q_EMIT(this->*changed)();
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
