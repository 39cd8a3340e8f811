#include "lists/RecentViewController.h"

#include "core/CallInitiator.h"
#include "core/CommonOperations.h"
#include "core/FailureReporter.h"
#include "lists/CallRecordArchive.h"
#include "addressbook/AddressBook.h"
#include "platform/Alerts.h"

#include <QPointer>
#include <QTimer>

const QString RecentViewController::archiveFileName = QStringLiteral("recent.archive");
const QString RecentViewController::archiveRootKey = QStringLiteral("ReecentCollection");

namespace {
const QString unknownType = QStringLiteral("unknown");
const FailureReporter::ArchiveTexts archiveTexts = {
    "Your recent calls could not be saved in %1 (%2). The previous list is kept.",
    "Your recent calls file was damaged. A copy is kept as %1."};
}

RecentViewController::RecentViewController(const Home &home, AddressBook &addressBook, CallInitiator &calls,
                                           Alerts &alerts, FailureReporter &reports, QObject *parent)
    : QObject(parent)
    , m_addressBook(addressBook)
    , m_calls(calls)
    , m_alerts(alerts)
    , m_reports(reports)
    , m_archive(home.documentPath(archiveFileName), archiveRootKey)
{
    loadDataFromDisk();
}

void RecentViewController::setRecentArray(QList<FavoriteRecordPtr> records)
{
    if (records.size() > maxCount)
        records.resize(maxCount);
    m_model.setRecords(std::move(records));
}

void RecentViewController::loadView()
{
    if (m_viewLoaded)
        return;
    m_viewLoaded = true;
    prepareRecentCollection();
    loadButton();
}

void RecentViewController::addCall(const FavoriteRecordPtr &record)
{
    if (!record)
        return;
    if (m_model.rowCount() >= maxCount)
        m_model.removeRecord(m_model.rowCount() - 1);
    m_model.insertRecord(0, record);
    setSelectedRow(-1); // the table is reloaded, which drops the highlight
    loadView();
    if (!m_showsClearButton)
        setShowsClearButton(true);
}

bool RecentViewController::saveDataToDisk()
{
    return m_reports.save(m_archive, CallRecordArchive::encode(recentArray()), archiveTexts);
}

void RecentViewController::loadDataFromDisk() { setRecentArray(CallRecordArchive::read(m_archive, maxCount)); }

void RecentViewController::forgetContacts()
{
    for (const FavoriteRecordPtr &entry : recentArray())
        entry->contactID = -1;
    m_model.recordsChanged();
    saveDataToDisk();
}

void RecentViewController::prepareRecentCollection()
{
    if (!m_addressBook.isOpen())
        return;
    // Worked out aside: a book found damaged meanwhile would rename or unlink the entries.
    QList<FavoriteRecord> refreshed;
    for (const FavoriteRecordPtr &stored : recentArray()) {
        FavoriteRecord &entry = refreshed.emplace_back(*stored);
        const std::optional<Person> person = m_addressBook.personWithRecordID(entry.contactID);
        if (!person) {
            entry.contactID = -1;
            entry.phoneType = unknownType;
            entry.displayName = entry.phoneNumber;
            continue;
        }
        const int index = person->indexForIdentifier(entry.identifier);
        bool sameNumber = false;
        if (index < 0) {
            entry.phoneType = unknownType;
        } else {
            const PhoneEntry &phone = person->phones->at(index);
            sameNumber = entry.phoneNumber == phone.value;
            entry.phoneType = !sameNumber ? unknownType
                              : phone.label ? FavoriteRecord::phoneTypeFromLabel(*phone.label)
                                            : QString();
        }
        const std::optional<QString> name = CommonOperations::getName(*person, false);
        entry.displayName = name && sameNumber ? *name : entry.phoneNumber;
    }
    if (m_addressBook.foundDamaged())
        return;
    for (qsizetype i = 0; i < refreshed.size(); ++i)
        *recentArray()[i] = refreshed[i];
    m_model.recordsChanged();
}

void RecentViewController::addressBookChanged()
{
    if (m_viewLoaded)
        prepareRecentCollection();
}

void RecentViewController::loadButton() { setShowsClearButton(!recentArray().isEmpty()); }

void RecentViewController::clearRecords()
{
    const QPointer<RecentViewController> self(this);
    m_alerts.showActionSheet({QStringLiteral("Clear All Recents"), QStringLiteral("Cancel")}, 0, 1, [self](int button) {
        if (self)
            self->clearSheetAnswered(button);
    });
}

void RecentViewController::clearSheetAnswered(int button)
{
    if (button == 0)
        clearAllRecents();
}

void RecentViewController::clearAllRecents()
{
    m_model.setRecords({});
    setShowsClearButton(false);
    saveDataToDisk();
}

void RecentViewController::selectRow(int row)
{
    if (row < 0 || row >= m_model.rowCount())
        return;
    setSelectedRow(row);
    const FavoriteRecord &entry = *recentArray()[row];
    auto record = std::make_shared<FavoriteRecord>();
    record->phoneNumber = entry.phoneNumber;
    record->displayName = entry.displayName;
    record->phoneType = entry.phoneType;
    record->contactID = entry.contactID;
    record->startTime.reset(); // stamped by call placement
    m_calls.InitateCall(record);
    QTimer::singleShot(deselectDelayMs, this, &RecentViewController::deselect);
}

void RecentViewController::deselect() { setSelectedRow(-1); }

void RecentViewController::setShowsClearButton(bool shows)
{
    if (m_showsClearButton == shows)
        return;
    m_showsClearButton = shows;
    Q_EMIT showsClearButtonChanged();
}

void RecentViewController::setSelectedRow(int row)
{
    if (m_selectedRow == row)
        return;
    m_selectedRow = row;
    Q_EMIT selectedRowChanged();
}
