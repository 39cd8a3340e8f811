#pragma once

#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <variant>

class AddressBook;
struct VCardContact;
struct VCardProblem;

// Takes the cards of one or more vCard files into the address book, all in one transaction:
// a card seen before (same UID, or without UID the same full name and organisation) updates
// its person, any other card makes a new one; persons not in the files stay. A card that
// cannot be read is skipped with one message; nothing already in the address book is lost.
class VCardImporter
{
public:
    enum class FileResult {
        Read,        // its cards are imported, those that cannot be read named
        NotRead,     // named: not a regular file, unreadable, or over maxVCardFileSize; none of it kept
        Refused,     // the address book refused a write: the whole import is undone
        Interrupted, // `interrupted` answered true: the whole import is undone
    };

    // `report` receives one line per skipped card, "FILE:LINE: reason; skipped", one for a file
    // without any card, "FILE: no vCard in this file", and one for a file not read,
    // "FILE: cannot read: reason". `interrupted` is asked between pieces of a file and between
    // cards.
    VCardImporter(AddressBook &addressBook, std::function<void(const QString &)> report,
                  std::function<bool()> interrupted = {});
    ~VCardImporter();

    // Reads the cards of the file at `path` piece by piece, as they come.
    FileResult importFile(const QString &path);
    // Writes everything imported to the address book. False when it could not: nothing is kept.
    bool commit();

    // Told the bytes read of the file being imported, after each piece.
    void setProgress(std::function<void(qint64)> progress) { m_progress = std::move(progress); }

    // "imported N, updated M, skipped K".
    QString summary() const;
    int imported() const { return m_total.imported; }
    int updated() const { return m_total.updated; }
    int skipped() const { return m_total.skipped; }
    const QString &errorText() const { return m_error; }

private:
    enum class Outcome { Added, Updated, Unchanged, Refused };
    struct Counts
    {
        int imported = 0;
        int updated = 0;
        int skipped = 0;
    };

    void take(const QString &fileName, std::variant<VCardContact, VCardProblem> &&card);
    void skip(const QString &fileName, const VCardProblem &problem);
    Outcome store(VCardContact &contact, const QString &key);
    bool begin();
    bool interrupted() const;
    FileResult stop(FileResult why);

    AddressBook &m_addressBook;
    std::function<void(const QString &)> m_report;
    std::function<bool()> m_interrupted;
    std::function<void(qint64)> m_progress;
    QHash<QString, QString> m_seen; // import key -> "FILE:LINE" of the card that took it
    bool m_inTransaction = false;
    bool m_failed = false;
    Counts m_total;
    QString m_error;

    // The file being read: what it added, undone when it turns out not to be readable.
    Counts m_file;
    QStringList m_fileKeys;
    bool m_fileHasCards = false;
    std::optional<FileResult> m_stopped; // why the import ends in the middle of the file
};
