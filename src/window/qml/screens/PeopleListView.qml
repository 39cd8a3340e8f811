pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// The persons of the address book under their letters, with a search field over them. A tap on
// a person opens their numbers. An empty address book shows how to fill it.
Page {
    id: view
    required property PersonListModel people
    signal personTapped(int recordID)

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

    // How to fill an empty address book, on a ground of its own: no list lines through it.
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
                text: "No contacts yet"
                color: Theme.greyText
                font.family: Theme.font
                font.pixelSize: Theme.titleSize
                font.bold: true
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            HelpLine {
                textFormat: Text.StyledText
                text: "Export your contacts from your phone or computer as a vCard file (.vcf); "
                      + "most save it in <i>Downloads</i> or <i>Documents</i>. Then import it with"
                Accessible.name: "Export your contacts from your phone or computer as a vCard file (.vcf); "
                                 + "most save it in Downloads or Documents. Then import it with"
            }
            // The command as it is typed: a word joiner after each slash keeps the path whole.
            HelpLine {
                readonly property string command: "farline contacts import ~/Downloads/contacts.vcf"
                text: command.replace(/\//g, "/\u2060")
                font.family: Theme.monoFont
                Accessible.name: command
            }
            HelpLine {
                text: "A whole folder of .vcf files works too."
            }
        }
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
