#include "addressbook/ContactFolder.h"

#include "addressbook/ContactMirror.h"
#include "addressbook/VCardContact.h"
#include "addressbook/VCardFile.h"
#include "addressbook/VCardReader.h"
#include "log/Log.h"

#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <cerrno>
#include <dirent.h>
#include <sys/stat.h>

struct ContactFolder::Card
{
    QString key; // the path in the folder
    QString revision;
};

namespace {
bool isCardName(const QString &name)
{
    return name.endsWith(QLatin1String(".vcf"), Qt::CaseInsensitive)
        || name.endsWith(QLatin1String(".vcard"), Qt::CaseInsensitive);
}

// What changes whenever a file is written or replaced.
QString revisionOf(const struct stat &status)
{
    return QStringLiteral("%1.%2 %3 %4")
        .arg(qint64(status.st_mtim.tv_sec))
        .arg(qint64(status.st_mtim.tv_nsec))
        .arg(qint64(status.st_size))
        .arg(quint64(status.st_ino));
}

bool statOf(const QString &path, struct stat &status) { return ::stat(QFile::encodeName(path).constData(), &status) == 0; }

// The names in a folder, sorted; none when it cannot be read.
std::optional<QStringList> namesIn(const QString &folder)
{
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return std::nullopt;
    QStringList names;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (name != u"." && name != u"..")
            names.append(name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}
} // namespace

QString ContactFolder::defaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/kpeoplevcard");
}

ContactFolder::ContactFolder(QString path)
    : m_path(std::move(path))
{
}

// One stat for each entry: the walk over a folder of thousands of cards is most of a sync that
// finds nothing changed.
std::optional<QString> ContactFolder::list(QList<Card> &cards) const
{
    m_folders.clear();
    m_files.clear();
    struct stat status = {};
    if (!statOf(m_path, status) || !S_ISDIR(status.st_mode))
        return QStringLiteral("no folder %1").arg(m_path);
    QSet<std::pair<quint64, quint64>> seen; // device and inode: a symbolic link back up is not followed round
    QStringList pending{QString()};         // relative to the folder
    while (!pending.isEmpty()) {
        const QString folder = pending.takeFirst();
        const QString path = folder.isEmpty() ? m_path : m_path + u'/' + folder;
        if (!statOf(path, status))
            continue;
        const std::pair identity{quint64(status.st_dev), quint64(status.st_ino)};
        if (seen.contains(identity))
            continue;
        seen.insert(identity);
        const auto names = namesIn(path);
        if (!names) {
            if (folder.isEmpty())
                return QStringLiteral("cannot read %1: %2").arg(m_path, qt_error_string(errno));
            continue;
        }
        m_folders.append(path);
        for (const QString &name : *names) {
            const QString key = folder.isEmpty() ? name : folder + u'/' + name;
            const QString file = m_path + u'/' + key;
            if (!statOf(file, status)) {
                // A card that cannot even be looked at is read, and named then.
                if (isCardName(name))
                    cards.append({key, QString()});
            } else if (S_ISDIR(status.st_mode)) {
                pending.append(key);
            } else if (isCardName(name)) {
                m_files.append(file);
                cards.append({key, revisionOf(status)});
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> ContactFolder::read(ContactMirror &mirror, const std::function<void(const QString &)> &report) const
{
    m_refused = false;
    QList<Card> cards;
    if (auto unreadable = list(cards))
        return unreadable;
    QSet<QString> keys;
    for (const Card &card : std::as_const(cards))
        keys.insert(card.key);
    mirror.setCurrentKeys(keys);

    for (const Card &card : std::as_const(cards)) {
        const std::optional<QString> revision = card.revision.isEmpty() ? std::nullopt : std::optional(card.revision);
        if (mirror.isCurrent(card.key, revision))
            continue;
        const QString path = m_path + u'/' + card.key;
        std::optional<VCardContactReader::Card> first;
        int cardCount = 0;
        VCardContactReader contacts([&](VCardContactReader::Card &&read) {
            if (cardCount++ == 0)
                first = std::move(read);
        });
        VCardReader reader(contacts);
        const auto unreadable = readVCardFile(path, [&](QByteArrayView piece) {
            reader.read(piece);
            return true;
        });
        if (!unreadable)
            reader.finish();
        QString problem;
        if (unreadable)
            problem = QStringLiteral("%1: cannot read: %2").arg(path, *unreadable);
        else if (!first)
            problem = QStringLiteral("%1: no vCard in this file").arg(path);
        else if (const auto *bad = std::get_if<VCardProblem>(&*first))
            problem = QStringLiteral("%1:%2: %3; skipped").arg(path).arg(bad->line).arg(bad->message);
        if (!problem.isEmpty()) {
            if (report)
                report(problem);
            mirror.keep(card.key);
            continue;
        }
        if (cardCount > 1)
            qCDebug(lcContacts).noquote() << path << "holds" << cardCount << "cards; the first is the contact";
        if (!mirror.put(card.key, revision, std::get<VCardContact>(*first))) {
            m_refused = true;
            return std::nullopt;
        }
    }
    m_refused = !mirror.finish();
    return std::nullopt;
}
