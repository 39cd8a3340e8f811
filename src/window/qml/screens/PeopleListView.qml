pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The persons of the address book under their letters, with a search field over them. A tap on
// a person opens their numbers. An empty address book says where contacts were looked for.
Page {
    id: view
    required property PersonListModel people
    // The contacts tab offers to import vCard files; the people picker does not.
    property bool offersImport: false
    signal personTapped(int recordID)
    signal importTapped()

    SearchField {
        id: search
        width: parent.width
        visible: !view.people.addressBookEmpty
        onTextChanged: view.people.searchText = text
    }

    PlainList {
        id: table
        visible: !view.people.addressBookEmpty
        anchors.top: search.visible ? search.bottom : parent.top
        anchors.bottom: parent.bottom
        width: parent.width
        model: view.people
        emptyText: view.people.addressBookEmpty ? "" : "No results"
        list.section.property: "section"
        // From its own file: a ListView of Qt 6.4 makes no section header of a file whose
        // components are bound. Kept by the list, or the collector would take it.
        list.section.delegate: Qt.createComponent("SectionHeader.qml", Component.PreferSynchronous, table)
        delegate: PlainRow {
            id: row
            required property int recordID
            required property string name
            required property string organization
            onTapped: view.personTapped(recordID)
            Text {
                x: 12
                width: row.width - 24
                height: row.height
                verticalAlignment: Text.AlignVCenter
                elide: Text.ElideRight
                text: row.name
                color: Theme.text
                font.family: Theme.font
                font.pixelSize: Theme.titleSize
                font.bold: true
            }
            Accessible.name: name
            Accessible.description: organization
        }
    }

    // An empty address book: which sources were looked at, and how to import cards.
    Rectangle {
        visible: view.people.addressBookEmpty
        anchors.fill: parent
        color: Theme.plainBackground

        Column {
            x: Theme.groupMargin
            y: 40
            width: parent.width - 2 * Theme.groupMargin
            spacing: 12
            Text {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                wrapMode: Text.WordWrap
                text: SystemContacts.syncing ? "Looking for contacts…"
                                             : "No contacts in GNOME Contacts or the KDE contacts folder"
                color: Theme.greyText
                font.family: Theme.font
                font.pixelSize: Theme.titleSize
                font.bold: true
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            HelpLine {
                text: "The contacts you keep there show here by themselves. Others can be imported "
                      + "from a vCard file (.vcf), which most phones and address books export."
            }
            BarButton {
                anchors.horizontalCenter: parent.horizontalCenter
                visible: view.offersImport
                enabled: SystemContacts.importProgress === ""
                done: true
                text: "Import vCard file…"
                onTapped: view.importTapped()
            }
        }
    }

    // How far an import has come, over whatever the tab shows.
    Text {
        visible: SystemContacts.importProgress !== ""
        anchors.bottom: parent.bottom
        anchors.bottomMargin: 8
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        text: SystemContacts.importProgress
        color: Theme.greyText
        font.family: Theme.font
        font.pixelSize: Theme.noteSize
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }

    component HelpLine: Text {
        width: parent.width
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.WordWrap
        color: Theme.greyText
        font.family: Theme.font
        font.pixelSize: Theme.noteSize
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
}
