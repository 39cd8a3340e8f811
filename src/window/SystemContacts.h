#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <atomic>
#include <memory>

class FarlineAppDelegate;
class QThread;

// The system's contacts in the window: mirrored into the address book once the window shows,
// then followed while it is open (Evolution Data Server's views, the KDE contacts folder); and
// vCard files imported from the contacts tab as `farline contacts import` imports them. Both run
// on a thread of their own with a connection of their own to the address book, so the window
// never waits for EDS, the folder or a long file; the screens follow when the book has changed.
class SystemContacts : public QObject
{
    Q_OBJECT
    // From start() to the end of the first sync.
    Q_PROPERTY(bool syncing READ syncing NOTIFY syncingChanged)
    // How far the import has come ("Importing contacts.vcf: 40%"); empty while none runs.
    Q_PROPERTY(QString importProgress READ importProgress NOTIFY importProgressChanged)

public:
    // `folder` is the KDE contacts folder.
    SystemContacts(FarlineAppDelegate &app, QString folder, QObject *parent = nullptr);
    ~SystemContacts() override;

    bool syncing() const { return m_syncing; }
    const QString &importProgress() const { return m_importProgress; }

    // The first sync, then the following of the sources. Only the first call does anything.
    void start();
    // Imports the vCard files chosen, in one transaction; the outcome is an alert with the
    // command's lines (what could not be read, then "imported N, updated M, skipped K").
    Q_INVOKABLE void importFiles(const QList<QUrl> &files);

Q_SIGNALS:
    void syncingChanged();
    void importProgressChanged();

private:
    struct Worker;
    void runOnWorker(std::function<void(Worker &)> work);
    void setImportProgress(const QString &text);
    void synced(bool changed, const QStringList &problems, const std::optional<QString> &failure);

    FarlineAppDelegate &m_app;
    const QString m_folder;
    std::unique_ptr<QThread> m_thread;
    Worker *m_worker = nullptr; // lives on the thread
    std::atomic_bool m_closing = false;
    bool m_started = false;
    bool m_syncing = false;
    bool m_failureSaid = false;
    QString m_importProgress;
};
