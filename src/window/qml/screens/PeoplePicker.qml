import QtQuick
import Farline.Window

// The people picker of the favourites: a person, then one of their numbers, which becomes a
// favourite; Cancel adds nothing.
PeopleListView {
    id: picker
    property QtObject screen
    title: "Contacts"
    people: screen ? screen.pickerPeople : null
    rightButton: "Cancel"
    onRightTapped: screen.peoplePickerNavigationControllerDidCancel()
    onPersonTapped: (recordID) => navigationStack.push(personView, { people: picker.people, recordID: recordID, title: "Farline" })

    Component {
        id: personView
        PersonView {
            onNumberTapped: (recordID, identifier) => picker.screen.pickPhoneEntry(recordID, identifier)
        }
    }
}
