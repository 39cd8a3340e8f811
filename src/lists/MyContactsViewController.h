#pragma once

#include "lists/PersonListModel.h"

#include <QObject>

class AddressBook;
class CallInitiator;

// The contacts tab: a browser of the address book that stays in its tab. Tapping one of a
// person's numbers places the call through call placement, never through the platform's own
// dialling. Requests to go back to the list with animation (leaving the tab, tapping the
// selected tab) are ignored, so the browser stays where the user left it; cancelling does
// nothing.
class MyContactsViewController : public QObject
{
    Q_OBJECT
    // The list of persons is headed "Voxmint"; the screens the browser shows read "Farline".
    Q_PROPERTY(QString listTitle READ listTitle CONSTANT)
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(int shownPerson READ shownPerson NOTIFY shownPersonChanged)
    Q_PROPERTY(PersonListModel *people READ people CONSTANT)

public:
    MyContactsViewController(AddressBook &addressBook, CallInitiator &calls, QObject *parent = nullptr);

    QString listTitle() const { return QStringLiteral("Voxmint"); }
    QString title() const { return QStringLiteral("Farline"); }
    // The record id of the person whose details are shown; -1 on the list of persons.
    int shownPerson() const { return m_shownPerson; }
    // The persons of the list, read when the view is made.
    PersonListModel *people() { return &m_people; }

    // The view is made: the list of persons is read. Only the first call does anything.
    Q_INVOKABLE void loadView();
    // A person tapped: their numbers are shown. False for a person not in the address book.
    Q_INVOKABLE bool selectPerson(int recordID);
    // A number tapped: the call record (name with the phone fallback, phone type by the label
    // rule, the number as stored, person and entry) goes to call placement; the details stay
    // shown. False when the person or the entry is gone.
    Q_INVOKABLE bool selectPhoneEntry(int recordID, int identifier);
    // A request to go back to the list: ignored when animated (false); done otherwise.
    Q_INVOKABLE bool popToRootViewController(bool animated);
    Q_INVOKABLE void peoplePickerNavigationControllerDidCancel() {}
    // The address book changed under the browser (a sync, an import): the list is read again,
    // and a person shown who has gone makes way for it.
    void addressBookChanged();

Q_SIGNALS:
    void shownPersonChanged();

private:
    void setShownPerson(int recordID);

    AddressBook &m_addressBook;
    CallInitiator &m_calls;
    PersonListModel m_people;
    bool m_viewLoaded = false;
    int m_shownPerson = -1;
};
