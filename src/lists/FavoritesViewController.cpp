#include "lists/FavoritesViewController.h"

#include "core/CallInitiator.h"
#include "core/CommonOperations.h"
#include "core/FailureReporter.h"
#include "lists/CallRecordArchive.h"
#include "lists/PhoneEntryRecord.h"
#include "addressbook/AddressBook.h"

#include <QTimer>
#include <cstdio>

const QString FavoritesViewController::archiveFileName = QStringLiteral("favorites.archive");
const QString FavoritesViewController::archiveRootKey = QStringLiteral("FavoritesCollection");

namespace {
const FailureReporter::ArchiveTexts archiveTexts = {
    "Your favorites could not be saved in %1 (%2). The previous list is kept.",
    "Your favorites file was damaged. A copy is kept as %1."};
}

FavoritesViewController::FavoritesViewController(const Home &home, AddressBook &addressBook, CallInitiator &calls,
                                                 FailureReporter &reports, QObject *parent)
    : QObject(parent)
    , m_addressBook(addressBook)
    , m_calls(calls)
    , m_reports(reports)
    , m_archive(home.documentPath(archiveFileName), archiveRootKey)
    , m_pickerPeople(addressBook)
{
    loadDataFromDisk();
    m_showsEditButton = !favoritesArray().isEmpty();
}

void FavoritesViewController::setFavoritesArray(QList<FavoriteRecordPtr> records)
{
    if (records.size() > maxCount)
        records.resize(maxCount);
    m_model.setRecords(std::move(records));
}

void FavoritesViewController::loadView()
{
    if (m_viewLoaded)
        return;
    m_viewLoaded = true;
    setShowsEditButton(!favoritesArray().isEmpty());
    setShowsAddButton(!m_editing);
    prepareFavoritesCollection();
}

void FavoritesViewController::addressBookChanged()
{
    if (m_viewLoaded)
        prepareFavoritesCollection();
    if (m_showsPeoplePicker)
        m_pickerPeople.reload();
}

// Each Add opens a new picker: the persons as they are now, without the last one's search.
// Read here rather than with the view, which start-up and every favourites command make.
void FavoritesViewController::NewAction()
{
    m_pickerPeople.setSearchText(QString());
    m_pickerPeople.reload();
    setShowsPeoplePicker(true);
}

void FavoritesViewController::peoplePickerNavigationControllerDidCancel() { setShowsPeoplePicker(false); }

bool FavoritesViewController::pickPhoneEntry(int recordID, int identifier)
{
    const std::optional<Person> person = m_addressBook.personWithRecordID(recordID);
    const auto record = person ? recordForPhoneEntry(*person, identifier) : std::nullopt;
    if (!record)
        return false;
    myModalViewControllerDidFinish(*record);
    setShowsPeoplePicker(false);
    return true;
}

void FavoritesViewController::myModalViewControllerDidFinish(const FavoriteRecordPtr &record)
{
    if (!record)
        return;
    const QList<FavoriteRecordPtr> &list = favoritesArray();
    qsizetype equal = -1;
    for (qsizetype i = 0; i < list.size() && equal < 0; ++i) {
        const FavoriteRecord &entry = *list[i];
        if (entry.phoneType == record->phoneType && entry.contactID == record->contactID
            && entry.phoneNumber == record->phoneNumber)
            equal = i;
    }
    if (equal >= 0) {
        m_model.moveRecord(int(equal), m_model.rowCount() - 1);
    } else {
        if (m_model.rowCount() >= maxCount)
            m_model.removeRecord(m_model.rowCount() - 1);
        m_model.insertRecord(m_model.rowCount(), record);
    }
    if (!m_showsEditButton)
        setShowsEditButton(true);
    saveDataToDisk();
}

void FavoritesViewController::setEditing(bool editing)
{
    if (editing == m_editing)
        return;
    if (editing) {
        setShowsAddButton(false);
    } else {
        setShowsAddButton(true);
        if (favoritesArray().isEmpty())
            setShowsEditButton(false);
    }
    m_editing = editing;
    Q_EMIT editingChanged();
}

void FavoritesViewController::LeaveEditingMode()
{
    if (m_editing)
        setEditing(false);
}

bool FavoritesViewController::deleteRow(int row)
{
    if (!m_editing || row < 0 || row >= m_model.rowCount())
        return false;
    std::printf("About to delete item %d\n", row);
    std::fflush(stdout);
    m_model.removeRecord(row);
    if (m_selectedRow >= m_model.rowCount())
        setSelectedRow(-1);
    saveDataToDisk();
    return true;
}

bool FavoritesViewController::moveRow(int from, int to)
{
    const int count = m_model.rowCount();
    if (!m_editing || from < 0 || from >= count || to < 0 || to >= count || from == to)
        return false;
    m_model.moveRecord(from, to);
    saveDataToDisk();
    return true;
}

void FavoritesViewController::selectRow(int row)
{
    if (row < 0 || row >= m_model.rowCount())
        return;
    setSelectedRow(row);
    const FavoriteRecordPtr record = favoritesArray()[row]; // the stored record itself
    m_calls.InitateCall(record);
    QTimer::singleShot(deselectDelayMs, this, &FavoritesViewController::deselect);
}

void FavoritesViewController::deselect() { setSelectedRow(-1); }

void FavoritesViewController::forgetContacts()
{
    for (const FavoriteRecordPtr &entry : favoritesArray())
        entry->contactID = -1;
    m_model.recordsChanged();
    saveDataToDisk();
}

void FavoritesViewController::prepareFavoritesCollection()
{
    if (!m_addressBook.isOpen())
        return;
    // Worked out aside: a book found damaged meanwhile would rename or unlink the favourites,
    // or give them wrong numbers.
    QList<FavoriteRecord> refreshed;
    for (const FavoriteRecordPtr &stored : favoritesArray()) {
        FavoriteRecord &entry = refreshed.emplace_back(*stored);
        const std::optional<Person> person = m_addressBook.personWithRecordID(entry.contactID);
        if (!person) {
            entry.contactID = -1;
            entry.phoneType = QString();
            entry.displayName = entry.phoneNumber;
            continue;
        }
        const int index = person->indexForIdentifier(entry.identifier);
        if (index < 0) {
            entry.phoneType = QString();
        } else {
            const PhoneEntry &phone = person->phones->at(index);
            entry.phoneType = phone.label ? FavoriteRecord::phoneTypeFromLabel(*phone.label) : QString();
            entry.phoneNumber = phone.value;
        }
        const std::optional<QString> name = CommonOperations::getName(*person, false);
        entry.displayName = name && index >= 0 ? *name : entry.phoneNumber;
    }
    if (m_addressBook.foundDamaged())
        return;
    for (qsizetype i = 0; i < refreshed.size(); ++i)
        *favoritesArray()[i] = refreshed[i];
    m_model.recordsChanged();
}

bool FavoritesViewController::saveDataToDisk()
{
    return m_reports.save(m_archive, CallRecordArchive::encode(favoritesArray()), archiveTexts);
}

void FavoritesViewController::loadDataFromDisk()
{
    setFavoritesArray(CallRecordArchive::read(m_archive, maxCount));
}

void FavoritesViewController::setShowsEditButton(bool shows)
{
    if (m_showsEditButton == shows)
        return;
    m_showsEditButton = shows;
    Q_EMIT showsEditButtonChanged();
}

void FavoritesViewController::setShowsAddButton(bool shows)
{
    if (m_showsAddButton == shows)
        return;
    m_showsAddButton = shows;
    Q_EMIT showsAddButtonChanged();
}

void FavoritesViewController::setShowsPeoplePicker(bool shows)
{
    if (m_showsPeoplePicker == shows)
        return;
    m_showsPeoplePicker = shows;
    Q_EMIT showsPeoplePickerChanged();
}

void FavoritesViewController::setSelectedRow(int row)
{
    if (m_selectedRow == row)
        return;
    m_selectedRow = row;
    Q_EMIT selectedRowChanged();
}
