#include "addressbook/VCardImporter.h"

#include "addressbook/AddressBook.h"
#include "addressbook/PhoneListMerge.h"
#include "addressbook/VCardContact.h"
#include "addressbook/VCardFile.h"
#include "addressbook/VCardReader.h"
#include "log/Log.h"


VCardImporter::VCardImporter(AddressBook &addressBook, std::function<void(const QString &)> report,
                             std::function<bool()> interrupted)
    : m_addressBook(addressBook)
    , m_report(std::move(report))
    , m_interrupted(std::move(interrupted))
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

VCardImporter::FileResult VCardImporter::importFile(const QString &path)
{
    if (!begin())
        return FileResult::Refused;
    // The file's cards go into a savepoint of their own, so that a file that turns out to be too
    // large or unreadable halfway leaves nothing behind.
    if (!m_addressBook.beginSavepoint())
        return stop(FileResult::Refused);
    m_file = {};
    m_fileKeys.clear();
    m_fileHasCards = false;
    m_stopped.reset();

    VCardContactReader contacts([&](VCardContactReader::Card &&card) { take(path, std::move(card)); });
    VCardReader reader(contacts);
    qint64 bytesRead = 0;
    const std::optional<QString> unreadable = readVCardFile(path, [&](QByteArrayView piece) {
        if (interrupted())
            m_stopped = FileResult::Interrupted;
        else
            reader.read(piece);
        if (m_progress)
            m_progress(bytesRead += piece.size());
        return !m_stopped;
    });
    if (!unreadable && !m_stopped)
        reader.finish();
    if (m_stopped)
        return stop(*m_stopped);
    if (unreadable) {
        m_addressBook.rollbackToSavepoint();
        for (const QString &key : std::as_const(m_fileKeys))
            m_seen.remove(key);
        if (m_report)
            m_report(QStringLiteral("%1: cannot read: %2").arg(path, *unreadable));
        return FileResult::NotRead;
    }
    if (!m_addressBook.releaseSavepoint())
        return stop(FileResult::Refused);
    if (!m_fileHasCards && m_report)
        m_report(QStringLiteral("%1: no vCard in this file").arg(path));
    qCDebug(lcContacts).noquote() << path << ": imported" << m_file.imported << "updated" << m_file.updated
                                  << "skipped" << m_file.skipped;
    m_total.imported += m_file.imported;
    m_total.updated += m_file.updated;
    m_total.skipped += m_file.skipped;
    return FileResult::Read;
}

void VCardImporter::take(const QString &fileName, std::variant<VCardContact, VCardProblem> &&card)
{
    if (m_stopped)
        return;
    m_fileHasCards = true;
    if (interrupted()) {
        m_stopped = FileResult::Interrupted;
        return;
    }
    if (const auto *problem = std::get_if<VCardProblem>(&card)) {
        skip(fileName, *problem);
        return;
    }
    VCardContact &contact = std::get<VCardContact>(card);
    const QString key = contact.importKey();
    if (const auto earlier = m_seen.constFind(key); earlier != m_seen.constEnd()) {
        skip(fileName, {contact.line, QStringLiteral("the same person as the card at %1").arg(*earlier)});
        return;
    }
    switch (store(contact, key)) {
    case Outcome::Added:
        ++m_file.imported;
        break;
    case Outcome::Updated:
        ++m_file.updated;
        break;
    case Outcome::Unchanged:
        break;
    case Outcome::Refused:
        m_stopped = interrupted() ? FileResult::Interrupted : FileResult::Refused;
        return;
    }
    m_seen.insert(key, QStringLiteral("%1:%2").arg(fileName).arg(contact.line));
    m_fileKeys.append(key);
}

void VCardImporter::skip(const QString &fileName, const VCardProblem &problem)
{
    ++m_file.skipped;
    if (m_report)
        m_report(QStringLiteral("%1:%2: %3; skipped").arg(fileName).arg(problem.line).arg(problem.message));
}

// A card of many numbers takes a while to store: the interruption is asked between numbers too.
VCardImporter::Outcome VCardImporter::store(VCardContact &contact, const QString &key)
{
    const std::function<bool()> interruption = [this] { return interrupted(); };
    const auto recordID = m_addressBook.recordIDForImportKey(key);
    if (!recordID)
        return m_addressBook.addPerson(key, contact.person, interruption) ? Outcome::Added : Outcome::Refused;
    switch (updateMerged(m_addressBook, *recordID, contact.person, interruption)) {
    case MergeOutcome::Updated:
        return Outcome::Updated;
    case MergeOutcome::Unchanged:
        return Outcome::Unchanged;
    case MergeOutcome::Refused:
        break;
    }
    return Outcome::Refused;
}

QString VCardImporter::summary() const
{
    return QStringLiteral("imported %1, updated %2, skipped %3").arg(imported()).arg(updated()).arg(skipped());
}

bool VCardImporter::interrupted() const { return m_interrupted && m_interrupted(); }

// The address book refused a write, or the import was interrupted: nothing of it is kept.
VCardImporter::FileResult VCardImporter::stop(FileResult why)
{
    m_failed = true;
    if (why == FileResult::Refused)
        m_error = m_addressBook.errorText();
    if (m_inTransaction)
        m_addressBook.rollbackTransaction();
    m_inTransaction = false;
    return why;
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
