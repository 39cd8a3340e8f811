#include "app/ApplicationRun.h"
#include "app/CommandSupport.h"
#include "app/Commands.h"
#include "core/FarlineAppDelegate.h"
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

// The row INDEX of `count` rows, or none after one line on standard error.
std::optional<int> rowArgument(const QString &command, const QString &text, qsizetype count)
{
    const auto index = numberArgument(text);
    if (index && *index >= 0 && *index < count)
        return index;
    usageError(QStringLiteral("%1: no row at index %2").arg(command, text));
    return std::nullopt;
}

int listRecents(RecentViewController &recents)
{
    for (const FavoriteRecordPtr &record : recents.recentArray())
        Console::out(rowLine(CallRecordModel::dateText(record->startTime).replace(u'\n', u' '), *record));
    return 0;
}

int runRecents(const GlobalOptions &options, const QStringList &arguments)
{
    const QString action = arguments.value(0);
    const bool valid = arguments.isEmpty() || (action == u"clear" && arguments.size() == 1)
                       || (action == u"call" && arguments.size() == 2);
    if (!valid)
        return usageError(QStringLiteral("recents: expected nothing, 'clear' or 'call INDEX'"));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        RecentViewController &recents = app.recentViewController();
        if (action == u"clear") {
            // "Clear All Recents" tapped in the confirmation the Clear button raises.
            recents.clearSheetAnswered(0);
            return 0;
        }
        recents.loadView();
        if (arguments.isEmpty())
            return listRecents(recents);
        const auto row = rowArgument(QStringLiteral("recents call"), arguments[1], recents.recentArray().size());
        return row ? placedCallStatus(app, [&] { recents.selectRow(*row); }) : 2;
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
        return usageError(QStringLiteral("favorites remove: no favorite at index %1").arg(argument));
    return 0;
}

int callFavorite(FarlineAppDelegate &app, const QString &argument)
{
    FavoritesViewController &favorites = app.favoritesViewController();
    const auto row = rowArgument(QStringLiteral("favorites call"), argument, favorites.favoritesArray().size());
    return row ? placedCallStatus(app, [&] { favorites.selectRow(*row); }) : 2;
}

int runFavorites(const GlobalOptions &options, const QStringList &arguments)
{
    const QString action = arguments.value(0);
    const bool valid = arguments.isEmpty() || (action == u"add" && arguments.size() == 3)
                       || ((action == u"remove" || action == u"call") && arguments.size() == 2);
    if (!valid)
        return usageError(QStringLiteral(
            "favorites: expected nothing, 'add PERSON_ID IDENTIFIER', 'remove INDEX' or 'call INDEX'"));
    return runWithApplication(options, [&](FarlineAppDelegate &app) {
        FavoritesViewController &favorites = app.favoritesViewController();
        favorites.loadView();
        if (arguments.isEmpty())
            return listFavorites(favorites);
        if (action == u"add")
            return addFavorite(favorites, arguments.mid(1));
        if (action == u"remove")
            return removeFavorite(favorites, arguments[1]);
        return callFavorite(app, arguments[1]);
    });
}

const Command lists[] = {
    {"recents", "[clear | call INDEX]", "print the recent calls, newest first, clear them, or call one again",
     runRecents, callAction},
    {"favorites", "[add PERSON_ID IDENTIFIER | remove INDEX | call INDEX]", "print, add, remove or call favorites",
     runFavorites, callAction},
};
} // namespace

std::span<const Command> listsCommands() { return lists; }
