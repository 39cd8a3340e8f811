#pragma once

#include <QObject>
#include <QStringList>
#include <QTimer>
#include <memory>
#include <optional>

class AddressBook;
class ContactFolder;
class EdsAddressBooks;
class QFileSystemWatcher;

// The system's contact sources mirrored into the address book: Evolution Data Server's address
// books ("eds:UID") and the KDE contacts folder ("kpeoplevcard"), beside the imported cards
// ("imported"), which a sync never touches. A source that cannot be read is "unavailable" and
// its persons stay as they were mirrored.
class ContactSync : public QObject
{
    Q_OBJECT

public:
    struct SourceState
    {
        QString name;                       // "eds:UID", "eds" when EDS cannot be asked, "kpeoplevcard", "imported"
        std::optional<QString> unavailable; // why the source cannot be read
        int persons = 0;                    // mirrored from it

        // "SOURCE<TAB>ok<TAB>PERSONS", or "SOURCE<TAB>unavailable: reason<TAB>PERSONS".
        QString line() const;
    };
    struct Result
    {
        QList<SourceState> sources;
        std::optional<QString> failure; // why the mirror could not be written: nothing was
        QStringList problems;           // the cards that could not be read, "FILE:LINE: reason; skipped"
        bool changed = false;           // a person was added, changed or removed
    };

    // `folder` is the KDE contacts folder.
    explicit ContactSync(AddressBook &book, const QString &folder, QObject *parent = nullptr);
    ~ContactSync() override;

    // Brings the mirror to what every source holds now, in one transaction: a sync that fails
    // half way (a full disk) leaves it as it was. A source whose revision has not changed since
    // the last sync is not read again.
    Result sync();
    // What each source holds in the mirror, and whether it can be read now, without syncing.
    QList<SourceState> sources();

    // Follows the sources' changes while this object lives (the folder, EDS's address books):
    // changes are gathered for 500 ms, then synced, and `synced` says how it went.
    void watch();

Q_SIGNALS:
    void synced(const ContactSync::Result &result);

private:
    Result run(bool write);
    bool syncEds(const QString &uid, const QString &revision, Result &result);
    void gather();
    void followFolder();

    AddressBook &m_book;
    std::unique_ptr<ContactFolder> m_folder;
    std::unique_ptr<EdsAddressBooks> m_eds;
    QFileSystemWatcher *m_watcher = nullptr;
    QTimer m_gathering;
    QStringList m_watchedBooks;
};
