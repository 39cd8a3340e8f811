import QtQuick
import Farline.Window

// A plain table: white rows of `rowHeight` under each other, the empty ones drawn as lines.
Rectangle {
    id: table
    property alias model: list.model
    property alias delegate: list.delegate
    property int rowHeight: 44
    color: "white"

    // The lines of the rows that are not there.
    Column {
        y: list.contentHeight - list.contentY
        width: parent.width
        Repeater {
            model: Math.max(0, Math.ceil((table.height - list.contentHeight) / table.rowHeight))
            Item {
                width: table.width
                height: table.rowHeight
                Rectangle {
                    anchors.bottom: parent.bottom
                    width: parent.width
                    height: 1
                    color: "#e0e0e0"
                }
            }
        }
    }

    ListView {
        id: list
        anchors.fill: parent
        boundsBehavior: Flickable.StopAtBounds
    }
}
