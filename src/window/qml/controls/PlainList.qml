pragma ComponentBehavior: Bound
import QtQuick
import Farline.Window

// A plain table: white rows under each other with a line between them, and below the last row
// the lines of rows not there; without any row, one grey line saying so.
Rectangle {
    id: table
    property alias model: rows.model
    property alias delegate: rows.delegate
    property alias list: rows
    property string emptyText
    property int rowHeight: Theme.rowHeight
    color: Theme.plainBackground

    Column {
        y: rows.contentHeight - rows.contentY + rows.originY
        width: parent.width
        Repeater {
            model: Math.max(0, Math.ceil((table.height - rows.contentHeight) / table.rowHeight) + 1)
            Item {
                width: table.width
                height: table.rowHeight
                Rectangle {
                    objectName: "separator"
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: 1
                    color: Theme.plainSeparator
                }
            }
        }
    }

    ListView {
        id: rows
        anchors.fill: parent
        boundsBehavior: Flickable.StopAtBounds
        clip: true
    }

    Text {
        visible: rows.count === 0 && table.emptyText !== ""
        anchors.horizontalCenter: parent.horizontalCenter
        y: table.rowHeight * 2 + 12
        text: table.emptyText
        color: Theme.greyText
        font.family: Theme.font
        font.pixelSize: Theme.rowTextSize
        font.bold: true
        Accessible.role: Accessible.StaticText
        Accessible.name: text
    }
}
