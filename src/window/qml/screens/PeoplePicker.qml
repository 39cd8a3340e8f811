pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The people picker of the favourites: a person, then one of their numbers, which becomes a
// favourite; Cancel adds nothing.
PeopleListView {
    id: picker
    // The favourites' controller, which opened the picker and takes the number.
    required property Favorites screen
    title: "Contacts"
    people: screen.pickerPeople
    rightButton: "Cancel"
    onRightTapped: screen.peoplePickerNavigationControllerDidCancel()
    onPersonTapped: (recordID) => (navigationStack as NavigationStack).push(personView, {
        people: picker.people, recordID: recordID, title: "Farline" })

    Component {
        id: personView
        PersonView {
            onNumberTapped: (recordID, identifier) => picker.screen.pickPhoneEntry(recordID, identifier)
        }
    }
}
