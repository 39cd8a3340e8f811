import QtQuick
import Farline.Window

// The contacts tab: the address book's persons headed "Voxmint"; a person's numbers are shown
// under "Farline", and a tap on one places the call through call placement.
PeopleListView {
    id: list
    title: Contacts.listTitle
    people: Contacts.people
    onPersonTapped: (recordID) => {
        if (Contacts.selectPerson(recordID))
            navigationStack.push(personView, { people: Contacts.people, recordID: recordID, title: Contacts.title })
    }

    Component {
        id: personView
        PersonView {
            onNumberTapped: (recordID, identifier) => Contacts.selectPhoneEntry(recordID, identifier)
            onDisappeared: Contacts.popToRootViewController(false)
        }
    }
}
