pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// A person: the name and organisation, and every number with its kind. A tap on a number
// chooses it (the contacts tab calls it, the people picker adds it).
Page {
    id: view
    required property PersonListModel people
    required property int recordID
    signal numberTapped(int recordID, int identifier)

    readonly property var person: people.details(recordID)

    GroupedTable {
        anchors.fill: parent

        Column {
            x: Theme.groupMargin
            width: parent.width - 2 * Theme.groupMargin
            spacing: 2
            Text {
                width: parent.width
                wrapMode: Text.WordWrap
                text: view.person.name || ""
                color: Theme.text
                font.family: Theme.font
                font.pixelSize: 22
                font.bold: true
                style: Text.Raised
                styleColor: Theme.engravedShadow
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Text {
                width: parent.width
                visible: text !== ""
                wrapMode: Text.WordWrap
                text: view.person.organization || ""
                color: Theme.sectionHeader
                font.family: Theme.font
                font.pixelSize: Theme.bodySize
                font.bold: true
            }
        }

        Column {
            width: parent.width
            Repeater {
                model: view.person.phones || []
                delegate: TableCell {
                    id: phone
                    required property var modelData
                    required property int index
                    width: parent.width
                    height: Theme.rowHeight
                    first: index === 0
                    last: index === (view.person.phones || []).length - 1
                    onTapped: view.numberTapped(view.recordID, modelData.identifier)
                    Accessible.name: modelData.number
                    Accessible.description: modelData.type

                    Text {
                        x: phone.inset + 8
                        width: 72
                        height: phone.height
                        horizontalAlignment: Text.AlignRight
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                        text: phone.modelData.type
                        color: phone.highlighted ? Theme.highlightedText : Theme.accent
                        font.family: Theme.font
                        font.pixelSize: 13
                        font.bold: true
                    }
                    Text {
                        x: phone.inset + 90
                        width: phone.width - x - phone.inset - 10
                        height: phone.height
                        verticalAlignment: Text.AlignVCenter
                        elide: Text.ElideRight
                        text: phone.modelData.number
                        color: phone.modelData.callable ? Theme.text : Theme.greyText
                        font.family: Theme.font
                        font.pixelSize: Theme.rowTextSize
                        font.bold: true
                    }
                }
            }
        }
        Text {
            visible: (view.person.phones || []).length === 0
            x: Theme.groupMargin
            text: "No phone numbers"
            color: Theme.greyText
            font.family: Theme.font
            font.pixelSize: Theme.bodySize
        }
    }
}
