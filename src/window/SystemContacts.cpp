#include "window/SystemContacts.h"

#include "addressbook/AddressBook.h"
#include "addressbook/ContactSync.h"
#include "addressbook/VCardImporter.h"
#include "core/FarlineAppDelegate.h"
#include "log/Log.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QThread>

namespace {
// A file that takes longer than this shows how far its import has come.
constexpr int progressEveryMs = 200;
}

// The thread's own connection to the address book, and the sync that follows the sources.
struct SystemContacts::Worker : QObject
{
    explicit Worker(const QString &path)
        : book(path)
    {
    }
    AddressBook book;
    std::unique_ptr<ContactSync> sync;
};

SystemContacts::SystemContacts(FarlineAppDelegate &app, QString folder, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_folder(std::move(folder))
{
}

SystemContacts::~SystemContacts()
{
    if (!m_thread)
        return;
    m_closing = true; // an import in progress is undone
    QMetaObject::invokeMethod(m_worker, [this] { delete m_worker; }, Qt::BlockingQueuedConnection);
    m_thread->quit();
    m_thread->wait();
}

void SystemContacts::runOnWorker(std::function<void(Worker &)> work)
{
    if (!m_thread) {
        // Opened here first, so that an upgrade of its schema is done before the thread opens it.
        AddressBook &book = m_app.addressBook();
        book.isOpen();
        m_thread = std::make_unique<QThread>();
        m_worker = new Worker(book.path());
        m_worker->moveToThread(m_thread.get());
        m_thread->start();
    }
    QMetaObject::invokeMethod(m_worker, [this, work = std::move(work)] { work(*m_worker); });
}

void SystemContacts::start()
{
    if (m_started)
        return;
    m_started = true;
    m_syncing = true;
    Q_EMIT syncingChanged();
    runOnWorker([this](Worker &worker) {
        worker.sync = std::make_unique<ContactSync>(worker.book, m_folder);
        const auto tell = [this](const ContactSync::Result &result) {
            QMetaObject::invokeMethod(this, [this, result] { synced(result.changed, result.problems, result.failure); });
        };
        tell(worker.sync->sync());
        connect(worker.sync.get(), &ContactSync::synced, worker.sync.get(), tell);
        worker.sync->watch();
    });
}

void SystemContacts::synced(bool changed, const QStringList &problems, const std::optional<QString> &failure)
{
    for (const QString &problem : problems)
        qCInfo(lcContacts).noquote() << problem;
    if (failure && !m_failureSaid) {
        m_failureSaid = true; // once: the following syncs would say it again
        m_app.reportWarning(QStringLiteral("Your phone's contacts could not be brought up to date in Farline (%1).").arg(*failure));
    }
    if (changed)
        m_app.addressBookChanged();
    if (m_syncing) {
        m_syncing = false;
        Q_EMIT syncingChanged();
    }
}

void SystemContacts::importFiles(const QList<QUrl> &files)
{
    if (files.isEmpty() || !m_importProgress.isEmpty())
        return;
    setImportProgress(QStringLiteral("Importing…"));
    runOnWorker([this, files](Worker &worker) {
        QStringList lines;
        VCardImporter importer(worker.book, [&lines](const QString &line) { lines.append(line); },
                               [this] { return m_closing.load(); });
        QElapsedTimer sinceShown;
        sinceShown.start();
        for (const QUrl &file : files) {
            const QString path = file.toLocalFile();
            const QFileInfo info(path);
            importer.setProgress([&, size = info.size(), name = info.fileName()](qint64 read) {
                if (!sinceShown.hasExpired(progressEveryMs) || size <= 0)
                    return;
                sinceShown.start();
                const QString text = QStringLiteral("Importing %1: %2%").arg(name).arg(std::min<qint64>(100, read * 100 / size));
                QMetaObject::invokeMethod(this, [this, text] { setImportProgress(text); });
            });
            const VCardImporter::FileResult result = importer.importFile(path);
            if (result == VCardImporter::FileResult::Refused || result == VCardImporter::FileResult::Interrupted)
                break;
        }
        if (m_closing)
            return;
        const bool committed = importer.commit();
        lines.append(committed ? importer.summary()
                               : QStringLiteral("Nothing imported: the address book could not be written: ") + importer.errorText());
        QMetaObject::invokeMethod(this, [this, lines, committed] {
            setImportProgress(QString());
            if (committed)
                m_app.addressBookChanged();
            m_app.reportWarning(lines.join(u'\n'));
        });
    });
}

void SystemContacts::setImportProgress(const QString &text)
{
    if (m_importProgress == text)
        return;
    m_importProgress = text;
    Q_EMIT importProgressChanged();
}
