import QtQuick
import Farline.Window

// The persons of the address book under their letters, with a search field over them. A tap on
// a person opens their numbers. An empty address book shows how to fill it.
Page {
    id: view
    property QtObject people
    signal personTapped(int recordID)

    SearchField {
        id: search
        width: parent.width
        visible: view.people !== null && !view.people.addressBookEmpty
        onTextChanged: view.people.searchText = text
    }

    PlainList {
        id: table
        anchors.top: search.visible ? search.bottom : parent.top
        anchors.bottom: parent.bottom
        width: parent.width
        model: view.people
        emptyText: view.people !== null && !view.people.addressBookEmpty ? "No results" : ""
        list.section.property: "section"
        list.section.delegate: Rectangle {
            required property string section
            width: table.width
            height: 22
            gradient: Gradient {
                GradientStop { position: 0; color: "#a5b1c0" }
                GradientStop { position: 1; color: "#b8c2cf" }
            }
            Text {
                x: 12
                anchors.verticalCenter: parent.verticalCenter
                text: parent.section
                color: "white"
                font.family: Theme.font
                font.pixelSize: 17
                font.bold: true
                style: Text.Raised
                styleColor: "#60000000"
            }
        }
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
                color: "black"
                font.family: Theme.font
                font.pixelSize: 20
                font.bold: true
            }
            Accessible.name: name
            Accessible.description: organization
        }
    }

    // How to fill an empty address book.
    Column {
        visible: view.people !== null && view.people.addressBookEmpty
        x: 20
        y: 40
        width: parent.width - 40
        spacing: 12
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: "No contacts yet"
            color: Theme.greyText
            font.family: Theme.font
            font.pixelSize: 20
            font.bold: true
        }
        Text {
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
            textFormat: Text.StyledText
            color: Theme.greyText
            font.family: Theme.font
            font.pixelSize: 14
            text: "Export your contacts from your phone or computer as a vCard file (.vcf); "
                  + "most save it in <i>Downloads</i> or <i>Documents</i>. Then import it with<br><br>"
                  + "<tt>farline contacts import ~/Downloads/contacts.vcf</tt><br><br>"
                  + "A whole folder of .vcf files works too."
        }
    }
}
