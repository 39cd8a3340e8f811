#include "addressbook/ContactMirror.h"

#include "addressbook/PhoneListMerge.h"
#include "addressbook/VCardContact.h"
#include "log/Log.h"

ContactMirror::ContactMirror(AddressBook &book, QString source)
    : m_book(book)
    , m_source(std::move(source))
{
    const auto persons = m_book.mirroredPersons(m_source);
    m_ready = persons.has_value();
    for (const AddressBook::MirroredPerson &person : persons.value_or(QList<AddressBook::MirroredPerson>()))
        m_unmet.insert(person.key, person);
}

void ContactMirror::setCurrentKeys(const QSet<QString> &keys)
{
    m_vacant.clear();
    for (const AddressBook::MirroredPerson &person : std::as_const(m_unmet)) {
        if (!keys.contains(person.key))
            m_vacant.insert(person.importKey, person.key);
    }
}

bool ContactMirror::isCurrent(const QString &key, const std::optional<QString> &revision)
{
    const auto stored = m_unmet.constFind(key);
    if (!revision || stored == m_unmet.constEnd() || stored->revision != revision)
        return false;
    m_unmet.erase(stored);
    return true;
}

void ContactMirror::keep(const QString &key) { m_unmet.remove(key); }

std::optional<AddressBook::MirroredPerson> ContactMirror::takeVacant(const QString &importKey)
{
    const auto vacant = m_vacant.constFind(importKey);
    if (vacant == m_vacant.constEnd())
        return std::nullopt;
    const QString key = *vacant;
    m_vacant.erase(vacant);
    return m_unmet.take(key);
}

bool ContactMirror::put(const QString &key, const std::optional<QString> &revision, VCardContact &contact)
{
    std::optional<AddressBook::MirroredPerson> stored;
    if (const auto found = m_unmet.constFind(key); found != m_unmet.constEnd()) {
        stored = *found;
        m_unmet.erase(found);
    } else {
        stored = takeVacant(contact.importKey());
    }
    std::optional<int> recordID;
    if (stored) {
        recordID = stored->recordID;
        switch (updateMerged(m_book, *recordID, contact.person, {})) {
        case MergeOutcome::Refused:
            return false;
        case MergeOutcome::Updated:
            m_changed = true;
            qCDebug(lcContacts).noquote() << m_source << "updated" << key;
            break;
        case MergeOutcome::Unchanged:
            break;
        }
        if (stored->key == key && stored->revision == revision)
            return true;
    } else {
        recordID = m_book.addPerson(contact.importKey(), contact.person);
        if (!recordID)
            return false;
        m_changed = true;
    }
    return m_book.setMirrored(*recordID, m_source, key, revision);
}

bool ContactMirror::finish()
{
    for (const AddressBook::MirroredPerson &gone : std::as_const(m_unmet)) {
        if (!m_book.removeMirrored(gone.recordID))
            return false;
        qCDebug(lcContacts).noquote() << m_source << "removed" << gone.key;
        m_changed = true;
    }
    m_unmet.clear();
    return true;
}
