#include "platform/MimeApps.h"

#include "platform/KeyFile.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {
// A base directory variable's folders, else its default; relative entries are invalid.
QStringList baseDirs(const char *variable, const QStringList &fallback)
{
    QStringList dirs;
    for (const QString &dir : qEnvironmentVariable(variable).split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir))
            dirs.append(dir);
    }
    return dirs.isEmpty() ? fallback : dirs;
}

QStringList withSubfolder(const QStringList &dirs, const QString &subfolder)
{
    QStringList result;
    for (const QString &dir : dirs)
        result.append(dir + u'/' + subfolder);
    return result;
}

// The file of desktop file id `id` under `dir`: "a-b.desktop" may also stand at "a/b.desktop".
QString fileOfId(const QString &dir, const QString &id)
{
    if (QFileInfo(dir + u'/' + id).isFile())
        return dir + u'/' + id;
    for (qsizetype dash = id.indexOf(u'-'); dash > 0; dash = id.indexOf(u'-', dash + 1)) {
        const QString subfolder = dir + u'/' + id.left(dash);
        if (QFileInfo(subfolder).isDir()) {
            if (const QString path = fileOfId(subfolder, id.mid(dash + 1)); !path.isEmpty())
                return path;
        }
    }
    return {};
}

void appendNew(QStringList &ids, const QStringList &more, const QSet<QString> &removed = {})
{
    for (const QString &id : more) {
        if (!ids.contains(id) && !removed.contains(id))
            ids.append(id);
    }
}
}

QList<DesktopEntry> MimeApps::handlersFor(const QString &mimeType)
{
    const QString home = QDir::homePath();
    const QStringList dataDirs = baseDirs("XDG_DATA_HOME", {home + QStringLiteral("/.local/share")})
        + baseDirs("XDG_DATA_DIRS", {QStringLiteral("/usr/local/share"), QStringLiteral("/usr/share")});
    const QStringList applicationDirs = withSubfolder(dataDirs, QStringLiteral("applications"));
    const QStringList listDirs = baseDirs("XDG_CONFIG_HOME", {home + QStringLiteral("/.config")})
        + baseDirs("XDG_CONFIG_DIRS", {QStringLiteral("/etc/xdg")}) + applicationDirs;
    QStringList desktops;
    for (const QString &desktop : qEnvironmentVariable("XDG_CURRENT_DESKTOP").split(u':', Qt::SkipEmptyParts))
        desktops.append(desktop.toLower());

    const QByteArray key = mimeType.toUtf8();
    QStringList defaults;
    QStringList preferred;
    QSet<QString> added;
    QSet<QString> removed;
    for (const QString &dir : listDirs) {
        // A desktop's own list names defaults only.
        for (const QString &desktop : desktops) {
            if (const auto list = KeyFile::read(dir + u'/' + desktop + QStringLiteral("-mimeapps.list"))) {
                const QStringList ids = list->list("Default Applications", key);
                appendNew(defaults, ids);
                appendNew(preferred, ids, removed);
            }
        }
        if (const auto list = KeyFile::read(dir + QStringLiteral("/mimeapps.list"))) {
            const QStringList ids = list->list("Default Applications", key);
            const QStringList addedIds = list->list("Added Associations", key);
            appendNew(defaults, ids);
            appendNew(preferred, ids + addedIds, removed);
            added.unite(QSet<QString>(addedIds.begin(), addedIds.end()));
            const QStringList removedIds = list->list("Removed Associations", key);
            removed.unite(QSet<QString>(removedIds.begin(), removedIds.end()));
        }
    }
    for (const QString &dir : applicationDirs) {
        if (const auto cache = KeyFile::read(dir + QStringLiteral("/mimeinfo.cache")))
            appendNew(preferred, cache->list("MIME Cache", key), removed);
    }

    QStringList candidates = defaults;
    appendNew(candidates, preferred);
    QList<DesktopEntry> handlers;
    for (const QString &id : std::as_const(candidates)) {
        if (!id.endsWith(QStringLiteral(".desktop")) || id.contains(u'/'))
            continue;
        for (const QString &dir : applicationDirs) {
            const QString path = fileOfId(dir, id);
            if (path.isEmpty())
                continue;
            // The first file of an id is the entry, even a hidden one, which hides those after it.
            const std::optional<DesktopEntry> entry = DesktopEntry::read(path, id);
            if (entry && entry->isLaunchable() && (entry->mimeTypes().contains(mimeType) || added.contains(id)))
                handlers.append(*entry);
            break;
        }
    }
    return handlers;
}
