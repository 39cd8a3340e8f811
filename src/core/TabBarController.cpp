#include "core/TabBarController.h"

#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "lists/FavoritesViewController.h"
#include "lists/MyContactsViewController.h"
#include "platform/Bundle.h"

TabBarController::TabBarController(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    const int stored = m_app.appSettings().selectedTabIndex;
    m_selectedIndex = stored >= 0 && stored < tabCount ? stored : KeypadTab;
}

QVariantList TabBarController::items() const
{
    // A tab whose image is missing keeps the item the toolkit makes: its screen's title, no image.
    const auto item = [this](const QString &title, const QString &image, const QString &screenTitle) {
        const bool found = m_app.bundle().pathForResource(image, QStringLiteral("png"), QStringLiteral("/")).has_value();
        return QVariant(QVariantMap{{QStringLiteral("title"), found ? title : screenTitle},
                                    {QStringLiteral("image"), found ? image : QString()}});
    };
    const QString farline = QStringLiteral("Farline");
    return {item(QStringLiteral("Keypad"), QStringLiteral("keypad"), farline),
            item(QStringLiteral("Recents"), QStringLiteral("Recents"), farline),
            QVariantMap{{QStringLiteral("title"), QStringLiteral("Favorites")},
                        {QStringLiteral("image"), QStringLiteral("system:Favorites")}},
            item(QStringLiteral("Contacts"), QStringLiteral("Contacts"), farline),
            QVariantMap{{QStringLiteral("title"), QStringLiteral("More")},
                        {QStringLiteral("image"), QStringLiteral("system:More")}}};
}

void TabBarController::didSelectTab(int index)
{
    if (index < 0 || index >= tabCount)
        return;
    // The record still holds the tab chosen before this tap, not necessarily the one shown.
    switch (m_app.appSettings().selectedTabIndex) {
    case SettingsTab:
        Q_EMIT popToRootRequested(SettingsTab);
        break;
    case ContactsTab:
        m_app.myContactsViewController().popToRootViewController(true);
        break;
    case FavoritesTab:
        m_app.favoritesViewController().LeaveEditingMode();
        break;
    default:
        break;
    }
    // A tap on the tab already shown takes its navigation stack back to the first screen, as
    // on any handset; the contacts browser ignores that as it ignores every animated pop.
    if (index == m_selectedIndex) {
        if (index == ContactsTab)
            m_app.myContactsViewController().popToRootViewController(true);
        else
            Q_EMIT popToRootRequested(index);
    }
    selectTab(index);
    m_app.appSettings().selectedTabIndex = index;
}

void TabBarController::selectTab(int index)
{
    if (index < 0 || index >= tabCount || index == m_selectedIndex)
        return;
    m_selectedIndex = index;
    Q_EMIT selectedIndexChanged();
}
