#include "addressbook/ContactFolder.h"

#include "addressbook/ContactMirror.h"
#include "addressbook/VCardContact.h"
#include "addressbook/VCardFile.h"
#include "addressbook/VCardReader.h"
#include "log/Log.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QStandardPaths>
#include <cerrno>
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
std::optional<QString> revisionOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return QStringLiteral("%1.%2 %3 %4")
        .arg(qint64(status.st_mtim.tv_sec))
        .arg(qint64(status.st_mtim.tv_nsec))
        .arg(qint64(status.st_size))
        .arg(quint64(status.st_ino));
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

std::optional<QString> ContactFolder::list(QList<Card> &cards) const
{
    m_folders.clear();
    m_files.clear();
    if (!QFileInfo(m_path).isDir())
        return QStringLiteral("no folder %1").arg(m_path);
    QSet<QString> seen; // canonical paths: a symbolic link back up is not followed round
    QStringList pending{m_path};
    const QDir root(m_path);
    while (!pending.isEmpty()) {
        const QString folder = pending.takeFirst();
        if (seen.contains(QFileInfo(folder).canonicalFilePath()))
            continue;
        seen.insert(QFileInfo(folder).canonicalFilePath());
        QDir dir(folder);
        if (!dir.isReadable()) {
            if (folder == m_path)
                return QStringLiteral("cannot read %1: %2").arg(m_path, qt_error_string(EACCES));
            continue;
        }
        m_folders.append(folder);
        dir.setFilter(QDir::Dirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot);
        dir.setSorting(QDir::Name);
        for (const QFileInfo &entry : dir.entryInfoList()) {
            if (entry.isDir()) {
                pending.append(entry.filePath());
            } else if (isCardName(entry.fileName())) {
                m_files.append(entry.filePath());
                // A card whose revision cannot be taken is read every time, and named then.
                cards.append({root.relativeFilePath(entry.filePath()), revisionOf(entry.filePath()).value_or(QString())});
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
