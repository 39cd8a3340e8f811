#pragma once

#include <QObject>
#include <QVariantList>

class FarlineAppDelegate;

// The five-tab shell: keypad, recent calls, favourites, contacts, settings, in that order. It
// knows which tab shows and applies the rules of a tab change made by the user; the view lays
// the tabs out and keeps each tab's navigation stack.
class TabBarController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int selectedIndex READ selectedIndex NOTIFY selectedIndexChanged)
    // The tab items in order, each {title, image}: an image of the bundle ("" for none), or for the
    // favourites and the settings the system's own items, "system:Favorites" and "system:More".
    Q_PROPERTY(QVariantList items READ items CONSTANT)

public:
    enum Tab { KeypadTab, RecentsTab, FavoritesTab, ContactsTab, SettingsTab };
    Q_ENUM(Tab)
    static constexpr int tabCount = 5;

    // Shows the tab the settings record holds (the keypad for an index outside the shell).
    explicit TabBarController(FarlineAppDelegate &app, QObject *parent = nullptr);

    int selectedIndex() const { return m_selectedIndex; }
    QVariantList items() const;

    // The user tapped tab `index` (also the one already shown). The tab left behind is tidied up
    // first: the settings tab goes back to its list, the contacts browser is asked to (and stays
    // where it is), the favourites leave editing mode. Then `index` shows and is remembered in
    // the settings record's selectedTabIndex.
    Q_INVOKABLE void didSelectTab(int index);
    // The program shows tab `index` (the end of the first start, the reminder's update): the
    // user's last choice stays in the settings record.
    void selectTab(int index);

Q_SIGNALS:
    void selectedIndexChanged();
    // The view takes the navigation stack of tab `index` back to its first screen, animated.
    void popToRootRequested(int index);

private:
    FarlineAppDelegate &m_app;
    int m_selectedIndex = KeypadTab;
};
