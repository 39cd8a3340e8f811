#include "addressbook/ContactSync.h"

#include "addressbook/AddressBook.h"
#include "addressbook/ContactFolder.h"
#include "addressbook/ContactMirror.h"
#include "addressbook/EdsAddressBooks.h"
#include "addressbook/VCardContact.h"
#include "log/Log.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QSet>

namespace {
const QString folderSource = QStringLiteral("kpeoplevcard");
const QString edsPrefix = QStringLiteral("eds:");
constexpr int gatheringMs = 500;

// Stops a sync: what it wrote is undone.
struct Refused
{
    QString reason;
};
} // namespace

QString ContactSync::SourceState::line() const
{
    return QStringLiteral("%1\t%2\t%3").arg(name, unavailable ? QStringLiteral("unavailable: ") + *unavailable : QStringLiteral("ok")).arg(persons);
}

ContactSync::ContactSync(AddressBook &book, const QString &folder, QObject *parent)
    : QObject(parent)
    , m_book(book)
    , m_folder(std::make_unique<ContactFolder>(folder))
    , m_eds(std::make_unique<EdsAddressBooks>())
{
    m_gathering.setSingleShot(true);
    m_gathering.setInterval(gatheringMs);
    connect(&m_gathering, &QTimer::timeout, this, [this] {
        const Result result = sync();
        followFolder();
        Q_EMIT synced(result);
    });
}

ContactSync::~ContactSync() = default;

ContactSync::Result ContactSync::sync() { return run(true); }

QList<ContactSync::SourceState> ContactSync::sources() { return run(false).sources; }

// Reads one EDS address book into the mirror; its cards carry their UID and REV.
bool ContactSync::syncEds(const QString &uid, const QString &revision, Result &result)
{
    const QString name = edsPrefix + uid;
    const auto cards = m_eds->cards(uid);
    if (!cards) {
        result.sources.append({name, m_eds->errorText()});
        return true;
    }
    ContactMirror mirror(m_book, name);
    if (!mirror.isReady())
        return false;
    bool stored = true;
    VCardContactReader contacts([&](VCardContactReader::Card &&card) {
        if (const auto *problem = std::get_if<VCardProblem>(&card)) {
            result.problems.append(QStringLiteral("%1:%2: %3; skipped").arg(name).arg(problem->line).arg(problem->message));
            return;
        }
        VCardContact &contact = std::get<VCardContact>(card);
        const QString key = contact.uid.value_or(contact.importKey());
        if (stored && !mirror.isCurrent(key, contact.revision))
            stored = mirror.put(key, contact.revision, contact);
    });
    for (const QString &card : *cards) {
        VCardReader reader(contacts);
        reader.read(card.toUtf8());
        reader.finish();
    }
    if (!stored || !mirror.finish() || !m_book.setSourceRevision(name, revision))
        return false;
    result.changed = result.changed || mirror.changed();
    result.sources.append({name, std::nullopt});
    return true;
}

ContactSync::Result ContactSync::run(bool write)
{
    QElapsedTimer timer;
    timer.start();
    Result result;
    if (!m_book.isOpen() || (write && !m_book.beginTransaction())) {
        result.failure = m_book.errorText();
        return result;
    }
    const auto refused = [&] {
        result.failure = QStringLiteral("the address book could not be written: ") + m_book.errorText();
        m_book.rollbackTransaction();
        result.changed = false;
        return result;
    };
    const QHash<QString, std::optional<QString>> known = m_book.mirroredSources();

    // Evolution Data Server: every enabled address book; those it no longer has are gone.
    if (const auto books = m_eds->books()) {
        for (const QString &uid : *books) {
            const QString name = edsPrefix + uid;
            const auto revision = m_eds->revision(uid);
            if (!revision)
                result.sources.append({name, m_eds->errorText()});
            else if (!write || (known.contains(name) && known.value(name) == *revision))
                result.sources.append({name, std::nullopt});
            else if (!syncEds(uid, *revision, result))
                return refused();
        }
        for (auto source = known.cbegin(); source != known.cend(); ++source) {
            if (!source.key().startsWith(edsPrefix) || books->contains(source.key().mid(edsPrefix.size())))
                continue;
            if (!write) {
                result.sources.append({source.key(), QStringLiteral("no longer in Evolution Data Server")});
                continue;
            }
            ContactMirror gone(m_book, source.key());
            if (!gone.isReady() || !gone.finish() || !m_book.forgetSource(source.key()))
                return refused();
            result.changed = result.changed || gone.changed();
        }
    } else {
        result.sources.append({QStringLiteral("eds"), m_eds->errorText()});
    }

    // The KDE contacts folder.
    if (write) {
        ContactMirror mirror(m_book, folderSource);
        const auto unavailable = mirror.isReady() ? m_folder->read(mirror, [&](const QString &problem) { result.problems.append(problem); })
                                                  : std::nullopt;
        // Recorded once: a sync that changed nothing writes nothing, and spares the disk a flush.
        const bool record = !unavailable && !known.contains(folderSource);
        if (!mirror.isReady() || m_folder->refused() || (record && !m_book.setSourceRevision(folderSource, std::nullopt)))
            return refused();
        result.changed = result.changed || mirror.changed();
        result.sources.append({folderSource, unavailable});
    } else {
        const QFileInfo folder(m_folder->path());
        result.sources.append({folderSource, folder.isDir() && folder.isReadable()
                                                 ? std::nullopt
                                                 : std::optional(QStringLiteral("no folder %1").arg(m_folder->path()))});
    }
    result.sources.append({QStringLiteral("imported"), std::nullopt});

    if (write && !m_book.commitTransaction())
        return refused();
    const QHash<QString, int> counts = m_book.personCounts();
    for (SourceState &source : result.sources) {
        if (source.name == u"eds") {
            for (auto count = counts.cbegin(); count != counts.cend(); ++count)
                source.persons += count.key().startsWith(edsPrefix) ? count.value() : 0;
        } else {
            source.persons = counts.value(source.name == u"imported" ? QString() : source.name);
        }
    }
    qCDebug(lcContacts) << (write ? "synced" : "looked at") << "the contact sources in" << timer.elapsed() << "ms";
    return result;
}

void ContactSync::watch()
{
    if (!m_watcher) {
        m_watcher = new QFileSystemWatcher(this);
        connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &ContactSync::gather);
        connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &ContactSync::gather);
        connect(m_eds.get(), &EdsAddressBooks::changed, this, &ContactSync::gather);
    }
    followFolder();
    for (const QString &source : m_book.mirroredSources().keys()) {
        const QString uid = source.mid(edsPrefix.size());
        if (source.startsWith(edsPrefix) && !m_watchedBooks.contains(uid) && m_eds->watch(uid))
            m_watchedBooks.append(uid);
    }
}

// The first change starts the gathering; those that follow within it join the same sync.
void ContactSync::gather()
{
    if (!m_gathering.isActive())
        m_gathering.start();
}

// The folder, every folder below it and every card: a card written in place changes no folder.
// A folder not there yet is watched for from its parent.
void ContactSync::followFolder()
{
    if (!m_watcher)
        return;
    QStringList paths = m_folder->folders() + m_folder->files();
    if (paths.isEmpty())
        paths.append(QFileInfo(m_folder->path()).absolutePath());
    const QSet<QString> wanted(paths.cbegin(), paths.cend());
    const QStringList watched = m_watcher->files() + m_watcher->directories();
    const QSet<QString> current(watched.cbegin(), watched.cend());
    if (const QSet<QString> gone = current - wanted; !gone.isEmpty())
        m_watcher->removePaths(gone.values());
    if (const QSet<QString> added = wanted - current; !added.isEmpty())
        m_watcher->addPaths(added.values());
}
