#include "lists/MyContactsViewController.h"

#include "core/CallInitiator.h"
#include "lists/PhoneEntryRecord.h"
#include "addressbook/AddressBook.h"

MyContactsViewController::MyContactsViewController(AddressBook &addressBook, CallInitiator &calls, QObject *parent)
    : QObject(parent)
    , m_addressBook(addressBook)
    , m_calls(calls)
    , m_people(addressBook)
{
}

void MyContactsViewController::loadView()
{
    if (m_viewLoaded)
        return;
    m_viewLoaded = true;
    m_people.reload();
}

bool MyContactsViewController::selectPerson(int recordID)
{
    if (!m_addressBook.personWithRecordID(recordID))
        return false;
    setShownPerson(recordID);
    return true;
}

bool MyContactsViewController::selectPhoneEntry(int recordID, int identifier)
{
    const std::optional<Person> person = m_addressBook.personWithRecordID(recordID);
    const auto record = person ? recordForPhoneEntry(*person, identifier) : std::nullopt;
    if (!record)
        return false;
    m_calls.InitateCall(*record);
    return true;
}

void MyContactsViewController::addressBookChanged()
{
    if (!m_viewLoaded)
        return;
    m_people.reload();
    if (m_shownPerson >= 0 && !m_addressBook.personWithRecordID(m_shownPerson))
        setShownPerson(-1);
}

bool MyContactsViewController::popToRootViewController(bool animated)
{
    if (animated)
        return false;
    setShownPerson(-1);
    return true;
}

void MyContactsViewController::setShownPerson(int recordID)
{
    if (m_shownPerson == recordID)
        return;
    m_shownPerson = recordID;
    Q_EMIT shownPersonChanged();
}
