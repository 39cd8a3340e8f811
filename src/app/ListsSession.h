#pragma once

#include <QString>
#include <memory>

class AddressBook;
class CallInitiator;
class FarlineAppDelegate;
class FavoritesViewController;
class RecentViewController;

// The address book and the call list screens for one command, built from the application's
// home on first use. (Once the application object owns them for the window, the commands take
// them from there instead.)
class ListsSession
{
public:
    explicit ListsSession(FarlineAppDelegate &app);
    ~ListsSession();

    AddressBook &addressBook();
    RecentViewController &recents();
    FavoritesViewController &favorites();

    // The end of the application for the lists: the favourites archive is written, when the
    // favourites were used.
    void end();

private:
    FarlineAppDelegate &m_app;
    std::unique_ptr<CallInitiator> m_calls;
    std::unique_ptr<AddressBook> m_addressBook;
    std::unique_ptr<RecentViewController> m_recents;
    std::unique_ptr<FavoritesViewController> m_favorites;
};

// A text as one field of a command's output line: tabs and line breaks become blanks.
QString outputField(QString text);
