pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The contacts tab: the address book's persons headed "Voxmint", and the import of vCard files;
// the person the browser shows opens over them under "Farline", and a tap on one of their numbers
// places the call through call placement. The browser's controller keeps which person is shown,
// so the tab comes back to them.
PeopleListView {
    id: view
    title: Contacts.listTitle
    people: Contacts.people
    onPersonTapped: (recordID) => Contacts.selectPerson(recordID)
    // Cards from a file: imported as `farline contacts import` imports them.
    offersImport: true
    // A plus in the bar, which leaves the title its room; its name says what it does.
    rightButton: "Import vCard file…"
    rightSystemAdd: true
    rightEnabled: SystemContacts.importProgress === ""
    onRightTapped: chooseFiles()
    onImportTapped: chooseFiles()

    // A new dialog at each import, which opens as it is made.
    function chooseFiles() {
        importDialog.active = false
        importDialog.active = true
    }
    Loader {
        id: importDialog
        active: false
        source: "VCardFileDialog.qml"
    }
    Component.onCompleted: Contacts.loadView()
    onAppeared: showPerson() // once this page stands on its stack

    function showPerson() {
        const stack = navigationStack as NavigationStack
        if (Contacts.shownPerson >= 0 && stack.current === view)
            stack.push(personView, { people: Contacts.people, recordID: Contacts.shownPerson,
                                               title: Contacts.title })
    }
    Connections {
        target: Contacts
        function onShownPersonChanged() { view.showPerson() }
    }

    Component {
        id: personView
        PersonView {
            onNumberTapped: (recordID, identifier) => Contacts.selectPhoneEntry(recordID, identifier)
            onDisappeared: Contacts.popToRootViewController(false)
        }
    }
}
