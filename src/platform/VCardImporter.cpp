#include "platform/VCardImporter.h"

#include "platform/AddressBook.h"
#include "platform/PhoneListMerge.h"
#include "platform/VCardContact.h"
#include "platform/VCardReader.h"

#include <algorithm>

VCardImporter::VCardImporter(AddressBook &addressBook, std::function<void(const QString &)> report)
    : m_addressBook(addressBook)
    , m_report(std::move(report))
{
}

VCardImporter::~VCardImporter()
{
    if (m_inTransaction)
        m_addressBook.rollbackTransaction();
}

bool VCardImporter::begin()
{
    if (m_failed)
        return false;
    if (!m_inTransaction && !m_addressBook.beginTransaction()) {
        m_failed = true;
        m_error = m_addressBook.errorText();
        return false;
    }
    m_inTransaction = true;
    return true;
}

bool VCardImporter::importFile(const QString &fileName, QByteArrayView bytes)
{
    if (!begin())
        return false;
    const VCardFile file = VCardReader::read(bytes);
    QList<VCardProblem> problems = file.problems;
    for (const VCard &card : file.cards) {
        const auto read = VCardContact::fromCard(card);
        if (const auto *problem = std::get_if<VCardProblem>(&read)) {
            problems.append(*problem);
            continue;
        }
        const VCardContact &contact = std::get<VCardContact>(read);
        const QString where = QStringLiteral("%1:%2").arg(fileName).arg(contact.line);
        const QString key = contact.importKey();
        if (const auto earlier = m_seen.constFind(key); earlier != m_seen.constEnd()) {
            problems.append({contact.line, QStringLiteral("the same person as the card at %1").arg(*earlier)});
            continue;
        }
        switch (store(contact)) {
        case Outcome::Added:
            ++m_imported;
            break;
        case Outcome::Updated:
            ++m_updated;
            break;
        case Outcome::Unchanged:
            break;
        case Outcome::Refused:
            m_failed = true;
            m_error = m_addressBook.errorText();
            m_addressBook.rollbackTransaction();
            m_inTransaction = false;
            return false;
        }
        m_seen.insert(key, where);
    }
    if (file.cards.isEmpty() && problems.isEmpty() && m_report)
        m_report(QStringLiteral("%1: no vCard in this file").arg(fileName));
    std::stable_sort(problems.begin(), problems.end(),
                     [](const VCardProblem &a, const VCardProblem &b) { return a.line < b.line; });
    for (const VCardProblem &problem : problems) {
        ++m_skipped;
        if (m_report)
            m_report(QStringLiteral("%1:%2: %3; skipped").arg(fileName).arg(problem.line).arg(problem.message));
    }
    return true;
}

VCardImporter::Outcome VCardImporter::store(const VCardContact &contact)
{
    const QString key = contact.importKey();
    const auto recordID = m_addressBook.recordIDForImportKey(key);
    if (!recordID)
        return m_addressBook.addPerson(key, contact.person) ? Outcome::Added : Outcome::Refused;

    const std::optional<Person> old = m_addressBook.personNamesWithRecordID(*recordID);
    PersonDraft draft = contact.person;
    const auto readOld = [&](const std::function<void(const PhoneEntry &)> &take) {
        return m_addressBook.readPhones(*recordID, [&](const PhoneEntry &entry) {
            take(entry);
            return true;
        });
    };
    auto merged = mergePhoneList(readOld, std::move(draft.phones));
    if (!merged)
        return Outcome::Refused;
    draft.phones = std::move(merged->phones);
    if (merged->unchanged && old && old->firstName == draft.firstName && old->middleName == draft.middleName
        && old->lastName == draft.lastName && old->organization == draft.organization)
        return Outcome::Unchanged;
    return m_addressBook.updatePerson(*recordID, draft) ? Outcome::Updated : Outcome::Refused;
}

bool VCardImporter::commit()
{
    if (m_failed)
        return false;
    if (!m_inTransaction)
        return true;
    m_inTransaction = false;
    if (m_addressBook.commitTransaction())
        return true;
    m_failed = true;
    m_error = m_addressBook.errorText();
    return false;
}
