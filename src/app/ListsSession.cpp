#include "app/ListsSession.h"

#include "core/CallInitiator.h"
#include "core/FarlineAppDelegate.h"
#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "platform/AddressBook.h"
#include "platform/Console.h"

namespace {
// None of the list commands places a call; should one ever hand a call over, it says so
// instead of dropping it silently.
class NoCallsFromCommands final : public CallInitiator
{
public:
    void InitateCall(const FavoriteRecordPtr &record) override
    {
        Console::err(QStringLiteral("farline: calls are placed from the dialer window, not %1")
                         .arg(record ? record->phoneNumber : QString()));
    }
};
} // namespace

ListsSession::ListsSession(FarlineAppDelegate &app)
    : m_app(app)
    , m_calls(std::make_unique<NoCallsFromCommands>())
{
}

ListsSession::~ListsSession() = default;

AddressBook &ListsSession::addressBook()
{
    if (!m_addressBook)
        m_addressBook = std::make_unique<AddressBook>(m_app.home().dir() + u'/' + AddressBook::fileName);
    return *m_addressBook;
}

RecentViewController &ListsSession::recents()
{
    if (!m_recents)
        m_recents = std::make_unique<RecentViewController>(m_app.home(), addressBook(), *m_calls, m_app.alerts());
    return *m_recents;
}

FavoritesViewController &ListsSession::favorites()
{
    if (!m_favorites)
        m_favorites = std::make_unique<FavoritesViewController>(m_app.home(), addressBook(), *m_calls);
    return *m_favorites;
}

void ListsSession::end()
{
    if (m_favorites)
        m_favorites->saveDataToDisk();
}

QString outputField(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}
