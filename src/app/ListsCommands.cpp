#include "app/ApplicationRun.h"
#include "app/Commands.h"
#include "app/ListsSession.h"
#include "lists/FavoritesViewController.h"
#include "lists/RecentViewController.h"
#include "platform/Console.h"

namespace {
QString rowLine(const QString &first, const FavoriteRecord &record)
{
    return QStringList{first, outputField(record.displayName), outputField(record.phoneType.toLower()),
                       outputField(record.phoneNumber)}
        .join(u'\t');
}

std::optional<int> numberArgument(const QString &text)
{
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    return isNumber ? std::optional(number) : std::nullopt;
}

int runRecents(const GlobalOptions &options, const QStringList &arguments)
{
    const bool clear = arguments == QStringList{QStringLiteral("clear")};
    if (!arguments.isEmpty() && !clear)
        return usageError(QStringLiteral("recents: expected nothing or 'clear'"));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        ListsSession session(app);
        RecentViewController &recents = session.recents();
        if (clear) {
            recents.clearAllRecents();
        } else {
            recents.loadView();
            for (const FavoriteRecordPtr &record : recents.recentArray())
                Console::out(rowLine(CallRecordModel::dateText(record->startTime).replace(u'\n', u' '), *record));
        }
        session.end();
        return 0;
    });
}

int listFavorites(FavoritesViewController &favorites)
{
    const QList<FavoriteRecordPtr> &records = favorites.favoritesArray();
    for (qsizetype i = 0; i < records.size(); ++i)
        Console::out(rowLine(QString::number(i), *records[i]));
    return 0;
}

int addFavorite(FavoritesViewController &favorites, const QStringList &arguments)
{
    const auto recordID = numberArgument(arguments.value(0));
    const auto identifier = numberArgument(arguments.value(1));
    if (!recordID || !identifier || !favorites.pickPhoneEntry(*recordID, *identifier))
        return usageError(QStringLiteral("favorites add: no phone entry %1 of a person %2")
                              .arg(arguments.value(1), arguments.value(0)));
    return 0;
}

int removeFavorite(FavoritesViewController &favorites, const QString &argument)
{
    const auto index = numberArgument(argument);
    favorites.setEditing(true);
    const bool deleted = index && favorites.deleteRow(*index);
    favorites.LeaveEditingMode();
    if (!deleted)
        return usageError(QStringLiteral("favorites remove: no favourite at index %1").arg(argument));
    return 0;
}

int runFavorites(const GlobalOptions &options, const QStringList &arguments)
{
    const QString action = arguments.value(0);
    const bool valid = arguments.isEmpty() || (action == u"add" && arguments.size() == 3)
                       || (action == u"remove" && arguments.size() == 2);
    if (!valid)
        return usageError(QStringLiteral("favorites: expected nothing, 'add PERSON_ID IDENTIFIER' or 'remove INDEX'"));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        ListsSession session(app);
        FavoritesViewController &favorites = session.favorites();
        favorites.loadView();
        const int status = arguments.isEmpty() ? listFavorites(favorites)
                           : action == u"add"  ? addFavorite(favorites, arguments.mid(1))
                                               : removeFavorite(favorites, arguments[1]);
        if (status == 0)
            session.end();
        return status;
    });
}

const Command lists[] = {
    {"recents", "[clear]", "print the recent calls, newest first, or clear them", runRecents},
    {"favorites", "[add PERSON_ID IDENTIFIER | remove INDEX]", "print, add or remove favourites", runFavorites},
};
} // namespace

std::span<const Command> listsCommands() { return lists; }
