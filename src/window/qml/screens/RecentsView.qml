import QtQuick
import Farline.Window

// The recent calls tab: the last calls, newest first; a tap calls again, "Clear" empties the list
// after asking.
Page {
    id: view
    title: Recents.title
    rightButton: Recents.showsClearButton ? "Clear" : ""
    onRightTapped: Recents.clearRecords()

    Component.onCompleted: Recents.loadView()

    PlainList {
        anchors.fill: parent
        model: Recents.model
        emptyText: "No recent calls"
        delegate: PlainRow {
            id: row
            required property int index
            required property string name
            required property string type
            required property string number
            required property string dateText
            readonly property bool selected: Recents.selectedRow === index
            highlighted: selected
            onTapped: Recents.selectRow(index)

            Text {
                x: 10
                y: 0
                width: row.width - 90
                height: 24
                elide: Text.ElideRight
                verticalAlignment: Text.AlignBottom
                text: row.name
                color: row.selected ? Theme.highlightedText : Theme.text
                font.family: Theme.font
                font.pixelSize: 19
                font.bold: true
            }
            Text {
                x: 15
                y: 23
                width: row.width - 95
                height: 16
                elide: Text.ElideRight
                text: row.type
                color: row.selected ? Theme.highlightedText : Theme.greyText
                font.family: Theme.font
                font.pixelSize: Theme.noteSize
                font.bold: true
            }
            // The date of the call on the right, its time under it.
            Text {
                x: row.width - 75
                width: 65
                height: row.height
                horizontalAlignment: Text.AlignRight
                verticalAlignment: Text.AlignVCenter
                wrapMode: Text.WordWrap
                lineHeight: 0.95
                text: row.dateText
                color: row.selected ? Theme.highlightedText : Theme.greyText
                font.family: Theme.font
                font.pixelSize: Theme.smallSize
                font.bold: true
            }
            Accessible.name: name.trim()
            Accessible.description: number
        }
    }
}
