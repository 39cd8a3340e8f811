#include "core/TabBarController.h"

#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "lists/FavoritesViewController.h"
#include "lists/MyContactsViewController.h"

TabBarController::TabBarController(FarlineAppDelegate &app, QObject *parent)
    : QObject(parent)
    , m_app(app)
{
    const int stored = m_app.appSettings().selectedTabIndex;
    m_selectedIndex = stored >= 0 && stored < tabCount ? stored : KeypadTab;
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
