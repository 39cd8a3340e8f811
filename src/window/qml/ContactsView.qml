import QtQuick
import Farline.Window

// The contacts tab: the address book's persons.
Page {
    title: Contacts.listTitle
    PlainList {
        anchors.fill: parent
    }
}
