#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <functional>

class AddressBook;
struct VCardContact;

// Takes the cards of one or more vCard files into the address book, all in one transaction:
// a card seen before (same UID, or without UID the same full name and organisation) updates
// its person, any other card makes a new one; persons not in the files stay. A card that
// cannot be read is skipped with one message; nothing already in the address book is lost.
class VCardImporter
{
public:
    // `report` receives one line per skipped card, "FILE:LINE: reason; skipped", and one for a
    // file without any card, "FILE: no vCard in this file".
    VCardImporter(AddressBook &addressBook, std::function<void(const QString &)> report);
    ~VCardImporter();

    // Reads the cards of one file. False when the address book refused a write: the whole
    // import is then undone.
    bool importFile(const QString &fileName, QByteArrayView bytes);
    // Writes everything imported to the address book. False when it could not: nothing is kept.
    bool commit();

    int imported() const { return m_imported; }
    int updated() const { return m_updated; }
    int skipped() const { return m_skipped; }
    const QString &errorText() const { return m_error; }

private:
    enum class Outcome { Added, Updated, Unchanged, Refused };
    Outcome store(const VCardContact &contact);
    bool begin();

    AddressBook &m_addressBook;
    std::function<void(const QString &)> m_report;
    QHash<QString, QString> m_seen; // import key -> "FILE:LINE" of the card that took it
    bool m_inTransaction = false;
    bool m_failed = false;
    int m_imported = 0;
    int m_updated = 0;
    int m_skipped = 0;
    QString m_error;
};
