#pragma once

#include "addressbook/AddressBook.h"

#include <QHash>
#include <QSet>

struct VCardContact;

// The persons one system contact source gave the address book, brought to what the source holds
// now inside the caller's transaction: a card read again updates its person with the import's
// merge (its numbers keep their identifiers), a new card adds a person, and the persons whose
// cards the source no longer holds are removed at the end. Person ids stay with their cards, so
// the favourites and recent calls that hold them follow a card's edits. The source itself is
// only ever read.
class ContactMirror
{
public:
    // Reads what the book holds of `source` ("eds:UID", "kpeoplevcard").
    ContactMirror(AddressBook &book, QString source);

    // False when the book could not be read; see errorText().
    bool isReady() const { return m_ready; }
    const QString &errorText() const { return m_book.errorText(); }

    // Every key the source holds now, when it is known before the cards are read: a new key whose
    // card has the UID of a person whose key has gone (a file renamed) takes that person over.
    void setCurrentKeys(const QSet<QString> &keys);
    // True when the person under `key` was read at `revision` (none: unknown): it stays as it is.
    bool isCurrent(const QString &key, const std::optional<QString> &revision);
    // The card under `key` as the source holds it now. False when the book refused a write.
    bool put(const QString &key, const std::optional<QString> &revision, VCardContact &contact);
    // A card the source holds but that could not be read: its person, if any, stays as it was.
    void keep(const QString &key);
    // Removes the persons of the source that were neither current, put nor kept. False when the
    // book refused a write.
    bool finish();

    // Whether anything was added, changed or removed.
    bool changed() const { return m_changed; }

private:
    std::optional<AddressBook::MirroredPerson> takeVacant(const QString &importKey);

    AddressBook &m_book;
    const QString m_source;
    bool m_ready = false;
    bool m_changed = false;
    QHash<QString, AddressBook::MirroredPerson> m_unmet; // by key: not yet met in the source
    QMultiHash<QString, QString> m_vacant;               // import key -> key no longer in the source
};
